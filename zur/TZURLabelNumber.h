// Numeric register: a seven-segment display that owns one long double value, shows it in
// the general, fixed or thousands-grouped format, and lets the user key a number digit by
// digit. Its single-value scientific functions live here too.
#pragma once

#include "FuncionesCientificas.h"
#include "TZURDigit.h"

static_assert(sizeof(long double) > sizeof(double),
              "the calculator computes in 80-bit long double");

class TZURLabelNumber : public TZURDigit {
    Q_OBJECT
public:
    // Also sets what the stored-form load would: NumDigits 10, right alignment, Text "0".
    explicit TZURLabelNumber(QWidget* parent = nullptr);

    TAngularConversion ConversionAngular() const { return FConversionAngular; }
    void setConversionAngular(TAngularConversion v) { FConversionAngular = v; }
    int Decimales() const { return FDecimales; }
    void setDecimales(int v) { FDecimales = v; }
    bool FormatoGeneral() const { return FFormatoGeneral; }
    void setFormatoGeneral(bool v) { FFormatoGeneral = v; }
    bool SeparadorMiles() const { return FSeparadorMiles; }
    void setSeparadorMiles(bool v) { FSeparadorMiles = v; }
    long double Valor() const { return FValor; }
    // Stores and reformats only when the value differs (typed text and "ERROR" survive an
    // equal write). Does not touch the entry state.
    void setValor(long double v);

    // Entry state, for callers and tests that must tell typing from showing.
    bool Editando() const { return FEditando; }

    // Shows the value again, in the current format, whatever the display held; the value and
    // the entry state stay.
    void MostrarValor();
    // Shows a caption such as "DATO" in place of the value until the next value is shown.
    void MostrarLeyenda(const QString& Leyenda);

    void Borrar();
    void TerminarEntrada();
    void MostrarResultado(long double V);
    void AgregarDigito(int Digito);
    void PuntoDecimal();
    void CambioSigno();

    // Scientific functions: each replaces Valor, or shows "ERROR" keeping it; all end the entry.
    void ElevarA(long double Exponente);
    void Factorial();
    void Inverso();
    void LogaritmoBase10();
    void LogaritmoNatural();
    void RaizCuadrada();
    void Seno();
    void Coseno();
    void Tangente();
    void Cotangente();
    void ArcoSeno();
    void ArcoCoseno();
    void ArcoTangente();
    void SenoHiperbolico();
    void CosenoHiperbolico();
    void TangenteHiperbolica();
    void ArcoSenoHiperbolico();
    void ArcoCosenoHiperbolico();
    void ArcoTangenteHiperbolica();

    // Display text of a value in the current format, cut to 20 characters.
    QString ValorATexto(long double V) const;

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    // The one home of every result operation: writes a finite result, else shows "ERROR"
    // keeping Valor; then ends the entry.
    void OperacionResultado(long double resultado);
    static long double TextoAValor(const QString& S);

    int FDecimales = 3;
    bool FFormatoGeneral = true;
    bool FSeparadorMiles = false;
    long double FValor = 0;
    TAngularConversion FConversionAngular = acDEG;
    bool FDecimalActivo = false;
    bool FEditando = false;
    int FPosicionDecimal = 1;
    bool FLeyenda = false; // Text holds a caption, not the value
};
