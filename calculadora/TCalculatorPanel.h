// The drop-down calculator's keypad: 28 keys and the memory indicator over the keypad
// logic (EstadoCalculadora). It raises accept and cancel; the display belongs to the window.
#pragma once

#include "CableadoBotones.h"
#include "EstadoCalculadora.h"

#include <QWidget>

#include <array>

class QLabel;
class TCalcButton;

class TCalculatorPanel final : public QWidget {
    Q_OBJECT
public:
    static constexpr int Ancho = 215;
    static constexpr int Alto = 150;
    static constexpr int NumeroBotones = 28;

    // Kinds of the keys that are not digits (kinds 1 to 10 are "0" to "9").
    enum Kind : int {
        KindSigno = 11,
        KindComa,
        KindDividir,
        KindMultiplicar,
        KindRestar,
        KindSumar,
        KindRaiz,
        KindPorcentaje,
        KindReciproco,
        KindIgual,
        KindRetroceso,
        KindLimpiar,
        KindMP,
        KindMS,
        KindMR,
        KindMC,
        KindAceptar,
        KindCancelar,
    };

    explicit TCalculatorPanel(QWidget* padre = nullptr);

    // The key of kind 1..28, nullptr for any other.
    TCalcButton* Boton(int kind) const;
    // The keys, each wired from the keypad's table.
    CableadoBotones Cableado() const;
    QLabel* Indicador() const { return FIndicador; }
    const EstadoCalculadora& Estado() const { return FEstado; }
    const QString& Texto() const { return FEstado.Texto(); }

    // What pressing the key of this kind does.
    void Pulsar(int kind);

    // Opening: the memory and the precision, and the box's value when it is not 0.
    void PrepararApertura(double memoria, int precision, double valorCaja);

Q_SIGNALS:
    void TextoCambiado(const QString& texto);
    void Aceptado();
    void Cancelado();

private:
    void Refrescar();

    EstadoCalculadora FEstado;
    QLabel* FIndicador;
    std::array<TCalcButton*, NumeroBotones> FBotones{};
    QString FTextoMostrado;
};
