// The tape's text as bytes: lines, their code page and the appends.
#include "TextoLineas.h"

#include "ErrorSumadora.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F. The five bytes the code page leaves
// undefined map to the control characters of the same number, as Windows itself reads them,
// so every byte but NUL survives a load and a save.
constexpr char16_t Windows1252Altos[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr std::array<char16_t, 256> TablaWindows1252() {
    std::array<char16_t, 256> t{};
    for (int b = 0; b < 256; ++b)
        t[b] = (b >= 0x80 && b < 0xA0) ? Windows1252Altos[b - 0x80] : char16_t(b);
    return t;
}
constexpr std::array<char16_t, 256> DesdeWindows1252 = TablaWindows1252();

// The byte for c, or -1 when Windows-1252 has none.
int ByteWindows1252(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i)
        if (Windows1252Altos[i] == c)
            return 0x80 + i;
    return -1;
}

// Line starts are kept in 32 bits: four gigabytes of tape text is the end of the roll.
constexpr qsizetype MaximoBytes = std::numeric_limits<quint32>::max();

[[noreturn]] void Lleno() {
    throw ErrorSumadora(u"La cuenta no admite más líneas. Guárdela y bórrela para seguir."_s);
}

bool EsSalto(char c) {
    return c == '\r' || c == '\n';
}

} // namespace

TextoLineas::TextoLineas(QByteArray bytes, InicioLineas inicios, Codigo codigo, bool soloCrLf)
    : FBytes(std::move(bytes)), FInicios(std::move(inicios)), FCodigo(codigo), FSoloCrLf(soloCrLf) {
    Q_ASSERT(std::is_sorted(FInicios.begin(), FInicios.end()));
    Q_ASSERT(FInicios.empty() || qsizetype(FInicios.back()) < FBytes.size());
    if (FInicios.size() > size_t(std::numeric_limits<int>::max()) || FBytes.size() > MaximoBytes)
        Lleno();
    if (FInicios.empty()) {
        FBytes = QByteArray();
        FSoloCrLf = true;
    }
}

TextoLineas::TextoLineas(const QStringList& lineas) {
    for (const QString& l : lineas)
        Agregar(l);
}

qsizetype TextoLineas::Fin(int i) const {
    const qsizetype inicio = FInicios[size_t(i)];
    const size_t siguiente = size_t(i) + 1;
    qsizetype fin = siguiente < FInicios.size() ? qsizetype(FInicios[siguiente]) : FBytes.size();
    // A line never holds CR or LF: what ends it is its break, CR LF taken as one.
    if (fin > inicio && FBytes[fin - 1] == '\n')
        --fin;
    if (fin > inicio && FBytes[fin - 1] == '\r')
        --fin;
    return fin;
}

QByteArrayView TextoLineas::BytesLinea(int i) const {
    if (i < 0 || i >= Cantidad())
        return {};
    const qsizetype inicio = FInicios[size_t(i)];
    return QByteArrayView(FBytes.constData() + inicio, Fin(i) - inicio);
}

QString TextoLineas::Linea(int i) const {
    const QByteArrayView b = BytesLinea(i);
    if (FCodigo == Codigo::Utf8) {
        // A U+FEFF beginning a line is text here: the file's own mark is not in any line.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::ConvertInitialBom);
        return utf8(b);
    }
    QString linea(b.size(), Qt::Uninitialized);
    auto* out = reinterpret_cast<char16_t*>(linea.data());
    for (qsizetype j = 0; j < b.size(); ++j)
        out[j] = DesdeWindows1252[static_cast<unsigned char>(b[j])];
    return linea;
}

QStringList TextoLineas::Lineas() const {
    QStringList lineas;
    lineas.reserve(Cantidad());
    for (int i = 0; i < Cantidad(); ++i)
        lineas.append(Linea(i));
    return lineas;
}

QByteArrayView TextoLineas::Bytes() const {
    if (FInicios.empty())
        return {};
    return QByteArrayView(FBytes).sliced(FInicios.front());
}

bool TextoLineas::Terminada() const {
    return FInicios.empty() || EsSalto(FBytes.back());
}

// Room for `bytes` and `lineas` more, and the last line's missing break added: what follows
// cannot fail half way.
void TextoLineas::AbrirHueco(qsizetype bytes, qsizetype lineas) {
    const qsizetype salto = Terminada() ? 0 : 2;
    if (lineas > std::numeric_limits<int>::max() - Cantidad() ||
        bytes + salto > MaximoBytes - FBytes.size())
        Lleno();
    if (FInicios.capacity() - FInicios.size() < size_t(lineas))
        FInicios.reserve(std::max(FInicios.size() + size_t(lineas), 2 * FInicios.size()));
    const qsizetype necesarios = FBytes.size() + salto + bytes;
    if (FBytes.capacity() < necesarios || !FBytes.isDetached())
        FBytes.reserve(std::max(necesarios, FBytes.size() + FBytes.size() / 2));
    if (salto)
        FBytes.append("\r\n", 2);
}

void TextoLineas::Agregar(const QString& linea) {
    QByteArray codificada;
    if (FCodigo == Codigo::Windows1252) {
        codificada.resize(linea.size());
        const auto* s = reinterpret_cast<const char16_t*>(linea.constData());
        for (qsizetype i = 0; i < linea.size(); ++i) {
            const int b = ByteWindows1252(s[i]);
            if (b < 0) {
                PasarAUtf8();
                break;
            }
            codificada[i] = static_cast<char>(b);
        }
    }
    if (FCodigo == Codigo::Utf8)
        codificada = linea.toUtf8();
    // Bytes below 0x80 are never part of a UTF-8 sequence: replacing them is safe in both.
    std::replace_if(
        codificada.begin(), codificada.end(), [](char c) { return EsSalto(c) || c == '\0'; }, ' ');
    AbrirHueco(codificada.size() + 2, 1);
    FInicios.push_back(quint32(FBytes.size()));
    FBytes.append(QByteArrayView(codificada)).append("\r\n", 2);
}

void TextoLineas::AgregarVacias(int cantidad) {
    if (cantidad <= 0)
        return;
    AbrirHueco(2 * qsizetype(cantidad), cantidad);
    for (int i = 0; i < cantidad; ++i) {
        FInicios.push_back(quint32(FBytes.size()));
        FBytes.append("\r\n", 2);
    }
}

void TextoLineas::Vaciar() {
    // Give the memory back: a cleared tape of a million lines should not keep its size.
    FBytes = QByteArray();
    InicioLineas().swap(FInicios);
    FSoloCrLf = true;
}

void TextoLineas::PasarAUtf8() {
    // Built aside, so a failure leaves the text as it was.
    TextoLineas utf8;
    utf8.FCodigo = Codigo::Utf8;
    utf8.FBytes.reserve(FBytes.size() + FBytes.size() / 8);
    utf8.FInicios.reserve(FInicios.size());
    for (int i = 0; i < Cantidad(); ++i) {
        const QByteArray linea = Linea(i).toUtf8();
        utf8.AbrirHueco(linea.size() + 2, 1);
        utf8.FInicios.push_back(quint32(utf8.FBytes.size()));
        utf8.FBytes.append(QByteArrayView(linea)).append("\r\n", 2);
    }
    *this = std::move(utf8);
}
