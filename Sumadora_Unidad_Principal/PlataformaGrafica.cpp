#include "PlataformaGrafica.h"

using namespace Qt::StringLiterals;

QByteArray PlataformaElegida(const QProcessEnvironment& entorno) {
    if (!entorno.value(u"QT_QPA_PLATFORM"_s).isEmpty())
        return {};
    const bool wayland = !entorno.value(u"WAYLAND_DISPLAY"_s).isEmpty() ||
                         entorno.value(u"XDG_SESSION_TYPE"_s) == QLatin1String("wayland");
    if (!wayland || entorno.value(u"DISPLAY"_s).isEmpty())
        return {};
    // Wayland itself stays as the fallback should X11 fail to start.
    return QByteArrayLiteral("xcb;wayland");
}

void ElegirPlataforma() {
    const QByteArray plataforma = PlataformaElegida(QProcessEnvironment::systemEnvironment());
    if (!plataforma.isEmpty())
        qputenv("QT_QPA_PLATFORM", plataforma);
}
