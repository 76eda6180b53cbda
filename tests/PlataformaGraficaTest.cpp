// The platform the program asks for: X11 through XWayland in a Wayland session that offers
// an X display, unless the user named one.
#include "PlataformaGrafica.h"

#include <gtest/gtest.h>

namespace {

TEST(PlataformaGrafica, XWaylandEnUnaSesionWaylandSalvoQueElUsuarioElija) {
    const struct {
        const char* Nombre;
        const char16_t* Variables; // separated by blanks
        QByteArray Esperada;
    } casos[] = {
        {"WaylandConXWayland", u"WAYLAND_DISPLAY=wayland-0 DISPLAY=:0", "xcb;wayland"},
        {"SesionDeTipoWayland", u"XDG_SESSION_TYPE=wayland DISPLAY=:1", "xcb;wayland"},
        {"ElUsuarioEligioWayland", u"WAYLAND_DISPLAY=wayland-0 DISPLAY=:0 QT_QPA_PLATFORM=wayland",
         ""},
        {"SinPantallaX", u"WAYLAND_DISPLAY=wayland-0", ""},
        {"SesionX11", u"DISPLAY=:0 XDG_SESSION_TYPE=x11", ""},
    };
    for (const auto& c : casos) {
        QProcessEnvironment entorno;
        for (const QString& v : QString::fromUtf16(c.Variables).split(QLatin1Char(' ')))
            entorno.insert(v.section(QLatin1Char('='), 0, 0), v.section(QLatin1Char('='), 1));
        EXPECT_EQ(PlataformaElegida(entorno), c.Esperada) << c.Nombre;
    }
}

} // namespace
