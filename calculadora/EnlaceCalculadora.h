// Ties a numeric edit box to its drop-down calculator: the box's button opens and closes
// it, accept writes the result into the box, and Esc, the focus leaving, a press elsewhere or
// the box hiding close it. The link and the window are children of the box and die with it;
// the window is built at its first opening.
#pragma once

#include <QObject>
#include <QPointer>

class TSkinCalcEdit;
class TPopupCalculatorForm;
class QWidget;

class EnlaceCalculadora final : public QObject {
    Q_OBJECT
public:
    explicit EnlaceCalculadora(TSkinCalcEdit* caja);

    // The box's link, created on the first call.
    static EnlaceCalculadora* De(TSkinCalcEdit* caja);

    // The drop-down window, created when missing.
    TPopupCalculatorForm* Desplegable();
    bool Abierto() const;

    void Abrir();
    void Cerrar();
    // What the box's button does.
    void Alternar();

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void Recolocar();

    TSkinCalcEdit* FCaja;
    TPopupCalculatorForm* FDesplegable = nullptr;
    QPointer<QWidget> FVentana; // the box's window while open, watched for moves
    // Handed to the keypad's memory at every opening; nothing writes it, so each opening
    // starts with an empty memory.
    double FMemoriaGuardada = 0;
};

// Gives the box its drop-down calculator (once; later calls return the same link).
inline EnlaceCalculadora* AdjuntarCalculadora(TSkinCalcEdit* caja) {
    return EnlaceCalculadora::De(caja);
}
