#include "GuardiaErrores.h"

#include <QMessageBox>
#include <QPushButton>

void MostrarMensaje(QWidget* padre, const QString& texto, QMessageBox::Icon icono) {
    QMessageBox caja(icono, QStringLiteral("Sumadora"), texto, QMessageBox::Ok,
                     padre);
    caja.button(QMessageBox::Ok)->setText(QStringLiteral("Aceptar"));
    caja.exec();
}
