// What the three financial dialogs share as windows: fixed size, centred on the screen at
// every opening, no default button, the skin engine's frame, and a drop-down calculator on
// every numeric box.
#pragma once

#include "CableadoBotones.h"

#include <QDialog>

#include <functional>
#include <initializer_list>

class QAbstractButton;
class TSkinCalcEdit;

class DialogoFinanciero : public QDialog {
    Q_OBJECT
public:
    explicit DialogoFinanciero(QWidget* parent = nullptr);

    // The buttons the dialog's tables wire: its own and its boxes' drop-down buttons.
    CableadoBotones Cableado() const;

protected:
    // A button of the dialog and what clicking it does.
    struct AccionBoton {
        QAbstractButton* Boton;
        std::function<void()> Accion;
    };
    // Call at the end of the constructor, once the form is laid out and filled, with the
    // dialog's buttons and its numeric boxes, each of which gets its drop-down calculator.
    void FijarVentana(std::initializer_list<AccionBoton> acciones,
                      std::initializer_list<TSkinCalcEdit*> cajas);
    void showEvent(QShowEvent* evento) override;

private:
    QList<QAbstractButton*> FConectados;
};
