// Compound interest dialog: the final capital through the register's power, a power that
// fails, and the input rule.
#include "TInteresCompuesto.h"
#include "AyudasPrueba.h"
#include "DialogoInteresPrueba.h"
#include "ReglaEntrada.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using InteresCompuestoTest = DialogoInteresPrueba<TInteresCompuesto>;

TEST_F(InteresCompuestoTest, MuestraCapitalFinalYLoConservaAnteUnaEntradaErronea) {
    const struct {
        QString np, cf;
        QString ip = u"5"_s;
    } casos[] = {
        // 1000 × 1.05³ is 1157.625 less a hair in long double: 18 digits first, then 2.
        {u"3"_s, u"1.157,63"_s},         {u"-2"_s, u"907,03"_s}, // negative periods discount
        {u"2.9"_s, u"1.102,50"_s}, // periods are truncated, after the point becomes a comma
        {u"0,5"_s, u"1.000,00"_s},       {u"-1,9"_s, u"952,38"_s}, // toward zero
        {u"2"_s, u"810,00"_s, u"-10"_s},
    };
    for (const auto& c : casos) {
        Calcular(u"1000"_s, c.ip, c.np);
        EXPECT_EQ(CF(), c.cf) << c.np.toStdString();
        EXPECT_FALSE(dialogo.CF->Editando());
        EXPECT_EQ(dialogo.NP->text(), QString(c.np).replace(u'.', u','));
    }
    // The input rule, tested with the simple-interest dialog, applies here too.
    QString mensaje;
    EsperarMensaje(&mensaje);
    Calcular(u"1000"_s, u"5"_s, u"-"_s);
    EXPECT_EQ(mensaje, MensajeErrorFormato());
    EXPECT_EQ(CF(), u"810,00"_s);
}

TEST_F(InteresCompuestoTest, PotenciaFallidaDejaErrorHastaElSiguienteResultado) {
    // Interest -100 % makes the base 0: raising it to a negative count divides by zero.
    Calcular(u"1000"_s, u"-100"_s, u"-2"_s);
    EXPECT_EQ(CF(), u"ERROR"_s);
    Calcular(u"1000"_s, u"-100"_s, u"2"_s);
    EXPECT_EQ(CF(), u"0,00"_s);
    // An overflow of the power leaves 1,05 in the register; a calculation whose result is
    // that same value must show it, not keep "ERROR".
    Calcular(u"1000"_s, u"5"_s, u"1000000"_s);
    EXPECT_EQ(CF(), u"ERROR"_s);
    Calcular(u"1"_s, u"5"_s, u"1"_s);
    EXPECT_EQ(CF(), u"1,05"_s);
    // A final capital beyond the range.
    Calcular(u"1E4500"_s, u"1E10"_s, u"100"_s);
    EXPECT_EQ(CF(), u"ERROR"_s);
}

} // namespace
