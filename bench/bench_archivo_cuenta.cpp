// Saving and loading a tape of a million lines, beside a plain write and read of the same
// bytes in the same run: the cost of line ends, code pages and the atomic save is the ratio.
#include "ArchivoCuenta.h"
#include "ModeloLineas.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#endif

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

// The files loaded: 0 the tape as the program writes it (plain ASCII); 1 and 2 the same with
// a euro sign in every separator line, in Windows-1252 and in UTF-8.
QString ArchivoVariante(int variante) {
    const QString ruta = Lugar().dir.filePath(QStringLiteral("variante%1.SUMA").arg(variante));
    if (!QFile::exists(ruta)) {
        QStringList cinta = Cinta();
        for (QString& l : cinta)
            if (variante > 0 && l.startsWith(QStringLiteral(" ---")))
                l[11] = QChar(0x20AC);
        GuardarArchivoCuenta(ruta, cinta,
                             variante == 2 ? CodificacionCuenta::Utf8 : CodificacionCuenta::Windows1252);
    }
    return ruta;
}

qint64 TamanoVariante(int variante) { return QFile(ArchivoVariante(variante)).size(); }

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

// A tape file into the tape's line store: read, decoded and handed over.
void BM_CargarCuenta(benchmark::State& state) {
    const QString ruta = ArchivoVariante(int(state.range(0)));
    ModeloLineas modelo;
    for (auto _ : state) {
        TextoCuenta t = LeerTextoCuenta(ruta);
        modelo.ReemplazarTexto(std::move(t.Texto), std::move(t.Inicios));
        if (modelo.Cantidad() != Lineas)
            state.SkipWithError("wrong line count");
        // Giving back the lines is not part of loading them.
        state.PauseTiming();
        modelo.Limpiar();
        state.ResumeTiming();
    }
    Resumen(state, TamanoVariante(int(state.range(0))));
}

// For scale: the same through a list of a million strings, as the tape was loaded before.
void BM_CargarCuentaComoLista(benchmark::State& state) {
    const QString ruta = ArchivoVariante(0);
    ModeloLineas modelo;
    for (auto _ : state) {
        ContenidoCuenta c = LeerArchivoCuenta(ruta);
        modelo.Reemplazar(c.Lineas);
        state.PauseTiming();
        c = ContenidoCuenta();
        modelo.Limpiar();
        state.ResumeTiming();
    }
    Resumen(state, TamanoVariante(0));
}

// Whether this read gets fresh pages from the system or those the previous iteration freed
// depends on the allocator's state: the two below tell the cases apart.
void BM_LecturaPlana(benchmark::State& state) {
    const QString ruta = ArchivoVariante(0);
    for (auto _ : state) {
        QFile f(ruta);
        if (!f.open(QIODevice::ReadOnly))
            state.SkipWithError("open failed");
        QByteArray datos = f.readAll();
        benchmark::DoNotOptimize(datos);
        state.PauseTiming();
        datos = QByteArray();
        state.ResumeTiming();
    }
    Resumen(state, TamanoVariante(0));
}

// The copy out of the page cache alone, into one buffer for every iteration.
void BM_LecturaPlanaMismoBufer(benchmark::State& state) {
    const QString ruta = ArchivoVariante(0);
    const qint64 n = TamanoVariante(0);
    QByteArray datos(n, '\0');
    for (auto _ : state) {
        QFile f(ruta);
        if (!f.open(QIODevice::ReadOnly) || f.read(datos.data(), n) != n)
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(datos.data());
    }
    Resumen(state, n);
}

#if defined(__linux__)
// The same read into memory fresh from the system, as a program reading a large file once
// gets it, and as the loaded text always is (too large for the allocator to keep around):
// the kernel's page faults are counted.
void BM_LecturaPlanaMemoriaNueva(benchmark::State& state) {
    const QString ruta = ArchivoVariante(0);
    const qint64 n = TamanoVariante(0);
    for (auto _ : state) {
        QFile f(ruta);
        void* m = mmap(nullptr, size_t(n), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (m == MAP_FAILED || !f.open(QIODevice::ReadOnly) || f.read(static_cast<char*>(m), n) != n)
            state.SkipWithError("read failed");
        state.PauseTiming();
        if (m != MAP_FAILED)
            munmap(m, size_t(n));
        state.ResumeTiming();
    }
    Resumen(state, n);
}
#endif

// For scale: the plain read turned into a list of lines the obvious way (CR LF only).
void BM_LecturaPlanaEnLineas(benchmark::State& state) {
    for (auto _ : state) {
        QFile f(ArchivoVariante(0));
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
        TextoCuenta t = DecodificarTextoCuenta(datos);
        benchmark::DoNotOptimize(t);
        state.PauseTiming();
        t = TextoCuenta();
        state.ResumeTiming();
    }
    Resumen(state, datos.size());
}

} // namespace

BENCHMARK(BM_GuardarCuenta)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EscrituraPlana)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CargarCuenta)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LecturaPlana)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LecturaPlanaMismoBufer)->Unit(benchmark::kMillisecond)->UseRealTime();
#if defined(__linux__)
BENCHMARK(BM_LecturaPlanaMemoriaNueva)->Unit(benchmark::kMillisecond)->UseRealTime();
#endif
BENCHMARK(BM_CargarCuentaComoLista)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LecturaPlanaEnLineas)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CodificarEnMemoria)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DecodificarEnMemoria)->Unit(benchmark::kMillisecond)->UseRealTime();
