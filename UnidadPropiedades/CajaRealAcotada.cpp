#include "CajaRealAcotada.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

CajaRealAcotada::CajaRealAcotada(QWidget* parent) : QDoubleSpinBox(parent) {}

bool CajaRealAcotada::Numero(const QString& texto, double* valor) const {
    bool ok = false;
    *valor = locale().toDouble(texto.trimmed(), &ok);
    return ok && std::isfinite(*valor);
}

QValidator::State CajaRealAcotada::validate(QString& texto, int& posicion) const {
    const QValidator::State estado = QDoubleSpinBox::validate(texto, posicion);
    double valor = 0;
    // A number out of range is kept while typing; fixup brings it into range.
    if (estado == QValidator::Invalid && Numero(texto, &valor) &&
        (valor < minimum() || valor > maximum()))
        return QValidator::Intermediate;
    return estado;
}

void CajaRealAcotada::fixup(QString& texto) const {
    double valor = 0;
    if (Numero(texto, &valor))
        texto = textFromValue(std::clamp(valor, minimum(), maximum()));
    else
        QDoubleSpinBox::fixup(texto);
}
