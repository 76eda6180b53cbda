// What the three financial dialogs share as windows.
#include "DialogoFinanciero.h"

#include "EnlaceCalculadora.h"
#include "TMarcoSkin.h"
#include "TSkinCalcEdit.h"

#include <QPushButton>
#include <QScreen>

DialogoFinanciero::DialogoFinanciero(QWidget* parent) : QDialog(parent) {}

void DialogoFinanciero::FijarVentana() {
    setFixedSize(size());
    // Enter in a box must never start a calculation: no button is a default one.
    for (QPushButton* boton : findChildren<QPushButton*>()) {
        boton->setAutoDefault(false);
        boton->setDefault(false);
    }
    for (TSkinCalcEdit* caja : findChildren<TSkinCalcEdit*>())
        AdjuntarCalculadora(caja);
    TMarcoSkin::Instalar(this);
}

void DialogoFinanciero::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    if (const QScreen* pantalla = screen()) {
        QRect marco = frameGeometry();
        marco.moveCenter(pantalla->availableGeometry().center());
        move(marco.topLeft());
    }
}
