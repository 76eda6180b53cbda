// The input rule of the financial dialogs: numbers written the Spanish way and the fixed
// message. The rule applied to a dialog's boxes is tested with the interest dialogs.
#include "ReglaEntrada.h"

#include <gtest/gtest.h>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

struct CasoReal {
    const char* nombre;
    QString texto;
    std::optional<long double> valor;
};

class ConvertirRealTest : public ::testing::TestWithParam<CasoReal> {};

TEST_P(ConvertirRealTest, LeeElTextoConLasReglasEspanolas) {
    EXPECT_EQ(ConvertirReal(GetParam().texto), GetParam().valor);
}

const std::nullopt_t No = std::nullopt;
const CasoReal kCasos[] = {{"Entero", u"1000"_s, 1000.0L},
                           {"DecimalesExactosEnLongDouble", u"0,1"_s, 0.1L},
                           {"BlancosAlrededor", u"  12,25  "_s, 12.25L},
                           {"SignoMenos", u"-3"_s, -3.0L},
                           {"SignoMas", u"+3"_s, 3.0L},
                           {"ComaAlPrincipio", u",5"_s, 0.5L},
                           {"ComaAlFinal", u"5,"_s, 5.0L},
                           {"Exponente", u"1,5E3"_s, 1500.0L},
                           {"ExponenteMinusculaNegativo", u"25e-1"_s, 2.5L},
                           {"Vacio", u""_s, No},
                           {"MenosSolo", u"-"_s, No},
                           {"ComaSola", u","_s, No},
                           {"DosComas", u"1,000,5"_s, No},
                           {"PuntoDeMiles", u"1.000"_s, No},
                           {"BlancoEnMedio", u"1 000"_s, No},
                           {"ExponenteSinCifras", u"1E"_s, No},
                           {"Infinito", u"inf"_s, No},
                           {"Hexadecimal", u"0x10"_s, No},
                           {"FueraDeRango", u"1E5000"_s, No}};
INSTANTIATE_TEST_SUITE_P(Textos, ConvertirRealTest, ::testing::ValuesIn(kCasos),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST(MensajeErrorFormatoTest, EsElTextoFijoDe206Caracteres) {
    const QString m = MensajeErrorFormato();
    EXPECT_EQ(m.size(), 206);
    EXPECT_TRUE(
        m.startsWith(u"Error en el formato de números.\r\n\rCompruebe que se ha escrito"_s));
    EXPECT_TRUE(m.endsWith(u"generalmente suele ser el caracter <coma>."_s));
}

} // namespace
