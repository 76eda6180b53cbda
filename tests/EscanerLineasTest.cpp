// The line scanner against a byte-by-byte reading of the same rules, for every kernel, on
// bytes full of line breaks, NULs and bytes beyond ASCII, handed over in blocks of any size.
#include "EscanerLineas.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

struct Lectura {
    std::vector<quint32> Inicios;
    bool Nulo = false;
    qsizetype PrimerAlto = -1;
    bool SoloCrLf = true;
};

// The rules one byte at a time: a line starts at the first byte and after an LF or a CR not
// followed by an LF, never at the end.
Lectura Referencia(const std::string& d) {
    Lectura r;
    const size_t n = d.size();
    if (n > 0)
        r.Inicios.push_back(0);
    for (size_t i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(d[i]);
        const bool lf = c == '\n';
        const bool crSolo = c == '\r' && (i + 1 == n || d[i + 1] != '\n');
        if ((lf || crSolo) && i + 1 < n)
            r.Inicios.push_back(quint32(i + 1));
        if (crSolo || (lf && (i == 0 || d[i - 1] != '\r')))
            r.SoloCrLf = false;
        r.Nulo = r.Nulo || c == 0;
        if (c >= 0x80 && r.PrimerAlto < 0)
            r.PrimerAlto = qsizetype(i);
    }
    return r;
}

using N = EscanerLineas::Nucleo;
const char* const kNombres[] = {"Basico", "Avx2", "Avx512"};

class NucleoEscaner : public ::testing::TestWithParam<N> {};

// One kernel on cases of every kind, each handed over in blocks of random sizes. A kernel this
// processor cannot run is reported as skipped, never passed by the basic one standing in for it.
TEST_P(NucleoEscaner, LeeComoLaReferencia) {
    const N nucleo = GetParam();
    if (EscanerLineas(0, nucleo).NucleoUsado() != nucleo)
        GTEST_SKIP() << "este procesador no tiene este nucleo";
    std::mt19937 azar(20261206);
    // Mostly text, with runs of empty lines (more starts than a chunk has room for at once).
    std::string crlf, lf(20, '\n');
    for (int i = 0; i < 11; ++i)
        crlf += "\r\n";
    const std::string piezas[] = {
        "a", "12,5 +", " ", "\r\n", "\n", "\r", crlf, lf, std::string(1, '\0'), "\xC3\xB1"};
    std::vector<std::string> casos = {"", "\r", "\n", "\r\n", "a", "\r\r\n", "\n\r"};
    // NULs and bytes beyond ASCII only now and then, so most cases have none.
    std::discrete_distribution<int> pieza({40, 20, 10, 10, 8, 6, 2, 2, 2});
    for (int c = 0; c < 300; ++c) {
        std::string d;
        const size_t largo = c < 290 ? size_t(c) * 7 : size_t(400000);
        while (d.size() < largo) {
            const int k = pieza(azar);
            d += piezas[k < 8 ? k : c % 3 == 0 ? 8 : c % 3 == 1 ? 9 : 1];
        }
        casos.push_back(d);
    }
    for (size_t i = 0; i < casos.size(); ++i) {
        const std::string& d = casos[i];
        EscanerLineas e(qint64(d.size()), nucleo);
        for (size_t hecho = 0; hecho < d.size();) {
            hecho += std::uniform_int_distribution<size_t>(1, 300000)(azar);
            e.Avanzar(d.data(), qsizetype(std::min(hecho, d.size())));
        }
        e.Terminar(d.data(), qsizetype(d.size()));
        const Lectura esperada = Referencia(d);
        ASSERT_EQ(std::vector<quint32>(e.Inicios().begin(), e.Inicios().end()), esperada.Inicios)
            << "caso " << i;
        ASSERT_EQ(e.Nulo(), esperada.Nulo) << "caso " << i;
        ASSERT_EQ(e.PrimerAlto(), esperada.PrimerAlto) << "caso " << i;
        ASSERT_EQ(e.SoloCrLf(), esperada.SoloCrLf) << "caso " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(EscanerLineas, NucleoEscaner,
                         ::testing::Values(N::Basico, N::Avx2, N::Avx512),
                         [](const auto& i) { return std::string(kNombres[i.index]); });

TEST(EscanerLineas, ElMejorEsElMasRapidoQueHay) {
    const N mejor = EscanerLineas(0).NucleoUsado();
    EXPECT_NE(mejor, N::ElMejor);
    for (const N n : {N::Avx512, N::Avx2})
        if (EscanerLineas(0, n).NucleoUsado() == n) {
            EXPECT_EQ(mejor, n);
            break;
        }
}

} // namespace
