// Numeric register: keeps its long double value and its display text in step, builds a
// number digit by digit, and applies the single-value functions to its own value.
#include "TZURLabelNumber.h"

#include "FormatoNumero.h"

#include <QChar>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

using namespace Qt::StringLiterals;

namespace {

// Texts longer than the cells are cut to this many characters, whatever NumDigits is.
constexpr int LargoMaximoTexto = 20;

long double PotenciaDeDiez(int n) {
    long double p = 1;
    for (int i = 0; i < n; ++i)
        p *= 10; // exact: 10^27 still fits the 64-bit mantissa
    return p;
}

} // namespace

TZURLabelNumber::TZURLabelNumber(QWidget* parent) : TZURDigit(parent) {
    setNumDigits(10);
    setAlignment(taRightJustify);
    setText(ValorATexto(FValor));
}

void TZURLabelNumber::setValor(long double v) {
    // A caption ("DATO", "TOTAL") is not a value: the first result replaces it, also when it
    // equals the value held underneath.
    if (v == FValor && !FLeyenda)
        return;
    FValor = v;
    MostrarValor();
}

void TZURLabelNumber::MostrarValor() {
    FLeyenda = false;
    setText(ValorATexto(FValor));
}

void TZURLabelNumber::MostrarLeyenda(const QString& Leyenda) {
    setText(Leyenda);
    FLeyenda = true;
}

QString TZURLabelNumber::ValorATexto(long double V) const {
    const int P = std::clamp(NumDigits(), 2, 18);
    std::string texto = FFormatoGeneral ? TextoGeneral(V, P)
                                        : TextoFijo(V, std::max(FDecimales, 0), P, FSeparadorMiles);
    // Cutting a scientific text would drop its exponent and show a wrong number: give up
    // significant digits until it fits instead.
    for (int p = P - 1;
         p >= 1 && texto.size() > LargoMaximoTexto && texto.find('E') != std::string::npos; --p)
        texto = TextoGeneral(V, p);
    if (static_cast<int>(texto.size()) > NumDigits())
        texto.resize(std::min<std::size_t>(texto.size(), LargoMaximoTexto));
    return QString::fromStdString(texto);
}

long double TZURLabelNumber::TextoAValor(const QString& S) {
    std::string numero = "0";
    for (const QChar c : S) {
        if (c >= u'0' && c <= u'9')
            numero += static_cast<char>(c.unicode());
        else if (c == u',')
            numero += '.'; // from_chars reads the C decimal point, whatever the locale
    }
    long double valor = 0;
    std::from_chars(numero.data(), numero.data() + numero.size(), valor, std::chars_format::fixed);
    return valor;
}

void TZURLabelNumber::Borrar() {
    // Always rewritten, also when the value already was 0 and the display showed something else.
    FValor = 0;
    MostrarValor();
    TerminarEntrada();
}

void TZURLabelNumber::TerminarEntrada() {
    FDecimalActivo = false;
    FPosicionDecimal = 1;
    FEditando = false;
}

void TZURLabelNumber::MostrarResultado(long double V) {
    setValor(V);
    TerminarEntrada();
}

void TZURLabelNumber::AgregarDigito(int Digito) {
    if (Digito < 0 || Digito > 9)
        return;
    if (!FEditando)
        Borrar();

    const QString actual = Text().trimmed();
    const int L = static_cast<int>(actual.size());
    const int N = NumDigits();
    const bool negativo = FValor < 0;
    // The fixed formats already show the decimals, so their entry may take one more character.
    const int limite = (FFormatoGeneral ? N - 2 : N - 1) + (negativo ? 1 : 0);
    if (L >= limite)
        return;

    // A negative entry (only a host writing Valor mid-entry makes one) grows away from zero,
    // so the value keeps agreeing with the digits on the display.
    const long double signo = negativo ? -1 : 1;
    if (!FDecimalActivo) {
        setValor(FValor * 10 + signo * Digito);
    } else if (!FFormatoGeneral) {
        if (FPosicionDecimal <= FDecimales)
            setValor(FValor + signo * Digito / PotenciaDeDiez(FPosicionDecimal));
        ++FPosicionDecimal;
    } else {
        // The display keeps exactly what was typed, trailing zeros included.
        const QString S = actual + QChar(u'0' + Digito);
        setValor(signo * TextoAValor(S));
        setText(S);
        ++FPosicionDecimal;
    }
    FEditando = true;
}

void TZURLabelNumber::PuntoDecimal() {
    if (FDecimalActivo)
        return;
    if (!FEditando)
        Borrar();
    if (FFormatoGeneral)
        setText(Text().trimmed() + u',');
    FDecimalActivo = true;
    FEditando = true;
}

void TZURLabelNumber::OperacionResultado(long double resultado) {
    if (std::isfinite(resultado))
        setValor(resultado);
    else {
        FLeyenda = false;
        setText(u"ERROR"_s);
    }
    TerminarEntrada();
}

void TZURLabelNumber::CambioSigno() {
    OperacionResultado(FValor * -1);
}

void TZURLabelNumber::ElevarA(long double Exponente) {
    OperacionResultado(cientificas::Potencia(FValor, Exponente));
}
void TZURLabelNumber::Factorial() {
    OperacionResultado(cientificas::Factorial(FValor));
}
void TZURLabelNumber::Inverso() {
    OperacionResultado(cientificas::Inverso(FValor));
}
void TZURLabelNumber::LogaritmoBase10() {
    OperacionResultado(cientificas::LogaritmoBase10(FValor));
}
void TZURLabelNumber::LogaritmoNatural() {
    OperacionResultado(cientificas::LogaritmoNatural(FValor));
}
void TZURLabelNumber::RaizCuadrada() {
    OperacionResultado(cientificas::RaizCuadrada(FValor));
}

// The trigonometric family works on the value converted by the angle unit.
#define SUMADORA_FUNCION_ANGULAR(Nombre)                                                           \
    void TZURLabelNumber::Nombre() {                                                               \
        OperacionResultado(                                                                        \
            cientificas::Nombre(cientificas::ArgumentoAngular(FValor, FConversionAngular)));       \
    }
SUMADORA_FUNCION_ANGULAR(Seno)
SUMADORA_FUNCION_ANGULAR(Coseno)
SUMADORA_FUNCION_ANGULAR(Tangente)
SUMADORA_FUNCION_ANGULAR(Cotangente)
SUMADORA_FUNCION_ANGULAR(ArcoSeno)
SUMADORA_FUNCION_ANGULAR(ArcoCoseno)
SUMADORA_FUNCION_ANGULAR(ArcoTangente)
SUMADORA_FUNCION_ANGULAR(SenoHiperbolico)
SUMADORA_FUNCION_ANGULAR(CosenoHiperbolico)
SUMADORA_FUNCION_ANGULAR(TangenteHiperbolica)
SUMADORA_FUNCION_ANGULAR(ArcoSenoHiperbolico)
SUMADORA_FUNCION_ANGULAR(ArcoCosenoHiperbolico)
SUMADORA_FUNCION_ANGULAR(ArcoTangenteHiperbolica)
#undef SUMADORA_FUNCION_ANGULAR

void TZURLabelNumber::paintEvent(QPaintEvent* evento) {
    TZURDigit::paintEvent(evento);
}
