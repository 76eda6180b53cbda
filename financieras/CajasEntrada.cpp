#include "CajasEntrada.h"

#include "GuardiaErrores.h"
#include "ReglaEntrada.h"

#include <QLineEdit>

bool AplicarReglaEntrada(QWidget* padre, std::initializer_list<QLineEdit*> orden,
                         std::initializer_list<QLineEdit*> ordenCero) {
    for (QLineEdit* caja : orden) {
        const QString limpio = LimpiarTexto(caja->text());
        if (limpio != caja->text())
            caja->setText(limpio);
    }
    for (QLineEdit* caja : orden)
        if (!ConvertirReal(caja->text())) {
            MostrarMensaje(padre, MensajeErrorFormato());
            return false;
        }
    for (QLineEdit* caja : ordenCero)
        if (ValorCaja(caja) == 0)
            return false;
    return true;
}

long double ValorCaja(const QLineEdit* caja) {
    return ConvertirReal(caja->text()).value_or(0);
}
