// Skin package format: "SKNP", version byte, entry count, then per entry a 16-bit name
// length, the UTF-8 name, a 32-bit data length and the data (little-endian), all deflated.
#include "PaqueteSkin.h"

#include <QStringDecoder>

#include <zlib.h>

#include <cstdint>

namespace {

constexpr char Firma[4] = {'S', 'K', 'N', 'P'};
constexpr std::uint8_t Version = 1;
// Far above any real skin: a corrupted or hostile stream cannot make us allocate more.
constexpr qsizetype LimiteDescomprimido = 32 * 1024 * 1024;

void EscribirEntero(QByteArray& destino, std::uint32_t valor, int bytes) {
    for (int i = 0; i < bytes; ++i)
        destino.append(static_cast<char>((valor >> (8 * i)) & 0xFF));
}

class Lector {
public:
    explicit Lector(const QByteArray& datos) : FDatos(datos) {}
    bool Entero(int bytes, std::uint32_t& valor) {
        if (FDatos.size() - FPos < bytes)
            return false;
        valor = 0;
        for (int i = 0; i < bytes; ++i)
            valor |= std::uint32_t(static_cast<unsigned char>(FDatos[FPos + i])) << (8 * i);
        FPos += bytes;
        return true;
    }
    bool Bytes(qsizetype n, QByteArray& destino) {
        if (FDatos.size() - FPos < n)
            return false;
        destino = FDatos.mid(FPos, n);
        FPos += n;
        return true;
    }
    bool AlFinal() const { return FPos == FDatos.size(); }

private:
    const QByteArray& FDatos;
    qsizetype FPos = 0;
};

std::optional<QByteArray> Inflar(QByteArrayView comprimido) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK)
        return std::nullopt;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(comprimido.data()));
    z.avail_in = static_cast<uInt>(comprimido.size());
    QByteArray salida;
    int estado = Z_OK;
    char bloque[16384];
    while (estado == Z_OK) {
        z.next_out = reinterpret_cast<Bytef*>(bloque);
        z.avail_out = sizeof bloque;
        estado = inflate(&z, Z_NO_FLUSH);
        if (estado != Z_OK && estado != Z_STREAM_END)
            break;
        salida.append(bloque, qsizetype(sizeof bloque - z.avail_out));
        if (salida.size() > LimiteDescomprimido) {
            estado = Z_MEM_ERROR;
            break;
        }
        // No progress with input left over means a truncated stream.
        if (estado == Z_OK && z.avail_in == 0 && z.avail_out != 0) {
            estado = Z_BUF_ERROR;
            break;
        }
    }
    const bool completo = estado == Z_STREAM_END && z.avail_in == 0;
    inflateEnd(&z);
    if (!completo)
        return std::nullopt;
    return salida;
}

} // namespace

bool NombreEntradaValido(const QString& nombre) {
    if (nombre.isEmpty() || nombre.size() > 100 || nombre.startsWith(QLatin1Char('.')))
        return false;
    for (QChar c : nombre) {
        const bool valido = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                            (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                            (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                            c == QLatin1Char('_') || c == QLatin1Char('-') || c == QLatin1Char('.');
        if (!valido)
            return false;
    }
    return true;
}

QByteArray EmpaquetarSkin(const QMap<QString, QByteArray>& archivos) {
    QByteArray crudo(Firma, 4);
    crudo.append(static_cast<char>(Version));
    EscribirEntero(crudo, std::uint32_t(archivos.size()), 2);
    for (auto it = archivos.cbegin(); it != archivos.cend(); ++it) {
        const QByteArray nombre = it.key().toUtf8();
        if (!NombreEntradaValido(it.key()) || it.value().size() > LimiteDescomprimido)
            return {};
        EscribirEntero(crudo, std::uint32_t(nombre.size()), 2);
        crudo.append(nombre);
        EscribirEntero(crudo, std::uint32_t(it.value().size()), 4);
        crudo.append(it.value());
    }
    uLongf tamano = compressBound(uLong(crudo.size()));
    QByteArray comprimido(qsizetype(tamano), Qt::Uninitialized);
    if (compress2(reinterpret_cast<Bytef*>(comprimido.data()), &tamano,
                  reinterpret_cast<const Bytef*>(crudo.constData()), uLong(crudo.size()),
                  Z_BEST_COMPRESSION) != Z_OK)
        return {};
    comprimido.resize(qsizetype(tamano));
    return comprimido;
}

std::optional<TContenidoSkin> DesempaquetarSkin(QByteArrayView paquete) {
    const std::optional<QByteArray> crudo = Inflar(paquete);
    if (!crudo)
        return std::nullopt;
    Lector lector(*crudo);
    QByteArray firma;
    std::uint32_t version = 0;
    std::uint32_t cuantas = 0;
    if (!lector.Bytes(4, firma) || firma != QByteArray(Firma, 4) || !lector.Entero(1, version) ||
        version != Version || !lector.Entero(2, cuantas))
        return std::nullopt;

    TContenidoSkin contenido;
    bool conHoja = false;
    for (std::uint32_t i = 0; i < cuantas; ++i) {
        std::uint32_t largoNombre = 0;
        std::uint32_t largoDatos = 0;
        QByteArray nombreBytes;
        QByteArray datos;
        if (!lector.Entero(2, largoNombre) || !lector.Bytes(largoNombre, nombreBytes) ||
            !lector.Entero(4, largoDatos) || !lector.Bytes(largoDatos, datos))
            return std::nullopt;
        const QString nombre = QString::fromUtf8(nombreBytes);
        if (!NombreEntradaValido(nombre))
            return std::nullopt;
        if (nombre == QLatin1String(HojaPaquete)) {
            QStringDecoder utf8(QStringDecoder::Utf8);
            contenido.Hoja = utf8(datos);
            if (utf8.hasError() || contenido.Hoja.trimmed().isEmpty())
                return std::nullopt;
            conHoja = true;
        } else {
            if (contenido.Imagenes.contains(nombre))
                return std::nullopt;
            contenido.Imagenes.insert(nombre, datos);
        }
    }
    if (!conHoja || !lector.AlFinal())
        return std::nullopt;
    return contenido;
}
