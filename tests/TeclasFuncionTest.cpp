// The main window's function keys as a user presses them: IVA on the running total, the NIF
// letter, the entry's functions, constants and currency conversions, the trigonometric page
// and its angle unit, and the overflows that end up in a message box.
#include "VentanaPrueba.h"

#include "AyudasPrueba.h"
#include "ClavesAjustes.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

using FuncionesTest = VentanaPrueba;

// Within a couple of 80-bit ulps (the sine of 30 degrees need not be 0.5 exactly).
::testing::AssertionResult Cerca(long double obtenido, long double esperado) {
    if (std::fabs(obtenido - esperado) <= 4 * LDBL_EPSILON * std::fabs(esperado))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << static_cast<double>(obtenido) << " is not " << static_cast<double>(esperado);
}

TEST_P(SecuenciaPrueba, EscribeLasLineasYCambiaElTotal) {
    Pulsar(QString::fromUtf16(GetParam().teclas));
    ComprobarResultado();
}

const Secuencia CasosIVA[] = {
    {"MenosIVA", u"116 + BotonMenosIVA", u"116 +|116 =|-16 %|16 -", u"116", u"100"},
    // The words at start give way to the values shown.
    {"MasIVAEnVentanaNueva", u"BotonMasIVA", u"16 %|0 +", u"0", u"0"},
    {"MenosIVAEnVentanaNueva", u"BotonMenosIVA", u"-16 %|0 -", u"0", u"0"},
    {"MasIVATrasUnTotal", u"100 = = BotonMasIVA", u"100 +|---|100 T|||16 %|16 +", u"100", u"116"},
    {"SegundoIVAEscribeElSubtotal", u"100 + BotonMasIVA BotonMasIVA",
     u"100 +|100 =|16 %|16 +|116 =|16 %|18,56 +", u"100", u"134,56"},
    // The number keyed after the operator is not used, but its entry ends.
    {"NoUsaElDato", u"100 + 50 BotonMasIVA", u"100 +|100 =|16 %|16 +", u"50", u"116"},
    {"LaCuentaSigueAbierta", u"100 + BotonMasIVA 4 + Total",
     u"100 +|100 =|16 %|16 +|4 +|---|120 T||", u"120", u"120"},
    // Neither key opens or closes the calculation: "+" after them starts anew or goes on.
    {"TrasUnTotalLaCuentaSigueCerrada", u"100 = = BotonMasIVA 4 +",
     u"100 +|---|100 T|||16 %|16 +|4 +", u"4", u"4"},
    // A NIF "ERROR" keeps the old value, and the next operation uses it.
    {"NIFSinLetraDejaElValor", u"5 ± BotonNIF +", u"-5 +", u"ERROR", u"-5"},
};

INSTANTIATE_TEST_SUITE_P(Teclas, SecuenciaPrueba, ::testing::ValuesIn(CasosIVA), NombreSecuencia);

// An arithmetic fault stops the key at the step where it happens: the lines printed before
// stay, the total, its code and the total register do not change, and a message tells why.
TEST_F(FuncionesTest, FalloEnElIVAAvisaYDejaElTotal) {
    const struct {
        const char* nombre;
        long double tipo, total;
        const char16_t *operador, *boton;
        int lineas;                        // printed before the fault
        const char16_t* mensaje = nullptr; // the overflow's unless given
    } casos[] = {{"MasIVADesbordaElTotal", 16, LDBL_MAX / 1.1L, u"+", u"BotonMasIVA", 3},
                 {"MasIVADesbordaLaCuota", 1000, LDBL_MAX / 2, u"+", u"BotonMasIVA", 2},
                 {"MenosIVAConTipoMenos100", -100, 50, u"+", u"BotonMenosIVA", 2},
                 {"MenosIVAConTipoMenos100YTotalCero", -100, 0, u" ", u"BotonMenosIVA", 1,
                  u"Operación de coma flotante no válida."}};
    for (const auto& f : casos) {
        SCOPED_TRACE(f.nombre);
        Reiniciar();
        const QString operador = QString::fromUtf16(f.operador);
        V().TipoIVA = f.tipo;
        V().Cuenta->setValor(f.total);
        V().Cuenta->setOperador(operador);
        V().Cuenta->setOperadorActivo(operador != u" "_s);
        V().Operandos->MostrarResultado(f.total);
        const QString textoTotal = Texto(V().Operandos);
        QString mensaje;
        EsperarMensaje(&mensaje);
        Clic(QString::fromUtf16(f.boton));
        EXPECT_EQ(mensaje, f.mensaje ? QString::fromUtf16(f.mensaje) : Desbordamiento);
        EXPECT_EQ(Cinta().size(), f.lineas);
        EXPECT_EQ(V().Cuenta->Valor(), f.total);
        EXPECT_EQ(V().Cuenta->Operador(), operador);
        EXPECT_EQ(Texto(V().Operandos), textoTotal);
    }
}

// The line and an empty one, right-aligned so that the digits end in the 22nd column, or
// "ERROR" and nothing printed; the entry keeps its value, the total stays.
TEST_F(FuncionesTest, LetraDelNIF) {
    const struct {
        const char *nombre, *teclas, *nif; // nif nullptr: "ERROR"
    } casos[] = {{"OchoCifras", "12345678", "12345678-Z"},
                 {"Veintidos", "22", "22-E"},
                 {"VeintitresEsComoCero", "23", "23-T"},
                 {"SoloLaParteEntera", "1234567 . 9", "1234567-L"},
                 {"ElMayorConLetra", "2147483647", "2147483647-M"},
                 // Truncation towards zero makes any entry above -1 the number 0.
                 {"MenosMedioEsCero", "0 . 5 ±", "0-T"},
                 {"Negativo", "5 ±", nullptr},
                 {"DosALaTreintaYUno", "2147483648", nullptr}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        Reiniciar();
        Pulsar(QString::fromUtf8(c.teclas));
        const long double valor = V().Datos->Valor();
        Pulsar(u"BotonNIF"_s);
        if (c.nif) {
            EXPECT_EQ(Cinta(),
                      (QStringList{QString::fromUtf8(c.nif).rightJustified(24, u' '), {}}));
            EXPECT_EQ(Texto(V().Operandos), u"0"_s);
        } else {
            EXPECT_EQ(Texto(V().Datos), u"ERROR"_s);
            EXPECT_TRUE(Cinta().isEmpty());
        }
        EXPECT_EQ(V().Datos->Valor(), valor);
        EXPECT_FALSE(V().Datos->Editando());
        EXPECT_EQ(V().Cuenta->Valor(), 0);
        EXPECT_EQ(V().Cuenta->Operador(), u" "_s);
    }

    // Nor does it touch an open calculation.
    Reiniciar();
    Pulsar(u"5 + 12345678 BotonNIF"_s);
    EXPECT_TRUE(V().Cuenta->OperadorActivo());
    EXPECT_EQ(Texto(V().Operandos), u"5"_s);
    Pulsar(u"3 + Total"_s);
    EXPECT_EQ(Cinta(), Lineas(u"5 +"_s) +
                           QStringList({u"12345678-Z"_s.rightJustified(24), QString()}) +
                           Lineas(u"3 +|---|8 T||"_s));
}

// In degrees, the unit of a fresh settings file. The tape and the total are never touched.
TEST_F(FuncionesTest, CambianSoloElDato) {
    const struct {
        const char *nombre, *teclas, *texto;
        long double valor;
    } casos[] = {
        {"Pi", "12 BotonValorPI", "3,14159265358979324", 3.14159265358979324L},
        {"E", "BotonValorE", "2,71828182845905", TSumadoraFormulario::NumeroE},
        {"PiTerminaLaEntrada", "1 . BotonValorPI 5", "5", 5},
        {"ETerminaLaEntrada", "7 BotonValorE . 5", "0,5", 0.5L},
        {"PesetasAEurosSinRedondear", "1000 BotonPTSEuros", "6,01012104383782289", 1000 / 166.386L},
        {"Factorial16", "16 BotonFactorial", "20922789888000", 20922789888000},
        {"Factorial17EsError", "17 BotonFactorial", "ERROR", 17},
        {"Inverso", "4 BotonInverso", "0,25", 0.25L},
        {"RaizDeNegativoEsError", "4 ± BotonRaizCuadrada", "ERROR", -4},
        {"TrasElErrorSeUsaElValorViejo", "4 ± BotonRaizCuadrada ± BotonRaizCuadrada", "2", 2},
        {"TrasElErrorUnDigitoEmpiezaNumero", "17 BotonFactorial 3", "3", 3},
        {"Log", "1000 BotonLogaritmoBase10", "3", 3},
        {"LnDeCeroEsError", "0 BotonLogaritmoNatural", "ERROR", 0}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        Reiniciar();
        Pulsar(u"TRIG "_s + QString::fromUtf8(c.teclas));
        EXPECT_EQ(Texto(V().Datos), QString::fromUtf8(c.texto));
        EXPECT_TRUE(Cerca(V().Datos->Valor(), c.valor));
        // Keys typed after the function start a new number.
        EXPECT_EQ(V().Datos->Editando(),
                  QString::fromUtf8(c.teclas).split(u' ').last().front().isDigit());
        EXPECT_TRUE(Cinta().isEmpty());
        EXPECT_EQ(Texto(V().Operandos), u"TOTAL"_s);
    }
}

TEST_F(FuncionesTest, CambioDeMonedaIdaYVueltaYDesbordamiento) {
    Pulsar(u"1 BotonEurosPTS"_s);
    EXPECT_EQ(Texto(V().Datos), u"166,386"_s);
    Pulsar(u"BotonPTSEuros"_s);
    EXPECT_EQ(V().Datos->Valor(), 1); // exactly
    // An overflow leaves the entry as it was.
    V().Datos->MostrarResultado(LDBL_MAX / 100);
    const QString texto = Texto(V().Datos);
    QString mensaje;
    EsperarMensaje(&mensaje);
    Pulsar(u"BotonEurosPTS"_s);
    EXPECT_EQ(mensaje, Desbordamiento);
    EXPECT_EQ(V().Datos->Valor(), LDBL_MAX / 100);
    EXPECT_EQ(Texto(V().Datos), texto);
    // The calculator goes on with the same entry.
    Pulsar(u"BotonPTSEuros"_s);
    EXPECT_TRUE(Cerca(V().Datos->Valor(), LDBL_MAX / 100 / 166.386L));
}

// In radians, so that each key is checked against the C library's function of its entry.
TEST_F(FuncionesTest, CadaBotonTrigonometricoSuFuncion) {
    using L = long double;
    const struct {
        const char *boton, *teclas;
        L (*referencia)(L); // nullptr: "ERROR"
    } casos[] = {{"BotonSeno", "0 . 5", [](L a) { return std::sin(a); }},
                 {"BotonCoseno", "0 . 5", [](L a) { return std::cos(a); }},
                 {"BotonTangente", "0 . 5", [](L a) { return std::tan(a); }},
                 {"BotonCotangente", "0 . 5", [](L a) { return 1 / std::tan(a); }},
                 {"BotonArcoSeno", "0 . 5", [](L a) { return std::asin(a); }},
                 {"BotonArcoCoseno", "0 . 5", [](L a) { return std::acos(a); }},
                 {"BotonArcoTangente", "0 . 5", [](L a) { return std::atan(a); }},
                 {"BotonSenoHiperbolico", "0 . 5", [](L a) { return std::sinh(a); }},
                 {"BotonCosenoHiperbolico", "0 . 5", [](L a) { return std::cosh(a); }},
                 {"BotonTangenteHiperbolica", "0 . 5", [](L a) { return std::tanh(a); }},
                 {"BotonArcoSenoHiperbolico", "0 . 5", [](L a) { return std::asinh(a); }},
                 {"BotonArcoCosenoHiperbolico", "1 . 5", [](L a) { return std::acosh(a); }},
                 {"BotonArcoTangenteHiperbolica", "0 . 5", [](L a) { return std::atanh(a); }},
                 {"BotonArcoSeno", "2", nullptr}};
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.boton) + " " + c.teclas);
        GuardarUnidad(false, true, false);
        Reiniciar();
        Pulsar(u"TRIG "_s + QString::fromUtf8(c.teclas));
        const long double entrada = V().Datos->Valor();
        Pulsar(QString::fromUtf8(c.boton));
        if (c.referencia) {
            EXPECT_TRUE(Cerca(V().Datos->Valor(), c.referencia(entrada)));
        } else {
            EXPECT_EQ(Texto(V().Datos), u"ERROR"_s);
            EXPECT_EQ(V().Datos->Valor(), entrada);
        }
        EXPECT_FALSE(V().Datos->Editando());
    }
}

// A unit box rewrites the stored section and governs the next sine (of the entry in the new
// unit) but leaves the entry as it was.
TEST_F(FuncionesTest, CambioDeUnidad) {
    const struct {
        const char* nombre;
        bool deg, rad, grad; // stored before the start
        const char *casilla, *entrada;
        long double seno;
        const ClavesAjustes::Clave<bool>& unidad;
    } casos[] = {
        {"DeRadianesAGrados", false, true, false, "CheckDEG", "30", 0.5L, ClavesAjustes::Grados},
        {"DeGradosARadianes", true, false, false, "CheckRAD", "30", std::sin(30.0L),
         ClavesAjustes::Radianes},
        {"DeRadianesACentesimales", false, true, false, "CheckGRAD", "50", std::sqrt(0.5L),
         ClavesAjustes::Centesimales},
        {"DeCentesimalesAGrados", false, false, true, "CheckDEG", "90", 1, ClavesAjustes::Grados}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        GuardarUnidad(c.deg, c.rad, c.grad);
        Reiniciar();
        Pulsar(u"TRIG "_s + QString::fromUtf8(c.entrada));
        const QStringList antes = Estado(V());
        Clic(QString::fromUtf8(c.casilla));
        EXPECT_EQ(Estado(V()), antes);
        EXPECT_EQ(UnidadGuardada(), c.unidad.Nombre);
        Pulsar(u"BotonSeno"_s);
        EXPECT_TRUE(Cerca(V().Datos->Valor(), c.seno));
    }
}

} // namespace
