// Reading and writing tape files: line ends, the two code pages, and a save that never
// leaves a half-written file behind.
#include "ArchivoCuenta.h"

#include "ErrorSumadora.h"
#include "EscanerLineas.h"

#include <QByteArrayView>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QString Nombre(const QString& ruta) {
    return QDir::toNativeSeparators(ruta);
}

QString MensajeGrande(const QString& ruta, qint64 limite) {
    return u"El archivo «%1» es demasiado grande para cargarlo como cuenta: pasa de %2 MB."_s
        .arg(Nombre(ruta))
        .arg(std::max<qint64>(1, limite / (1024 * 1024)));
}

QString MensajeNulo(const QString& nombre) {
    return u"El archivo «%1» no es un archivo de texto (contiene caracteres nulos) y no se ha cargado."_s
        .arg(Nombre(nombre));
}

// ---- Loading --------------------------------------------------------------------------------

// What a path that is not a regular file names, for the message that refuses it.
QString Clase(mode_t modo) {
    if (S_ISDIR(modo))
        return u"una carpeta"_s;
    if (S_ISFIFO(modo))
        return u"una tubería con nombre"_s;
    if (S_ISSOCK(modo))
        return u"un socket"_s;
    return u"un dispositivo"_s;
}

[[noreturn]] void NoEsArchivo(const QString& ruta, mode_t modo) {
    throw ErrorSumadora(u"«%1» es %2, no un archivo de cuenta, y no se ha cargado."_s.arg(
        Nombre(ruta), Clase(modo)));
}

// Opens a regular file for reading. Anything else is refused before it is opened: opening a
// FIFO waits for a writer that may never come, and a device or a socket holds no tape.
int AbrirArchivoNormal(const QString& ruta) {
    const QByteArray nombre = QFile::encodeName(ruta);
    struct stat st {};
    if (::stat(nombre.constData(), &st) != 0) {
        if (errno == ENOENT)
            throw ErrorSumadora(u"El archivo «%1» no existe."_s.arg(Nombre(ruta)));
        throw ErrorSumadora(u"No se puede abrir el archivo «%1»."_s.arg(Nombre(ruta)));
    }
    if (!S_ISREG(st.st_mode))
        NoEsArchivo(ruta, st.st_mode);
    // Without waiting even if the path has just become a FIFO; checked again once open.
    const int fd = ::open(nombre.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        throw ErrorSumadora(u"No se puede abrir el archivo «%1»."_s.arg(Nombre(ruta)));
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        NoEsArchivo(ruta, st.st_mode);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

// Read in blocks small enough to be looked at while they are still in the processor's cache.
constexpr qsizetype BloqueLectura = qsizetype(256) << 10;

// From the first byte beyond ASCII on: UTF-8 when the rest is valid UTF-8 (the ASCII before
// it is in any case, and reads the same in both code pages), Windows-1252 otherwise. Text
// never holds NUL: such a file is a program or an image, not a tape.
TextoCuenta Armar(QByteArray datos, EscanerLineas& escaner, const QString& nombre) {
    if (escaner.Nulo())
        throw ErrorSumadora(MensajeNulo(nombre));
    InicioLineas& inicios = escaner.Inicios();
    CodificacionCuenta codificacion = CodificacionCuenta::Windows1252;
    const qsizetype alto = escaner.PrimerAlto();
    if (alto >= 0 && QByteArrayView(datos).sliced(alto).isValidUtf8()) {
        codificacion = CodificacionCuenta::Utf8;
        // Only the file's first bytes can be its byte-order mark: a U+FEFF that begins a later
        // line is text, and is kept.
        if (datos.startsWith("\xEF\xBB\xBF")) {
            codificacion = CodificacionCuenta::Utf8ConBom;
            inicios.front() = 3;
            if (datos.size() == 3)
                inicios.clear();
        }
    }
    const TextoLineas::Codigo codigo = codificacion == CodificacionCuenta::Windows1252
                                           ? TextoLineas::Codigo::Windows1252
                                           : TextoLineas::Codigo::Utf8;
    return TextoCuenta{
        TextoLineas(std::move(datos), std::move(inicios), codigo, escaner.SoloCrLf()),
        codificacion};
}

// ---- Saving ---------------------------------------------------------------------------------

// Hands the file's bytes to volcar(datos, largo): at once when the text already has CR LF
// ends, otherwise in blocks of about a megabyte, so a large tape never needs a second copy.
template <class Destino>
void Volcar(const TextoLineas& texto, CodificacionCuenta codificacion, Destino&& volcar) {
    if (CodificacionGuardada(texto, codificacion) == CodificacionCuenta::Utf8ConBom)
        volcar("\xEF\xBB\xBF", 3);
    if (texto.SoloCrLf()) {
        const QByteArrayView bytes = texto.Bytes();
        volcar(bytes.data(), bytes.size());
        if (!texto.Terminada())
            volcar("\r\n", 2);
        return;
    }
    // No bigger than the whole file, which a short tape seldom is.
    const qsizetype Bloque =
        std::min<qsizetype>(1 << 20, texto.Bytes().size() + 2 * qsizetype(texto.Cantidad()) + 2);
    QByteArray bloque(Bloque, Qt::Uninitialized);
    qsizetype usado = 0;
    for (int i = 0; i < texto.Cantidad(); ++i) {
        const QByteArrayView linea = texto.BytesLinea(i);
        if (Bloque - usado < linea.size() + 2) {
            volcar(bloque.constData(), usado);
            usado = 0;
            if (linea.size() + 2 > Bloque) {
                volcar(linea.data(), linea.size());
                volcar("\r\n", 2);
                continue;
            }
        }
        std::memcpy(bloque.data() + usado, linea.data(), size_t(linea.size()));
        usado += linea.size();
        bloque[usado++] = '\r';
        bloque[usado++] = '\n';
    }
    volcar(bloque.constData(), usado);
}

} // namespace

TextoCuenta DecodificarCuenta(QByteArray datos, const QString& nombre) {
    EscanerLineas escaner(datos.size());
    escaner.Terminar(datos.constData(), datos.size());
    return Armar(std::move(datos), escaner, nombre);
}

TextoCuenta LeerArchivoCuenta(const QString& ruta, qint64 limite) {
    const int fd = AbrirArchivoNormal(ruta);
    QFile archivo;
    // Read straight into the tape's buffer, without Qt's own buffer in between.
    if (!archivo.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered,
                      QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw ErrorSumadora(u"No se puede abrir el archivo «%1»."_s.arg(Nombre(ruta)));
    }
    // Refused before reading a byte of it. A file that says it is empty (as those of /proc
    // do) is still read to its end, up to the limit.
    const qint64 tamano = archivo.size();
    if (tamano > limite)
        throw ErrorSumadora(MensajeGrande(ruta, limite));
    // One byte more than the size, to see the end (or a file still growing) without growing.
    QByteArray datos(qsizetype(tamano) + 1, Qt::Uninitialized);
    EscanerLineas escaner(tamano);
    qsizetype leidos = 0;
    for (;;) {
        if (leidos == datos.size())
            datos.resize(datos.size() + std::max(BloqueLectura, datos.size() / 2));
        const qint64 n =
            archivo.read(datos.data() + leidos, std::min(BloqueLectura, datos.size() - leidos));
        if (n < 0 || (n == 0 && archivo.error() != QFileDevice::NoError))
            throw ErrorSumadora(u"No se puede leer el archivo «%1»."_s.arg(Nombre(ruta)));
        if (n == 0)
            break;
        leidos += n;
        if (leidos > limite)
            throw ErrorSumadora(MensajeGrande(ruta, limite));
        escaner.Avanzar(datos.constData(), leidos);
    }
    datos.resize(leidos);
    escaner.Terminar(datos.constData(), leidos);
    return Armar(std::move(datos), escaner, ruta);
}

CodificacionCuenta CodificacionGuardada(const TextoLineas& texto, CodificacionCuenta codificacion) {
    if (texto.CodigoTexto() == TextoLineas::Codigo::Windows1252)
        return CodificacionCuenta::Windows1252;
    return codificacion == CodificacionCuenta::Utf8ConBom ? codificacion : CodificacionCuenta::Utf8;
}

QByteArray CodificarCuenta(const TextoLineas& texto, CodificacionCuenta codificacion) {
    QByteArray salida;
    Volcar(texto, codificacion,
           [&salida](const char* datos, qsizetype n) { salida.append(datos, n); });
    return salida;
}

CodificacionCuenta GuardarArchivoCuenta(const QString& ruta, const TextoLineas& texto,
                                        CodificacionCuenta codificacion) {
    QSaveFile archivo(ruta);
    bool escrito = archivo.open(QIODevice::WriteOnly);
    if (escrito)
        Volcar(texto, codificacion, [&](const char* datos, qsizetype n) {
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
    return CodificacionGuardada(texto, codificacion);
}
