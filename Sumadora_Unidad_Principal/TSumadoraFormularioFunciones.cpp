// The function keys: IVA, NIF, single-value functions of the entry, constants, conversions
// and the trigonometric page.
#include "TSumadoraFormulario.h"

#include "ErrorSumadora.h"

#include <QString>

#include <cmath>
#include <cstdint>

using namespace Qt::StringLiterals;

namespace {

using Forma = Ui::TSumadoraFormulario;

constexpr long double ValorPI = 3.14159265358979324L;

// The register's own functions: each shows its result, or "ERROR" keeping the value, and
// ends the entry. Factorial needs nothing more: showing its own value again changes nothing.
struct TeclaRegistro {
    QPushButton* Forma::*Boton;
    void (TZURLabelNumber::*Funcion)();
};

const TeclaRegistro TeclasRegistro[] = {
    {&Forma::BotonFactorial, &TZURLabelNumber::Factorial},
    {&Forma::BotonInverso, &TZURLabelNumber::Inverso},
    {&Forma::BotonRaizCuadrada, &TZURLabelNumber::RaizCuadrada},
    {&Forma::BotonLogaritmoBase10, &TZURLabelNumber::LogaritmoBase10},
    {&Forma::BotonLogaritmoNatural, &TZURLabelNumber::LogaritmoNatural},
    {&Forma::BotonSeno, &TZURLabelNumber::Seno},
    {&Forma::BotonCoseno, &TZURLabelNumber::Coseno},
    {&Forma::BotonTangente, &TZURLabelNumber::Tangente},
    {&Forma::BotonCotangente, &TZURLabelNumber::Cotangente},
    {&Forma::BotonArcoSeno, &TZURLabelNumber::ArcoSeno},
    {&Forma::BotonArcoCoseno, &TZURLabelNumber::ArcoCoseno},
    {&Forma::BotonArcoTangente, &TZURLabelNumber::ArcoTangente},
    {&Forma::BotonSenoHiperbolico, &TZURLabelNumber::SenoHiperbolico},
    {&Forma::BotonCosenoHiperbolico, &TZURLabelNumber::CosenoHiperbolico},
    {&Forma::BotonTangenteHiperbolica, &TZURLabelNumber::TangenteHiperbolica},
    {&Forma::BotonArcoSenoHiperbolico, &TZURLabelNumber::ArcoSenoHiperbolico},
    {&Forma::BotonArcoCosenoHiperbolico, &TZURLabelNumber::ArcoCosenoHiperbolico},
    {&Forma::BotonArcoTangenteHiperbolica, &TZURLabelNumber::ArcoTangenteHiperbolica},
};

// Keys that give the entry a new value made from the old one. The value is checked before
// it reaches the register, so an overflow leaves the entry as it was.
struct TeclaValor {
    QPushButton* Forma::*Boton;
    long double (*Nuevo)(long double Valor);
};

const TeclaValor TeclasValor[] = {
    {&Forma::BotonValorPI, [](long double) { return ValorPI; }},
    {&Forma::BotonValorE, [](long double) { return TSumadoraFormulario::NumeroE; }},
    {&Forma::BotonEurosPTS, [](long double v) { return v * TSumadoraFormulario::PesetasEuro; }},
    {&Forma::BotonPTSEuros, [](long double v) { return v / TSumadoraFormulario::PesetasEuro; }},
};

// The IVA keys work on the running total without opening or closing a calculation. Each
// value is checked at the step that prints or stores it, so an overflow stops there and the
// lines already printed stay, while the total and the state are left as they were.
void CierreIVA(TSumadoraFormulario& v, long double Nuevo) {
    v.Cuenta->setValor(Nuevo);
    v.Cuenta->setOperador(u"I"_s);
    v.Datos->MostrarResultado(v.Datos->Valor());
    v.Operandos->MostrarResultado(v.Cuenta->Valor());
}

void SubtotalIVA(TSumadoraFormulario& v) {
    if (v.Cuenta->Operador() != u" "_s)
        v.Cuenta->AgregarLinea(u" ="_s, v.Cuenta->Valor());
}

void AgregarIVA(TSumadoraFormulario& v) {
    const long double r = v.TipoIVA;
    const long double T = v.Cuenta->Valor();
    SubtotalIVA(v);
    v.Cuenta->AgregarLinea(u" %"_s, r);
    v.Cuenta->AgregarLinea(u" +"_s, ComprobarResultado(T * (r / 100)));
    CierreIVA(v, ComprobarResultado(T * (r / 100 + 1)));
}

void QuitarIVA(TSumadoraFormulario& v) {
    const long double r = v.TipoIVA;
    const long double T = v.Cuenta->Valor();
    // A rate of -100 % makes k zero: the quotient is then not finite, and is reported.
    const long double k = r / 100 + 1;
    SubtotalIVA(v);
    v.Cuenta->AgregarLinea(u" %"_s, -r);
    const long double sinIVA = ComprobarResultado(T / k);
    v.Cuenta->AgregarLinea(u" -"_s, ComprobarResultado(T - sinIVA));
    CierreIVA(v, sinIVA);
}

// Prints the entry's whole part with the control letter of a Spanish NIF. Only whole parts
// from 0 to 2^31 - 1 have a letter; anything else shows "ERROR" like a failed function,
// keeping the value and printing nothing.
void LetraNIF(TSumadoraFormulario& v) {
    static constexpr QLatin1String Letras("TRWAGMYFPDXBNJZSQVHLCKE");
    const long double entero = std::trunc(v.Datos->Valor());
    if (!(entero >= 0 && entero < 2147483648.0L)) {
        v.Datos->setText(u"ERROR"_s);
        v.Datos->TerminarEntrada();
        return;
    }
    const auto N = static_cast<std::int32_t>(entero);
    const QString digitos = QString::number(N);
    v.Cuenta->AgregarTexto(digitos.rightJustified(v.Cuenta->CaracteresLinea(), QLatin1Char(' ')) +
                           QLatin1Char('-') + Letras.at(N % 23));
    v.Cuenta->AgregarLineasEnBlanco(1);
    v.Datos->MostrarResultado(v.Datos->Valor());
    v.Operandos->MostrarResultado(v.Operandos->Valor());
}

// Keys that print on the tape.
struct TeclaCinta {
    QPushButton* Forma::*Boton;
    void (*Accion)(TSumadoraFormulario& v);
};

const TeclaCinta TeclasCinta[] = {
    {&Forma::BotonMasIVA, &AgregarIVA},
    {&Forma::BotonMenosIVA, &QuitarIVA},
    {&Forma::BotonNIF, &LetraNIF},
};

} // namespace

bool TSumadoraFormulario::OpcionesFunciones(QObject* Sender) {
    for (const TeclaRegistro& t : TeclasRegistro) {
        if (Sender == this->*t.Boton) {
            (Datos->*t.Funcion)();
            return true;
        }
    }
    for (const TeclaValor& t : TeclasValor) {
        if (Sender == this->*t.Boton) {
            Datos->MostrarResultado(ComprobarResultado(t.Nuevo(Datos->Valor())));
            return true;
        }
    }
    for (const TeclaCinta& t : TeclasCinta) {
        if (Sender == this->*t.Boton) {
            t.Accion(*this);
            return true;
        }
    }
    return false;
}

QList<QAbstractButton*> TSumadoraFormulario::BotonesFunciones() const {
    QList<QAbstractButton*> botones;
    for (const TeclaRegistro& t : TeclasRegistro)
        botones.append(this->*t.Boton);
    for (const TeclaValor& t : TeclasValor)
        botones.append(this->*t.Boton);
    for (const TeclaCinta& t : TeclasCinta)
        botones.append(this->*t.Boton);
    return botones;
}
