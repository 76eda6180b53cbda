// The financial dialogs' input rule: any text is cleaned ("." to ",") and converted. What it
// takes is exactly a number written the Spanish way, and its value is the C library's.
#include "Exigir.h"
#include "ReglaEntrada.h"

#include <QRegularExpression>

#include <cerrno>
#include <cmath>
#include <cstdlib>

using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QRegularExpression numero(
        u"^[+-]?(?:[0-9]+(?:,[0-9]*)?|,[0-9]+)(?:[eE][+-]?[0-9]+)?$"_s);
    const QString texto = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString limpio = LimpiarTexto(texto);
    EXIGIR(!limpio.contains(u'.'));
    EXIGIR(limpio.size() == texto.size());
    const std::optional<long double> v = ConvertirReal(limpio);
    const QString t = limpio.trimmed();
    if (!numero.match(t).hasMatch()) {
        EXIGIR(!v);
        return 0;
    }
    QByteArray c = t.toLatin1();
    c.replace(',', '.');
    errno = 0;
    const long double esperado = std::strtold(c.constData(), nullptr);
    if (v)
        EXIGIR(*v == esperado && std::isfinite(*v));
    else
        EXIGIR(errno == ERANGE);
    return 0;
}
