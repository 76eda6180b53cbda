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
#include <QtAlgorithms>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

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

QString Nombre(const QString& ruta) { return QDir::toNativeSeparators(ruta); }

QString MensajeGrande(const QString& ruta, qint64 limite) {
    return u"El archivo «%1» es demasiado grande para cargarlo como cuenta: pasa de %2 MB."_s
        .arg(Nombre(ruta))
        .arg(std::max<qint64>(1, limite / (1024 * 1024)));
}

QString MensajeNulo(const QString& nombre) {
    return u"El archivo «%1» no es un archivo de texto (contiene caracteres nulos) y no se ha cargado."_s
        .arg(Nombre(nombre));
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

// ---- Loading --------------------------------------------------------------------------------

// A hint for a large buffer about to be written from end to end: with huge pages the kernel
// takes a few faults instead of one per 4 KiB page, which otherwise cost more than the
// decoding itself. Where the hint is not understood nothing changes.
void PedirPaginasGrandes(const void* datos, qsizetype bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (bytes < (qsizetype(8) << 20))
        return;
    static const auto pagina = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto comienzo = reinterpret_cast<std::uintptr_t>(datos);
    const std::uintptr_t desde = (comienzo + pagina - 1) & ~(pagina - 1);
    const std::uintptr_t hasta = (comienzo + static_cast<std::uintptr_t>(bytes)) & ~(pagina - 1);
    if (hasta > desde)
        madvise(reinterpret_cast<void*>(desde), hasta - desde, MADV_HUGEPAGE);
#else
    Q_UNUSED(datos);
    Q_UNUSED(bytes);
#endif
}

enum class Lectura { Ascii, Windows1252, Utf8 };

constexpr qsizetype BloqueLectura = qsizetype(1) << 20;

// One sequence of text already known to be valid UTF-8: its UTF-16 units go to `out`; returns
// the bytes it took.
inline qsizetype DecodificarUtf8(const unsigned char* p, char16_t*& out) {
    const unsigned b = p[0];
    if (b < 0xE0) {
        *out++ = static_cast<char16_t>(((b & 0x1F) << 6) | (p[1] & 0x3F));
        return 2;
    }
    if (b < 0xF0) {
        *out++ = static_cast<char16_t>(((b & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
        return 3;
    }
    const char32_t c = ((b & 0x07) << 18) | ((p[1] & 0x3F) << 12) | ((p[2] & 0x3F) << 6) |
                       (p[3] & 0x3F);
    *out++ = static_cast<char16_t>(0xD7C0 + (c >> 10)); // 0xD800 + ((c - 0x10000) >> 10)
    *out++ = static_cast<char16_t>(0xDC00 | (c & 0x3FF));
    return 4;
}

// Turns bytes into the tape's text as they come, block after block: line breaks dropped, the
// start of each line noted, every byte or UTF-8 sequence decoded straight into one buffer.
// A CR that ends one block and an LF that begins the next are one line break.
class Cortador {
public:
    explicit Cortador(qsizetype bytesPrevistos) { Reservar(bytesPrevistos); }

    // Room for the text of `bytes` more bytes; no byte ever makes more than one character.
    void Reservar(qsizetype bytes) {
        const qsizetype necesarios = usados_ + bytes;
        if (necesarios <= texto_.size())
            return;
        texto_.resize(std::max(necesarios, texto_.size() + texto_.size() / 2));
        base_ = reinterpret_cast<char16_t*>(texto_.data());
        PedirPaginasGrandes(base_ + usados_, (texto_.size() - usados_) * qsizetype(sizeof(char16_t)));
    }

    // Room for the line starts of `total` bytes, judged by the first `leidos`.
    void PreverLineas(qint64 leidos, qint64 total) {
        if (leidos <= 0 || total <= leidos)
            return;
        const double porByte = double(inicios_.size()) / double(leidos);
        const auto previstas = static_cast<size_t>(
            std::min(porByte * double(total) * 1.0625 + 16, double(total) + 1));
        if (previstas <= inicios_.capacity())
            return;
        inicios_.reserve(previstas);
        PedirPaginasGrandes(inicios_.data() + inicios_.size(),
                            qsizetype((inicios_.capacity() - inicios_.size()) * sizeof(qsizetype)));
    }

    // Decodes p[0..n) after Reservar(n). Returns the bytes taken: all of them, unless it met
    // a NUL (Nulo() then says so) or, reading ASCII, a byte beyond it.
    template <Lectura L>
    qsizetype Cortar(const char* datos, qsizetype n) {
        const auto* p = reinterpret_cast<const unsigned char*>(datos);
        qsizetype i = 0;
        if (crPendiente_ && n > 0) {
            crPendiente_ = false;
            if (p[0] == '\n')
                i = 1;
        }
        // Kept in locals: the compiler cannot tell that push_back leaves the members alone.
        char16_t* const base = base_;
        char16_t* out = base + usados_;
        bool abierta = abierta_;
        const auto abrirLinea = [&] {
            if (!abierta) {
                inicios_.push_back(out - base);
                abierta = true;
            }
        };
        while (i < n) {
#if defined(__SSE2__)
            // Thirty-two bytes at a time while they are plain text, widened as they are; the
            // first line break, NUL or byte beyond ASCII stops the run and is dealt with below.
            // The stores may run past the run's end, never past the buffer: each byte read
            // leaves room for one character.
            if (n - i >= 32) {
                const __m128i cero = _mm_setzero_si128();
                const auto raros = [cero](__m128i v) {
                    const __m128i salto = _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\r')),
                                                       _mm_cmpeq_epi8(v, _mm_set1_epi8('\n')));
                    return static_cast<unsigned>(
                        _mm_movemask_epi8(_mm_or_si128(salto, _mm_or_si128(_mm_cmpeq_epi8(v, cero), v))));
                };
                const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
                const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 16));
                const quint32 mascara = raros(a) | (raros(b) << 16);
                auto* destino = reinterpret_cast<__m128i*>(out);
                _mm_storeu_si128(destino, _mm_unpacklo_epi8(a, cero));
                _mm_storeu_si128(destino + 1, _mm_unpackhi_epi8(a, cero));
                _mm_storeu_si128(destino + 2, _mm_unpacklo_epi8(b, cero));
                _mm_storeu_si128(destino + 3, _mm_unpackhi_epi8(b, cero));
                const qsizetype llanos = mascara ? qCountTrailingZeroBits(mascara) : 32;
                if (llanos > 0) {
                    abrirLinea();
                    out += llanos;
                    i += llanos;
                }
                if (llanos == 32)
                    continue;
            }
#endif
            const unsigned char c = p[i];
            if (c == '\r' || c == '\n') {
                if (!abierta)
                    inicios_.push_back(out - base); // an empty line
                abierta = false;
                ++i;
                if (c == '\r') {
                    if (i == n)
                        crPendiente_ = true;
                    else if (p[i] == '\n')
                        ++i;
                }
            } else if (c == 0) {
                nulo_ = true;
                break;
            } else if (c < 0x80) {
                abrirLinea();
                *out++ = c;
                ++i;
            } else if constexpr (L == Lectura::Ascii) {
                break;
            } else if constexpr (L == Lectura::Windows1252) {
                abrirLinea();
                *out++ = DesdeWindows1252[c];
                ++i;
            } else {
                abrirLinea();
                i += DecodificarUtf8(p + i, out);
            }
        }
        abierta_ = abierta;
        usados_ = out - base;
        return i;
    }

    // All of p[0..n), the bytes after `previos` of a file: its first block alone, to judge
    // the room for the line starts by it, then the rest.
    template <Lectura L>
    void CortarTodo(const char* p, qsizetype n, qint64 previos) {
        qsizetype primero = std::min(n, BloqueLectura);
        if constexpr (L == Lectura::Utf8) {
            while (primero < n && (static_cast<unsigned char>(p[primero]) & 0xC0) == 0x80)
                ++primero; // not inside a sequence
        }
        if (Cortar<L>(p, primero) < primero)
            return;
        PreverLineas(previos + primero, previos + n);
        Cortar<L>(p + primero, n - primero);
    }

    bool Nulo() const { return nulo_; }

    TextoCuenta Terminar(CodificacionCuenta codificacion) {
        texto_.resize(usados_);
        // The spare room is kept for the lines the tape appends, unless it is a lot.
        if (texto_.capacity() - usados_ > usados_ / 4)
            texto_.squeeze();
        return TextoCuenta{std::move(texto_), std::move(inicios_), codificacion};
    }

private:
    QString texto_;            // its size is the room reserved; usados_ of it are written
    char16_t* base_ = nullptr;
    qsizetype usados_ = 0;
    std::vector<qsizetype> inicios_;
    bool abierta_ = false;     // a line has begun and its break has not come yet
    bool crPendiente_ = false; // the last block ended in CR
    bool nulo_ = false;
};

// A tape file read block by block, with the size limit and read errors checked as it goes.
class FuenteArchivo {
public:
    FuenteArchivo(QFile& archivo, const QString& ruta, qint64 limite)
        : archivo_(archivo), ruta_(ruta), limite_(limite), bloque_(BloqueLectura, Qt::Uninitialized) {}

    // The next block; empty at the end.
    QByteArrayView Bloque() { return QByteArrayView(bloque_.constData(), Leer(bloque_.data(), bloque_.size())); }

    // `comienzo`, the untaken end of the last block, and all that follows it.
    QByteArrayView Resto(QByteArrayView comienzo) {
        resto_ = comienzo.toByteArray();
        if (!archivo_.isSequential()) {
            resto_.reserve(comienzo.size() + std::max<qint64>(0, archivo_.size() - leidos_) + BloqueLectura);
            PedirPaginasGrandes(resto_.constData() + resto_.size(), resto_.capacity() - resto_.size());
        }
        for (;;) {
            const qsizetype usado = resto_.size();
            resto_.resize(usado + BloqueLectura);
            const qint64 n = Leer(resto_.data() + usado, BloqueLectura);
            resto_.resize(usado + n);
            if (n == 0)
                return resto_;
        }
    }

    // Reads to the end, so that a file too large or unreadable says so before anything else.
    void Agotar() {
        while (!Bloque().isEmpty()) {
        }
    }

private:
    qint64 Leer(char* destino, qint64 maximo) {
        const qint64 n = archivo_.read(destino, maximo);
        if (n < 0 || (n == 0 && archivo_.error() != QFileDevice::NoError))
            throw ErrorSumadora(u"No se puede leer el archivo «%1»."_s.arg(Nombre(ruta_)));
        leidos_ += n;
        if (leidos_ > limite_)
            throw ErrorSumadora(MensajeGrande(ruta_, limite_));
        return n;
    }

    QFile& archivo_;
    const QString& ruta_;
    qint64 limite_;
    qint64 leidos_ = 0;
    QByteArray bloque_;
    QByteArray resto_;
};

// Bytes already in memory, handed out in the same blocks.
class FuenteMemoria {
public:
    explicit FuenteMemoria(QByteArrayView datos) : datos_(datos) {}
    QByteArrayView Bloque() {
        const QByteArrayView bloque = datos_.sliced(pos_, std::min(BloqueLectura, datos_.size() - pos_));
        pos_ += bloque.size();
        return bloque;
    }
    QByteArrayView Resto(QByteArrayView comienzo) {
        pos_ = datos_.size();
        return QByteArrayView(comienzo.data(), datos_.data() + datos_.size());
    }
    void Agotar() {}

private:
    QByteArrayView datos_;
    qsizetype pos_ = 0;
};

// From the first byte beyond ASCII on: UTF-8 when the rest is valid UTF-8 (the ASCII before
// it is in any case, and reads the same in both code pages), Windows-1252 otherwise.
TextoCuenta DecodificarResto(Cortador& cortador, QByteArrayView resto, qint64 previos,
                             const QString& nombre) {
    cortador.Reservar(resto.size());
    CodificacionCuenta codificacion = CodificacionCuenta::Windows1252;
    if (resto.isValidUtf8()) {
        codificacion = CodificacionCuenta::Utf8;
        // Only the file's first bytes can be its byte-order mark: a U+FEFF that begins a later
        // line is text, and is kept.
        if (previos == 0 && resto.startsWith("\xEF\xBB\xBF")) {
            codificacion = CodificacionCuenta::Utf8ConBom;
            resto = resto.sliced(3);
            previos = 3;
        }
        cortador.CortarTodo<Lectura::Utf8>(resto.data(), resto.size(), previos);
    } else {
        cortador.CortarTodo<Lectura::Windows1252>(resto.data(), resto.size(), previos);
    }
    if (cortador.Nulo())
        throw ErrorSumadora(MensajeNulo(nombre));
    return cortador.Terminar(codificacion);
}

// Text never holds NUL: such a file is a program or an image, not a tape.
template <class Fuente>
TextoCuenta Decodificar(Fuente& fuente, qint64 tamano, const QString& nombre) {
    Cortador cortador(tamano);
    qint64 leidos = 0;
    for (QByteArrayView bloque = fuente.Bloque(); !bloque.isEmpty(); bloque = fuente.Bloque()) {
        cortador.Reservar(bloque.size());
        const qsizetype ascii = cortador.Cortar<Lectura::Ascii>(bloque.data(), bloque.size());
        if (cortador.Nulo()) {
            fuente.Agotar();
            throw ErrorSumadora(MensajeNulo(nombre));
        }
        if (ascii < bloque.size())
            return DecodificarResto(cortador, fuente.Resto(bloque.sliced(ascii)), leidos + ascii,
                                    nombre);
        const bool primero = leidos == 0;
        leidos += ascii;
        if (primero)
            cortador.PreverLineas(leidos, tamano);
    }
    return cortador.Terminar(CodificacionCuenta::Windows1252);
}

} // namespace

QStringList LineasDe(const TextoCuenta& texto) {
    const std::vector<qsizetype>& inicios = texto.Inicios;
    QStringList lineas;
    lineas.reserve(qsizetype(inicios.size()));
    for (size_t i = 0; i < inicios.size(); ++i) {
        const qsizetype fin = i + 1 < inicios.size() ? inicios[i + 1] : texto.Texto.size();
        lineas.append(texto.Texto.mid(inicios[i], fin - inicios[i]));
    }
    return lineas;
}

TextoCuenta DecodificarTextoCuenta(QByteArrayView datos, const QString& nombre) {
    FuenteMemoria fuente(datos);
    return Decodificar(fuente, datos.size(), nombre);
}

ContenidoCuenta DecodificarCuenta(const QByteArray& datos, const QString& nombre) {
    const TextoCuenta texto = DecodificarTextoCuenta(datos, nombre);
    return ContenidoCuenta{LineasDe(texto), texto.Codificacion};
}

QByteArray CodificarCuenta(const QStringList& lineas, CodificacionCuenta& codificacion) {
    codificacion = CodificacionPosible(lineas, codificacion);
    QByteArray salida;
    CodificarEnBloques(lineas, codificacion,
                       [&salida](const char* datos, qsizetype n) { salida.append(datos, n); });
    return salida;
}

TextoCuenta LeerTextoCuenta(const QString& ruta, qint64 limite) {
    QFile archivo(ruta);
    // Read straight into the blocks, without Qt's own buffer in between.
    if (!archivo.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        if (!QFileInfo::exists(ruta))
            throw ErrorSumadora(u"El archivo «%1» no existe."_s.arg(Nombre(ruta)));
        throw ErrorSumadora(u"No se puede abrir el archivo «%1»."_s.arg(Nombre(ruta)));
    }
    // A pipe or a device has no size: it is read until the limit is passed.
    qint64 tamano = 0;
    if (!archivo.isSequential()) {
        tamano = archivo.size();
        // Refused before reading a byte of it.
        if (tamano > limite)
            throw ErrorSumadora(MensajeGrande(ruta, limite));
    }
    FuenteArchivo fuente(archivo, ruta, limite);
    return Decodificar(fuente, tamano, ruta);
}

ContenidoCuenta LeerArchivoCuenta(const QString& ruta, qint64 limite) {
    const TextoCuenta texto = LeerTextoCuenta(ruta, limite);
    return ContenidoCuenta{LineasDe(texto), texto.Codificacion};
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
