// Tests of the numeric register: digit entry in the three formats, length limits, results and
// "ERROR" as the user sees them on a shown register. Every function ends the entry through
// the path the sign change takes (row signoTerminaLaEntrada); the function keys and angle
// units are tested on the window.
#include "TZURLabelNumber.h"

#include <QString>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace Qt::StringLiterals;

namespace {

enum Formato { General, Fijo, Miles };

void AplicarFormato(TZURLabelNumber& r, Formato f, int decimales) {
    r.setFormatoGeneral(f == General);
    r.setSeparadorMiles(f == Miles);
    r.setDecimales(decimales);
    r.Borrar();
}

// One key: a digit, "," the decimal key, "s" the sign change; "n" is a host writing -Valor
// mid-entry (the only way a negative value arises during an entry; its digits then grow away
// from zero).
void Teclear(TZURLabelNumber& r, char tecla) {
    if (tecla == ',')
        r.PuntoDecimal();
    else if (tecla == 's')
        r.CambioSigno();
    else if (tecla == 'n')
        r.setValor(-r.Valor());
    else
        r.AgregarDigito(tecla - '0');
}

std::string Visible(const TZURLabelNumber& r) {
    return r.Text().trimmed().toStdString();
}

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

TEST_F(Registro, EntradaMuestraCadaTeclaYDejaElValor) {
    const struct {
        const char* nombre;
        Formato formato;
        int decimales;
        std::string teclas;
        const char* textos; // after each of the last keys, separated by "|"
        long double valor;
    } casos[] = {
        {"generalDecimalesConCeroFinal", General, 3, "1,50", "1|1,|1,5|1,50", 1.5L},
        {"generalEmpiezaPorComa", General, 3, ",05", "0,|0,0|0,05", 0.05L},
        {"generalSegundaComaNoCuenta", General, 3, "2,5,1", "2|2,|2,5|2,5|2,51", 2.51L},
        {"generalCerosALaIzquierda", General, 3, "007", "0|0|7", 7},
        {"fijoTerceraDecimalSeDescarta", Fijo, 2, "7,123", "7,00|7,00|7,10|7,12|7,12", 7.12L},
        {"fijoComaNoCambiaNada", Fijo, 3, ",5,", "0,000|0,500|0,500", 0.5L},
        {"fijoSinDecimales", Fijo, 0, "12,9", "1|12|12|12", 12},
        {"miles", Miles, 3, "1234567,891",
         "1,000|12,000|123,000|1.234,000|12.345,000|123.456,000|1.234.567,000|"
         "1.234.567,000|1.234.567,800|1.234.567,890|1.234.567,891",
         1234567.891L},
        {"signoTerminaLaEntrada", General, 3, "5s3", "5|-5|3", 3},
        // Length limits with 20 cells, for positive and negative values.
        {"limiteGeneralDieciochoCaracteres", General, 3, "1234567890123456789",
         "123456789012345678", 123456789012345678.0L},
        {"limiteGeneralDecimales", General, 3, "1,23456789012345678", "1,2345678901234567",
         1.2345678901234567L},
        {"limiteGeneralNegativoDiecinueve", General, 3, "12345678901234567n89",
         "-123456789012345678", -123456789012345678.0L},
        {"limiteFijoQuinceEnteros", Fijo, 3, "1234567890123456,1", "123456789012345,000",
         123456789012345.0L},
        {"negativoFijoDecimales", Fijo, 3, "12,n45", "-12,450", -12.45L},
        {"negativoGeneralDecimales", General, 3, "12,3n45", "-12,345", -12.345L},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        AplicarFormato(reg, c.formato, c.decimales);
        const QStringList textos = QString::fromUtf8(c.textos).split(u'|');
        const std::size_t primera = c.teclas.size() - std::size_t(textos.size());
        for (std::size_t i = 0; i < c.teclas.size(); ++i) {
            Teclear(reg, c.teclas[i]);
            if (i >= primera) {
                EXPECT_EQ(Visible(reg), textos[qsizetype(i - primera)].toStdString())
                    << "after key " << i;
            }
        }
        // Fixed-format decimals are added one by one, so allow for the last bit.
        EXPECT_NEAR(double(reg.Valor()), double(c.valor), 1e-15 * std::fabs(double(c.valor)));
        if (c.formato == General) {
            EXPECT_EQ(reg.Valor(), c.valor);
        }
    }
}

// A paint pads Text with blanks; the entry must go on from the number, not the padding. A
// result equal to the value keeps the typed text, but ends the entry.
TEST_F(Registro, EntradaSigueTrasPintarYLaTerminaUnResultado) {
    Teclas("1,5");
    reg.repaint();
    EXPECT_EQ(reg.Text().size(), 20);
    Teclas("0");
    EXPECT_EQ(Visible(reg), "1,50");
    reg.MostrarResultado(1.5L);
    EXPECT_EQ(Visible(reg), "1,50");
    EXPECT_FALSE(reg.Editando());
}

// A caption gives way to the first value shown, even one equal to the value underneath;
// "ERROR" does not: it keeps the old value and stays until a different value is written,
// Borrar, or a digit.
TEST_F(Registro, LeyendaCedeAlPrimerValorYErrorNo) {
    reg.MostrarLeyenda(u"TOTAL"_s);
    EXPECT_EQ(Visible(reg), "TOTAL");
    reg.MostrarResultado(0);
    EXPECT_EQ(Visible(reg), "0");
    reg.MostrarLeyenda(u"DATO"_s);
    reg.Inverso(); // 1/0
    EXPECT_EQ(Visible(reg), "ERROR");
    EXPECT_EQ(reg.Valor(), 0);
    reg.MostrarResultado(0);
    EXPECT_EQ(Visible(reg), "ERROR");
    reg.Borrar();
    EXPECT_EQ(Visible(reg), "0");
    reg.Inverso();
    reg.setValor(3);
    EXPECT_EQ(Visible(reg), "3");
    reg.MostrarResultado(0);
    reg.Inverso();
    Teclas("8");
    EXPECT_EQ(Visible(reg), "8");
}

// Results in the general format: P significant digits, cut at 20 characters without losing
// a scientific exponent.
TEST_F(Registro, TextosDeResultado) {
    const struct {
        int celdas;
        long double valor;
        const char* texto;
    } casos[] = {
        {20, -1 / 3.0L, "-0,33333333333333333"},
        {10, 1 / 3.0L, "0,3333333333"},
        {20, 1e20L / 3, "3,333333333333333E19"},
        {20, -1e-20L / 3, "-3,3333333333333E-21"},
        {20, 0x5a83b4b9c8217149p-78L, "2,158033285271813E-5"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        reg.setNumDigits(c.celdas);
        AplicarFormato(reg, General, 3);
        reg.MostrarResultado(c.valor);
        EXPECT_EQ(Visible(reg), c.texto);
    }
}

} // namespace
