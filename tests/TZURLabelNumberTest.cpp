// Tests of the numeric register: digit entry in the three formats, length limits, results,
// "ERROR" and the scientific functions as the user sees them on a shown register.
#include "TZURLabelNumber.h"

#include <QString>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

namespace {

enum class Formato { General, Fijo, Miles };

void AplicarFormato(TZURLabelNumber& r, Formato f, int decimales) {
    r.setFormatoGeneral(f == Formato::General);
    r.setSeparadorMiles(f == Formato::Miles);
    r.setDecimales(decimales);
    r.Borrar();
}

// One key of the keypad: a digit, "," for the decimal key, "s" for the sign change.
void Teclear(TZURLabelNumber& r, char tecla) {
    if (tecla == ',')
        r.PuntoDecimal();
    else if (tecla == 's')
        r.CambioSigno();
    else
        r.AgregarDigito(tecla - '0');
}

std::string Visible(const TZURLabelNumber& r) { return r.Text().trimmed().toStdString(); }

class Registro : public ::testing::Test {
protected:
    void SetUp() override {
        reg.setNumDigits(20);
        reg.resize(400, 30);
        reg.show(); // painting pads Text with blanks: every step must cope with that
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&reg));
    }
    void Teclas(const std::string& teclas) {
        for (char t : teclas)
            Teclear(reg, t);
    }
    TZURLabelNumber reg;
};

struct CasoEntrada {
    const char* nombre;
    Formato formato;
    int decimales;
    std::string teclas;
    std::vector<std::string> textos; // after each key
    long double valor;
};

const CasoEntrada casosEntrada[] = {
    {"generalDecimalesConCeroFinal", Formato::General, 3, "1,50", {"1", "1,", "1,5", "1,50"}, 1.5L},
    {"generalEmpiezaPorComa", Formato::General, 3, ",05", {"0,", "0,0", "0,05"}, 0.05L},
    {"generalSegundaComaNoCuenta", Formato::General, 3, "2,5,1", {"2", "2,", "2,5", "2,5", "2,51"}, 2.51L},
    {"generalCerosALaIzquierda", Formato::General, 3, "007", {"0", "0", "7"}, 7},
    {"fijoTerceraDecimalSeDescarta", Formato::Fijo, 2, "7,123", {"7,00", "7,00", "7,10", "7,12", "7,12"}, 7.12L},
    {"fijoComaNoCambiaNada", Formato::Fijo, 3, ",5,", {"0,000", "0,500", "0,500"}, 0.5L},
    {"fijoSinDecimales", Formato::Fijo, 0, "12,9", {"1", "12", "12", "12"}, 12},
    {"miles", Formato::Miles, 3, "1234567,891",
     {"1,000", "12,000", "123,000", "1.234,000", "12.345,000", "123.456,000", "1.234.567,000",
      "1.234.567,000", "1.234.567,800", "1.234.567,890", "1.234.567,891"},
     1234567.891L},
    {"signoTerminaLaEntrada", Formato::General, 3, "5s3", {"5", "-5", "3"}, 3},
    {"signoDeCeroSigueCero", Formato::General, 3, "0s", {"0", "0"}, 0},
    {"signoEnFijo", Formato::Fijo, 2, "4,5s", {"4,00", "4,00", "4,50", "-4,50"}, -4.5L},
};

void PrintTo(const CasoEntrada& c, std::ostream* os) { *os << c.nombre; }

class Entrada : public Registro, public ::testing::WithParamInterface<CasoEntrada> {};

TEST_P(Entrada, MuestraCadaTeclaYDejaElValor) {
    const CasoEntrada& c = GetParam();
    AplicarFormato(reg, c.formato, c.decimales);
    ASSERT_EQ(c.teclas.size(), c.textos.size());
    for (std::size_t i = 0; i < c.teclas.size(); ++i) {
        Teclear(reg, c.teclas[i]);
        EXPECT_EQ(Visible(reg), c.textos[i]) << "after key " << i << " '" << c.teclas[i] << "'";
    }
    // Fixed-format decimals are added one by one, so allow for the last bit.
    EXPECT_NEAR(double(reg.Valor()), double(c.valor), 1e-15 * std::fabs(double(c.valor)));
    if (c.formato == Formato::General) {
        EXPECT_EQ(reg.Valor(), c.valor);
    }
}

INSTANTIATE_TEST_SUITE_P(Tabla, Entrada, ::testing::ValuesIn(casosEntrada),
                         [](const auto& info) { return std::string(info.param.nombre); });

// Length limits with 20 cells. A negative value during an entry only arises when a host writes
// Valor mid-entry; its digits then grow away from zero.
struct CasoLimite {
    const char* nombre;
    Formato formato;
    std::string antes;       // typed before the sign is forced
    bool negativo;           // write -Valor (entry state untouched) before the last keys
    std::string despues;     // typed afterwards
    std::string texto;       // trimmed text at the end
    long double valor;
};

const CasoLimite casosLimite[] = {
    {"generalDieciochoCaracteres", Formato::General, "1234567890123456789", false, "",
     "123456789012345678", 123456789012345678.0L},
    {"generalDecimalesHastaDieciocho", Formato::General, "1,23456789012345678", false, "",
     "1,2345678901234567", 1.2345678901234567L},
    {"generalNegativoAdmiteDiecinueve", Formato::General, "12345678901234567", true, "89",
     "-123456789012345678", -123456789012345678.0L},
    {"fijoQuinceEnteros", Formato::Fijo, "1234567890123456,1", false, "",
     "123456789012345,000", 123456789012345.0L},
    {"fijoNegativoQuinceEnteros", Formato::Fijo, "12345678901234", true, "56",
     "-123456789012345,000", -123456789012345.0L},
    {"fijoNegativoDecimales", Formato::Fijo, "12,", true, "45",
     "-12,450", -12.45L},
    {"generalNegativoDecimales", Formato::General, "12,3", true, "45",
     "-12,345", -12.345L},
};

void PrintTo(const CasoLimite& c, std::ostream* os) { *os << c.nombre; }

class Limite : public Registro, public ::testing::WithParamInterface<CasoLimite> {};

TEST_P(Limite, RechazaLosDigitosQueNoCaben) {
    const CasoLimite& c = GetParam();
    AplicarFormato(reg, c.formato, 3);
    Teclas(c.antes);
    if (c.negativo) {
        reg.setValor(-reg.Valor());
        EXPECT_TRUE(reg.Editando());
    }
    Teclas(c.despues);
    EXPECT_EQ(Visible(reg), c.texto);
    EXPECT_NEAR(double(reg.Valor()), double(c.valor), 1e-15 * std::fabs(double(c.valor)));
    if (c.formato == Formato::General) {
        EXPECT_EQ(reg.Valor(), c.valor);
    }
}

INSTANTIATE_TEST_SUITE_P(Tabla, Limite, ::testing::ValuesIn(casosLimite),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST(RegistroNuevo, TieneDiezCeldasAlineadasALaDerechaYMuestraCero) {
    TZURLabelNumber r;
    EXPECT_EQ(r.NumDigits(), 10);
    EXPECT_EQ(r.Alignment(), taRightJustify);
    EXPECT_EQ(Visible(r), "0");
    EXPECT_EQ(r.Valor(), 0);
    EXPECT_FALSE(r.Editando());
    AplicarFormato(r, Formato::Fijo, 3);
    EXPECT_EQ(Visible(r), "0,000");
}

TEST_F(Registro, PintarRellenaHastaLasCeldas) {
    Teclas("1,5");
    reg.repaint();
    EXPECT_EQ(reg.Text().size(), 20);
    Teclas("0");
    EXPECT_EQ(Visible(reg), "1,50");
}

TEST_F(Registro, MostrarResultadoConElMismoValorConservaElTexto) {
    Teclas("1,50");
    reg.MostrarResultado(1.5L);
    EXPECT_EQ(Visible(reg), "1,50");
    EXPECT_FALSE(reg.Editando());
    Teclas("7");
    EXPECT_EQ(Visible(reg), "7");
    EXPECT_EQ(reg.Valor(), 7);
}

TEST_F(Registro, EscribirValorNoTocaLaEntrada) {
    Teclas("12");
    reg.setValor(5);
    EXPECT_EQ(Visible(reg), "5");
    Teclas("3");
    EXPECT_EQ(reg.Valor(), 53);
}

TEST_F(Registro, BorrarReescribeSiempreElTexto) {
    Teclas(",");
    EXPECT_EQ(Visible(reg), "0,");
    reg.Borrar();
    EXPECT_EQ(Visible(reg), "0");
    EXPECT_FALSE(reg.DecimalActivo());
}

TEST_F(Registro, ErrorSeQuedaHastaOtroValor) {
    reg.Inverso(); // 1/0
    EXPECT_EQ(Visible(reg), "ERROR");
    EXPECT_EQ(reg.Valor(), 0);
    reg.MostrarResultado(0);
    EXPECT_EQ(Visible(reg), "ERROR");
    reg.Borrar();
    EXPECT_EQ(Visible(reg), "0");

    reg.ElevarA(-1); // 0 to a negative power
    EXPECT_EQ(Visible(reg), "ERROR");
    reg.setValor(3);
    EXPECT_EQ(Visible(reg), "3");
}

TEST_F(Registro, ErrorConservaElValorParaLaSiguienteOperacion) {
    Teclas("4s");
    reg.RaizCuadrada();
    EXPECT_EQ(Visible(reg), "ERROR");
    EXPECT_EQ(reg.Valor(), -4);
    EXPECT_FALSE(reg.Editando());
    reg.CambioSigno();
    reg.RaizCuadrada();
    EXPECT_EQ(Visible(reg), "2");
    EXPECT_EQ(reg.Valor(), 2);
}

TEST_F(Registro, DigitoTrasErrorEmpiezaNumeroNuevo) {
    reg.MostrarResultado(17);
    reg.Factorial();
    EXPECT_EQ(Visible(reg), "ERROR");
    EXPECT_EQ(reg.Valor(), 17);
    Teclas("8");
    EXPECT_EQ(Visible(reg), "8");
}

TEST_F(Registro, TextoGeneralSeCortaAVeinteCaracteres) {
    reg.MostrarResultado(3);
    reg.Inverso();
    EXPECT_EQ(Visible(reg), "0,333333333333333333");
    reg.MostrarResultado(-3);
    reg.Inverso();
    EXPECT_EQ(Visible(reg), "-0,33333333333333333");
    // Ten cells: ten significant digits, the longer text kept whole up to 20 characters.
    reg.setNumDigits(10);
    reg.MostrarResultado(3);
    reg.Inverso();
    EXPECT_EQ(Visible(reg), "0,3333333333");
}

TEST_F(Registro, FormatoMiles) {
    AplicarFormato(reg, Formato::Miles, 3);
    reg.MostrarResultado(1234567.891L);
    EXPECT_EQ(Visible(reg), "1.234.567,891");
}

// After every function the entry is over: the next digit starts a new number.
TEST_F(Registro, FuncionesTerminanLaEntrada) {
    const struct {
        const char* nombre;
        void (TZURLabelNumber::*funcion)();
        TAngularConversion unidad;
        const char* teclas;
        const char* texto;
    } casos[] = {
        {"seno30", &TZURLabelNumber::Seno, acDEG, "30", "0,5"},
        {"senoHiperbolico180", &TZURLabelNumber::SenoHiperbolico, acDEG, "180", "11,5487393572577484"},
        {"arcoCosenoRad", &TZURLabelNumber::ArcoCoseno, acRAD, "0,5", "1,04719755119659775"},
        {"arcoSeno60Deg", &TZURLabelNumber::ArcoSeno, acDEG, "60", "ERROR"},
        {"cotangente0Grad", &TZURLabelNumber::Cotangente, acGRAD, "0", "ERROR"},
        {"raiz16", &TZURLabelNumber::RaizCuadrada, acDEG, "16", "4"},
        {"log1000", &TZURLabelNumber::LogaritmoBase10, acDEG, "1000", "3"},
        {"ln0", &TZURLabelNumber::LogaritmoNatural, acDEG, "0", "ERROR"},
        {"factorial16", &TZURLabelNumber::Factorial, acDEG, "16", "20922789888000"},
        {"factorial4coma9", &TZURLabelNumber::Factorial, acDEG, "4,9", "24"},
        {"inverso4", &TZURLabelNumber::Inverso, acDEG, "4", "0,25"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        reg.setConversionAngular(c.unidad);
        Teclas(c.teclas);
        (reg.*c.funcion)();
        EXPECT_EQ(Visible(reg), c.texto);
        EXPECT_FALSE(reg.Editando());
        Teclas("9");
        EXPECT_EQ(Visible(reg), "9");
        EXPECT_EQ(reg.Valor(), 9);
        reg.Borrar();
    }
}

TEST_F(Registro, CambiarUnidadAngularNoTocaLaPantalla) {
    Teclas("90");
    reg.setConversionAngular(acRAD);
    EXPECT_EQ(Visible(reg), "90");
    EXPECT_EQ(reg.Valor(), 90);
}

TEST_F(Registro, ElevarA) {
    reg.MostrarResultado(2);
    reg.ElevarA(10);
    EXPECT_EQ(Visible(reg), "1024");
    reg.MostrarResultado(-8);
    reg.ElevarA(1 / 3.0L);
    EXPECT_EQ(Visible(reg), "ERROR");
    EXPECT_EQ(reg.Valor(), -8);
    reg.ElevarA(10000); // about 1e9031: beyond the 80-bit range
    EXPECT_EQ(Visible(reg), "ERROR");
    reg.ElevarA(3);
    EXPECT_EQ(Visible(reg), "-512");
}

} // namespace

// A caption gives way to the first value shown, even one equal to the value underneath;
// "ERROR" does not.
TEST_F(Registro, LeyendaCedeAlPrimerValor) {
    reg.MostrarLeyenda(QStringLiteral("TOTAL"));
    EXPECT_EQ(Visible(reg), "TOTAL");
    reg.MostrarResultado(0);
    EXPECT_EQ(Visible(reg), "0");
    reg.MostrarLeyenda(QStringLiteral("DATO"));
    reg.Inverso();
    EXPECT_EQ(Visible(reg), "ERROR");
    reg.MostrarResultado(0);
    EXPECT_EQ(Visible(reg), "ERROR");
}

// A scientific text never loses its exponent to the 20-character cut.
TEST_F(Registro, CientificoConservaElExponente) {
    const struct {
        long double valor;
        const char* texto;
    } casos[] = {
        {1e20L / 3, "3,333333333333333E19"},
        {-1e-20L / 3, "-3,3333333333333E-21"},
        {0x5a83b4b9c8217149p-78L, "2,158033285271813E-5"},
    };
    for (const auto& c : casos) {
        reg.MostrarResultado(c.valor);
        EXPECT_EQ(Visible(reg), c.texto);
    }
}
