// The drop-down calculator's keypad logic, driven by key sequences as a user presses them.
#include "EstadoCalculadora.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <string>

namespace {

using Estado = EstadoCalculadora::Estado;

// Presses a sequence of keys separated by blanks. A token of digits and commas presses each
// of them; "<" is delete, "+/-" the sign change, "OK" the accept button.
void Pulsar(EstadoCalculadora& c, const std::string& secuencia) {
    const QStringList fichas =
        QString::fromStdString(secuencia).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& f : fichas) {
        if (f == QStringLiteral("+")) c.Tecla(TeclaCalculadora::Sumar);
        else if (f == QStringLiteral("-")) c.Tecla(TeclaCalculadora::Restar);
        else if (f == QStringLiteral("*")) c.Tecla(TeclaCalculadora::Multiplicar);
        else if (f == QStringLiteral("/")) c.Tecla(TeclaCalculadora::Dividir);
        else if (f == QStringLiteral("=")) c.Tecla(TeclaCalculadora::Igual);
        else if (f == QStringLiteral("%")) c.Tecla(TeclaCalculadora::Porcentaje);
        else if (f == QStringLiteral("C")) c.Tecla(TeclaCalculadora::Limpiar);
        else if (f == QStringLiteral("<")) c.Tecla(TeclaCalculadora::Retroceso);
        else if (f == QStringLiteral("+/-")) c.Tecla(TeclaCalculadora::CambioSigno);
        else if (f == QStringLiteral("sqrt")) c.Tecla(TeclaCalculadora::Raiz);
        else if (f == QStringLiteral("1/x")) c.Tecla(TeclaCalculadora::Reciproco);
        else if (f == QStringLiteral("MP")) c.MemoriaSumar();
        else if (f == QStringLiteral("MS")) c.MemoriaGuardar();
        else if (f == QStringLiteral("MR")) c.MemoriaLeer();
        else if (f == QStringLiteral("MC")) c.MemoriaBorrar();
        else if (f == QStringLiteral("OK")) c.Aceptar();
        else {
            for (QChar ch : f) {
                if (ch == QLatin1Char(','))
                    c.Tecla(TeclaCalculadora::Coma);
                else if (ch.isDigit())
                    c.Tecla(static_cast<TeclaCalculadora>(
                        static_cast<int>(TeclaCalculadora::Cero) + ch.digitValue()));
                else
                    ADD_FAILURE() << "unknown key in sequence: " << f.toStdString();
            }
        }
    }
}

struct CasoTeclas {
    const char* nombre;
    int precision;
    const char* secuencia;
    const char* texto;
    Estado estado;
    const char* indicador;
};

std::ostream& operator<<(std::ostream& os, const CasoTeclas& c) {
    return os << c.nombre;
}

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

std::string Repetir(const std::string& s, int veces) {
    std::string r;
    for (int i = 0; i < veces; ++i)
        r += s;
    return r;
}

// 10^15 multiplied by itself 22 times goes far past the largest double.
const std::string kDesbordamiento =
    "999999999999999 MS" + Repetir(" * MR", 21) + " =";

const CasoTeclas kCasos[] = {
    // Arithmetic, strictly left to right.
    {"IzquierdaADerecha", 15, "2 + 3 * 4 =", "20", Estado::Listo, ""},
    {"Resta", 15, "10 - 12,5 =", "-2,5", Estado::Listo, ""},
    {"Division", 15, "1 / 8 =", "0,125", Estado::Listo, ""},
    {"IgualRepetidoNoRepite", 15, "2 + 3 = =", "5", Estado::Listo, ""},
    {"IgualSinOperadorDejaElNumero", 15, "7 =", "7", Estado::Listo, ""},
    {"OperadorTrasResultadoEmpiezaDeNuevo", 15, "2 + 3 = 4 + 1 =", "5", Estado::Listo, ""},
    {"SegundoOperadorSustituye", 15, "6 + * 2 =", "12", Estado::Listo, ""},
    {"SegundoOperadorSustituyeResta", 15, "6 * - 2 =", "4", Estado::Listo, ""},
    {"ResultadoParcialALaVista", 15, "2 + 3 *", "5", Estado::Listo, ""},
    {"ComaInicialEmpiezaEnCero", 15, ", 5 + , 25 =", "0,75", Estado::Listo, ""},
    {"SegundaComaRechazada", 15, "1,,5", "1,5", Estado::Introduciendo, ""},
    {"CeroInicialSeSustituye", 15, "0 0 7", "7", Estado::Introduciendo, ""},
    {"RedondeoAPrecision", 15, "2 / 3 =", "0,666666666666667", Estado::Listo, ""},
    {"RedondeoAPrecisionCorta", 4, "2 / 3 =", "0,6667", Estado::Listo, ""},
    {"ResultadoEnormeEnFormaGeneral", 15, "10000000000 * 10000000000 =", "1E20",
     Estado::Listo, ""},
    {"ResultadoDiminutoEnFormaGeneral", 15, "1 / 100000 =", "1E-5", Estado::Listo, ""},

    // Percentages.
    {"PorcentajeDeSuma", 15, "200 + 15 %", "230", Estado::Listo, ""},
    {"PorcentajeDeResta", 15, "200 - 10 %", "180", Estado::Listo, ""},
    {"PorcentajeDeProducto", 15, "200 * 15 %", "30", Estado::Listo, ""},
    {"PorcentajeDeDivision", 15, "50 / 10 %", "500", Estado::Listo, ""},
    {"PorcentajeSinOperadorNoCambia", 15, "15 %", "15", Estado::Listo, ""},
    {"PorcentajeTrasPorcentajeNoCambia", 15, "200 + 15 % 5 =", "5", Estado::Listo, ""},

    // Errors and the keys that still work in them.
    {"DivisionPorCero", 15, "5 / 0 =", "Error", Estado::Error, ""},
    {"PorcentajeDivisionPorCero", 15, "5 / 0 %", "Error", Estado::Error, ""},
    {"DigitosIgnoradosEnError", 15, "5 / 0 = 7 8 , 9", "Error", Estado::Error, ""},
    {"OperadoresIgnoradosEnError", 15, "5 / 0 = + 3 = sqrt 1/x +/- <", "Error",
     Estado::Error, ""},
    {"LimpiarSaleDelError", 15, "5 / 0 = C", "0", Estado::Listo, ""},
    {"TrasLimpiarSeCalcula", 15, "5 / 0 = C 2 + 2 =", "4", Estado::Listo, ""},
    {"LimpiarOlvidaElOperador", 15, "5 + C 3 =", "3", Estado::Listo, ""},
    {"RaizDeNegativo", 15, "9 +/- sqrt", "Error", Estado::Error, ""},
    {"RaizDeCero", 15, "0 sqrt", "0", Estado::Listo, ""},
    {"Raiz", 15, "9 sqrt", "3", Estado::Listo, ""},
    {"RaizIrracional", 15, "2 sqrt", "1,4142135623731", Estado::Listo, ""},
    {"ReciprocoDeCero", 15, "0 1/x", "Error", Estado::Error, ""},
    {"Reciproco", 15, "4 1/x", "0,25", Estado::Listo, ""},
    // The function leaves a result, like "=", so the pending "1 +" is not applied to it.
    {"FuncionDejaResultadoListo", 15, "1 + 4 1/x =", "0,25", Estado::Listo, ""},
    {"DesbordamientoEsError", 15, kDesbordamiento.c_str(), "Error", Estado::Error, "M"},

    // Memory.
    {"GuardarLimpiarRecuperar", 15, "12 MS C MR", "12", Estado::Introduciendo, "M"},
    {"RecuperadoAdmiteDigitos", 15, "12 MS C MR 3", "123", Estado::Introduciendo, "M"},
    {"RecuperadoEntraEnOperacion", 15, "12 MS C 5 + MR =", "17", Estado::Listo, "M"},
    {"SumarAMemoria", 15, "5 MP 3 MP MR", "8", Estado::Introduciendo, "M"},
    {"MemoriaSumaQueDaCero", 15, "5 MP 5 +/- MP", "-5", Estado::Listo, ""},
    {"BorrarMemoria", 15, "5 MS MC", "5", Estado::Listo, ""},
    {"BorrarMemoriaEnError", 15, "7 MS 5 / 0 = MC", "Error", Estado::Error, ""},
    {"GuardarIgnoradoEnError", 15, "5 / 0 = MS MP C MR", "0", Estado::Introduciendo, ""},
    {"RecuperarIgnoradoEnError", 15, "7 MS 5 / 0 = MR", "Error", Estado::Error, "M"},
    {"RecuperarMemoriaVacia", 15, "4 MR", "0", Estado::Introduciendo, ""},

    // The precision limit on typed characters.
    {"LimiteDePrecision", 15, "1234567890123456789", "123456789012345", Estado::Introduciendo,
     ""},
    {"LimiteConMenos", 4, "123 +/- 45", "-1234", Estado::Introduciendo, ""},
    {"LimiteSinMenos", 4, "12345", "1234", Estado::Introduciendo, ""},
    {"LaComaCuentaComoCaracter", 4, "123,45", "123,", Estado::Introduciendo, ""},

    // A text in exponent form takes no digit and no comma.
    {"TextoConEsinDigitos", 15, "10000000000 * 10000000000 = MS C MR 5", "1E20",
     Estado::Introduciendo, "M"},
    {"TextoConEsinComa", 15, "10000000000 * 10000000000 = MS C MR ,", "1E20",
     Estado::Introduciendo, "M"},

    // Delete.
    {"BorrarUltimo", 15, "12 <", "1", Estado::Introduciendo, ""},
    {"BorrarHastaCero", 15, "12 < <", "0", Estado::Introduciendo, ""},
    {"BorrarMasAllaDeCero", 15, "12 < < <", "0", Estado::Introduciendo, ""},
    {"BorrarNegativoDeUnaCifra", 15, "5 +/- <", "0", Estado::Introduciendo, ""},
    {"BorrarNegativoLargo", 15, "56 +/- <", "-5", Estado::Introduciendo, ""},
    {"BorrarDecimal", 15, "1,5 <", "1,", Estado::Introduciendo, ""},
    {"BorrarTrasResultadoEmpiezaEnCero", 15, "2 + 3 = <", "0", Estado::Introduciendo, ""},
    {"BorrarDentroDelExponente", 15, "10000000000 * 10000000000 = MS C MR <", "1E2",
     Estado::Introduciendo, "M"},
    {"BorrarSinDejarExponenteSuelto", 15, "10000000000 * 10000000000 = MS C MR < <", "1",
     Estado::Introduciendo, "M"},
    {"BorrarExponenteNegativo", 15, "1 / 100000 = MS C MR <", "1", Estado::Introduciendo,
     "M"},

    // Sign change.
    {"CambioSigno", 15, "5 +/-", "-5", Estado::Introduciendo, ""},
    {"CambioSignoDoble", 15, "5 +/- +/-", "5", Estado::Introduciendo, ""},
    {"CambioSignoSigueEscribiendo", 15, "5 +/- 6", "-56", Estado::Introduciendo, ""},
    {"CambioSignoDeCero", 15, "0 +/-", "0", Estado::Introduciendo, ""},
    {"CambioSignoDeResultado", 15, "2 + 3 = +/-", "-5", Estado::Listo, ""},
    {"CambioSignoPierdeComaFinal", 15, "5, +/-", "-5", Estado::Introduciendo, ""},

    // Accept.
    {"AceptarCalculaElPendiente", 15, "3 + 4 OK", "7", Estado::Listo, ""},
    {"AceptarQuitaComaFinal", 15, "5, OK", "5", Estado::Listo, ""},
    {"AceptarEnErrorNoHaceNada", 15, "5 / 0 = OK", "Error", Estado::Error, ""},
};

INSTANTIATE_TEST_SUITE_P(Calculadora, SecuenciasTeclas, ::testing::ValuesIn(kCasos),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST(AceptarCalculadora, AvisaSoloSiHayResultado) {
    EstadoCalculadora c;
    Pulsar(c, "3 + 4");
    EXPECT_TRUE(c.Aceptar());
    EXPECT_DOUBLE_EQ(c.ValorPantalla(), 7.0);
    EXPECT_EQ(c.Pendiente(), QLatin1Char('='));

    EstadoCalculadora enError;
    Pulsar(enError, "5 / 0 =");
    EXPECT_FALSE(enError.Aceptar());
}

// Accepting "5 / 0" must not hand a silent 0 to the box: the error stays on view.
TEST(AceptarCalculadora, DivisionPorCeroPendienteNoSeAcepta) {
    EstadoCalculadora c;
    Pulsar(c, "5 / 0");
    EXPECT_FALSE(c.Aceptar());
    EXPECT_EQ(c.Texto(), QStringLiteral("Error"));
    EXPECT_EQ(c.EstadoActual(), Estado::Error);
}

TEST(ValorInicialCalculadora, SeMuestraComoResultado) {
    EstadoCalculadora c;
    Pulsar(c, "9 +");
    c.MostrarValorInicial(7.5);
    EXPECT_EQ(c.Texto(), QStringLiteral("7,5"));
    EXPECT_EQ(c.EstadoActual(), Estado::Listo);
    EXPECT_EQ(c.Pendiente(), QLatin1Char('='));
    Pulsar(c, "3");
    EXPECT_EQ(c.Texto(), QStringLiteral("3")); // a digit starts a new number
    Pulsar(c, "+ 1 =");
    EXPECT_EQ(c.Texto(), QStringLiteral("4")); // "=" forgot the "9 +"
}

TEST(ValorInicialCalculadora, SaleDelError) {
    EstadoCalculadora c;
    Pulsar(c, "5 / 0 =");
    c.MostrarValorInicial(-2);
    EXPECT_EQ(c.Texto(), QStringLiteral("-2"));
    EXPECT_EQ(c.EstadoActual(), Estado::Listo);
}

TEST(OperandoCalculadora, EsElValorMostradoYCeroTrasError) {
    EstadoCalculadora c;
    c.setPrecision(4);
    Pulsar(c, "2 / 3 =");
    // The operand is the rounded value on the display, not the exact quotient.
    EXPECT_DOUBLE_EQ(c.Operando(), 0.6667);
    Pulsar(c, "5 / 0 +");
    EXPECT_EQ(c.Operando(), 0.0);
    EXPECT_EQ(c.Pendiente(), QLatin1Char('+'));
}

TEST(MemoriaCalculadora, DesbordamientoConservaLaMemoria) {
    EstadoCalculadora c;
    c.setMemoria(1.5e308);
    c.MostrarValorInicial(1.5e308);
    c.MemoriaSumar();
    EXPECT_EQ(c.EstadoActual(), Estado::Error);
    EXPECT_EQ(c.Memoria(), 1.5e308);
}

TEST(PrecisionCalculadora, SeLimitaADosYDieciocho) {
    EstadoCalculadora c;
    c.setPrecision(0);
    EXPECT_EQ(c.Precision(), 2);
    c.setPrecision(255);
    EXPECT_EQ(c.Precision(), 18);
    c.setPrecision(2);
    Pulsar(c, "1 / 3 =");
    EXPECT_EQ(c.Texto(), QStringLiteral("0,33"));
}

struct CasoLectura {
    const char* nombre;
    const char* texto;
    bool valido;
    double valor;
};

class LecturaPantalla : public ::testing::TestWithParam<CasoLectura> {};

TEST_P(LecturaPantalla, LeeComaYExponente) {
    const CasoLectura& caso = GetParam();
    double v = -99;
    EXPECT_EQ(EstadoCalculadora::LeerTexto(QString::fromUtf8(caso.texto), &v), caso.valido);
    if (caso.valido) {
        EXPECT_DOUBLE_EQ(v, caso.valor);
    }
}

const CasoLectura kLecturas[] = {
    {"Entero", "12", true, 12},
    {"Decimal", "-12,5", true, -12.5},
    {"ComaFinal", "3,", true, 3},
    {"Exponente", "1E20", true, 1e20},
    {"ExponenteNegativo", "-2,5E-7", true, -2.5e-7},
    {"ConBlancos", " 7 ", true, 7},
    {"Vacio", "", false, 0},
    {"SoloMenos", "-", false, 0},
    {"ExponenteSuelto", "1E", false, 0},
    {"Palabra", "Error", false, 0},
    {"PuntoDeMiles", "1.000,5", false, 0},
};

INSTANTIATE_TEST_SUITE_P(Calculadora, LecturaPantalla, ::testing::ValuesIn(kLecturas),
                         [](const auto& info) { return std::string(info.param.nombre); });

} // namespace
