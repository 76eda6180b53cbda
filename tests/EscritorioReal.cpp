// The program's windows under a real window manager: the test command starts openbox on a
// virtual X display (black root). For the main window, Properties, the About box, the three
// financial dialogs and the error message, in a skinned look and in the plain one: exactly one
// caption row shows (the window manager's frame extents and the screen's pixels), the caption
// has the window's own buttons, and dragging the caption moves the window.
// Skipped without an X display (QT_QPA_PLATFORM=xcb), xprop, xdotool or a window manager.
#include "GuardiaErrores.h"
#include "TBarraTituloSkin.h"
#include "TFAcercaDe.h"
#include "TInteresCompuesto.h"
#include "TInteresSimple.h"
#include "TMarcoSkin.h"
#include "TPrestamoFrances.h"
#include "TPropiedades.h"
#include "TSkinData.h"
#include "TSumadoraFormulario.h"

#include "ArchivoIni.h"
#include "AyudasPrueba.h"
#include "VentanaPrueba.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMessageBox>
#include <QPixmap>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The values of a window property as xprop prints them ("1, 1, 20, 1"), split at commas;
// empty while the property is not set.
QStringList Propiedad(WId ventana, const QString& nombre) {
    const QString salida =
        Ejecutar(u"xprop"_s, {u"-id"_s, QString::number(ventana), u"-notype"_s, nombre});
    const qsizetype igual = salida.indexOf(u" = "_s);
    if (igual < 0)
        return {};
    QStringList valores = salida.mid(igual + 3).trimmed().split(u","_s);
    for (QString& v : valores)
        v = v.trimmed();
    return valores;
}

// Left, right, top, bottom of the window manager's frame; empty until it manages the window.
QList<int> Marco(QWidget* w) {
    QList<int> bordes;
    for (const QString& v : Propiedad(w->winId(), u"_NET_FRAME_EXTENTS"_s))
        bordes << v.toInt();
    return bordes.size() == 4 ? bordes : QList<int>{};
}

QImage Pantalla() {
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage();
}

// Mean difference per channel between a part of the screen and an image of the same size.
double Diferencia(const QImage& pantalla, QPoint origen, const QImage& imagen, const QRect& zona) {
    double suma = 0;
    for (int y = zona.top(); y <= zona.bottom(); ++y)
        for (int x = zona.left(); x <= zona.right(); ++x) {
            const QColor a = pantalla.pixelColor(origen + QPoint(x, y));
            const QColor b = imagen.pixelColor(x, y);
            suma +=
                qAbs(a.red() - b.red()) + qAbs(a.green() - b.green()) + qAbs(a.blue() - b.blue());
        }
    return suma / (3.0 * zona.width() * zona.height());
}

// Share of the pixels of screen row `y` from x0 to x1 that have the desktop's colour.
double Escritorio(const QImage& pantalla, int y, int x0, int x1, QRgb fondo) {
    int iguales = 0;
    for (int x = x0; x <= x1; ++x)
        iguales += pantalla.pixel(x, y) == fondo;
    return double(iguales) / (x1 - x0 + 1);
}

QStringList BotonesVisibles(TMarcoSkin* marco) {
    QStringList nombres;
    for (QToolButton* b : marco->Barra()->findChildren<QToolButton*>())
        if (b->isVisible())
            nombres << b->objectName();
    nombres.sort();
    return nombres;
}

class EscritorioReal : public ::testing::Test {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != u"xcb"_s)
            GTEST_SKIP() << "needs an X display and QT_QPA_PLATFORM=xcb";
        for (const QString& p : {u"xprop"_s, u"xdotool"_s})
            if (QStandardPaths::findExecutable(p).isEmpty())
                GTEST_SKIP() << "needs " << p.toStdString();
        ASSERT_TRUE(QTest::qWaitFor([] {
            return Ejecutar(u"xprop"_s, {u"-root"_s, u"_NET_SUPPORTING_WM_CHECK"_s})
                .contains(u"window id"_s);
        })) << "no window manager on the display";
        Fondo = Pantalla().pixel(2, 2);
        QFile::remove(ArchivoIni::RutaPredeterminada());
        Principal = std::make_unique<TSumadoraFormulario>();
        CrearDialogos(*Principal);
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
    void UnaBarra(QWidget* w, TMarcoSkin* marco, const QString& nombre) {
        const QList<int> bordes = Marco(w);
        const QImage pantalla = Pantalla();
        const QRect g = w->geometry();
        const QImage propia = w->grab().toImage();
        const QRect arriba(0, 2, g.width() - 1, TMarcoSkin::AltoTitulo - 4);
        if (marco != nullptr && marco->Activo()) {
            EXPECT_EQ(bordes, (QList<int>{0, 0, 0, 0})) << nombre.toStdString();
            EXPECT_GT(Escritorio(pantalla, g.top() - 1, g.left(), g.right(), Fondo), 0.95)
                << nombre.toStdString();
            EXPECT_TRUE(marco->Barra()->isVisible()) << nombre.toStdString();
        } else {
            ASSERT_EQ(bordes.size(), 4) << nombre.toStdString();
            EXPECT_GT(bordes[2], 10) << nombre.toStdString();
            EXPECT_LT(Escritorio(pantalla, g.top() - bordes[2] / 2, g.left(), g.right(), Fondo),
                      0.5)
                << nombre.toStdString() << ": no caption of the window manager";
            EXPECT_TRUE(marco == nullptr || !marco->Barra()->isVisible()) << nombre.toStdString();
        }
        // The screen's top rows of the window are the window's own: the skin's caption, or
        // its controls with no caption of ours.
        EXPECT_LT(Diferencia(pantalla, g.topLeft(), propia, arriba), 6.0) << nombre.toStdString();
    }

    // Drags the caption by (90, 70) with the pointer and checks the window followed.
    void Arrastrar(QWidget* w, TMarcoSkin* marco, const QString& nombre) {
        const QPoint antes = w->geometry().topLeft();
        QPoint agarre;
        if (marco != nullptr && marco->Activo())
            agarre = marco->Barra()->mapToGlobal(
                QPoint(marco->Barra()->width() / 2, TMarcoSkin::AltoTitulo / 2));
        else
            agarre = antes + QPoint(w->width() / 3, -Marco(w).value(2) / 2);
        const auto xdotool = [](const QStringList& a) { Ejecutar(u"xdotool"_s, a); };
        xdotool({u"mousemove"_s, QString::number(agarre.x()), QString::number(agarre.y())});
        QTest::qWait(100);
        xdotool({u"mousedown"_s, u"1"_s});
        for (int paso = 1; paso <= 10; ++paso) {
            QTest::qWait(40);
            xdotool({u"mousemove"_s, QString::number(agarre.x() + 9 * paso),
                     QString::number(agarre.y() + 7 * paso)});
        }
        QTest::qWait(100);
        xdotool({u"mouseup"_s, u"1"_s});
        const QPoint esperado = antes + QPoint(90, 70);
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return (w->geometry().topLeft() - esperado).manhattanLength() <= 4; }, 2000))
            << nombre.toStdString() << ": from " << antes.x() << "," << antes.y() << " to "
            << w->geometry().x() << "," << w->geometry().y();
    }

    struct Dialogo {
        QString Nombre;
        QWidget* Ventana;
    };
    QList<Dialogo> Ventanas() {
        TSumadoraFormulario& p = *Principal;
        return {{u"principal"_s, &p},
                {u"Propiedades"_s, p.Propiedades},
                {u"Acerca de"_s, p.AcercaDe},
                {u"Interés simple"_s, p.InteresSimple},
                {u"Interés compuesto"_s, p.InteresCompuesto},
                {u"Préstamo"_s, p.PrestamoFrances}};
    }

    std::unique_ptr<TSumadoraFormulario> Principal;
    QRgb Fondo = 0;
};

TEST_F(EscritorioReal, UnaSolaBarraDeTituloConLosBotonesDeLaVentana) {
    for (const int skin : {1, 0, 4}) {
        ASSERT_TRUE(TSkinData::Actual()->AplicarSkin(skin));
        for (const Dialogo& d : Ventanas()) {
            const QString nombre = d.Nombre + u" skin "_s + QString::number(skin);
            SCOPED_TRACE(nombre.toStdString());
            Mostrar(d.Ventana);
            TMarcoSkin* marco = TMarcoSkin::De(d.Ventana);
            ASSERT_NE(marco, nullptr);
            UnaBarra(d.Ventana, marco, nombre);
            const bool principal = d.Ventana == Principal.get();
            const QStringList acciones =
                Propiedad(d.Ventana->winId(), u"_NET_WM_ALLOWED_ACTIONS"_s);
            EXPECT_FALSE(acciones.contains(u"_NET_WM_ACTION_MAXIMIZE_HORZ"_s))
                << nombre.toStdString();
            if (skin != 0) {
                const QStringList esperados =
                    principal ? QStringList{u"BotonCerrarSkin"_s, u"BotonEnrollar"_s,
                                            u"BotonMenuSistema"_s}
                              : QStringList{u"BotonCerrarSkin"_s, u"BotonMenuSistema"_s};
                EXPECT_EQ(BotonesVisibles(marco), esperados);
            } else {
                // What the program asks of the system frame: closing, and no minimising or
                // maximising (openbox keeps its minimise button on the main window whatever
                // it is asked).
                const QStringList motif = Propiedad(d.Ventana->winId(), u"_MOTIF_WM_HINTS"_s);
                ASSERT_GE(motif.size(), 2) << nombre.toStdString();
                const uint funciones = motif[1].toUInt(nullptr, 16);
                EXPECT_EQ(funciones & 0x18u, 0u)
                    << nombre.toStdString() << " asks for minimise or maximise";
                EXPECT_TRUE(acciones.contains(u"_NET_WM_ACTION_CLOSE"_s)) << nombre.toStdString();
                if (principal) {
                    EXPECT_TRUE(acciones.contains(u"_NET_WM_ACTION_SHADE"_s));
                }
            }
            d.Ventana->hide(); // alone on the desktop, so the rows around it are the desktop's
        }
        // The error guard's message box: never skinned, one caption of the window manager.
        bool vista = false;
        AlAparecerDialogo([&](QWidget* caja) {
            vista = true;
            ASSERT_TRUE(QTest::qWaitFor([caja] { return !Marco(caja).isEmpty(); }));
            QTest::qWait(300);
            UnaBarra(caja, nullptr, u"mensaje skin "_s + QString::number(skin));
        });
        MostrarMensaje(Principal.get(), u"Desbordamiento en operación de coma flotante."_s,
                       QMessageBox::Critical);
        EXPECT_TRUE(vista);
    }
}

TEST_F(EscritorioReal, ArrastrarLaBarraMueveLaVentana) {
    for (const int skin : {1, 0}) {
        ASSERT_TRUE(TSkinData::Actual()->AplicarSkin(skin));
        for (QWidget* w : {static_cast<QWidget*>(Principal.get()),
                           static_cast<QWidget*>(Principal->Propiedades)}) {
            Mostrar(w);
            TMarcoSkin* marco = TMarcoSkin::De(w);
            Arrastrar(w, marco, w->windowTitle() + u" skin "_s + QString::number(skin));
            if (skin != 0 && w == Principal.get()) {
                // Handing the drag to the window manager leaves the double click to roll up.
                Ejecutar(u"xdotool"_s,
                         {u"click"_s, u"--repeat"_s, u"2"_s, u"--delay"_s, u"100"_s, u"1"_s});
                EXPECT_TRUE(QTest::qWaitFor([marco] { return marco->Enrollada(); }, 2000));
                marco->Desenrollar();
            }
            w->hide();
        }
    }
}

} // namespace
