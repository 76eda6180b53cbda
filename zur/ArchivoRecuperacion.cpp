#include "ArchivoRecuperacion.h"

#include "ErrorSumadora.h"

#include <QList>

#include <zlib.h>

using namespace Qt::StringLiterals;

namespace {

const QByteArray Firma = QByteArrayLiteral("SUMADORA RECUPERACION 1\r\n");

quint32 Crc(QByteArrayView bytes) {
    return static_cast<quint32>(crc32_z(0, reinterpret_cast<const Bytef*>(bytes.data()),
                                        static_cast<z_size_t>(bytes.size())));
}

[[noreturn]] void Danada() {
    throw ErrorSumadora(u"La copia de recuperación está incompleta o dañada."_s);
}

} // namespace

QByteArray CodificarRecuperacion(const TextoLineas& texto) {
    const QByteArray cuerpo = CodificarCuenta(texto, CodificacionCuenta::Windows1252);
    QByteArray datos = Firma;
    datos += QByteArray::number(texto.Cantidad()) + ' ' + QByteArray::number(cuerpo.size()) + ' ' +
             QByteArray::number(Crc(cuerpo), 16) + "\r\n";
    return datos + cuerpo;
}

TextoCuenta DecodificarRecuperacion(QByteArray datos) {
    if (!datos.startsWith(Firma))
        Danada();
    const qsizetype fin = datos.indexOf("\r\n", Firma.size());
    if (fin < 0)
        Danada();
    const QList<QByteArray> campos = datos.mid(Firma.size(), fin - Firma.size()).split(' ');
    bool bien = campos.size() == 3;
    const qlonglong lineas = bien ? campos[0].toLongLong(&bien) : 0;
    const qlonglong bytes = bien ? campos[1].toLongLong(&bien) : 0;
    const quint32 crc = bien ? campos[2].toUInt(&bien, 16) : 0;
    const qsizetype inicio = fin + 2;
    if (!bien || datos.size() - inicio != bytes || Crc(QByteArrayView(datos).sliced(inicio)) != crc)
        Danada();
    TextoCuenta cuenta = DecodificarCuenta(datos.sliced(inicio));
    if (cuenta.Texto.Cantidad() != lineas)
        Danada();
    return cuenta;
}
