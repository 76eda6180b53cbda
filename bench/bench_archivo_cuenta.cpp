// Saving and loading a tape of a million lines, beside a plain write and read of the same
// bytes in the same run: the cost of line ends, code pages and the atomic save is the ratio.
#include "ArchivoCuenta.h"
#include "ModeloLineas.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <utility>

#if defined(__GLIBC__)
#include <malloc.h>

using namespace Qt::StringLiterals;
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
                c << u" ---------------------"_s
                  << QString::number(i * 137).rightJustified(22) + u" T"_s << QString()
                  << QString();
            } else {
                c << (QString::number(i * 1.37, 'f', 2)
                          .replace(QLatin1Char('.'), QLatin1Char(','))
                          .rightJustified(22) +
                      u" +"_s);
            }
        }
        while (c.size() > Lineas)
            c.removeLast();
        return c;
    }();
    return cinta;
}

// The tape as the program holds it after typing it.
const TextoLineas& Texto() {
    static const TextoLineas texto(Cinta());
    return texto;
}

QByteArray Bytes() {
    return CodificarCuenta(Texto(), CodificacionCuenta::Windows1252);
}

struct Carpeta {
    QTemporaryDir dir;
    QString ruta = dir.filePath(u"cuenta.SUMA"_s);
};

Carpeta& Lugar() {
    static Carpeta c;
    return c;
}

// The files loaded: 0 the tape as the program writes it (plain ASCII); 1 and 2 the same with
// a euro sign in every separator line, in Windows-1252 and in UTF-8.
QString ArchivoVariante(int variante) {
    const QString ruta = Lugar().dir.filePath(u"variante%1.SUMA"_s.arg(variante));
    if (!QFile::exists(ruta)) {
        QByteArray datos;
        for (QString l : Cinta()) {
            QByteArray linea = l.toLatin1();
            if (variante > 0 && linea.startsWith(" ---"))
                linea.replace(11, 1, variante == 1 ? "\x80" : "\xE2\x82\xAC");
            datos += linea + "\r\n";
        }
        QFile f(ruta);
        if (!f.open(QIODevice::WriteOnly) || f.write(datos) != datos.size())
            qFatal("cannot write %s", qPrintable(ruta));
    }
    return ruta;
}

qint64 TamanoVariante(int variante) {
    return QFile(ArchivoVariante(variante)).size();
}

void Resumen(benchmark::State& state, qint64 bytes) {
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["lineas"] = Lineas;
}

void BM_GuardarCuenta(benchmark::State& state) {
    // The tape and the folder are made before the clock starts.
    const TextoLineas& texto = Texto();
    const QString& ruta = Lugar().ruta;
    for (auto _ : state)
        GuardarArchivoCuenta(ruta, texto, CodificacionCuenta::Windows1252);
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

// Whether a large buffer gets pages fresh from the system (each one faulted in and zeroed) or
// pages a previous buffer gave back depends on the allocator's history, which otherwise
// differs between cases and runs. Each case below fixes it: argument 0 reuses memory, as a
// program loading one tape after another mostly does; 1 takes fresh memory every time.
class Memoria {
public:
    explicit Memoria(bool nueva) {
#if defined(__GLIBC__)
        mallopt(M_MMAP_THRESHOLD, nueva ? 1 << 20 : 1 << 30);
        mallopt(M_TRIM_THRESHOLD, nueva ? 1 << 20 : 1 << 30);
#else
        Q_UNUSED(nueva);
#endif
    }
    ~Memoria() {
#if defined(__GLIBC__)
        mallopt(M_MMAP_THRESHOLD, 128 << 10);
        mallopt(M_TRIM_THRESHOLD, 128 << 10);
#endif
    }
};

// A tape file into the tape's line store: read, split and handed over.
void BM_CargarCuenta(benchmark::State& state) {
    const Memoria memoria(state.range(1) != 0);
    const QString ruta = ArchivoVariante(int(state.range(0)));
    ModeloLineas modelo;
    for (auto _ : state) {
        modelo.Reemplazar(LeerArchivoCuenta(ruta).Texto);
        if (modelo.Cantidad() != Lineas)
            state.SkipWithError("wrong line count");
        // Giving back the lines is not part of loading them.
        state.PauseTiming();
        modelo.Limpiar();
        state.ResumeTiming();
    }
    Resumen(state, TamanoVariante(int(state.range(0))));
}

void BM_LecturaPlana(benchmark::State& state) {
    const Memoria memoria(state.range(0) != 0);
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

// The split alone, without the disk: where the time beyond the plain read goes.
void BM_DecodificarEnMemoria(benchmark::State& state) {
    const Memoria memoria(false);
    const QByteArray original = Bytes();
    for (auto _ : state) {
        state.PauseTiming();
        QByteArray datos(original.constData(), original.size());
        state.ResumeTiming();
        TextoCuenta t = DecodificarCuenta(std::move(datos));
        benchmark::DoNotOptimize(t);
        state.PauseTiming();
        t = TextoCuenta();
        state.ResumeTiming();
    }
    Resumen(state, original.size());
}

} // namespace

BENCHMARK(BM_GuardarCuenta)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EscrituraPlana)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CargarCuenta)
    ->ArgsProduct({{0, 1, 2}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_LecturaPlana)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DecodificarEnMemoria)->Unit(benchmark::kMillisecond)->UseRealTime();
