// Tape files: any bytes load (or are refused for holding NULs), and save back as the same
// bytes with every line break made CR LF and a final one added; the lines' text survives a
// round trip through the tape's own store.
#include "ArchivoCuenta.h"
#include "ErrorSumadora.h"
#include "Exigir.h"

#include <QStringList>

namespace {

QByteArray ConCrLf(const QByteArray& d) {
    QByteArray r;
    for (qsizetype i = 0; i < d.size(); ++i) {
        if (d[i] == '\r' || d[i] == '\n') {
            r += "\r\n";
            if (d[i] == '\r' && i + 1 < d.size() && d[i + 1] == '\n')
                ++i;
        } else {
            r += d[i];
        }
    }
    if (!r.isEmpty() && !r.endsWith('\n'))
        r += "\r\n";
    return r;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray datos(reinterpret_cast<const char*>(data), qsizetype(size));
    TextoCuenta leido;
    try {
        leido = DecodificarCuenta(datos);
    } catch (const ErrorSumadora&) {
        EXIGIR(datos.contains('\0'));
        return 0;
    }
    EXIGIR(!datos.contains('\0'));
    const QByteArray guardado = CodificarCuenta(leido.Texto, leido.Codificacion);
    if (leido.Codificacion == CodificacionCuenta::Utf8ConBom)
        EXIGIR(guardado == "\xEF\xBB\xBF" + ConCrLf(datos.mid(3)));
    else
        EXIGIR(guardado == ConCrLf(datos));
    EXIGIR(DecodificarCuenta(guardado).Texto.Lineas() == leido.Texto.Lineas());
    const QStringList lineas = leido.Texto.Lineas();
    EXIGIR(TextoLineas(lineas).Lineas() == lineas);
    return 0;
}
