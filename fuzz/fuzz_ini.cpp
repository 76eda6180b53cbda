// The settings file: any bytes, one to three of the program's keys written with any text. With
// one key every other line keeps its bytes (or, when the file has to become UTF-8, every
// character); every other key reads as before, each key written reads back as written last,
// writing again changes nothing, and one write of several keys reads as the writes one by one.
#include "ArchivoIni.h"
#include "Exigir.h"

#include <QByteArrayList>
#include <QStringDecoder>

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

const char* const kClaves[][2] = {{"Opciones", "Formato"},
                                  {"Opciones", "Decimales"},
                                  {"Opciones", "Separador Miles"},
                                  {"Tipo de IVA", "IVA"},
                                  {"Imprimir", "Incluir Cabecera"},
                                  {"Imprimir", "L1"},
                                  {"Imprimir", "L2"},
                                  {"Imprimir", "L3"},
                                  {"Imprimir", "L4"},
                                  {"Skin", "Tipo"},
                                  {"Conversion", "DEG"},
                                  {"Conversion", "RAD"},
                                  {"Conversion", "GRAD"}};

bool Blanco(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\v' || c == u'\f' || c == u'\x1a';
}

// What a value reads back as: one line, without surrounding blanks.
QString Leido(QString v) {
    for (QChar& c : v)
        if (c == u'\n' || c == u'\r' || c == QChar(0))
            c = u' ';
    qsizetype a = 0, z = v.size();
    while (a < z && Blanco(v[a]))
        ++a;
    while (z > a && Blanco(v[z - 1]))
        --z;
    return v.mid(a, z - a);
}

// `despues` is `antes` with one stretch changed, and the stretch of `antes` that went is
// within one line: every other line keeps its bytes.
bool UnSoloCambio(const QByteArray& antes, const QByteArray& despues) {
    const qsizetype n = std::min(antes.size(), despues.size());
    qsizetype p = 0;
    while (p < n && antes[p] == despues[p])
        ++p;
    qsizetype s = 0;
    while (s < n - p && antes[antes.size() - 1 - s] == despues[despues.size() - 1 - s])
        ++s;
    return !antes.mid(p, antes.size() - s - p).contains('\n');
}

// Qt's own decoder (ICU's table), opened once.
QString Windows1252(const QByteArray& b) {
    static QStringDecoder d("windows-1252", QStringConverter::Flag::Stateless);
    return d(b);
}

// Names that may be sections and keys of the file, read in both encodings: more than there
// are is no harm (they are missing before and after).
std::vector<std::pair<QString, QString>> Candidatas(const QByteArray& datos) {
    std::vector<std::pair<QString, QString>> r;
    QByteArray seccion;
    for (const QByteArray& linea : datos.split('\n')) {
        const qsizetype a = linea.indexOf('['), z = linea.lastIndexOf(']');
        if (a >= 0 && z > a) {
            seccion = linea.mid(a + 1, z - a - 1);
            continue;
        }
        const qsizetype igual = linea.indexOf('=');
        if (igual <= 0 || r.size() >= 16)
            continue;
        const QByteArray clave = linea.left(igual);
        r.emplace_back(QString::fromUtf8(seccion).trimmed(), QString::fromUtf8(clave).trimmed());
        r.emplace_back(Windows1252(seccion).trimmed(), Windows1252(clave).trimmed());
    }
    return r;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider entrada(data, size);
    std::vector<ArchivoIni::Escritura> escrituras(entrada.ConsumeIntegralInRange(1, 3));
    for (ArchivoIni::Escritura& e : escrituras) {
        const auto& clave =
            kClaves[entrada.ConsumeIntegralInRange<size_t>(0, std::size(kClaves) - 1)];
        e.Seccion = QString::fromUtf8(clave[0]);
        e.Clave = QString::fromUtf8(clave[1]);
        e.Valor = QString::fromStdString(entrada.ConsumeRandomLengthString(80));
    }
    const std::string resto = entrada.ConsumeRemainingBytesAsString();
    const QByteArray antes(resto.data(), qsizetype(resto.size()));
    const QByteArray despues = ArchivoIni::ConEscrituras(antes, escrituras);

    if (escrituras.size() == 1 && !UnSoloCambio(antes, despues)) {
        // Only a Windows-1252 file may change as a whole, into UTF-8.
        EXIGIR(!QByteArrayView(antes).isValidUtf8());
        EXIGIR(UnSoloCambio(Windows1252(antes).toUtf8(), despues));
    }
    QByteArray unaAUna = antes;
    for (const ArchivoIni::Escritura& e : escrituras)
        unaAUna = ArchivoIni::ConEscrituras(unaAUna, {e});
    auto escrita = [&](const QString& s, const QString& k) {
        return std::find_if(escrituras.rbegin(), escrituras.rend(), [&](const auto& e) {
            return e.Seccion.compare(s, Qt::CaseInsensitive) == 0 &&
                   e.Clave.compare(k, Qt::CaseInsensitive) == 0;
        });
    };
    for (const ArchivoIni::Escritura& e : escrituras) {
        const std::optional<QString> v = ArchivoIni::ValorEn(despues, e.Seccion, e.Clave);
        EXIGIR(v == std::optional<QString>(Leido(escrita(e.Seccion, e.Clave)->Valor)));
        EXIGIR(v == ArchivoIni::ValorEn(unaAUna, e.Seccion, e.Clave));
    }
    for (const auto& [s, k] : Candidatas(antes)) {
        if (escrita(s, k) != escrituras.rend())
            continue;
        const std::optional<QString> v = ArchivoIni::ValorEn(antes, s, k);
        EXIGIR(v == ArchivoIni::ValorEn(despues, s, k));
        EXIGIR(v == ArchivoIni::ValorEn(unaAUna, s, k));
    }
    EXIGIR(ArchivoIni::ConEscrituras(despues, escrituras) == despues);
    return 0;
}
