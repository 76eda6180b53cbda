// Compound interest dialog: the final capital through the register's power, a power that
// fails, and the input rule.
#include "TInteresCompuesto.h"
#include "AyudasPrueba.h"
#include "ReglaEntrada.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

void PrintTo(const QString& texto, std::ostream* salida) {
    *salida << '"' << texto.toStdString() << '"';
}

namespace {

// A fresh dialog for every test, as created at start.
class TInteresCompuestoTest : public ::testing::Test {
protected:
    TInteresCompuesto dialogo;

    void Calcular(const QString& ci, const QString& ip, const QString& np) {
        dialogo.CI->setText(ci);
        dialogo.IP->setText(ip);
        dialogo.NP->setText(np);
        dialogo.BotonCalcular->click();
    }
    QString CF() const { return dialogo.CF->Text().trimmed(); }
};

TEST_F(TInteresCompuestoTest, AlCrearse) {
    EXPECT_EQ(dialogo.windowTitle(), u"Interés Compuesto"_s);
    EXPECT_EQ(dialogo.size(), QSize(402, 215));
    for (const TSkinCalcEdit* caja : {dialogo.CI, dialogo.IP, dialogo.NP})
        EXPECT_EQ(caja->text(), u"0"_s);
    EXPECT_EQ(dialogo.NP->ValueType(), vtInteger);
    EXPECT_EQ(dialogo.CF->NumDigits(), 18);
    EXPECT_EQ(CF(), u"0,00"_s);
    EXPECT_FALSE(dialogo.BotonCalcular->autoDefault());
}

struct CasoCompuesto {
    const char* nombre;
    QString ci, ip, np;
    QString cf;
};

class CalculoCompuestoTest : public TInteresCompuestoTest,
                             public ::testing::WithParamInterface<CasoCompuesto> {};

TEST_P(CalculoCompuestoTest, MuestraCapitalFinal) {
    const CasoCompuesto& caso = GetParam();
    Calcular(caso.ci, caso.ip, caso.np);
    EXPECT_EQ(CF(), caso.cf);
    EXPECT_FALSE(dialogo.CF->Editando());
}

INSTANTIATE_TEST_SUITE_P(
    Casos, CalculoCompuestoTest,
    ::testing::Values(
        // 1000 × 1.05³ is 1157.625 less a hair in long double: 18 digits first, then 2.
        CasoCompuesto{"MilAlCincoTresPeriodos", u"1000"_s, u"5"_s, u"3"_s, u"1.157,63"_s},
        CasoCompuesto{"PeriodosNegativosDescuentan", u"1000"_s, u"5"_s, u"-2"_s, u"907,03"_s},
        CasoCompuesto{"PeriodosSeTruncan", u"1000"_s, u"5"_s, u"2,9"_s, u"1.102,50"_s},
        CasoCompuesto{"MenosDeUnPeriodoEsElCapital", u"1000"_s, u"5"_s, u"0,5"_s, u"1.000,00"_s},
        CasoCompuesto{"TruncaHaciaCero", u"1000"_s, u"5"_s, u"-1,9"_s, u"952,38"_s},
        CasoCompuesto{"InteresNegativo", u"1000"_s, u"-10"_s, u"2"_s, u"810,00"_s}),
    [](const ::testing::TestParamInfo<CasoCompuesto>& info) {
        return std::string(info.param.nombre);
    });

TEST_F(TInteresCompuestoTest, PotenciaFallidaDejaError) {
    // Interest -100 % makes the base 0: raising it to a negative count divides by zero.
    Calcular(u"1000"_s, u"-100"_s, u"-2"_s);
    EXPECT_EQ(CF(), u"ERROR"_s);
    // An overflow of the power as well.
    Calcular(u"1000"_s, u"5"_s, u"1000000"_s);
    EXPECT_EQ(CF(), u"ERROR"_s);
}

TEST_F(TInteresCompuestoTest, TrasUnErrorElMismoValorSeMuestra) {
    // The failed power leaves 1,05 in the register; a calculation whose result is that same
    // value must show it, not keep "ERROR".
    Calcular(u"1000"_s, u"5"_s, u"1000000"_s);
    ASSERT_EQ(CF(), u"ERROR"_s);
    Calcular(u"1"_s, u"5"_s, u"1"_s);
    EXPECT_EQ(CF(), u"1,05"_s);

    Calcular(u"1000"_s, u"-100"_s, u"-2"_s);
    ASSERT_EQ(CF(), u"ERROR"_s);
    Calcular(u"1000"_s, u"-100"_s, u"2"_s);
    EXPECT_EQ(CF(), u"0,00"_s);
}

TEST_F(TInteresCompuestoTest, CapitalFinalFueraDeRangoDejaError) {
    Calcular(u"1E4500"_s, u"1E10"_s, u"100"_s);
    EXPECT_EQ(CF(), u"ERROR"_s);
}

TEST_F(TInteresCompuestoTest, EntradaErroneaOCeroNoCambianNada) {
    Calcular(u"1000"_s, u"5"_s, u"3"_s);
    QString mensaje;
    EsperarMensaje(&mensaje);
    Calcular(u"1000"_s, u"5"_s, u"-"_s);
    EXPECT_EQ(DialogosPendientes(), 0);
    EXPECT_EQ(mensaje, MensajeErrorFormato());
    Calcular(u"1000"_s, u"5"_s, u"0"_s);
    Calcular(u"0"_s, u"5"_s, u"3"_s);
    Calcular(u"1000"_s, u"0"_s, u"3"_s);
    EXPECT_EQ(CF(), u"1.157,63"_s);
    EXPECT_EQ(dialogo.NP->text(), u"3"_s);
}

TEST_F(TInteresCompuestoTest, ElPuntoPasaAComa) {
    Calcular(u"1000"_s, u"5"_s, u"2.9"_s);
    EXPECT_EQ(dialogo.NP->text(), u"2,9"_s);
    EXPECT_EQ(CF(), u"1.102,50"_s);
}

} // namespace
