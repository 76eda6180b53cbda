// Saving and loading a tape of a million lines, beside a plain write and read of the same
// bytes in the same run: the cost of line ends, code pages and the atomic save is the ratio.
#include "ArchivoCuenta.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int Lineas = 1'000'000;

// Number lines of 24 characters as the tape prints them, with a total block every 20 lines.
const QStringList& Cinta() {
    static const QStringList cinta = [] {
        QStringList c;
        c.reserve(Lineas);
        for (int i = 0; c.size() < Lineas; ++i) {
            if (i % 20 == 19) {
                c << QStringLiteral(" ---------------------")
                  << QString::number(i * 137).rightJustified(22) + QStringLiteral(" T") << QString()
                  << QString();
            } else {
                c << (QString::number(i * 1.37, 'f', 2).replace(QLatin1Char('.'), QLatin1Char(','))
                          .rightJustified(22) +
                      QStringLiteral(" +"));
            }
        }
        while (c.size() > Lineas)
            c.removeLast();
        return c;
    }();
    return cinta;
}

QByteArray Bytes() {
    CodificacionCuenta cod = CodificacionCuenta::Windows1252;
    return CodificarCuenta(Cinta(), cod);
}

struct Carpeta {
    QTemporaryDir dir;
    QString ruta = dir.filePath(QStringLiteral("cuenta.SUMA"));
};

Carpeta& Lugar() {
    static Carpeta c;
    return c;
}

void Resumen(benchmark::State& state, qint64 bytes) {
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["lineas"] = Lineas;
}

void BM_GuardarCuenta(benchmark::State& state) {
    const QStringList& cinta = Cinta();
    for (auto _ : state)
        GuardarArchivoCuenta(Lugar().ruta, cinta, CodificacionCuenta::Windows1252);
    Resumen(state, Bytes().size());
}

void BM_EscrituraPlana(benchmark::State& state) {
    const QByteArray datos = Bytes();
    for (auto _ : state) {
        QFile f(Lugar().ruta);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(datos) != datos.size())
            state.SkipWithError("write failed");
        f.close();
    }
    Resumen(state, datos.size());
}

void BM_CargarCuenta(benchmark::State& state) {
    GuardarArchivoCuenta(Lugar().ruta, Cinta(), CodificacionCuenta::Windows1252);
    for (auto _ : state) {
        ContenidoCuenta c = LeerArchivoCuenta(Lugar().ruta);
        if (c.Lineas.size() != Lineas)
            state.SkipWithError("wrong line count");
        benchmark::DoNotOptimize(c);
        // Freeing a million strings is not part of loading them.
        state.PauseTiming();
        c = ContenidoCuenta();
        state.ResumeTiming();
    }
    Resumen(state, Bytes().size());
}

void BM_LecturaPlana(benchmark::State& state) {
    GuardarArchivoCuenta(Lugar().ruta, Cinta(), CodificacionCuenta::Windows1252);
    for (auto _ : state) {
        QFile f(Lugar().ruta);
        if (!f.open(QIODevice::ReadOnly))
            state.SkipWithError("open failed");
        QByteArray datos = f.readAll();
        benchmark::DoNotOptimize(datos);
        state.PauseTiming();
        datos = QByteArray();
        state.ResumeTiming();
    }
    Resumen(state, Bytes().size());
}

// For scale: the plain read turned into a list of lines the obvious way (CR LF only).
void BM_LecturaPlanaEnLineas(benchmark::State& state) {
    GuardarArchivoCuenta(Lugar().ruta, Cinta(), CodificacionCuenta::Windows1252);
    for (auto _ : state) {
        QFile f(Lugar().ruta);
        if (!f.open(QIODevice::ReadOnly))
            state.SkipWithError("open failed");
        QStringList lineas = QString::fromLatin1(f.readAll()).split(QStringLiteral("\r\n"));
        benchmark::DoNotOptimize(lineas);
        state.PauseTiming();
        lineas = QStringList();
        state.ResumeTiming();
    }
    Resumen(state, Bytes().size());
}

// The two halves of the work without the disk: where the time beyond the plain I/O goes.
void BM_CodificarEnMemoria(benchmark::State& state) {
    const QStringList& cinta = Cinta();
    for (auto _ : state) {
        CodificacionCuenta cod = CodificacionCuenta::Windows1252;
        benchmark::DoNotOptimize(CodificarCuenta(cinta, cod));
    }
    Resumen(state, Bytes().size());
}

void BM_DecodificarEnMemoria(benchmark::State& state) {
    const QByteArray datos = Bytes();
    for (auto _ : state) {
        ContenidoCuenta c = DecodificarCuenta(datos);
        benchmark::DoNotOptimize(c);
        state.PauseTiming();
        c = ContenidoCuenta();
        state.ResumeTiming();
    }
    Resumen(state, datos.size());
}

} // namespace

BENCHMARK(BM_GuardarCuenta)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EscrituraPlana)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CargarCuenta)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LecturaPlana)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LecturaPlanaEnLineas)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CodificarEnMemoria)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DecodificarEnMemoria)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
