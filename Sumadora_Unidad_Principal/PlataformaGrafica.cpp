#include "PlataformaGrafica.h"

QByteArray PlataformaElegida(const QProcessEnvironment& entorno) {
    if (!entorno.value(QStringLiteral("QT_QPA_PLATFORM")).isEmpty())
        return {};
    const bool wayland = !entorno.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty() ||
                         entorno.value(QStringLiteral("XDG_SESSION_TYPE")) == QLatin1String("wayland");
    if (!wayland || entorno.value(QStringLiteral("DISPLAY")).isEmpty())
        return {};
    // Wayland itself stays as the fallback should X11 fail to start.
    return QByteArrayLiteral("xcb;wayland");
}

void ElegirPlataforma() {
    const QByteArray plataforma = PlataformaElegida(QProcessEnvironment::systemEnvironment());
    if (!plataforma.isEmpty())
        qputenv("QT_QPA_PLATFORM", plataforma);
}
