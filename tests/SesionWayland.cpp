// The program in a Wayland session: tests/sesion_wayland.sh starts Weston with XWayland and
// runs this program there with WAYLAND_DISPLAY and DISPLAY set and no QT_QPA_PLATFORM, so the
// program's own choice of platform is what is tested. Keys and the pointer are a user's,
// made on the display Weston's window is on, and what the user sees is read from the
// compositor's own screenshots (weston-screenshooter): the main window shows, "5 + 3 Intro"
// prints its three tape lines, dragging the skin's caption moves the window, and the
// drop-down calculator opens right below its box, takes clicks, and closes when its dialog
// is dragged away.
// With CAPTURA_WAYLAND naming a folder, the screenshots are also saved there.
#include "TBarraTituloSkin.h"
#include "TCalcButton.h"
#include "TCalculatorPanel.h"
#include "TInteresSimple.h"
#include "TPopupCalculatorForm.h"
#include "TSkinCalcEdit.h"
#include "TSumadoraFormulario.h"
#include "VentanaPrueba.h"

#include "ArchivoIni.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <ostream>
#include <vector>

using namespace Qt::StringLiterals;

static void PrintTo(const QPoint& p, std::ostream* os) {
    *os << p.x() << "," << p.y();
}

namespace {

// Input as a user makes it: on the display Weston's window is on, so Weston's own seat
// takes it and hands it to the window it has focused.
void Usuario(const QStringList& argumentos) {
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    entorno.insert(u"DISPLAY"_s, qEnvironmentVariable("PANTALLA_ANFITRIONA"));
    QProcess proceso;
    proceso.setProcessEnvironment(entorno);
    proceso.start(u"xdotool"_s, argumentos);
    proceso.waitForFinished(10000);
    QTest::qWait(50);
}

// Weston's screen is at the top-left of that display. Weston reads the pointer's place as the
// pointer enters its window, so the pointer leaves it first.
void Apuntar(const QPoint& p) {
    Usuario({u"mousemove"_s, u"1390"_s, u"1090"_s});
    Usuario({u"mousemove"_s, QString::number(p.x()), QString::number(p.y())});
}

// The pointer to the screen's bottom-right corner, out of the screenshots' way.
void Apartar() {
    Usuario({u"mousemove"_s, u"1279"_s, u"1023"_s});
}

void Pulsar(const QPoint& p) {
    Apuntar(p);
    Usuario({u"click"_s, u"1"_s});
}

// Drags the caption of the window on the screen at `ventana` by (90, 70).
void ArrastrarTitulo(QWidget* w, const QPoint& ventana) {
    auto* barra = w->findChild<TBarraTituloSkin*>();
    ASSERT_NE(barra, nullptr);
    const QPoint agarre =
        ventana + barra->mapTo(w, QPoint(barra->width() / 2, barra->height() / 2));
    Apuntar(agarre);
    Usuario({u"mousedown"_s, u"1"_s});
    for (int paso = 1; paso <= 10; ++paso)
        Usuario({u"mousemove"_s, QString::number(agarre.x() + 9 * paso),
                 QString::number(agarre.y() + 7 * paso)});
    Usuario({u"mouseup"_s, u"1"_s});
    Apartar();
}

// The compositor's whole screen as the user sees it; saved as wayland_NOMBRE.png in the
// folder CAPTURA_WAYLAND names.
QImage Pantalla(const QString& nombre) {
    QTemporaryDir aqui;
    QProcess proceso;
    proceso.setWorkingDirectory(aqui.path());
    proceso.start(u"weston-screenshooter"_s, {});
    proceso.waitForFinished(10000);
    QImage imagen;
    for (const QString& f : QDir(aqui.path()).entryList({u"*.png"_s}))
        imagen.load(QDir(aqui.path()).filePath(f));
    const QString carpeta = qEnvironmentVariable("CAPTURA_WAYLAND");
    if (!carpeta.isEmpty() && !imagen.isNull())
        imagen.save(QDir(carpeta).filePath(u"wayland_"_s + nombre + u".png"_s));
    return imagen.convertToFormat(QImage::Format_RGB32);
}

// Where `muestra` (a widget's own rendering) shows on `pantalla`, with at most `distintos`
// pixels unlike (a blinking caret); a grid of probe pixels rejects most spots at once.
std::optional<QPoint> Buscar(const QImage& pantalla, const QImage& original, int distintos) {
    const QImage muestra = original.convertToFormat(QImage::Format_RGB32);
    const auto igual = [](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                   std::abs(qBlue(a) - qBlue(b)) <=
               24;
    };
    const int w = muestra.width(), h = muestra.height();
    std::vector<QPoint> sondas;
    for (int i = 0; i < 8; ++i)
        for (int j = 0; j < 8; ++j)
            sondas.emplace_back(i * (w - 1) / 7, j * (h - 1) / 7);
    for (int y = 0; y + h <= pantalla.height(); ++y)
        for (int x = 0; x + w <= pantalla.width(); ++x) {
            int fallos = 0;
            for (const QPoint& s : sondas)
                if (!igual(pantalla.pixel(x + s.x(), y + s.y()), muestra.pixel(s)) && ++fallos > 2)
                    break;
            if (fallos > 2)
                continue;
            fallos = 0;
            for (int v = 0; v < h && fallos <= distintos; ++v) {
                const auto* a = reinterpret_cast<const QRgb*>(pantalla.constScanLine(y + v)) + x;
                const auto* b = reinterpret_cast<const QRgb*>(muestra.constScanLine(v));
                for (int u = 0; u < w; ++u)
                    fallos += igual(a[u], b[u]) ? 0 : 1;
            }
            if (fallos <= distintos)
                return QPoint(x, y);
        }
    return std::nullopt;
}

// Where the widget shows on the compositor's screen once it is drawn there, if it does.
std::optional<QPoint> EnPantalla(QWidget* w, const QString& nombre, int distintos) {
    std::optional<QPoint> donde;
    (void)QTest::qWaitFor(
        [&] {
            return (donde = Buscar(Pantalla(nombre), w->grab().toImage(), distintos)).has_value();
        },
        10000);
    return donde;
}

class SesionWayland : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(qEnvironmentVariableIsEmpty("PANTALLA_ANFITRIONA"))
            << "run by sesion_wayland.sh";
        QFile::remove(ArchivoIni::RutaPredeterminada());
        ventana = std::make_unique<TSumadoraFormulario>();
        CrearDialogos(*ventana);
        ventana->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(ventana.get()));
    }
    std::unique_ptr<TSumadoraFormulario> ventana;
};

TEST_F(SesionWayland, LaVentanaSeVeYLoTecleadoSeImprimeEnLaCinta) {
    EXPECT_EQ(QGuiApplication::platformName(), u"xcb"_s);
    const std::optional<QPoint> antes = EnPantalla(ventana.get(), u"inicio"_s, 400);
    ASSERT_TRUE(antes) << "the main window is not on the compositor's screen";
    // Keys on that display go to the window under the pointer: Weston's.
    Apuntar(*antes + ventana->Cuenta->mapTo(ventana.get(), QPoint(20, 20)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ventana->isActiveWindow(); }));
    // With a calculation open, Intro totals what was added: the 3 keyed since is not taken.
    Usuario({u"key"_s, u"--delay"_s, u"80"_s, u"5"_s, u"KP_Add"_s, u"3"_s, u"Return"_s});
    Apartar();
    const QStringList esperadas = Lineas(u"5 +|---|5 T||"_s);
    (void)QTest::qWaitFor([&] { return ventana->Cuenta->Lineas() == esperadas; });
    EXPECT_EQ(ventana->Cuenta->Lineas().join(u'|').toStdString(),
              esperadas.join(u'|').toStdString());
    // The window on the screen, and on it the tape as drawn with its lines: a blank tape
    // differs from it in far more than the few pixels allowed.
    const std::optional<QPoint> donde = EnPantalla(ventana.get(), u"principal"_s, 400);
    ASSERT_TRUE(donde) << "the main window is not on the compositor's screen";
    const std::optional<QPoint> cinta = EnPantalla(ventana->Cuenta, u"principal"_s, 10);
    ASSERT_TRUE(cinta) << "the tape with its three lines is not on the compositor's screen";
    EXPECT_EQ(*cinta, *donde + ventana->Cuenta->mapTo(ventana.get(), QPoint(0, 0)));
}

TEST_F(SesionWayland, ArrastrarLaBarraDelSkinMueveLaVentana) {
    const std::optional<QPoint> antes = EnPantalla(ventana.get(), u"antes"_s, 400);
    ASSERT_TRUE(antes) << "the main window is not on the compositor's screen";
    ArrastrarTitulo(ventana.get(), *antes);
    const std::optional<QPoint> despues = EnPantalla(ventana.get(), u"arrastrada"_s, 400);
    ASSERT_TRUE(despues) << "the main window is not on the compositor's screen";
    EXPECT_EQ(*despues - *antes, QPoint(90, 70));
}

TEST_F(SesionWayland, ElDesplegableSeAbreBajoSuCajaYSeCierraAlArrastrarElDialogo) {
    TInteresSimple* dialogo = ventana->InteresSimple;
    dialogo->setWindowModality(Qt::NonModal); // shown without exec(), so nothing waits on it
    dialogo->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialogo));
    const std::optional<QPoint> donde = EnPantalla(dialogo, u"dialogo"_s, 400);
    ASSERT_TRUE(donde) << "the dialog is not on the compositor's screen";
    auto* caja = dialogo->findChild<TSkinCalcEdit*>();
    ASSERT_NE(caja, nullptr);
    QWidget* boton = caja->BotonDesplegar();
    Pulsar(*donde + boton->mapTo(dialogo, boton->rect().center()));
    Apartar();
    QWidget* desplegable = nullptr;
    (void)QTest::qWaitFor([&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->inherits("TPopupCalculatorForm") && w->isVisible())
                desplegable = w;
        return desplegable != nullptr;
    });
    ASSERT_NE(desplegable, nullptr) << "the box's button did not open the drop-down";
    const std::optional<QPoint> abajo = EnPantalla(desplegable, u"desplegable"_s, 10);
    ASSERT_TRUE(abajo) << "the drop-down is not on the compositor's screen";
    EXPECT_EQ(*abajo, *donde + caja->mapTo(dialogo, QPoint(0, caja->height())));
    // Unmanaged by the window manager, it still takes the pointer: 7 and accept fill the box.
    const TCalculatorPanel* teclado = static_cast<TPopupCalculatorForm*>(desplegable)->Panel();
    for (const int tecla : {8, int(TCalculatorPanel::KindAceptar)}) {
        const QWidget* t = teclado->Boton(tecla);
        Pulsar(*abajo + t->mapTo(desplegable, t->rect().center()));
    }
    Apartar();
    EXPECT_TRUE(QTest::qWaitFor([&] { return caja->Value() == 7; })) << caja->Value();

    // Dragging the dialog by its caption closes the drop-down rather than leave it behind:
    // Weston's XWayland tells no window that it moved.
    Pulsar(*donde + boton->mapTo(dialogo, boton->rect().center()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return desplegable->isVisible(); }));
    const QImage abierto = desplegable->grab().toImage();
    ArrastrarTitulo(dialogo, *donde);
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return !Buscar(Pantalla(u"dialogo_movido"_s), abierto, 10);
    })) << "the drop-down stayed on the screen";
    const std::optional<QPoint> movido = EnPantalla(dialogo, u"dialogo_movido"_s, 400);
    ASSERT_TRUE(movido) << "the dialog is not on the compositor's screen";
    EXPECT_EQ(*movido - *donde, QPoint(90, 70));
    dialogo->hide();
}

} // namespace
int main(int argc, char** argv) {
    return PruebasEnSesion(argc, argv);
}
