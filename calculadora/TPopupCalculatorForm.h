// The drop-down calculator window: borderless, never activated, unmanaged by the window
// manager, a display label over the keypad. It only shows and hides; the edit box it belongs to is
// wired by EnlaceCalculadora.
#pragma once

#include "CableadoBotones.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>

class QLabel;
class TCalculatorPanel;

// Where a drop-down of size `tamano` opens for a box at `caja` (screen coordinates) on a
// screen whose usable area is `pantalla`: below the box, above it when it would reach past
// the bottom, moved left to end at the right edge, and never left of the screen's left edge.
QPoint PosicionDesplegable(const QRect& caja, const QSize& tamano, const QRect& pantalla);

class TPopupCalculatorForm final : public QWidget {
    Q_OBJECT
public:
    static constexpr int Ancho = 220;
    static constexpr int AltoPantalla = 20;
    static constexpr int Alto = AltoPantalla + 150 + 5;

    // `padre` is the edit box that owns it; the window is still a top-level tool window.
    explicit TPopupCalculatorForm(QWidget* padre = nullptr);

    TCalculatorPanel* Panel() const { return FPanel; }
    QLabel* Pantalla() const { return FPantalla; }
    // The window's buttons are the keypad's.
    CableadoBotones Cableado() const;

    // Opening: memory and precision handed to the keypad, the box's value when it is not 0,
    // placed against the box `caja` (screen coordinates) within `pantalla`, then shown
    // without taking the activation.
    void Abrir(const QRect& caja, const QRect& pantalla, double memoria, int precision,
               double valorCaja);
    // Keeps the window against the box after the dialog moved.
    void Recolocar(const QRect& caja, const QRect& pantalla);

Q_SIGNALS:
    // The accept key with a result: the value for the box. The window is hidden just after.
    void Aceptado(double valor);
    // The cancel key; the window is already hidden.
    void Cancelado();

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    QLabel* FPantalla;
    TCalculatorPanel* FPanel;
};
