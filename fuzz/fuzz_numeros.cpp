// Number texts: any 80-bit pattern in any of the formats. A value that is not finite reads
// "ERROR"; any other text reads back as a number within the format's precision.
#include "Exigir.h"
#include "FormatoNumero.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The text as the C library reads numbers: blanks and thousands points gone, a decimal point.
bool Leer(std::string t, long double* v) {
    std::string c;
    for (char ch : t) {
        if (ch == ' ' || ch == '.')
            continue;
        c += ch == ',' ? '.' : ch;
    }
    if (c.empty())
        return false;
    char* fin = nullptr;
    errno = 0;
    *v = std::strtold(c.c_str(), &fin);
    return *fin == '\0';
}

// |leido - v| within half a unit of the `digitos`-th significant digit plus half of the last
// decimal shown, and the little that reading the text back loses.
void Cerca(const std::string& texto, long double v, int digitos, int decimales) {
    if (!std::isfinite(v)) {
        EXIGIR(texto.find("ERROR") != std::string::npos);
        return;
    }
    long double leido = 0;
    EXIGIR(Leer(texto, &leido));
    const long double a = std::fabs(v);
    long double tolerancia =
        a * 0.5L * std::pow(10.0L, 1 - digitos) * 1.0001L + a * 1e-18L + LDBL_TRUE_MIN * 4;
    if (decimales >= 0)
        tolerancia += 0.5L * std::pow(10.0L, -decimales) * 1.0001L;
    // A number beyond the largest long double once rounded reads back as an infinity.
    if (std::isinf(leido))
        EXIGIR(a * (1 + std::pow(10.0L, 1 - digitos)) >= LDBL_MAX);
    else if (!(std::fabs(leido - v) <= tolerancia))
        std::fprintf(stderr, "«%s» de %.21Lg, leído %.21Lg (%d cifras, %d decimales)\n",
                     texto.c_str(), v, leido, digitos, decimales);
    EXIGIR(std::isinf(leido) || std::fabs(leido - v) <= tolerancia);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider entrada(data, size);
    unsigned char bits[sizeof(long double)] = {};
    const std::vector<uint8_t> patron = entrada.ConsumeBytes<uint8_t>(10);
    if (!patron.empty())
        std::memcpy(bits, patron.data(), patron.size());
    long double v;
    std::memcpy(&v, bits, sizeof v);
    const int forma = entrada.ConsumeIntegralInRange(0, 4);
    const int digitos = entrada.ConsumeIntegralInRange(2, 18);
    const int decimales = entrada.ConsumeIntegralInRange(0, 30);
    const int ancho = entrada.ConsumeIntegralInRange(0, 40);
    const bool miles = entrada.ConsumeBool();
    switch (forma) {
    case 0:
        Cerca(TextoGeneral(v, digitos), v, digitos, -1);
        break;
    case 1: {
        const std::string t = TextoFijo(v, decimales, digitos, miles);
        // More integer digits than `digitos`: the general text, which has no decimals.
        Cerca(t, v, digitos, t.find('E') == std::string::npos ? decimales : -1);
        break;
    }
    case 2:
        Cerca(FormatoG(v, ancho, digitos), v, digitos, -1);
        break;
    case 3:
        Cerca(FormatoF(v, ancho, decimales), v, 18, decimales);
        break;
    default:
        Cerca(FormatoN(v, ancho, decimales), v, 18, decimales);
        break;
    }
    return 0;
}
