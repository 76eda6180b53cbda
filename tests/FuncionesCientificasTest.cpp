// Tests of the calculator's single-value functions against high-precision reference values,
// in the three angle units, and of their failure cases.
#include "FuncionesCientificas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <ostream>
#include <string>

using namespace cientificas;

namespace {

// Distance between a result and its reference, in 80-bit units in the last place.
long double Ulps(long double obtenido, long double referencia) {
    if (referencia == 0)
        return obtenido == 0 ? 0 : INFINITY;
    const long double ulp = ldexpl(1.0L, ilogbl(referencia) - 63);
    return fabsl(obtenido - referencia) / ulp;
}

std::string Hex(long double v) {
    char texto[64];
    std::snprintf(texto, sizeof texto, "%La", v);
    return texto;
}

using Funcion = long double (*)(long double);
constexpr long double Falla = NAN; // the row expects a non-finite result

struct CasoAngular {
    const char* nombre;
    Funcion funcion;
    TAngularConversion unidad;
    long double entrada;
    long double esperado;
    int tolerancia = 2; // ulps
};

const CasoAngular casosAngulares[] = {
    {"sin30Deg", Seno, acDEG, 30, 0.5L},
    {"sinPi6Rad", Seno, acRAD, Pi / 6, 0.5L},
    {"sin50Grad", Seno, acGRAD, 50, 0.7071067811865475244008443621048490393L},
    {"cos60Deg", Coseno, acDEG, 60, 0.5L},
    {"cos0Rad", Coseno, acRAD, 0, 1},
    {"cos200Grad", Coseno, acGRAD, 200, -1},
    {"tan45Deg", Tangente, acDEG, 45, 1},
    {"tan50Grad", Tangente, acGRAD, 50, 1},
    {"cot45Deg", Cotangente, acDEG, 45, 1},
    {"cotPi8Rad", Cotangente, acRAD, Pi / 8, 2.414213562373095048801688724209698079L},
    {"cot0Deg", Cotangente, acDEG, 0, Falla},
    {"cot0Rad", Cotangente, acRAD, 0, Falla},
    {"cot0Grad", Cotangente, acGRAD, 0, Falla},
    {"asin2Rad", ArcoSeno, acRAD, 2, Falla},
    {"asin2Deg", ArcoSeno, acDEG, 2, 0.03491367769880627123497483171709076933L},
    {"asin60Deg", ArcoSeno, acDEG, 60, Falla},
    {"asin2Grad", ArcoSeno, acGRAD, 2, 0.03142109654517486975234042755715748975L},
    {"asin70Grad", ArcoSeno, acGRAD, 70, Falla},
    {"asinHalfRad", ArcoSeno, acRAD, 0.5L, 0.523598775598298873077107230546583814L},
    {"acosHalfRad", ArcoCoseno, acRAD, 0.5L, 1.047197551196597746154214461093167628L},
    {"acos30Deg", ArcoCoseno, acDEG, 30, 1.019726743695450250751405049779652226L},
    {"acosMinus1point5Rad", ArcoCoseno, acRAD, -1.5L, Falla},
    {"atan1Rad", ArcoTangente, acRAD, 1, 0.785398163397448309615660845819875721L},
    {"atan45Deg", ArcoTangente, acDEG, 45, 0.6657737500283538635905177085121752092L},
    {"sinh180Deg", SenoHiperbolico, acDEG, 180, 11.54873935725774837797733431538840968L, 4},
    {"sinh200Grad", SenoHiperbolico, acGRAD, 200, 11.54873935725774837797733431538840968L, 4},
    {"sinhOverflowRad", SenoHiperbolico, acRAD, 1e5L, Falla},
    {"cosh1Rad", CosenoHiperbolico, acRAD, 1, 1.543080634815243778477905620757061683L},
    {"coshOverflowDeg", CosenoHiperbolico, acDEG, 1e7L, Falla},
    {"tanhHalfRad", TangenteHiperbolica, acRAD, 0.5L, 0.4621171572600097585023184836436725487L},
    {"tanhHugeRad", TangenteHiperbolica, acRAD, 1e6L, 1},
    {"asinh1Rad", ArcoSenoHiperbolico, acRAD, 1, 0.881373587019543025232609324979792309L},
    {"acoshHalfRad", ArcoCosenoHiperbolico, acRAD, 0.5L, Falla},
    {"acosh1Rad", ArcoCosenoHiperbolico, acRAD, 1, 0},
    {"acosh180Deg", ArcoCosenoHiperbolico, acDEG, 180, 1.81152627246085310702185204930542051L, 4},
    {"atanh1Rad", ArcoTangenteHiperbolica, acRAD, 1, Falla},
    {"atanhHalfRad", ArcoTangenteHiperbolica, acRAD, 0.5L, 0.5493061443340548456976226184612628523L},
    {"atanh200Grad", ArcoTangenteHiperbolica, acGRAD, 200, Falla},
};

void PrintTo(const CasoAngular& c, std::ostream* os) { *os << c.nombre; }

class FuncionAngular : public ::testing::TestWithParam<CasoAngular> {};

TEST_P(FuncionAngular, DaElValorDeReferenciaOFalla) {
    const CasoAngular& c = GetParam();
    const long double r = c.funcion(ArgumentoAngular(c.entrada, c.unidad));
    if (std::isnan(c.esperado))
        EXPECT_FALSE(std::isfinite(r)) << Hex(r);
    else
        EXPECT_LE(Ulps(r, c.esperado), c.tolerancia) << Hex(r) << " vs " << Hex(c.esperado);
}

INSTANTIATE_TEST_SUITE_P(Tabla, FuncionAngular, ::testing::ValuesIn(casosAngulares),
                         [](const auto& info) { return std::string(info.param.nombre); });

// A right angle converted to radians is not exactly pi/2: the cosine is tiny but not zero,
// and the tangent huge but finite, never a failure.
TEST(FuncionAngular, AnguloRectoNoEsExacto) {
    const struct {
        TAngularConversion unidad;
        long double recto;
    } rectos[] = {{acDEG, 90}, {acGRAD, 100}, {acRAD, Pi / 2}};
    for (const auto& r : rectos) {
        SCOPED_TRACE(int(r.unidad));
        const long double a = ArgumentoAngular(r.recto, r.unidad);
        const long double c = Coseno(a);
        EXPECT_NE(c, 0);
        EXPECT_LT(fabsl(c), 1e-18L);
        const long double t = Tangente(a);
        EXPECT_TRUE(std::isfinite(t));
        EXPECT_GT(fabsl(t), 1e18L);
    }
}

struct CasoSimple {
    const char* nombre;
    Funcion funcion;
    long double entrada;
    long double esperado;
};

const CasoSimple casosSimples[] = {
    {"sqrt16", RaizCuadrada, 16, 4},
    {"sqrt2", RaizCuadrada, 2, 1.414213562373095048801688724209698079L},
    {"sqrtMinus4", RaizCuadrada, -4, Falla},
    {"ln10", LogaritmoNatural, 10, 2.302585092994045684017991454684364208L},
    {"ln0", LogaritmoNatural, 0, Falla},
    {"lnMinus1", LogaritmoNatural, -1, Falla},
    {"log1000", LogaritmoBase10, 1000, 3},
    {"log0", LogaritmoBase10, 0, Falla},
    {"logMinus5", LogaritmoBase10, -5, Falla},
    {"inv4", Inverso, 4, 0.25L},
    {"invMinus8", Inverso, -8, -0.125L},
    {"inv0", Inverso, 0, Falla},
    {"fact16", Factorial, 16, 20922789888000.0L},
    {"fact17", Factorial, 17, Falla},
    {"fact4point9", Factorial, 4.9L, 24},
    {"fact16point99", Factorial, 16.99L, 20922789888000.0L},
    {"fact1", Factorial, 1, 1},
    {"fact0", Factorial, 0, 1},
    {"factMinus3", Factorial, -3, 1},
    {"factMinusHuge", Factorial, -1e30L, Falla},
    {"fact1e30", Factorial, 1e30L, Falla},
    {"factTwoTo63", Factorial, 9223372036854775808.0L, Falla},
};

void PrintTo(const CasoSimple& c, std::ostream* os) { *os << c.nombre; }

class FuncionSimple : public ::testing::TestWithParam<CasoSimple> {};

TEST_P(FuncionSimple, DaElValorDeReferenciaOFalla) {
    const CasoSimple& c = GetParam();
    const long double r = c.funcion(c.entrada);
    if (std::isnan(c.esperado))
        EXPECT_FALSE(std::isfinite(r)) << Hex(r);
    else
        EXPECT_LE(Ulps(r, c.esperado), 1) << Hex(r) << " vs " << Hex(c.esperado);
}

INSTANTIATE_TEST_SUITE_P(Tabla, FuncionSimple, ::testing::ValuesIn(casosSimples),
                         [](const auto& info) { return std::string(info.param.nombre); });

struct CasoPotencia {
    const char* nombre;
    long double base, exponente, esperado;
};

const CasoPotencia casosPotencia[] = {
    {"dosALaDiez", 2, 10, 1024},
    {"dosALaMenosDos", 2, -2, 0.25L},
    {"menosDosAlCubo", -2, 3, -8},
    {"menosDosALaMenosUno", -2, -1, -0.5L},
    {"ceroALaCero", 0, 0, 1},
    {"cincoALaCero", 5, 0, 1},
    {"ceroALaDosYMedio", 0, 2.5L, 0},
    {"ceroALaMenosUno", 0, -1, Falla},
    {"ceroALaMenosMedio", 0, -0.5L, Falla},
    {"menosOchoAUnTercio", -8, 1 / 3.0L, Falla},
    {"dosALaMedia", 2, 0.5L, 1.414213562373095048801688724209698079L},
    {"diezALaCincoMil", 10, 5000, Falla},
    {"diezALaCincoMilYMedio", 10, 5000.5L, Falla},
};

void PrintTo(const CasoPotencia& c, std::ostream* os) { *os << c.nombre; }

class PotenciaTabla : public ::testing::TestWithParam<CasoPotencia> {};

TEST_P(PotenciaTabla, SigueLasReglasDeLaPotencia) {
    const CasoPotencia& c = GetParam();
    const long double r = Potencia(c.base, c.exponente);
    if (std::isnan(c.esperado))
        EXPECT_FALSE(std::isfinite(r)) << Hex(r);
    else
        EXPECT_LE(Ulps(r, c.esperado), 2) << Hex(r) << " vs " << Hex(c.esperado);
}

INSTANTIATE_TEST_SUITE_P(Tabla, PotenciaTabla, ::testing::ValuesIn(casosPotencia),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST(Potencia, DesbordamientoEsInfinito) {
    EXPECT_EQ(Potencia(10, 5000), INFINITY);
    EXPECT_TRUE(std::isnan(Potencia(-8, 1 / 3.0L)));
}

// The whole-exponent path rounds like repeated multiplication, not like exp/log: the
// compound-interest result 1000 x 1.05^3 must come out as 1157.625 - 2^-52 in 80 bits.
TEST(Potencia, ExponenteEnteroMultiplicaSinLogaritmos) {
    const long double x = 5 / 100.0L + 1;
    EXPECT_EQ(Potencia(x, 3) * 1000, 0x90b3fffffffffffep-53L) << Hex(Potencia(x, 3) * 1000);
    EXPECT_EQ(0x90b3fffffffffffep-53L, 1157.625L - 0x1p-52L);
    EXPECT_EQ(Potencia(3, 40), 12157665459056928801.0L); // 3^40 < 2^64: exact
    EXPECT_EQ(Potencia(-1, 2147483647), -1);
}

} // namespace
