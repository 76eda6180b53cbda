// What the three financial dialogs share as windows.
#include "DialogoFinanciero.h"

#include "EnlaceCalculadora.h"
#include "TMarcoSkin.h"
#include "TSkinCalcEdit.h"

#include <QPushButton>
#include <QToolButton>

DialogoFinanciero::DialogoFinanciero(QWidget* parent) : QDialog(parent) {}

void DialogoFinanciero::FijarVentana(std::initializer_list<AccionBoton> acciones,
                                     std::initializer_list<TSkinCalcEdit*> cajas) {
    setFixedSize(size());
    // Enter in a box must never start a calculation: no button is a default one.
    for (QPushButton* boton : findChildren<QPushButton*>()) {
        boton->setAutoDefault(false);
        boton->setDefault(false);
    }
    for (const AccionBoton& a : acciones) {
        connect(a.Boton, &QAbstractButton::clicked, this, a.Accion);
        FConectados.append(a.Boton);
    }
    for (TSkinCalcEdit* caja : cajas) {
        AdjuntarCalculadora(caja);
        FConectados.append(caja->BotonDesplegar());
    }
    TMarcoSkin::Instalar(this);
}

CableadoBotones DialogoFinanciero::Cableado() const {
    return {FConectados, {}};
}

void DialogoFinanciero::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    TMarcoSkin::CentrarEnPantalla(this);
}
