// Speed of the number texts against the C library's printf on the same values: the
// register's general text, the tape's %22.18g form, and a bare "%.18Lg" as the yardstick.
#include "FormatoNumero.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

// 10^5 values of varied magnitude and length, the same in every run.
const std::vector<long double>& Valores() {
    static const std::vector<long double> valores = [] {
        std::mt19937_64 azar(1234567);
        std::uniform_int_distribution<int> exponente(-70, 70), clase(0, 3);
        std::vector<long double> v;
        v.reserve(100000);
        for (int i = 0; i < 100000; ++i) {
            long double x;
            if (clase(azar) == 0) // amounts with cents, as typed on the keypad
                x = (long double)(azar() % 10000000) / 100;
            else
                x = std::ldexp((long double)(azar() | (1ull << 63)), exponente(azar) - 63);
            v.push_back((azar() & 1) ? -x : x);
        }
        return v;
    }();
    return valores;
}

void BM_RegistroGeneral(benchmark::State& estado) {
    const auto& valores = Valores();
    for (auto _ : estado)
        for (long double v : valores) {
            std::string t = TextoGeneral(v, 18);
            if (t.size() > 20)
                t.resize(20);
            benchmark::DoNotOptimize(t);
        }
    estado.SetItemsProcessed(estado.iterations() * int64_t(valores.size()));
}
BENCHMARK(BM_RegistroGeneral)->Unit(benchmark::kMillisecond);

void BM_CintaG22_18(benchmark::State& estado) {
    const auto& valores = Valores();
    for (auto _ : estado)
        for (long double v : valores)
            benchmark::DoNotOptimize(FormatoG(v, 22, 18));
    estado.SetItemsProcessed(estado.iterations() * int64_t(valores.size()));
}
BENCHMARK(BM_CintaG22_18)->Unit(benchmark::kMillisecond);

void BM_CintaN22_3(benchmark::State& estado) {
    const auto& valores = Valores();
    for (auto _ : estado)
        for (long double v : valores)
            benchmark::DoNotOptimize(FormatoN(v, 22, 3));
    estado.SetItemsProcessed(estado.iterations() * int64_t(valores.size()));
}
BENCHMARK(BM_CintaN22_3)->Unit(benchmark::kMillisecond);

void BM_SnprintfLg18(benchmark::State& estado) {
    const auto& valores = Valores();
    char buf[64];
    for (auto _ : estado)
        for (long double v : valores) {
            std::snprintf(buf, sizeof buf, "%.18Lg", v);
            benchmark::DoNotOptimize(buf);
        }
    estado.SetItemsProcessed(estado.iterations() * int64_t(valores.size()));
}
BENCHMARK(BM_SnprintfLg18)->Unit(benchmark::kMillisecond);

} // namespace
