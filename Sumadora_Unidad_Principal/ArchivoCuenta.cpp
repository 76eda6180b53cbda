// Reading and writing tape files: line ends, the two code pages, and a save that never
// leaves a half-written file behind.
#include "ArchivoCuenta.h"

#include "ErrorSumadora.h"

#include <QByteArrayView>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringEncoder>

#include <algorithm>
#include <array>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F. The five bytes the code page leaves
// undefined map to the control characters of the same number, as Windows itself reads them,
// so every byte but NUL survives a load and a save.
constexpr char16_t Windows1252Altos[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
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

// Written as plain loops without early exits so the compiler can vectorise them.
bool EsAscii(const char* p, qsizetype n) {
    unsigned char o = 0;
    for (qsizetype i = 0; i < n; ++i)
        o |= static_cast<unsigned char>(p[i]);
    return o < 0x80;
}

bool EsAscii(const char16_t* s, qsizetype n) {
    char16_t o = 0;
    for (qsizetype i = 0; i < n; ++i)
        o |= s[i];
    return o < 0x80;
}

// Copies the line narrowed to bytes and says whether it was plain ASCII, in one pass; when
// it was not, what it wrote is to be written over.
bool CopiarSiAscii(const char16_t* s, qsizetype n, char* out) {
    char16_t o = 0;
    for (qsizetype i = 0; i < n; ++i) {
        o |= s[i];
        out[i] = static_cast<char>(s[i]);
    }
    return o < 0x80;
}

QString LineaWindows1252(const char* p, qsizetype n) {
    QString linea(n, Qt::Uninitialized);
    auto* d = reinterpret_cast<char16_t*>(linea.data());
    for (qsizetype i = 0; i < n; ++i)
        d[i] = DesdeWindows1252[static_cast<unsigned char>(p[i])];
    return linea;
}

QString Nombre(const QString& ruta) { return QDir::toNativeSeparators(ruta); }

QString MensajeGrande(const QString& ruta, qint64 limite) {
    return u"El archivo «%1» es demasiado grande para cargarlo como cuenta: pasa de %2 MB."_s
        .arg(Nombre(ruta))
        .arg(std::max<qint64>(1, limite / (1024 * 1024)));
}

// Whether every line can be written in Windows-1252; plain ASCII lines need no closer look.
bool CabeEnWindows1252(const QStringList& lineas) {
    for (const QString& l : lineas) {
        const auto* s = reinterpret_cast<const char16_t*>(l.constData());
        if (EsAscii(s, l.size()))
            continue;
        for (qsizetype i = 0; i < l.size(); ++i)
            if (ByteWindows1252(s[i]) < 0)
                return false;
    }
    return true;
}

// Encodes the lines, each ended by CR LF, in blocks of about a megabyte handed to
// volcar(datos, largo): a large tape never needs its whole file in memory at once. The
// code page must hold every character (CabeEnWindows1252).
template <class Volcar>
void CodificarEnBloques(const QStringList& lineas, CodificacionCuenta cod, Volcar&& volcar) {
    constexpr qsizetype Bloque = 1 << 20;
    QByteArray bloque(Bloque, Qt::Uninitialized);
    char* out = bloque.data();
    const auto reservar = [&](qsizetype n) {
        const qsizetype usado = out - bloque.constData();
        if (bloque.size() - usado >= n)
            return;
        volcar(bloque.constData(), usado);
        if (n > bloque.size())
            bloque.resize(n);
        out = bloque.data();
    };
    if (cod == CodificacionCuenta::Utf8ConBom) {
        std::memcpy(out, "\xEF\xBB\xBF", 3);
        out += 3;
    }
    QStringEncoder utf8(QStringEncoder::Utf8, QStringConverter::Flag::Stateless);
    for (const QString& l : lineas) {
        const auto* s = reinterpret_cast<const char16_t*>(l.constData());
        const qsizetype n = l.size();
        reservar((cod == CodificacionCuenta::Windows1252 ? n : 3 * n) + 2);
        if (CopiarSiAscii(s, n, out)) {
            out += n;
        } else if (cod == CodificacionCuenta::Windows1252) {
            for (qsizetype i = 0; i < n; ++i)
                *out++ = static_cast<char>(ByteWindows1252(s[i]));
        } else {
            out = utf8.appendToBuffer(out, l);
        }
        *out++ = '\r';
        *out++ = '\n';
    }
    volcar(bloque.constData(), out - bloque.constData());
}

CodificacionCuenta CodificacionPosible(const QStringList& lineas, CodificacionCuenta cod) {
    if (cod == CodificacionCuenta::Windows1252 && !CabeEnWindows1252(lineas))
        return CodificacionCuenta::Utf8;
    return cod;
}

} // namespace

ContenidoCuenta DecodificarCuenta(const QByteArray& datos, const QString& nombre) {
    const char* p = datos.constData();
    const qsizetype n = datos.size();
    // Text never holds NUL: such a file is a program or an image, not a tape.
    if (std::memchr(p, 0, static_cast<size_t>(n)))
        throw ErrorSumadora(
            u"El archivo «%1» no es un archivo de texto (contiene caracteres nulos) y no se ha cargado."_s
                .arg(Nombre(nombre)));

    enum class Lectura { Ascii, Utf8, Windows1252 };
    ContenidoCuenta contenido;
    Lectura lectura = Lectura::Ascii;
    qsizetype i = 0;
    if (!EsAscii(p, n)) {
        if (QByteArrayView(datos).isValidUtf8()) {
            lectura = Lectura::Utf8;
            contenido.Codificacion = CodificacionCuenta::Utf8;
            if (datos.startsWith("\xEF\xBB\xBF")) {
                contenido.Codificacion = CodificacionCuenta::Utf8ConBom;
                i = 3;
            }
        } else {
            lectura = Lectura::Windows1252;
        }
    }

    contenido.Lineas.reserve(std::count(p, p + n, '\n') + 1);
    qsizetype proximoLF = -1;
    while (i < n) {
        // The next LF is remembered, so a file of lone CRs is not searched to its end once
        // per line.
        if (proximoLF < i) {
            const void* lf = std::memchr(p + i, '\n', static_cast<size_t>(n - i));
            proximoLF = lf ? static_cast<const char*>(lf) - p : n;
        }
        qsizetype fin = proximoLF;
        qsizetype siguiente = proximoLF + 1;
        if (const void* cr = std::memchr(p + i, '\r', static_cast<size_t>(proximoLF - i))) {
            fin = static_cast<const char*>(cr) - p;
            siguiente = (fin + 1 < n && p[fin + 1] == '\n') ? fin + 2 : fin + 1;
        }
        const qsizetype largo = fin - i;
        switch (lectura) {
        case Lectura::Ascii:
            contenido.Lineas.append(QString::fromLatin1(p + i, largo));
            break;
        case Lectura::Utf8:
            contenido.Lineas.append(QString::fromUtf8(p + i, largo));
            break;
        case Lectura::Windows1252:
            contenido.Lineas.append(LineaWindows1252(p + i, largo));
            break;
        }
        i = siguiente;
    }
    return contenido;
}

QByteArray CodificarCuenta(const QStringList& lineas, CodificacionCuenta& codificacion) {
    codificacion = CodificacionPosible(lineas, codificacion);
    QByteArray salida;
    CodificarEnBloques(lineas, codificacion,
                       [&salida](const char* datos, qsizetype n) { salida.append(datos, n); });
    return salida;
}

ContenidoCuenta LeerArchivoCuenta(const QString& ruta, qint64 limite) {
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly)) {
        if (!QFileInfo::exists(ruta))
            throw ErrorSumadora(u"El archivo «%1» no existe."_s.arg(Nombre(ruta)));
        throw ErrorSumadora(u"No se puede abrir el archivo «%1»."_s.arg(Nombre(ruta)));
    }
    QByteArray datos;
    if (!archivo.isSequential()) {
        // Refused before reading a byte of it.
        if (archivo.size() > limite)
            throw ErrorSumadora(MensajeGrande(ruta, limite));
        datos = archivo.readAll();
    } else {
        // A pipe or a device has no size to check: read until the limit is passed.
        constexpr qint64 Bloque = 1 << 20;
        while (datos.size() <= limite) {
            const QByteArray bloque = archivo.read(std::min(Bloque, limite + 1 - datos.size()));
            if (bloque.isEmpty())
                break;
            datos += bloque;
        }
    }
    if (datos.size() > limite)
        throw ErrorSumadora(MensajeGrande(ruta, limite));
    if (archivo.error() != QFileDevice::NoError)
        throw ErrorSumadora(u"No se puede leer el archivo «%1»."_s.arg(Nombre(ruta)));
    return DecodificarCuenta(datos, ruta);
}

CodificacionCuenta GuardarArchivoCuenta(const QString& ruta, const QStringList& lineas,
                                        CodificacionCuenta codificacion) {
    codificacion = CodificacionPosible(lineas, codificacion);
    QSaveFile archivo(ruta);
    bool escrito = archivo.open(QIODevice::WriteOnly);
    if (escrito)
        CodificarEnBloques(lineas, codificacion, [&](const char* datos, qsizetype n) {
            escrito = escrito && archivo.write(datos, n) == n;
        });
    // commit() of Qt 6.4 does not see a final flush that failed (a full disk): check it first.
    escrito = escrito && archivo.flush() && archivo.commit();
    if (!escrito) {
        archivo.cancelWriting();
        throw ErrorSumadora(
            u"No se puede guardar la cuenta en «%1». Si el archivo ya existía, sigue como estaba."_s
                .arg(Nombre(ruta)));
    }
    return codificacion;
}
