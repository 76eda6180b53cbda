// Time to write a 1000-year loan schedule (12 000 rows): building the report lines alone, and
// the whole "Calcular" of the loan dialog up to the report box painted on screen.
#include "CalculosFinancieros.h"
#include "TPrestamoFrances.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

void BM_InformeMilAnios(benchmark::State& estado) {
    for (auto _ : estado) {
        QStringList lineas = InformePrestamo(100000, 5, AniosMaximos, u"420,83"_s);
        benchmark::DoNotOptimize(lineas);
    }
    estado.SetItemsProcessed(estado.iterations() * 12 * AniosMaximos);
}
BENCHMARK(BM_InformeMilAnios)->Unit(benchmark::kMillisecond);

void BM_CalcularMilAniosEnPantalla(benchmark::State& estado) {
    TPrestamoFrances dialogo;
    dialogo.C->setText(u"100000"_s);
    dialogo.IA->setText(u"5"_s);
    dialogo.NA->setText(u"1000"_s);
    dialogo.show();
    for (auto _ : estado) {
        dialogo.BotonCalcularClick();
        dialogo.Informe->viewport()->repaint();
    }
    estado.SetItemsProcessed(estado.iterations() * 12 * AniosMaximos);
}
BENCHMARK(BM_CalcularMilAniosEnPantalla)->Unit(benchmark::kMillisecond);

} // namespace
