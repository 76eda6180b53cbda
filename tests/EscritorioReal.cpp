// The program on real desktops: each test suite runs in its own session, which
// tests/CMakeLists.txt starts (--gtest_filter). Keys and the pointer are a user's, made with
// xdotool; what the user sees is read from the screen.
#include "GuardiaErrores.h"
#include "TBarraTituloSkin.h"
#include "TCalcButton.h"
#include "TCalculatorPanel.h"
#include "TFAcercaDe.h"
#include "TInteresCompuesto.h"
#include "TInteresSimple.h"
#include "TMarcoSkin.h"
#include "TPopupCalculatorForm.h"
#include "TPrestamoFrances.h"
#include "TPropiedades.h"
#include "TSkinCalcEdit.h"
#include "TSkinData.h"
#include "VentanaPrueba.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

using namespace Qt::StringLiterals;

static void PrintTo(const QPoint& p, std::ostream* os) {
    *os << p.x() << "," << p.y();
}

namespace {

// xdotool on the display the user's devices are on: Weston's own seat takes input made on the
// display its window is on (PANTALLA_ANFITRIONA), X sessions the program's own display's.
bool Usuario(const QStringList& argumentos) {
    QProcess xdotool;
    if (qEnvironmentVariableIsSet("PANTALLA_ANFITRIONA")) {
        QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
        entorno.insert(u"DISPLAY"_s, qEnvironmentVariable("PANTALLA_ANFITRIONA"));
        xdotool.setProcessEnvironment(entorno);
    }
    xdotool.start(u"xdotool"_s, argumentos);
    const bool hecho = xdotool.waitForFinished(10000) && xdotool.exitCode() == 0;
    QTest::qWait(50);
    return hecho;
}

// Weston reads the pointer's place as the pointer enters its window, so the pointer leaves
// that window (at the top-left of its display) first.
void Apuntar(const QPoint& p) {
    Usuario({u"mousemove"_s, u"1390"_s, u"1090"_s});
    Usuario({u"mousemove"_s, QString::number(p.x()), QString::number(p.y())});
}

// The pointer to the screen's bottom-right corner, out of the screenshots' way.
void Apartar() {
    Usuario({u"mousemove"_s, u"1279"_s, u"1023"_s});
}

void PulsarEn(const QPoint& p) {
    Apuntar(p);
    Usuario({u"click"_s, u"1"_s});
}

// Drags by (90, 70) from `agarre`, in steps as a hand would.
void Arrastrar(const QPoint& agarre) {
    Apuntar(agarre);
    Usuario({u"mousedown"_s, u"1"_s});
    for (int paso = 1; paso <= 10; ++paso)
        Usuario({u"mousemove"_s, QString::number(agarre.x() + 9 * paso),
                 QString::number(agarre.y() + 7 * paso)});
    Usuario({u"mouseup"_s, u"1"_s});
    Apartar();
}

bool Igual(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
               std::abs(qBlue(a) - qBlue(b)) <=
           24;
}

// How many pixels of `muestra` differ (by more than rounding) from the screen's at `origen`,
// counting no further than `tope`.
int Distintos(const QImage& pantalla, QPoint origen, const QImage& original, int tope = INT_MAX) {
    const QImage muestra = original.convertToFormat(QImage::Format_RGB32);
    int distintos = 0;
    for (int y = 0; y < muestra.height() && distintos <= tope; ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(pantalla.constScanLine(origen.y() + y));
        const auto* b = reinterpret_cast<const QRgb*>(muestra.constScanLine(y));
        for (int x = 0; x < muestra.width(); ++x)
            distintos += Igual(a[origen.x() + x], b[x]) ? 0 : 1;
    }
    return distintos;
}

// ---- TecladoReal: a virtual X display with a Spanish or a US layout and no window manager ----

// A display with another layout than the run was set up with fails instead of testing the
// wrong keyboard.
class TecladoReal : public VentanaPrueba {
protected:
    void SetUp() override {
        static const QRegularExpression disposicion(u"^layout:\\s*(\\S+)"_s,
                                                    QRegularExpression::MultilineOption);
        ASSERT_EQ(disposicion.match(Ejecutar(u"setxkbmap"_s, {u"-query"_s})).captured(1),
                  qEnvironmentVariable("TECLADO_ESPERADO"))
            << "the display did not take the layout";
        VentanaPrueba::SetUp();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&V()));
        // No window manager: the focus is given by hand.
        ASSERT_TRUE(Usuario({u"windowfocus"_s, u"--sync"_s, QString::number(V().winId())}));
    }
};

// The operators as each layout types them (xdotool's key names), and the tape (as for
// Lineas()), the entry and the total they leave. Spanish: the keys of the main block. US: the
// hinted symbols act by the character typed, where a US user types them ("+" is Shift with "=",
// "*" Shift with 8, "-" and "/" have keys of their own), and the tape is the one the same
// characters give on a Spanish keyboard: "=" totals what was posted.
TEST_F(TecladoReal, OperadoresDeLaDisposicion) {
    const bool espanol = qEnvironmentVariable("TECLADO_ESPERADO") == u"es"_s;
    const QString teclas =
        espanol
            ? u"4 plus 5 shift+plus 2 comma 5 minus 3 period 5 shift+7 shift+5 shift+0 "
              u"shift+8 9 ctrl+6"_s
            : u"KP_1 KP_2 shift+equal KP_3 equal 8 slash 2 equal 6 shift+8 7 equal 9 minus 4 equal"_s;
    const QStringList esperado =
        espanol ? Lineas(u"4 +|4 =|5 *|20 =|2,5 -|17,5 =|3,5 /|5 =|3,5 %|---|0,175 T||"_s)
                      << u"96"_s << u"0,175"_s
                : Lineas(u"12 +|---|12 T|||8 /|---|0 T|||6 *|---|0 T|||9 -|---|-9 T||"_s)
                      << u"-9"_s << u"-9"_s;
    ASSERT_TRUE(Usuario(QStringList{u"key"_s, u"--delay"_s, u"20"_s} + teclas.split(u' ')));
    const auto estado = [this] { return Cinta() << Texto(V().Datos) << Texto(V().Operandos); };
    (void)QTest::qWaitFor([&] { return estado() == esperado; }, 20000); // bounds a wrong run
    EXPECT_EQ(estado(), esperado);
}

// ---- EscritorioReal: openbox on a virtual X display (black root) ----

// The values of a window property as xprop prints them ("1, 1, 20, 1"), split at commas;
// empty while the property is not set.
QStringList Propiedad(WId ventana, const QString& nombre) {
    const QString salida =
        Ejecutar(u"xprop"_s, {u"-id"_s, QString::number(ventana), u"-notype"_s, nombre});
    static const QRegularExpression coma(u"\\s*,\\s*"_s);
    return salida.contains(u" = "_s) ? salida.section(u" = "_s, 1).trimmed().split(coma)
                                     : QStringList();
}

// Left, right, top, bottom of the window manager's frame; empty until it manages the window.
QList<int> Marco(QWidget* w) {
    QList<int> bordes;
    for (const QString& v : Propiedad(w->winId(), u"_NET_FRAME_EXTENTS"_s))
        bordes << v.toInt();
    return bordes.size() == 4 ? bordes : QList<int>{};
}

QImage Pantalla() {
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(
        QImage::Format_RGB32);
}

// The main window with its five dialogs built.
class EscritorioReal : public VentanaPrueba {
protected:
    void SetUp() override {
        ASSERT_TRUE(QTest::qWaitFor([] {
            return Ejecutar(u"xprop"_s, {u"-root"_s, u"_NET_SUPPORTING_WM_CHECK"_s})
                .contains(u"window id"_s);
        })) << "no window manager on the display";
        Fondo = Pantalla().pixel(2, 2);
        VentanaPrueba::SetUp();
        ConDialogos = true;
    }

    // Shows `w` alone at a known place and waits until the window manager has framed it.
    void Mostrar(QWidget* w) {
        w->setWindowModality(Qt::NonModal); // shown without exec(), so nothing waits on it
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
        ASSERT_TRUE(QTest::qWaitFor([w] { return !Marco(w).isEmpty(); })) << "not managed";
        // Dialogs place themselves when shown; put each in one place, away from the edges.
        w->move(300, 200);
        (void)QTest::qWaitFor([w] { return w->frameGeometry().topLeft() == QPoint(300, 200); },
                              2000);
        QTest::qWait(300); // the frame is drawn after the extents are set
    }

    // One caption row: the skin's with no frame around it, or the window manager's above a
    // client area that starts with the window's own controls.
    void UnaBarra(QWidget* w, TMarcoSkin* marco) {
        const QList<int> bordes = Marco(w);
        const QImage pantalla = Pantalla();
        const QRect g = w->geometry();
        QImage escritorio(g.width(), 1, QImage::Format_RGB32); // a row of bare desktop
        escritorio.fill(Fondo);
        if (marco != nullptr && marco->Activo()) {
            EXPECT_EQ(bordes, (QList<int>{0, 0, 0, 0}));
            EXPECT_LT(Distintos(pantalla, g.topLeft() - QPoint(0, 1), escritorio), g.width() / 20);
            EXPECT_TRUE(marco->Barra()->isVisible());
        } else {
            ASSERT_EQ(bordes.size(), 4);
            EXPECT_GT(bordes[2], 10);
            EXPECT_GT(Distintos(pantalla, g.topLeft() - QPoint(0, bordes[2] / 2), escritorio),
                      g.width() / 2)
                << "no caption of the window manager";
            EXPECT_TRUE(marco == nullptr || !marco->Barra()->isVisible());
        }
        // The screen's top rows of the window are the window's own: the skin's caption, or
        // its controls with no caption of ours.
        const QRect arriba(0, 2, g.width(), TMarcoSkin::AltoTitulo - 4);
        EXPECT_LT(
            Distintos(pantalla, g.topLeft() + arriba.topLeft(), w->grab().toImage().copy(arriba)),
            arriba.width() * arriba.height() / 50);
    }

    QRgb Fondo = 0;
};

TEST_F(EscritorioReal, UnaSolaBarraDeTituloConLosBotonesDeLaVentana) {
    TSumadoraFormulario& p = V();
    for (const int skin : {1, 0, 4}) {
        ASSERT_TRUE(TSkinData::Actual()->AplicarSkin(skin));
        for (QWidget* w :
             std::initializer_list<QWidget*>{&p, p.Propiedades, p.AcercaDe, p.InteresSimple,
                                             p.InteresCompuesto, p.PrestamoFrances}) {
            SCOPED_TRACE(w->windowTitle().toStdString() + " skin " + std::to_string(skin));
            Mostrar(w);
            TMarcoSkin* marco = TMarcoSkin::De(w);
            ASSERT_NE(marco, nullptr);
            UnaBarra(w, marco);
            const QStringList acciones = Propiedad(w->winId(), u"_NET_WM_ALLOWED_ACTIONS"_s);
            EXPECT_FALSE(acciones.contains(u"_NET_WM_ACTION_MAXIMIZE_HORZ"_s));
            if (skin != 0) {
                QStringList visibles;
                for (QToolButton* b : marco->Barra()->findChildren<QToolButton*>())
                    if (b->isVisible())
                        visibles << b->objectName();
                visibles.sort();
                EXPECT_EQ(visibles,
                          (w == &p ? QStringList{u"BotonCerrarSkin"_s, u"BotonEnrollar"_s,
                                                 u"BotonMenuSistema"_s}
                                   : QStringList{u"BotonCerrarSkin"_s, u"BotonMenuSistema"_s}));
            } else {
                // What the program asks of the system frame: closing, and no minimising or
                // maximising (openbox keeps its minimise button on the main window whatever
                // it is asked).
                const QStringList motif = Propiedad(w->winId(), u"_MOTIF_WM_HINTS"_s);
                ASSERT_GE(motif.size(), 2);
                EXPECT_EQ(motif[1].toUInt(nullptr, 16) & 0x18u, 0u)
                    << "asks for minimise or maximise";
                EXPECT_TRUE(acciones.contains(u"_NET_WM_ACTION_CLOSE"_s));
                if (w == &p) {
                    EXPECT_TRUE(acciones.contains(u"_NET_WM_ACTION_SHADE"_s));
                }
            }
            w->hide(); // alone on the desktop, so the rows around it are the desktop's
        }
        // The error guard's message box: never skinned, one caption of the window manager.
        AlAparecerDialogo([&](QWidget* caja) {
            ASSERT_TRUE(QTest::qWaitFor([caja] { return !Marco(caja).isEmpty(); }));
            QTest::qWait(300);
            UnaBarra(caja, nullptr);
        });
        MostrarMensaje(&p, Desbordamiento, QMessageBox::Critical);
    }
}

// The dialogs' captions are the same; SesionWayland drags one.
TEST_F(EscritorioReal, ArrastrarLaBarraMueveLaVentana) {
    QWidget* w = &V();
    TMarcoSkin* marco = TMarcoSkin::De(w);
    for (const int skin : {1, 0}) {
        SCOPED_TRACE(skin);
        ASSERT_TRUE(TSkinData::Actual()->AplicarSkin(skin));
        Mostrar(w);
        const QPoint antes = w->geometry().topLeft();
        const QPoint agarre = marco->Activo()
                                  ? marco->Barra()->mapToGlobal(QPoint(marco->Barra()->width() / 2,
                                                                       TMarcoSkin::AltoTitulo / 2))
                                  : antes + QPoint(w->width() / 3, -Marco(w).value(2) / 2);
        Arrastrar(agarre);
        const QPoint esperado = antes + QPoint(90, 70);
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return (w->geometry().topLeft() - esperado).manhattanLength() <= 4; }, 2000))
            << "from " << antes.x() << "," << antes.y() << " to " << w->x() << "," << w->y();
        if (skin != 0) {
            // Handing the drag to the window manager leaves the double click to roll up.
            Apuntar(esperado + agarre - antes);
            Usuario({u"click"_s, u"--repeat"_s, u"2"_s, u"--delay"_s, u"100"_s, u"1"_s});
            EXPECT_TRUE(QTest::qWaitFor([marco] { return marco->Enrollada(); }, 2000));
            marco->Desenrollar();
        }
        w->hide();
    }
}

// ---- SesionWayland: Weston with XWayland (sesion_wayland.sh), the program's platform ----

// The compositor's whole screen as the user sees it; saved as wayland_NOMBRE.png in the
// folder CAPTURA_WAYLAND names.
QImage CapturaWeston(const QString& nombre) {
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
    const int w = muestra.width(), h = muestra.height();
    std::vector<QPoint> sondas;
    for (int i = 0; i < 8; ++i)
        for (int j = 0; j < 8; ++j)
            sondas.emplace_back(i * (w - 1) / 7, j * (h - 1) / 7);
    for (int y = 0; y + h <= pantalla.height(); ++y)
        for (int x = 0; x + w <= pantalla.width(); ++x) {
            int fallos = 0;
            for (const QPoint& s : sondas)
                if (!Igual(pantalla.pixel(x + s.x(), y + s.y()), muestra.pixel(s)) && ++fallos > 2)
                    break;
            if (fallos <= 2 && Distintos(pantalla, {x, y}, muestra, distintos) <= distintos)
                return QPoint(x, y);
        }
    return std::nullopt;
}

// Where the widget shows on the compositor's screen once it is drawn there, if it does.
std::optional<QPoint> EnPantalla(QWidget* w, const QString& nombre, int distintos) {
    std::optional<QPoint> donde;
    (void)QTest::qWaitFor(
        [&] {
            return (donde = Buscar(CapturaWeston(nombre), w->grab().toImage(), distintos))
                .has_value();
        },
        10000);
    return donde;
}

// The main window shown with its five dialogs built.
class VentanaVista : public VentanaPrueba {
protected:
    void SetUp() override {
        VentanaPrueba::SetUp();
        ConDialogos = true;
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&V()));
    }
};
using SesionWayland = VentanaVista;

TEST_F(SesionWayland, LaVentanaSeVeYLoTecleadoSeImprimeEnLaCinta) {
    EXPECT_EQ(QGuiApplication::platformName(), u"xcb"_s);
    const std::optional<QPoint> antes = EnPantalla(&V(), u"inicio"_s, 400);
    ASSERT_TRUE(antes) << "the main window is not on the compositor's screen";
    // Keys on that display go to the window under the pointer: Weston's.
    Apuntar(*antes + V().Cuenta->mapTo(&V(), QPoint(20, 20)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return V().isActiveWindow(); }));
    // With a calculation open, Intro totals what was added: the 3 keyed since is not taken.
    Usuario({u"key"_s, u"--delay"_s, u"80"_s, u"5"_s, u"KP_Add"_s, u"3"_s, u"Return"_s});
    Apartar();
    const QStringList esperadas = Lineas(u"5 +|---|5 T||"_s);
    (void)QTest::qWaitFor([&] { return Cinta() == esperadas; });
    EXPECT_EQ(Cinta(), esperadas);
    // The window on the screen, and on it the tape as drawn with its lines: a blank tape
    // differs from it in far more than the few pixels allowed.
    const std::optional<QPoint> donde = EnPantalla(&V(), u"principal"_s, 400);
    ASSERT_TRUE(donde) << "the main window is not on the compositor's screen";
    const std::optional<QPoint> cinta = EnPantalla(V().Cuenta, u"principal"_s, 10);
    ASSERT_TRUE(cinta) << "the tape with its three lines is not on the compositor's screen";
    EXPECT_EQ(*cinta, *donde + V().Cuenta->mapTo(&V(), QPoint(0, 0)));
}

TEST_F(SesionWayland, ElDesplegableSeAbreBajoSuCajaYSeCierraAlArrastrarElDialogo) {
    TInteresSimple* dialogo = V().InteresSimple;
    dialogo->setWindowModality(Qt::NonModal); // shown without exec(), so nothing waits on it
    dialogo->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialogo));
    const std::optional<QPoint> donde = EnPantalla(dialogo, u"dialogo"_s, 400);
    ASSERT_TRUE(donde) << "the dialog is not on the compositor's screen";
    TSkinCalcEdit* caja = dialogo->CI;
    QWidget* boton = caja->BotonDesplegar();
    PulsarEn(*donde + boton->mapTo(dialogo, boton->rect().center()));
    Apartar();
    TPopupCalculatorForm* desplegable = nullptr;
    (void)QTest::qWaitFor([&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && qobject_cast<TPopupCalculatorForm*>(w))
                desplegable = qobject_cast<TPopupCalculatorForm*>(w);
        return desplegable != nullptr;
    });
    ASSERT_NE(desplegable, nullptr) << "the box's button did not open the drop-down";
    const std::optional<QPoint> abajo = EnPantalla(desplegable, u"desplegable"_s, 10);
    ASSERT_TRUE(abajo) << "the drop-down is not on the compositor's screen";
    EXPECT_EQ(*abajo, *donde + caja->mapTo(dialogo, QPoint(0, caja->height())));
    // Unmanaged by the window manager, it still takes the pointer: 7 and accept fill the box.
    for (const int tecla : {8, int(TCalculatorPanel::KindAceptar)}) {
        const QWidget* t = desplegable->Panel()->Boton(tecla);
        PulsarEn(*abajo + t->mapTo(desplegable, t->rect().center()));
    }
    Apartar();
    EXPECT_TRUE(QTest::qWaitFor([&] { return caja->Value() == 7; })) << caja->Value();

    // Dragging the dialog by the skin's caption moves it, and closes the drop-down rather than
    // leave it behind: Weston's XWayland tells no window that it moved.
    PulsarEn(*donde + boton->mapTo(dialogo, boton->rect().center()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return desplegable->isVisible(); }));
    const QImage abierto = desplegable->grab().toImage();
    const QWidget* barra = TMarcoSkin::De(dialogo)->Barra();
    Arrastrar(*donde + barra->mapTo(dialogo, barra->rect().center()));
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return !Buscar(CapturaWeston(u"dialogo_movido"_s), abierto, 10);
    })) << "the drop-down stayed on the screen";
    const std::optional<QPoint> movido = EnPantalla(dialogo, u"dialogo_movido"_s, 400);
    ASSERT_TRUE(movido) << "the dialog is not on the compositor's screen";
    EXPECT_EQ(*movido - *donde, QPoint(90, 70));
    dialogo->hide();
}

// ---- SesionGnome: a headless mutter with XWayland (sesion_gnome.sh), the program's platform ----

// The window's outer rectangle as the X server has it, from xwininfo.
QRect SegunX(const QWidget* ventana) {
    const QString salida = Ejecutar(u"xwininfo"_s, {u"-id"_s, QString::number(ventana->winId())});
    const auto valor = [&salida](const QString& nombre) {
        return QRegularExpression(nombre + u":\\s*(-?\\d+)"_s).match(salida).captured(1).toInt();
    };
    return {valor(u"Absolute upper-left X"_s), valor(u"Absolute upper-left Y"_s), valor(u"Width"_s),
            valor(u"Height"_s)};
}

using SesionGnome = VentanaVista;

TEST_F(SesionGnome, LosDialogosSeAbrenCentradosEnLaPantalla) {
    ASSERT_EQ(QGuiApplication::platformName(), u"xcb"_s);
    TSumadoraFormulario& v = V();
    const QPoint centro = v.screen()->availableGeometry().center();
    for (QDialog* dialogo : std::initializer_list<QDialog*>{
             v.AcercaDe, v.Propiedades, v.InteresSimple, v.InteresCompuesto, v.PrestamoFrances}) {
        QRect donde;
        AlAparecerDialogo([&](QWidget*) {
            if (QTest::qWaitForWindowExposed(dialogo))
                (void)QTest::qWaitFor([&] { return (donde = SegunX(dialogo)).center() == centro; });
        });
        dialogo->exec();
        EXPECT_LE((donde.center() - centro).manhattanLength(), 2)
            << dialogo->windowTitle().toStdString();
    }
}

} // namespace
