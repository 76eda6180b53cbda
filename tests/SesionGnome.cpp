// The program in GNOME's compositor: tests/sesion_gnome.sh runs this program inside a headless
// mutter with XWayland and no QT_QPA_PLATFORM, so the program's own choice of platform is what
// is tested. mutter puts windows where the program asks, so the About box, Properties and the
// financial dialogs open centred on the screen, as the X server reports them.
#include "TFAcercaDe.h"
#include "TInteresCompuesto.h"
#include "TInteresSimple.h"
#include "TPrestamoFrances.h"
#include "TPropiedades.h"
#include "TSumadoraFormulario.h"
#include "VentanaPrueba.h"

#include <QApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The window's outer rectangle as the X server has it, from xwininfo.
QRect SegunX(const QWidget* ventana) {
    const QString salida = Ejecutar(u"xwininfo"_s, {u"-id"_s, QString::number(ventana->winId())});
    const auto valor = [&salida](const QString& nombre) {
        return QRegularExpression(nombre + u":\\s*(-?\\d+)"_s).match(salida).captured(1).toInt();
    };
    return {valor(u"Absolute upper-left X"_s), valor(u"Absolute upper-left Y"_s), valor(u"Width"_s),
            valor(u"Height"_s)};
}

TEST(SesionGnome, LosDialogosSeAbrenCentradosEnLaPantalla) {
    ASSERT_EQ(QGuiApplication::platformName(), u"xcb"_s);
    TSumadoraFormulario ventana;
    CrearDialogos(ventana);
    ventana.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&ventana));
    const QPoint centro = ventana.screen()->availableGeometry().center();
    for (QDialog* dialogo : std::initializer_list<QDialog*>{
             ventana.DialogoAcercaDe(), ventana.DialogoPropiedades(),
             ventana.DialogoInteresSimple(), ventana.DialogoInteresCompuesto(),
             ventana.DialogoPrestamoFrances()}) {
        QRect donde;
        QTimer::singleShot(0, dialogo, [&] {
            if (QTest::qWaitForWindowExposed(dialogo))
                (void)QTest::qWaitFor([&] { return (donde = SegunX(dialogo)).center() == centro; });
            dialogo->reject();
        });
        dialogo->exec();
        EXPECT_NEAR(donde.center().x(), centro.x(), 1) << dialogo->windowTitle().toStdString();
        EXPECT_NEAR(donde.center().y(), centro.y(), 1) << dialogo->windowTitle().toStdString();
    }
}

} // namespace

int main(int argc, char** argv) {
    return PruebasEnSesion(argc, argv);
}
