// The main window's function keys as a user presses them: IVA on the running total, the NIF
// letter, the entry's functions, constants and currency conversions, the trigonometric page
// and its angle unit, and the overflows that end up in a message box.
#include "TSumadoraFormulario.h"

#include "ArchivoIni.h"
#include "AyudasPrueba.h"

#include <QAbstractButton>
#include <QFile>
#include <QHash>
#include <QTest>

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <memory>
#include <ostream>

using namespace Qt::StringLiterals;

namespace {

constexpr long double ValorPI = 3.14159265358979324L;

QString Linea(const QString& numero, const QString& sufijo) {
    return numero.rightJustified(22, QLatin1Char(' ')) + sufijo;
}

// "5 +|---|8 T||": number lines, the separator and empty lines, as the tape prints them.
QStringList Lineas(const QString& descripcion) {
    QStringList lineas;
    if (descripcion.isEmpty())
        return lineas;
    for (const QString& d : descripcion.split(QLatin1Char('|'))) {
        if (d == u"---"_s) {
            lineas << u" "_s + QString(21, QLatin1Char('-'));
        } else if (d.isEmpty()) {
            lineas << QString();
        } else {
            const qsizetype espacio = d.lastIndexOf(QLatin1Char(' '));
            lineas << Linea(d.left(espacio), d.mid(espacio));
        }
    }
    return lineas;
}

// Within a couple of 80-bit ulps (the sine of 30 degrees need not be 0.5 exactly).
::testing::AssertionResult Cerca(long double obtenido, long double esperado) {
    const long double tolerancia = 4 * LDBL_EPSILON * std::fabs(esperado);
    if (std::fabs(obtenido - esperado) <= tolerancia)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << static_cast<double>(obtenido) << " is not " << static_cast<double>(esperado);
}

class FuncionesTest : public ::testing::Test {
protected:
    void SetUp() override { QFile::remove(ArchivoIni::RutaPredeterminada()); }
    void TearDown() override { EXPECT_EQ(DialogosPendientes(), 0) << "an expected dialog never came"; }

    // Created on first use, so a test can prepare the settings file before.
    TSumadoraFormulario& V() {
        if (!ventana_) {
            ventana_ = std::make_unique<TSumadoraFormulario>();
            ventana_->show();
        }
        return *ventana_;
    }

    // Digits are typed one by one; any other word is a keypad symbol or a button's name.
    void Pulsar(const QString& teclas) {
        static const QHash<QString, QString> nombres = {
            {u"+"_s, u"OperadorSuma"_s},     {u"="_s, u"OperadorIgual"_s},
            {u"Total"_s, u"OperadorTotal"_s}, {u"±"_s, u"OperadorCambioSigno"_s},
            {u"."_s, u"OperadorDecimal"_s},   {u"TRIG"_s, u"BotonTrigonometria"_s},
        };
        for (const QString& tecla : teclas.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (tecla.front().isDigit()) {
                for (QChar c : tecla)
                    Clic(c == QLatin1Char('0') ? u"CeroSimple"_s : u"Numero"_s + c);
            } else {
                Clic(nombres.value(tecla, tecla));
            }
        }
    }

    void Clic(const QString& nombre) {
        auto* boton = V().findChild<QAbstractButton*>(nombre);
        ASSERT_NE(boton, nullptr) << nombre.toStdString();
        QTest::mouseClick(boton, Qt::LeftButton);
    }

    QString Texto(TZURDigit* registro) { return registro->Text().trimmed(); }
    QStringList Cinta() { return V().Cuenta->Lineas(); }

    void Unidad(bool deg, bool rad, bool grad) {
        Ajustes.EscribirBooleano(u"Conversion"_s, u"DEG"_s, deg);
        Ajustes.EscribirBooleano(u"Conversion"_s, u"RAD"_s, rad);
        Ajustes.EscribirBooleano(u"Conversion"_s, u"GRAD"_s, grad);
    }

    ArchivoIni Ajustes;

private:
    std::unique_ptr<TSumadoraFormulario> ventana_;
};

// ---- IVA on the running total ----

struct CasoIVA {
    const char* nombre;
    double tipo; // 0: none in the settings file, hence 16
    const char* teclas;
    const char* lineas;
    const char* dato;
    const char* total;
    long double valor;
};

void PrintTo(const CasoIVA& c, std::ostream* os) { *os << c.nombre << ": " << c.teclas; }

class IVATest : public FuncionesTest, public ::testing::WithParamInterface<CasoIVA> {};

TEST_P(IVATest, EscribeLasLineasYCambiaElTotal) {
    const CasoIVA& c = GetParam();
    if (c.tipo != 0)
        Ajustes.EscribirReal(u"Tipo de IVA"_s, u"IVA"_s, c.tipo);
    Pulsar(QString::fromUtf8(c.teclas));
    EXPECT_EQ(Cinta(), Lineas(QString::fromUtf8(c.lineas)));
    EXPECT_EQ(Texto(V().Datos), QString::fromUtf8(c.dato));
    EXPECT_EQ(Texto(V().Operandos), QString::fromUtf8(c.total));
    EXPECT_TRUE(Cerca(V().Cuenta->Valor(), c.valor));
}

const CasoIVA CasosIVA[] = {
    {"MasIVA", 0, "100 + BotonMasIVA", "100 +|100 =|16 %|16 +", "100", "116", 116},
    {"MasIVAYTotal", 0, "100 + BotonMasIVA Total", "100 +|100 =|16 %|16 +|---|116 T||", "116",
     "116", 116},
    {"MenosIVA", 0, "116 + BotonMenosIVA", "116 +|116 =|-16 %|16 -", "116", "100", 100},
    // The words at start give way to the values shown.
    {"MasIVAEnVentanaNueva", 0, "BotonMasIVA", "16 %|0 +", "0", "0", 0},
    {"MenosIVAEnVentanaNueva", 0, "BotonMenosIVA", "-16 %|0 -", "0", "0", 0},
    {"MasIVATrasUnTotal", 0, "100 = = BotonMasIVA", "100 +|---|100 T|||16 %|16 +", "100", "116",
     116},
    {"SegundoIVAEscribeElSubtotal", 0, "100 + BotonMasIVA BotonMasIVA",
     "100 +|100 =|16 %|16 +|116 =|16 %|18,56 +", "100", "134,56", 134.56L},
    {"QuitarYPonerVuelveAlTotal", 0, "116 + BotonMenosIVA BotonMasIVA",
     "116 +|116 =|-16 %|16 -|100 =|16 %|16 +", "116", "116", 116},
    // The number keyed after the operator is not used, but its entry ends.
    {"NoUsaElDato", 0, "100 + 50 BotonMasIVA", "100 +|100 =|16 %|16 +", "50", "116", 116},
    {"LaCuentaSigueAbierta", 0, "100 + BotonMasIVA 4 + Total",
     "100 +|100 =|16 %|16 +|4 +|---|120 T||", "120", "120", 120},
    {"Tipo21", 21, "200 + BotonMasIVA", "200 +|200 =|21 %|42 +", "200", "242", 242},
    {"TipoConDecimales", 12.5, "80 + BotonMasIVA", "80 +|80 =|12,5 %|10 +", "80", "90", 90},
    {"OtroTipoAlQuitar", 25, "125 + BotonMenosIVA", "125 +|125 =|-25 %|25 -", "125", "100", 100},
};

INSTANTIATE_TEST_SUITE_P(Teclas, IVATest, ::testing::ValuesIn(CasosIVA),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST_F(FuncionesTest, IVANoAbreNiCierraLaCuenta) {
    Pulsar(u"100 = = BotonMasIVA"_s);
    EXPECT_FALSE(V().Cuenta->OperadorActivo());
    EXPECT_EQ(V().Cuenta->Operador(), u"I"_s);
    Pulsar(u"100 + BotonMenosIVA"_s);
    EXPECT_TRUE(V().Cuenta->OperadorActivo());
    EXPECT_EQ(V().Cuenta->Operador(), u"I"_s);
}

// An arithmetic fault stops the key at the step where it happens: the lines printed before
// stay, the total, its code and the total register do not change, and a message tells why.
struct FalloIVA {
    const char* nombre;
    long double tipo;
    long double total;
    const char* operador;
    const char* boton;
    int lineas; // printed before the fault
    const char* mensaje;
};

void PrintTo(const FalloIVA& f, std::ostream* os) { *os << f.nombre; }

class FalloIVATest : public FuncionesTest, public ::testing::WithParamInterface<FalloIVA> {};

TEST_P(FalloIVATest, AvisaYDejaElTotal) {
    const FalloIVA& f = GetParam();
    const QString operador = QString::fromUtf8(f.operador);
    V().TipoIVA = f.tipo;
    V().Cuenta->setValor(f.total);
    V().Cuenta->setOperador(operador);
    V().Cuenta->setOperadorActivo(operador != u" "_s);
    V().Operandos->MostrarResultado(f.total);
    const QString textoTotal = Texto(V().Operandos);

    QString mensaje;
    EsperarMensaje(&mensaje);
    Clic(QString::fromUtf8(f.boton));
    EXPECT_EQ(mensaje, QString::fromUtf8(f.mensaje));
    EXPECT_EQ(Cinta().size(), f.lineas);
    EXPECT_EQ(V().Cuenta->Valor(), f.total);
    EXPECT_EQ(V().Cuenta->Operador(), operador);
    EXPECT_EQ(Texto(V().Operandos), textoTotal);
}

const char* const Desbordamiento = "Desbordamiento en operación de coma flotante.";

const FalloIVA FallosIVA[] = {
    {"MasIVADesbordaElTotal", 16, LDBL_MAX / 1.1L, "+", "BotonMasIVA", 3, Desbordamiento},
    {"MasIVADesbordaLaCuota", 1000, LDBL_MAX / 2, "+", "BotonMasIVA", 2, Desbordamiento},
    {"MenosIVAConTipoMenos100", -100, 50, "+", "BotonMenosIVA", 2, Desbordamiento},
    {"MenosIVAConTipoMenos100YTotalCero", -100, 0, " ", "BotonMenosIVA", 1,
     "Operación de coma flotante no válida."},
};

INSTANTIATE_TEST_SUITE_P(Teclas, FalloIVATest, ::testing::ValuesIn(FallosIVA),
                         [](const auto& info) { return std::string(info.param.nombre); });

// ---- NIF ----

TEST_F(FuncionesTest, NIFEscribeLaLetraYUnaLineaVacia) {
    Pulsar(u"12345678 BotonNIF"_s);
    EXPECT_EQ(Cinta(), (QStringList{QString(14, QLatin1Char(' ')) + u"12345678-Z"_s, QString()}));
    EXPECT_EQ(Texto(V().Datos), u"12345678"_s);
    EXPECT_EQ(Texto(V().Operandos), u"0"_s);
    EXPECT_EQ(V().Cuenta->Operador(), u" "_s);
    EXPECT_EQ(V().Cuenta->Valor(), 0);
    Pulsar(u"4"_s);
    EXPECT_EQ(Texto(V().Datos), u"4"_s);
}

struct CasoNIF {
    const char* nombre;
    const char* teclas;
    int ancho;       // of the tape's lines
    const char* nif; // digits, "-" and letter; nullptr: "ERROR" and nothing printed
};

void PrintTo(const CasoNIF& c, std::ostream* os) { *os << c.nombre << ": " << c.teclas; }

class NIFTest : public FuncionesTest, public ::testing::WithParamInterface<CasoNIF> {};

TEST_P(NIFTest, LetraDelNIF) {
    const CasoNIF& c = GetParam();
    V().Cuenta->setCaracteresLinea(c.ancho);
    Pulsar(QString::fromUtf8(c.teclas));
    const long double valor = V().Datos->Valor();
    Pulsar(u"BotonNIF"_s);
    if (c.nif) {
        const QStringList partes = QString::fromUtf8(c.nif).split(QLatin1Char('-'));
        EXPECT_EQ(Cinta(), (QStringList{partes[0].rightJustified(c.ancho, QLatin1Char(' ')) +
                                             u"-"_s + partes[1],
                                         QString()}));
    } else {
        EXPECT_EQ(Texto(V().Datos), u"ERROR"_s);
        EXPECT_TRUE(Cinta().isEmpty());
    }
    EXPECT_EQ(V().Datos->Valor(), valor);
    EXPECT_FALSE(V().Datos->Editando());
}

const CasoNIF CasosNIF[] = {
    {"Cero", "0", 22, "0-T"},
    {"Veintidos", "22", 22, "22-E"},
    {"Veintitres", "23", 22, "23-T"},
    {"SoloLaParteEntera", "1234567 . 9", 22, "1234567-L"},
    {"ElMayorConLetra", "2147483647", 22, "2147483647-M"},
    // Truncation towards zero makes any entry above -1 the number 0.
    {"MenosMedioEsCero", "0 . 5 ±", 22, "0-T"},
    {"MasLargoQueLaLineaNoSeCorta", "12345678", 5, "12345678-Z"},
    {"Negativo", "5 ±", 22, nullptr},
    {"DosALaTreintaYUno", "2147483648", 22, nullptr},
    {"Enorme", "99999999999", 22, nullptr},
};

INSTANTIATE_TEST_SUITE_P(Teclas, NIFTest, ::testing::ValuesIn(CasosNIF),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST_F(FuncionesTest, NIFNoTocaLaCuentaAbierta) {
    Pulsar(u"5 + 12345678 BotonNIF"_s);
    EXPECT_EQ(V().Cuenta->Operador(), u"+"_s);
    EXPECT_TRUE(V().Cuenta->OperadorActivo());
    EXPECT_EQ(Texto(V().Operandos), u"5"_s);
    Pulsar(u"3 + Total"_s);
    QStringList esperado = Lineas(u"5 +"_s);
    esperado << QString(14, QLatin1Char(' ')) + u"12345678-Z"_s << QString();
    esperado << Lineas(u"3 +|---|8 T||"_s);
    EXPECT_EQ(Cinta(), esperado);
}

TEST_F(FuncionesTest, NIFSinLetraDejaElValorParaLaSiguienteOperacion) {
    Pulsar(u"5 ± BotonNIF +"_s);
    EXPECT_EQ(Cinta(), Lineas(u"-5 +"_s));
    EXPECT_EQ(Texto(V().Operandos), u"-5"_s);
}

// ---- Functions, constants and conversions of the entry ----

struct CasoDato {
    const char* nombre;
    const char* teclas;
    const char* texto;
    long double valor;
};

void PrintTo(const CasoDato& c, std::ostream* os) { *os << c.nombre << ": " << c.teclas; }

class DatoTest : public FuncionesTest, public ::testing::WithParamInterface<CasoDato> {};

// In degrees, the unit of a fresh settings file. The tape and the total are never touched.
TEST_P(DatoTest, CambiaSoloElDato) {
    const CasoDato& c = GetParam();
    Pulsar(u"TRIG "_s + QString::fromUtf8(c.teclas));
    EXPECT_EQ(Texto(V().Datos), QString::fromUtf8(c.texto));
    EXPECT_TRUE(Cerca(V().Datos->Valor(), c.valor));
    // Keys typed after the function start a new number.
    const QString ultima = QString::fromUtf8(c.teclas).split(QLatin1Char(' ')).last();
    EXPECT_EQ(V().Datos->Editando(), ultima.front().isDigit());
    EXPECT_TRUE(Cinta().isEmpty());
    EXPECT_EQ(Texto(V().Operandos), u"TOTAL"_s);
    EXPECT_EQ(V().Cuenta->Valor(), 0);
}

const CasoDato CasosDato[] = {
    {"Pi", "12 BotonValorPI", "3,14159265358979324", ValorPI},
    {"E", "BotonValorE", "2,71828182845905", TSumadoraFormulario::NumeroE},
    {"PiTerminaLaEntrada", "1 . BotonValorPI 5", "5", 5},
    {"ETerminaLaEntrada", "7 BotonValorE . 5", "0,5", 0.5L},
    {"EurosAPesetas", "1 BotonEurosPTS", "166,386", 166.386L},
    {"PesetasAEurosSinRedondear", "1000 BotonPTSEuros", "6,01012104383782289", 1000 / 166.386L},
    {"Factorial16", "16 BotonFactorial", "20922789888000", 20922789888000},
    {"Factorial17EsError", "17 BotonFactorial", "ERROR", 17},
    {"FactorialDeLaParteEntera", "4 . 9 BotonFactorial", "24", 24},
    {"Inverso", "4 BotonInverso", "0,25", 0.25L},
    {"InversoDeCeroEsError", "0 BotonInverso", "ERROR", 0},
    {"RaizDeNegativoEsError", "4 ± BotonRaizCuadrada", "ERROR", -4},
    {"TrasElErrorSeUsaElValorViejo", "4 ± BotonRaizCuadrada ± BotonRaizCuadrada", "2", 2},
    {"TrasElErrorUnDigitoEmpiezaNumero", "17 BotonFactorial 3", "3", 3},
    {"Log", "1000 BotonLogaritmoBase10", "3", 3},
    {"LogDeNegativoEsError", "5 ± BotonLogaritmoBase10", "ERROR", -5},
    {"LnDeCeroEsError", "0 BotonLogaritmoNatural", "ERROR", 0},
    {"SenoDe30Grados", "30 BotonSeno", "0,5", 0.5L},
    {"ArcoSenoDe60GradosEsError", "60 BotonArcoSeno", "ERROR", 60},
    {"CotangenteDeCeroEsError", "0 BotonCotangente", "ERROR", 0},
    {"ArcoCosenoHiperbolicoDeMedioEsError", "0 . 5 BotonArcoCosenoHiperbolico", "ERROR", 0.5L},
};

INSTANTIATE_TEST_SUITE_P(Teclas, DatoTest, ::testing::ValuesIn(CasosDato),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST_F(FuncionesTest, CambioDeMonedaIdaYVueltaDaExactamenteUno) {
    Pulsar(u"1 BotonEurosPTS"_s);
    EXPECT_EQ(V().Datos->Valor(), 166.386L);
    Pulsar(u"BotonPTSEuros"_s);
    EXPECT_EQ(V().Datos->Valor(), 1);
    EXPECT_EQ(Texto(V().Datos), u"1"_s);
}

TEST_F(FuncionesTest, DesbordamientoAlPasarAPesetasDejaElDato) {
    V().Datos->MostrarResultado(LDBL_MAX / 100);
    const QString texto = Texto(V().Datos);
    QString mensaje;
    EsperarMensaje(&mensaje);
    Pulsar(u"BotonEurosPTS"_s);
    EXPECT_EQ(mensaje, QString::fromUtf8(Desbordamiento));
    EXPECT_EQ(V().Datos->Valor(), LDBL_MAX / 100);
    EXPECT_EQ(Texto(V().Datos), texto);
    // The calculator goes on with the same entry.
    Pulsar(u"BotonPTSEuros"_s);
    EXPECT_TRUE(Cerca(V().Datos->Valor(), LDBL_MAX / 100 / 166.386L));
}

// ---- The trigonometric page ----

struct CasoTrig {
    const char* boton;
    const char* teclas;
    long double (*referencia)(long double); // nullptr: "ERROR"
};

void PrintTo(const CasoTrig& c, std::ostream* os) { *os << c.boton << ": " << c.teclas; }

class TrigonometriaTest : public FuncionesTest, public ::testing::WithParamInterface<CasoTrig> {};

// In radians, so that each key is checked against the C library's function of its entry.
TEST_P(TrigonometriaTest, CadaBotonSuFuncion) {
    const CasoTrig& c = GetParam();
    Unidad(false, true, false);
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

const CasoTrig CasosTrig[] = {
    {"BotonSeno", "0 . 5", [](long double a) { return std::sin(a); }},
    {"BotonCoseno", "0 . 5", [](long double a) { return std::cos(a); }},
    {"BotonTangente", "0 . 5", [](long double a) { return std::tan(a); }},
    {"BotonCotangente", "0 . 5", [](long double a) { return 1 / std::tan(a); }},
    {"BotonArcoSeno", "0 . 5", [](long double a) { return std::asin(a); }},
    {"BotonArcoCoseno", "0 . 5", [](long double a) { return std::acos(a); }},
    {"BotonArcoTangente", "0 . 5", [](long double a) { return std::atan(a); }},
    {"BotonSenoHiperbolico", "0 . 5", [](long double a) { return std::sinh(a); }},
    {"BotonCosenoHiperbolico", "0 . 5", [](long double a) { return std::cosh(a); }},
    {"BotonTangenteHiperbolica", "0 . 5", [](long double a) { return std::tanh(a); }},
    {"BotonArcoSenoHiperbolico", "0 . 5", [](long double a) { return std::asinh(a); }},
    {"BotonArcoCosenoHiperbolico", "1 . 5", [](long double a) { return std::acosh(a); }},
    {"BotonArcoTangenteHiperbolica", "0 . 5", [](long double a) { return std::atanh(a); }},
    {"BotonArcoSeno", "2", nullptr},
    {"BotonArcoTangenteHiperbolica", "1", nullptr},
};

INSTANTIATE_TEST_SUITE_P(Radianes, TrigonometriaTest, ::testing::ValuesIn(CasosTrig),
                         [](const auto& info) {
                             return std::string(info.param.boton) + "_" +
                                    std::to_string(info.index);
                         });

struct CambioUnidad {
    const char* nombre;
    bool deg, rad, grad; // stored before the start
    const char* casilla;
    const char* entrada;
    long double seno; // of the entry in the new unit
    TAngularConversion unidad;
};

void PrintTo(const CambioUnidad& c, std::ostream* os) { *os << c.nombre; }

class CambioUnidadTest : public FuncionesTest, public ::testing::WithParamInterface<CambioUnidad> {};

TEST_P(CambioUnidadTest, ReescribeLaSeccionYGobiernaElSiguienteSeno) {
    const CambioUnidad& c = GetParam();
    Unidad(c.deg, c.rad, c.grad);
    Pulsar(u"TRIG "_s + QString::fromUtf8(c.entrada));
    const QString texto = Texto(V().Datos);
    const long double valor = V().Datos->Valor();
    Clic(QString::fromUtf8(c.casilla));
    // Only the next function changes: the entry is left as it was.
    EXPECT_EQ(Texto(V().Datos), texto);
    EXPECT_EQ(V().Datos->Valor(), valor);
    EXPECT_EQ(Ajustes.LeerBooleano(u"Conversion"_s, u"DEG"_s, false), c.unidad == acDEG);
    EXPECT_EQ(Ajustes.LeerBooleano(u"Conversion"_s, u"RAD"_s, false), c.unidad == acRAD);
    EXPECT_EQ(Ajustes.LeerBooleano(u"Conversion"_s, u"GRAD"_s, false), c.unidad == acGRAD);
    Pulsar(u"BotonSeno"_s);
    EXPECT_TRUE(Cerca(V().Datos->Valor(), c.seno));
}

const CambioUnidad CambiosUnidad[] = {
    {"DeRadianesAGrados", false, true, false, "CheckDEG", "30", 0.5L, acDEG},
    {"DeGradosARadianes", true, false, false, "CheckRAD", "30", std::sin(30.0L), acRAD},
    {"DeGradosACentesimales", true, false, false, "CheckGRAD", "50", std::sqrt(0.5L), acGRAD},
    {"DeCentesimalesAGrados", false, false, true, "CheckDEG", "90", 1, acDEG},
};

INSTANTIATE_TEST_SUITE_P(Casillas, CambioUnidadTest, ::testing::ValuesIn(CambiosUnidad),
                         [](const auto& info) { return std::string(info.param.nombre); });

} // namespace
