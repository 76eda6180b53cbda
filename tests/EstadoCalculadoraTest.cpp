// The drop-down calculator's keypad logic, driven by key sequences as a user presses them.
#include "EstadoCalculadora.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <functional>
#include <map>
#include <string>

using namespace Qt::StringLiterals;

namespace {

using Estado = EstadoCalculadora::Estado;
using T = TeclaCalculadora;
constexpr Estado L = Estado::Listo, I = Estado::Introduciendo, E = Estado::Error;

// Presses a sequence of keys separated by blanks. A token of digits and commas presses each
// of them; "<" is delete, "+/-" the sign change, "OK" the accept button.
void Pulsar(EstadoCalculadora& c, const std::string& secuencia) {
    static const std::map<QString, std::function<void(EstadoCalculadora&)>> acciones = {
        {u"MP"_s, &EstadoCalculadora::MemoriaSumar},
        {u"MS"_s, &EstadoCalculadora::MemoriaGuardar},
        {u"MR"_s, &EstadoCalculadora::MemoriaLeer},
        {u"MC"_s, &EstadoCalculadora::MemoriaBorrar},
        {u"OK"_s, &EstadoCalculadora::Aceptar}};
    static const std::map<QString, T> teclas = {
        {u"+"_s, T::Sumar},   {u"-"_s, T::Restar},     {u"*"_s, T::Multiplicar},
        {u"/"_s, T::Dividir}, {u"="_s, T::Igual},      {u"%"_s, T::Porcentaje},
        {u"C"_s, T::Limpiar}, {u"<"_s, T::Retroceso},  {u"+/-"_s, T::CambioSigno},
        {u"sqrt"_s, T::Raiz}, {u"1/x"_s, T::Reciproco}};
    for (const QString& f :
         QString::fromStdString(secuencia).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (acciones.count(f))
            acciones.at(f)(c);
        else if (teclas.count(f))
            c.Tecla(teclas.at(f));
        else
            for (QChar ch : f) {
                ASSERT_TRUE(ch.isDigit() || ch == QLatin1Char(',')) << f.toStdString();
                c.Tecla(ch.isDigit() ? static_cast<T>(static_cast<int>(T::Cero) + ch.digitValue())
                                     : T::Coma);
            }
    }
}

struct CasoTeclas {
    const char* nombre;
    std::string secuencia;
    const char* texto;
    Estado estado;
    const char* indicador = "";
    int precision = 15;
};

class SecuenciasTeclas : public ::testing::TestWithParam<CasoTeclas> {};

TEST_P(SecuenciasTeclas, DejanLaPantallaEsperada) {
    const CasoTeclas& caso = GetParam();
    EstadoCalculadora c;
    c.setPrecision(caso.precision);
    Pulsar(c, caso.secuencia);
    EXPECT_EQ(c.Texto().toStdString(), caso.texto) << caso.secuencia;
    EXPECT_EQ(c.EstadoActual(), caso.estado) << caso.secuencia;
    EXPECT_EQ(c.IndicadorMemoria().toStdString(), caso.indicador) << caso.secuencia;
}

// 10^15 multiplied by itself 22 times goes far past the largest double.
std::string Desbordamiento() {
    std::string s = "999999999999999 MS";
    for (int i = 0; i < 21; ++i)
        s += " * MR";
    return s + " =";
}
const std::string k1E20 = "10000000000 * 10000000000 = MS C MR";

const CasoTeclas kCasos[] = {
    // Arithmetic, strictly left to right.
    {"IzquierdaADerecha", "2 + 3 * 4 =", "20", L},
    {"IgualRepetidoNoRepite", "2 + 3 = =", "5", L},
    {"OperadorTrasResultadoEmpiezaDeNuevo", "2 + 3 = 4 + 1 =", "5", L},
    {"SegundoOperadorSustituye", "6 + * 2 =", "12", L},
    {"ComaInicialEmpiezaEnCero", ", 5 + , 25 =", "0,75", L},
    {"SegundaComaRechazada", "1,,5", "1,5", I},
    {"CeroInicialSeSustituye", "0 0 7", "7", I},
    {"RedondeoAPrecision", "2 / 3 =", "0,666666666666667", L},
    // Percentages.
    {"PorcentajeDeSuma", "200 + 15 %", "230", L},
    {"PorcentajeDeProducto", "200 * 15 %", "30", L},
    {"PorcentajeDeDivision", "50 / 10 %", "500", L},
    {"PorcentajeSinOperadorNoCambia", "15 %", "15", L},
    {"PorcentajeTrasPorcentajeNoCambia", "200 + 15 % 5 =", "5", L},
    // Errors and the keys that still work in them.
    {"DivisionPorCero", "5 / 0 =", "Error", E},
    {"TeclasIgnoradasEnError", "5 / 0 = 7 8 , 9 + 3 = sqrt 1/x +/- < OK", "Error", E},
    {"LimpiarSaleDelError", "5 / 0 = C 2 + 2 =", "4", L},
    {"LimpiarOlvidaElOperador", "5 + C 3 =", "3", L},
    {"RaizDeNegativo", "9 +/- sqrt", "Error", E},
    {"RaizIrracional", "2 sqrt", "1,4142135623731", L},
    {"ReciprocoDeCero", "0 1/x", "Error", E},
    // The function leaves a result, like "=", so the pending "1 +" is not applied to it.
    {"FuncionDejaResultadoListo", "1 + 4 1/x =", "0,25", L},
    {"DesbordamientoEsError", Desbordamiento(), "Error", E, "M"},
    // Memory.
    {"RecuperadoAdmiteDigitos", "12 MS C MR 3", "123", I, "M"},
    {"SumarAMemoria", "5 MP 3 MP MR", "8", I, "M"},
    {"MemoriaSumaQueDaCero", "5 MP 5 +/- MP", "-5", L},
    {"BorrarMemoriaEnError", "7 MS 5 / 0 = MC", "Error", E},
    {"GuardarIgnoradoEnError", "5 / 0 = MS MP C MR", "0", I},
    {"RecuperarIgnoradoEnError", "7 MS 5 / 0 = MR", "Error", E, "M"},
    // The precision limit on typed characters; a text in exponent form takes no digit or comma.
    {"LimiteDePrecision", "1234567890123456789", "123456789012345", I},
    {"LimiteConMenos", "123 +/- 45", "-1234", I, "", 4},
    {"LaComaCuentaComoCaracter", "123,45", "123,", I, "", 4},
    {"PrecisionDeMasSeQuedaEn18", "1234567890123456789", "123456789012345678", I, "", 255},
    {"PrecisionCeroSeQuedaEnDos", "1 / 3 =", "0,33", L, "", 0},
    {"TextoConEsinDigitos", k1E20 + " 5", "1E20", I, "M"},
    {"TextoConEsinComa", k1E20 + " ,", "1E20", I, "M"},
    // Delete.
    {"BorrarHastaCeroYMas", "12 < < <", "0", I},
    {"BorrarNegativoDeUnaCifra", "5 +/- <", "0", I},
    {"BorrarNegativoLargo", "56 +/- <", "-5", I},
    {"BorrarTrasResultadoEmpiezaEnCero", "2 + 3 = <", "0", I},
    {"BorrarDentroDelExponente", k1E20 + " <", "1E2", I, "M"},
    {"BorrarSinDejarExponenteSuelto", k1E20 + " < <", "1", I, "M"},
    {"BorrarExponenteNegativo", "1 / 100000 = MS C MR <", "1", I, "M"},
    // Sign change.
    {"CambioSignoSigueEscribiendo", "5 +/- 6", "-56", I},
    {"CambioSignoDeResultado", "2 + 3 = +/-", "-5", L},
    {"CambioSignoPierdeComaFinal", "5, +/-", "-5", I},
    // Accept.
    {"AceptarCalculaElPendiente", "3 + 4 OK", "7", L},
    {"AceptarQuitaComaFinal", "5, OK", "5", L},
};

INSTANTIATE_TEST_SUITE_P(Calculadora, SecuenciasTeclas, ::testing::ValuesIn(kCasos),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST(AceptarCalculadora, AvisaSoloSiHayResultado) {
    EstadoCalculadora c;
    Pulsar(c, "3 + 4");
    EXPECT_TRUE(c.Aceptar());
    EXPECT_DOUBLE_EQ(c.ValorPantalla(), 7.0);
    // Accepting "5 / 0" must not hand a silent 0 to the box (the error stays on view, as the
    // row TeclasIgnoradasEnError shows).
    Pulsar(c, "5 / 0");
    EXPECT_FALSE(c.Aceptar());
}

TEST(ValorInicialCalculadora, SeMuestraComoResultadoYSaleDelError) {
    EstadoCalculadora c;
    Pulsar(c, "9 +");
    c.MostrarValorInicial(7.5);
    EXPECT_EQ(c.Texto(), u"7,5"_s);
    EXPECT_EQ(c.EstadoActual(), L);
    EXPECT_EQ(c.Pendiente(), QLatin1Char('='));
    Pulsar(c, "3");
    EXPECT_EQ(c.Texto(), u"3"_s); // a digit starts a new number
    Pulsar(c, "+ 1 =");
    EXPECT_EQ(c.Texto(), u"4"_s); // "=" forgot the "9 +"
    Pulsar(c, "5 / 0 =");
    c.MostrarValorInicial(-2);
    EXPECT_EQ(c.Texto(), u"-2"_s);
    EXPECT_EQ(c.EstadoActual(), L);
}

TEST(OperandoCalculadora, EsElValorMostradoYCeroTrasError) {
    EstadoCalculadora c;
    c.setPrecision(4);
    Pulsar(c, "2 / 3 =");
    // The operand is the rounded value on the display, not the exact quotient.
    EXPECT_EQ(c.Texto(), u"0,6667"_s);
    EXPECT_DOUBLE_EQ(c.Operando(), 0.6667);
    c.setPrecision(15);
    Pulsar(c, "C 1 / 100000 =");
    EXPECT_EQ(c.Texto(), u"1E-5"_s);
    EXPECT_DOUBLE_EQ(c.Operando(), 1e-5);
    // A text that is no number gives none.
    double v = -99;
    EXPECT_FALSE(EstadoCalculadora::LeerTexto(u" "_s, &v));
    EXPECT_FALSE(EstadoCalculadora::LeerTexto(u"1.000,5"_s, &v));
    EXPECT_EQ(v, -99);
    Pulsar(c, "5 / 0 +");
    EXPECT_EQ(c.Operando(), 0.0);
    EXPECT_EQ(c.Pendiente(), QLatin1Char('+'));
}

TEST(MemoriaCalculadora, DesbordamientoConservaLaMemoria) {
    EstadoCalculadora c;
    c.setMemoria(1.5e308);
    c.MostrarValorInicial(1.5e308);
    c.MemoriaSumar();
    EXPECT_EQ(c.EstadoActual(), E);
    EXPECT_EQ(c.Memoria(), 1.5e308);
}

} // namespace
