// The drop-down pocket calculator's keypad logic: display text, state, pending operator,
// operand, memory and precision, with no widget, so that key sequences can be tested alone.
#pragma once

#include <QChar>
#include <QString>

// Keys handed to the key operation. The memory, accept and cancel buttons have calls of
// their own.
enum class TeclaCalculadora {
    Cero,
    Uno,
    Dos,
    Tres,
    Cuatro,
    Cinco,
    Seis,
    Siete,
    Ocho,
    Nueve,
    Coma,        // the decimal separator
    CambioSigno, // "+/-"
    Dividir,     // "/"
    Multiplicar, // "*"
    Restar,      // "-"
    Sumar,       // "+"
    Raiz,        // "sqrt"
    Porcentaje,  // "%"
    Reciproco,   // "1/x"
    Igual,       // "="
    Retroceso,   // delete the last character
    Limpiar,     // "C"
};

class EstadoCalculadora final {
public:
    enum class Estado { Listo, Introduciendo, Error };

    // Precision bounds: below 2 the display would lose every result; beyond 18 a double has
    // no digits left to show.
    static constexpr int PrecisionMinima = 2;
    static constexpr int PrecisionMaxima = 18;

    // The key operation; in the error state every key but Limpiar is dropped.
    void Tecla(TeclaCalculadora tecla);

    void MemoriaSumar();   // "MP"
    void MemoriaGuardar(); // "MS"
    void MemoriaLeer();    // "MR"
    void MemoriaBorrar();  // "MC"

    // Accept button: false (and nothing done) in the error state; otherwise "=" is processed,
    // the display value shown once more, and true tells the caller to raise the accept.
    bool Aceptar();

    // Opening with a box whose value is not 0: the value is shown as a result to go on from.
    void MostrarValorInicial(double valor);

    const QString& Texto() const { return FTexto; }
    Estado EstadoActual() const { return FEstado; }
    QChar Pendiente() const { return FPendiente; } // QChar() while none was pressed yet
    double Operando() const { return FOperando; }
    double Memoria() const { return FMemoria; }
    int Precision() const { return FPrecision; }
    // "M" while the memory is not 0, else empty.
    QString IndicadorMemoria() const;

    // The display text trimmed and read as a number with "," as decimal separator; 0 in the
    // error state or for a text that is no number.
    double ValorPantalla() const;

    void setMemoria(double valor);
    // Kept within PrecisionMinima..PrecisionMaxima.
    void setPrecision(int digitos);

    // The display text of a value: shortest general form with at most `digitos` significant
    // digits, decimal comma, "1E20" for large numbers.
    static QString TextoValor(double valor, int digitos);
    // Reads a display text ("-12,5", "1E20", "3,"); false when it is no number.
    static bool LeerTexto(const QString& texto, double* valor);

private:
    void Mostrar(double valor);
    void EmpezarNumero();
    void PonerError();
    void Operador(QChar tecla);

    QString FTexto = QStringLiteral("0");
    Estado FEstado = Estado::Listo;
    QChar FPendiente;
    double FOperando = 0;
    double FMemoria = 0;
    int FPrecision = 15;
};
