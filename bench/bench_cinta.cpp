// Speed and memory of the paper tape with a million lines: the cost of each append early and
// late in one run (it must not grow), the resident memory each line costs beyond its text,
// and the cost of one turn of the event loop once the tape is that long.
#include "TZURCuenta.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <QEventLoop>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int Lineas = 1'000'000;
constexpr int Tramo = 100'000;

long ResidenteBytes() {
    long total = 0;
    long residente = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &total, &residente) != 2)
            residente = 0;
        std::fclose(f);
    }
    return residente * sysconf(_SC_PAGESIZE);
}

// Operand values with varied digits, as a long working day would print them.
long double Valor(int i) {
    return static_cast<long double>(i) * 1.37L + static_cast<long double>(i % 977) / 1000.0L;
}

double CpuNs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e9 + static_cast<double>(t.tv_nsec);
}

// Runs the event loop until the list shows every line appended so far.
void EsperarPublicacion(TZURCuenta& cuenta) {
    while (cuenta.model()->rowCount() < cuenta.CantidadLineas())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();
}

std::unique_ptr<TZURCuenta> NuevaCuenta() {
    auto cuenta = std::make_unique<TZURCuenta>();
    cuenta->setCaracteresLinea(22);
    cuenta->resize(260, 400);
    cuenta->show();
    // The first line shown loads the font: done here, outside the timed appends.
    cuenta->AgregarTexto(u"0"_s);
    EsperarPublicacion(*cuenta);
    cuenta->Limpiar();
    QCoreApplication::processEvents();
    return cuenta;
}

// A million appends, handing control to the event loop every `state.range(0)` appends the
// way keystrokes would. The event-loop turns are timed with the appends around them. Wall
// and CPU time are both given: the machine may be shared.
void BM_MillonDeLineas(benchmark::State& state) {
    const int cadaCuanto = static_cast<int>(state.range(0));
    for (auto _ : state) {
        auto cuenta = NuevaCuenta();
        const long antes = ResidenteBytes();
        const QString sufijo = u" +"_s;
        double primeras = 0, ultimas = 0, cpuPrimeras = 0, cpuUltimas = 0;
        const auto inicio = std::chrono::steady_clock::now();
        const double cpuInicio = CpuNs();
        auto inicioTramo = inicio;
        double cpuInicioTramo = cpuInicio;
        for (int i = 0; i < Lineas; ++i) {
            cuenta->AgregarLinea(sufijo, Valor(i));
            if ((i + 1) % cadaCuanto == 0)
                QCoreApplication::processEvents();
            if ((i + 1) % Tramo == 0) {
                const auto ahora = std::chrono::steady_clock::now();
                const double cpuAhora = CpuNs();
                const double ns =
                    std::chrono::duration<double, std::nano>(ahora - inicioTramo).count();
                if (i + 1 == Tramo) {
                    primeras = ns / Tramo;
                    cpuPrimeras = (cpuAhora - cpuInicioTramo) / Tramo;
                }
                if (i + 1 == Lineas) {
                    ultimas = ns / Tramo;
                    cpuUltimas = (cpuAhora - cpuInicioTramo) / Tramo;
                }
                inicioTramo = ahora;
                cpuInicioTramo = cpuAhora;
            }
        }
        const double media =
            std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - inicio)
                .count() /
            Lineas;
        const double cpuMedia = (CpuNs() - cpuInicio) / Lineas;
        // Memory once the list has taken in and laid out every line.
        EsperarPublicacion(*cuenta);
        const long despues = ResidenteBytes();

        // One byte per character of the program's lines.
        long long caracteres = 0;
        for (int i = 0; i < cuenta->CantidadLineas(); ++i)
            caracteres += cuenta->Texto().BytesLinea(i).size();
        state.counters["ns_primeras"] = primeras;
        state.counters["ns_ultimas"] = ultimas;
        state.counters["ns_media"] = media;
        state.counters["cpu_ns_primeras"] = cpuPrimeras;
        state.counters["cpu_ns_ultimas"] = cpuUltimas;
        state.counters["cpu_ns_media"] = cpuMedia;
        state.counters["bytes_texto_linea"] = static_cast<double>(caracteres) / Lineas;
        state.counters["bytes_extra_linea"] =
            (static_cast<double>(despues - antes) - static_cast<double>(caracteres)) / Lineas;
    }
}
BENCHMARK(BM_MillonDeLineas)
    ->Arg(10)
    ->Arg(100)
    ->Arg(1000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// What a keystroke costs the list once it holds a million lines, typing slowly enough that
// every line is shown at once: laying the whole list out again.
void BM_DisposicionConMillonDeLineas(benchmark::State& state) {
    auto cuenta = NuevaCuenta();
    for (int i = 0; i < Lineas; ++i)
        cuenta->AgregarLinea(u" +"_s, Valor(i));
    EsperarPublicacion(*cuenta);
    for (auto _ : state)
        cuenta->doItemsLayout();
}
BENCHMARK(BM_DisposicionConMillonDeLineas)->Unit(benchmark::kMillisecond);

} // namespace
