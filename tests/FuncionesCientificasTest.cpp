// Tests of the calculator's single-value functions against high-precision reference values,
// in the three angle units, and of their failure cases.
#include "FuncionesCientificas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <utility>

using namespace cientificas;

namespace {

constexpr long double Falla = NAN; // the row expects a non-finite result

std::string Hex(long double v) {
    char texto[64];
    std::snprintf(texto, sizeof texto, "%La", v);
    return texto;
}

// The result equals the reference to within two 80-bit units in the last place, or is not
// finite where the row expects a failure.
void Comprobar(long double r, long double esperado) {
    if (std::isnan(esperado)) {
        EXPECT_FALSE(std::isfinite(r)) << Hex(r);
    } else if (esperado == 0) {
        EXPECT_EQ(r, 0) << Hex(r);
    } else {
        const long double ulp = ldexpl(1.0L, ilogbl(esperado) - 63);
        EXPECT_LE(fabsl(r - esperado) / ulp, 2) << Hex(r) << " vs " << Hex(esperado);
    }
}

struct Caso {
    const char* nombre;
    long double (*funcion)(long double);
    TAngularConversion unidad; // functions without an angle take radians, which pass unchanged
    long double entrada, esperado;
};

const Caso kCasos[] = {
    {"seno30Deg", Seno, acDEG, 30, 0.5L},
    {"senoPiSextosRad", Seno, acRAD, Pi / 6, 0.5L},
    {"seno50Grad", Seno, acGRAD, 50, 0.7071067811865475244008443621048490393L},
    {"coseno200Grad", Coseno, acGRAD, 200, -1},
    {"tangente50Grad", Tangente, acGRAD, 50, 1},
    {"cotangentePiOctavosRad", Cotangente, acRAD, Pi / 8, 2.414213562373095048801688724209698079L},
    {"cotangente0Deg", Cotangente, acDEG, 0, Falla},
    {"arcoseno2Deg", ArcoSeno, acDEG, 2, 0.03491367769880627123497483171709076933L},
    {"arcoseno60Deg", ArcoSeno, acDEG, 60, Falla},
    {"arcoseno2Grad", ArcoSeno, acGRAD, 2, 0.03142109654517486975234042755715748975L},
    {"arcocoseno30Deg", ArcoCoseno, acDEG, 30, 1.019726743695450250751405049779652226L},
    {"arcocosenoMenos1ComaCincoRad", ArcoCoseno, acRAD, -1.5L, Falla},
    {"arcotangente45Deg", ArcoTangente, acDEG, 45, 0.6657737500283538635905177085121752092L},
    {"senoHiperbolico200Grad", SenoHiperbolico, acGRAD, 200,
     11.54873935725774837797733431538840968L},
    {"senoHiperbolicoDesbordaRad", SenoHiperbolico, acRAD, 1e5L, Falla},
    {"cosenoHiperbolicoDesbordaDeg", CosenoHiperbolico, acDEG, 1e7L, Falla},
    {"tangenteHiperbolicaMedioRad", TangenteHiperbolica, acRAD, 0.5L,
     0.4621171572600097585023184836436725487L},
    {"tangenteHiperbolicaEnormeRad", TangenteHiperbolica, acRAD, 1e6L, 1},
    {"arcosenoHiperbolico1Rad", ArcoSenoHiperbolico, acRAD, 1,
     0.881373587019543025232609324979792309L},
    {"arcocosenoHiperbolicoMedioRad", ArcoCosenoHiperbolico, acRAD, 0.5L, Falla},
    {"arcocosenoHiperbolico1Rad", ArcoCosenoHiperbolico, acRAD, 1, 0},
    {"arcocosenoHiperbolico180Deg", ArcoCosenoHiperbolico, acDEG, 180,
     1.81152627246085310702185204930542051L},
    {"arcotangenteHiperbolica1Rad", ArcoTangenteHiperbolica, acRAD, 1, Falla},
    {"arcotangenteHiperbolicaMedioRad", ArcoTangenteHiperbolica, acRAD, 0.5L,
     0.5493061443340548456976226184612628523L},
    {"raiz2", RaizCuadrada, acRAD, 2, 1.414213562373095048801688724209698079L},
    {"raizMenos4", RaizCuadrada, acRAD, -4, Falla},
    {"logaritmoNatural10", LogaritmoNatural, acRAD, 10, 2.302585092994045684017991454684364208L},
    {"logaritmoNatural0", LogaritmoNatural, acRAD, 0, Falla},
    {"logaritmo1000", LogaritmoBase10, acRAD, 1000, 3},
    {"logaritmoMenos5", LogaritmoBase10, acRAD, -5, Falla},
    {"inversoMenos8", Inverso, acRAD, -8, -0.125L},
    {"inverso0", Inverso, acRAD, 0, Falla},
    {"factorial16", Factorial, acRAD, 16, 20922789888000.0L},
    {"factorial17", Factorial, acRAD, 17, Falla},
    {"factorial16Coma99", Factorial, acRAD, 16.99L, 20922789888000.0L},
    {"factorial0", Factorial, acRAD, 0, 1},
    {"factorialMenos3", Factorial, acRAD, -3, 1},
    {"factorialMenosEnorme", Factorial, acRAD, -1e30L, Falla},
    {"factorialDosALa63", Factorial, acRAD, 9223372036854775808.0L, Falla},
};

class Funcion : public ::testing::TestWithParam<Caso> {};

TEST_P(Funcion, DaElValorDeReferenciaOFalla) {
    const Caso& c = GetParam();
    Comprobar(c.funcion(ArgumentoAngular(c.entrada, c.unidad)), c.esperado);
}

INSTANTIATE_TEST_SUITE_P(Tabla, Funcion, ::testing::ValuesIn(kCasos),
                         [](const auto& info) { return std::string(info.param.nombre); });

// A right angle converted to radians is not exactly pi/2: the cosine is tiny but not zero,
// and the tangent huge but finite, never a failure.
TEST(FuncionAngular, AnguloRectoNoEsExacto) {
    for (auto [unidad, recto] : {std::pair{acDEG, 90.0L}, {acGRAD, 100.0L}, {acRAD, Pi / 2}}) {
        SCOPED_TRACE(int(unidad));
        const long double a = ArgumentoAngular(recto, unidad);
        EXPECT_NE(Coseno(a), 0);
        EXPECT_LT(fabsl(Coseno(a)), 1e-18L);
        EXPECT_TRUE(std::isfinite(Tangente(a)));
        EXPECT_GT(fabsl(Tangente(a)), 1e18L);
    }
}

TEST(Potencia, SigueLasReglasDeLaPotencia) {
    const struct {
        const char* nombre;
        long double base, exponente, esperado;
    } casos[] = {
        {"dosALaDiez", 2, 10, 1024},
        {"dosALaMenosDos", 2, -2, 0.25L},
        {"menosDosAlCubo", -2, 3, -8},
        {"menosDosALaMenosUno", -2, -1, -0.5L},
        {"ceroALaCero", 0, 0, 1},
        {"ceroALaDosYMedio", 0, 2.5L, 0},
        {"ceroALaMenosUno", 0, -1, Falla},
        {"ceroALaMenosMedio", 0, -0.5L, Falla},
        {"dosALaMedia", 2, 0.5L, 1.414213562373095048801688724209698079L},
        {"diezALaCincoMilYMedio", 10, 5000.5L, Falla},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        Comprobar(Potencia(c.base, c.exponente), c.esperado);
    }
    // An overflow is infinity, a domain error NaN: the tape names them differently.
    EXPECT_EQ(Potencia(10, 5000), INFINITY);
    EXPECT_TRUE(std::isnan(Potencia(-8, 1 / 3.0L)));
}

// The whole-exponent path rounds like repeated multiplication, not like exp/log: the
// compound-interest result 1000 x 1.05^3 must come out as 1157.625 - 2^-52 in 80 bits.
TEST(Potencia, ExponenteEnteroMultiplicaSinLogaritmos) {
    const long double x = 5 / 100.0L + 1;
    EXPECT_EQ(Potencia(x, 3) * 1000, 0x90b3fffffffffffep-53L) << Hex(Potencia(x, 3) * 1000);
    EXPECT_EQ(Potencia(3, 40), 12157665459056928801.0L); // 3^40 < 2^64: exact
    EXPECT_EQ(Potencia(-1, 2147483647), -1);
}

} // namespace
