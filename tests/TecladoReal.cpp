// The keyboard hook with real key presses: under an X display, xdotool types into the main
// window as a keyboard would, and the tape, the registers and a memory show the result.
// Skipped without an X display (QT_QPA_PLATFORM=xcb) or without xdotool. TECLADO_ESPERADO
// names the layout the run was set up with ("es", "us"); a display with another layout fails
// the run instead of testing the wrong keyboard.
#include "VentanaPrueba.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The display's keyboard layout, as setxkbmap reports it.
QString Disposicion() {
    static const QRegularExpression linea(u"^layout:\\s*(\\S+)"_s,
                                          QRegularExpression::MultilineOption);
    return linea.match(Ejecutar(u"setxkbmap"_s, {u"-query"_s})).captured(1);
}

class TecladoReal : public VentanaPrueba {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != u"xcb"_s)
            GTEST_SKIP() << "needs an X display and QT_QPA_PLATFORM=xcb";
        if (QStandardPaths::findExecutable(u"xdotool"_s).isEmpty())
            GTEST_SKIP() << "needs xdotool";
        const QString esperada = qEnvironmentVariable("TECLADO_ESPERADO");
        FDisposicion = Disposicion();
        if (!esperada.isEmpty()) {
            ASSERT_EQ(FDisposicion, esperada) << "the display did not take the layout";
        }
        VentanaPrueba::SetUp();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&V()));
        // No window manager under Xvfb: the focus is given by hand.
        ASSERT_FALSE(
            Ejecutar(u"xdotool"_s, {u"windowfocus"_s, u"--sync"_s, QString::number(V().winId())})
                .isNull());
    }

    // What the keys change, in one list, so that a failure shows all of it.
    QStringList Estado() {
        return Cinta() << Texto(V().Datos) << Texto(V().Operandos) << Texto(V().M1);
    }

    // Types the keys (xdotool's key names) and lets the window take them until it shows the
    // tape (as for Lineas()), the entry, the total and M1; the wait only bounds a run that
    // went wrong.
    void Teclear(const QString& teclas, const QString& lineas, const QString& dato,
                 const QString& total, const QString& memoria) {
        const QStringList esperado = Lineas(lineas) << dato << total << memoria;
        ASSERT_FALSE(Ejecutar(u"xdotool"_s, QStringList{u"key"_s, u"--delay"_s, u"20"_s} +
                                                teclas.split(QLatin1Char(' ')))
                         .isNull());
        (void)QTest::qWaitFor([&] { return Estado() == esperado; }, 20000);
        EXPECT_EQ(Estado(), esperado);
    }

    QString FDisposicion;
};

// Keys every layout has in the same place: digits, the pad, Enter, Backspace, Delete, F1
// and Shift alone.
TEST_F(TecladoReal, DigitosTecladoNumericoIntroYMemoria) {
    Teclear(u"1 2 KP_Decimal 5 KP_Add KP_3 KP_Add F1 Return shift F1 KP_7 Return"_s,
            u"12,5 +|3 +|---|15,5 T|||7 +"_s, u"7"_s, u"7"_s, u"-12,5"_s);
}

TEST_F(TecladoReal, BorrarDatoYBorrarOperacion) {
    Teclear(u"5 KP_Add 8 BackSpace KP_2 KP_Add Delete KP_1 KP_Subtract Return"_s,
            u"5 +|2 +|1 -|---|-1 T||"_s, u"-1"_s, u"-1"_s, u"0"_s);
}

// The keys of the main block that a Spanish keyboard types the operators with.
TEST_F(TecladoReal, OperadoresDelTecladoEspanol) {
    if (FDisposicion != u"es"_s)
        GTEST_SKIP() << "for a Spanish layout; this display has " << FDisposicion.toStdString();
    Teclear(u"4 plus 5 shift+plus 2 comma 5 minus 3 period 5 shift+7 shift+5 shift+0 "
            u"shift+8 9 ctrl+6"_s,
            u"4 +|4 =|5 *|20 =|2,5 -|17,5 =|3,5 /|5 =|3,5 %|---|0,175 T||"_s, u"96"_s, u"0,175"_s,
            u"0"_s);
}

// A US keyboard: the hinted symbols act by the character typed, where a US user types them
// ("+" is Shift with "=", "*" Shift with 8, "-" and "/" have keys of their own). The tape is
// the one the same characters give on a Spanish keyboard: "=" totals what was posted.
TEST_F(TecladoReal, OperadoresDelTecladoEstadounidense) {
    if (FDisposicion != u"us"_s)
        GTEST_SKIP() << "for a US layout; this display has " << FDisposicion.toStdString();
    Teclear(u"1 2 shift+equal 3 equal 8 slash 2 equal 6 shift+8 7 equal 9 minus 4 equal"_s,
            u"12 +|---|12 T|||8 /|---|0 T|||6 *|---|0 T|||9 -|---|-9 T||"_s, u"-9"_s, u"-9"_s,
            u"0"_s);
}

} // namespace
