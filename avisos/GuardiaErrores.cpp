#include "GuardiaErrores.h"

#include <QMessageBox>
#include <QPushButton>

using namespace Qt::StringLiterals;

void MostrarMensaje(QWidget* padre, const QString& texto, QMessageBox::Icon icono) {
    QMessageBox caja(icono, u"Sumadora"_s, texto, QMessageBox::Ok, padre);
    caja.button(QMessageBox::Ok)->setText(u"Aceptar"_s);
    caja.exec();
}
