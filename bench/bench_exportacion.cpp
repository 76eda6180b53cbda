// A tape of a million lines as a spreadsheet and as a recovery copy, beside the tape file's
// own encoding of the same lines in the same run: the ratio is what the export and the
// copy cost over a plain save. The copy is made on the UI thread from a timer, so its
// absolute time bounds the pause it causes.
#include "ArchivoCuenta.h"
#include "ArchivoRecuperacion.h"
#include "CsvCinta.h"

#include <QStringList>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int Lineas = 1'000'000;

const TextoLineas& Texto() {
    static const TextoLineas texto = [] {
        QStringList c;
        c.reserve(Lineas);
        for (int i = 0; c.size() < Lineas; ++i)
            c << QString::number(i * 1.37, 'f', 2).replace(u'.', u',').rightJustified(22) + u" +"_s;
        return TextoLineas(c);
    }();
    return texto;
}

void ArchivoCuentaBytes(benchmark::State& estado) {
    for (auto _ : estado)
        benchmark::DoNotOptimize(CodificarCuenta(Texto(), CodificacionCuenta::Windows1252));
}
BENCHMARK(ArchivoCuentaBytes)->Unit(benchmark::kMillisecond);

void CopiaRecuperacion(benchmark::State& estado) {
    for (auto _ : estado)
        benchmark::DoNotOptimize(CodificarRecuperacion(Texto()));
}
BENCHMARK(CopiaRecuperacion)->Unit(benchmark::kMillisecond);

void HojaCsv(benchmark::State& estado) {
    for (auto _ : estado)
        benchmark::DoNotOptimize(CsvCinta(Texto(), {}).Bytes());
}
BENCHMARK(HojaCsv)->Unit(benchmark::kMillisecond);

} // namespace
