// The keyboard hook over a headless main window: both key tables, the one-shot Shift latch,
// keys typed while a modal window runs, one action per press however Qt passes the press
// along, and every key a button's hint announces doing what a click on that button does.
#include "VentanaPrueba.h"

#include "AyudasPrueba.h"

#include <QAbstractButton>
#include <QDialog>
#include <QHash>
#include <QKeySequence>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

// Keys separated by blanks, each pressed and released into the platform window as the
// platform would hand it, written as QKeySequence writes them: "Num+5" is the pad's 5, and a
// symbol typed with Shift on a Spanish keyboard is "Shift+" and the symbol ("Shift+/" is
// Shift+7). "125" is 1, 2, 5 of the main block; "Shift×3" three Shift key-downs (the last two
// auto-repeated) and one release.
void TeclearEn(QWindow* destino, const QString& teclas) {
    for (const QString& t : teclas.split(u' ', Qt::SkipEmptyParts)) {
        if (t.startsWith(u"Shift×"_s)) {
            const int veces = t.mid(6).toInt();
            for (int i = 0; i < veces; ++i)
                qt_handleKeyEvent(destino, QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier,
                                  QString(), i > 0);
            qt_handleKeyEvent(destino, QEvent::KeyRelease, Qt::Key_Shift, Qt::NoModifier);
        } else if (std::all_of(t.begin(), t.end(), [](QChar c) { return c.isDigit(); })) {
            for (QChar c : t)
                QTest::keyClick(destino, Qt::Key(Qt::Key_0 + c.digitValue()));
        } else {
            // QTest presses Shift, Control and Alt first when they are among the modifiers.
            const QKeySequence tecla(t, QKeySequence::PortableText);
            ASSERT_EQ(tecla.count(), 1) << "unknown key in a test: " << t.toStdString();
            QTest::keyClick(destino, tecla[0].key(), tecla[0].keyboardModifiers());
        }
    }
}

class TecladoTest : public VentanaPrueba {
protected:
    void Teclear(const QString& teclas) { TeclearEn(V().windowHandle(), teclas); }
};

TEST_P(SecuenciaPrueba, ImprimeLaCintaYMuestraLosRegistros) {
    TeclearEn(V().windowHandle(), QString::fromUtf16(GetParam().teclas));
    ComprobarResultado();
}

const Secuencia Secuencias[] = {
    {"DigitosDelTecladoNumerico", u"Num+1 Num+2 Num+0 Num++", u"120 +", u"120", u"120"},
    {"F6F7YF10NoHacenNada", u"5 F6 F7 F10 6", u"", u"56", u"TOTAL"},
    {"ControlNoSeMira", u"Ctrl+5 Num++", u"5 +", u"5", u"5"},
    {"ConAltNoCuenta", u"1 Alt+5 Alt+Num++ 2", u"", u"12", u"TOTAL"},
    {"MayusCincoPorcentaje", u"200 Num++ 15 Shift+%", u"200 +|200 =|15 %", u"15", u"30"},
    {"MayusOchoNoHaceNadaYDesarma", u"5 Shift+( 3", u"", u"53", u"TOTAL"},
    // The latch, not the Shift key: released, it still counts for the next key.
    {"MayusSoltadaSigueArmada", u"200 Num++ 15 Shift 5", u"200 +|200 =|15 %", u"15", u"30"},
    {"CualquierTeclaDesarma", u"4 Num++ 5 Shift A +", u"4 +|5 +", u"5", u"9"},
    // NumLock, which xdotool presses before the pad's keys, is no key press at all.
    {"BloqNumNoDesarma", u"4 Num++ 5 Shift NumLock +", u"4 +|4 =|5 *", u"5", u"20"},
    {"AltNoDesarma", u"4 Num++ 5 Shift Alt+A +", u"4 +|4 =|5 *", u"5", u"20"},
    // F10 is no system key: with the latch armed it does nothing and disarms it.
    {"MayusF10DesarmaElIVA", u"116 Num++ Shift F10 F12", u"116 +|116 =|16 %|18,56 +", u"116",
     u"134,56"},
    // Each Shift key-down, auto-repeated ones included, turns the latch over. The keys a hint
    // announces (Supr, the decimal keys, F1 to F12) are checked against their buttons below.
    {"MayusRepetidaTresVecesQuitaElIVA", u"116 Num++ Shift×3 F12", u"116 +|116 =|-16 %|16 -",
     u"116", u"100"},
    {"MayusRepetidaCuatroVecesSumaElIVA", u"116 Num++ Shift×4 F12", u"116 +|116 =|16 %|18,56 +",
     u"116", u"134,56"},
};

INSTANTIATE_TEST_SUITE_P(Teclado, SecuenciaPrueba, ::testing::ValuesIn(Secuencias),
                         NombreSecuencia);

TEST_F(TecladoTest, LoTecleadoEnUnDialogoModalNoLlegaALaCalculadora) {
    Teclear(u"4 Num++ 2"_s);
    const QStringList antes = Estado(V());
    QDialog dialogo(&V());
    auto* caja = new QLineEdit(&dialogo);
    QString tecleado;
    AlAparecerDialogo([&](QWidget* w) {
        ASSERT_EQ(w, &dialogo);
        caja->setFocus();
        TeclearEn(dialogo.windowHandle(), u"5 Num++ 3 , 1 Return F1 Shift+F2 Backspace Shift 7"_s);
        tecleado = caja->text();
    });
    {
        const TecladoSuspendido suspension(V().TecladoActivo);
        dialogo.exec();
    }
    EXPECT_EQ(tecleado, u"5+3,7"_s) << "the keys went to the dialog";
    EXPECT_EQ(Estado(V()), antes);
    Teclear(u"Num++"_s); // the calculator's keyboard is back
    EXPECT_EQ(Cinta(), Lineas(u"4 +|2 +"_s));
}

// Enter that closes an error message is the message's, not a total of the tape, whether the
// error came from a key or from a click.
TEST_F(TecladoTest, IntroQueCierraUnMensajeDeErrorNoTotaliza) {
    for (const bool conTeclado : {true, false}) {
        SCOPED_TRACE(conTeclado ? "from a key" : "from a click");
        Reiniciar();
        // 20 nines multiplied by themselves about 250 times leave the 80-bit range.
        Teclear(u"99999999999999999999 Num++"_s);
        QString mensaje;
        AlAparecerDialogo([&mensaje](QWidget* w) {
            auto* caja = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(caja, nullptr);
            mensaje = caja->text();
            TeclearEn(caja->windowHandle(), u"Return"_s);
            EXPECT_FALSE(caja->isVisible()) << "Enter closes the message";
        });
        for (int veces = 0; DialogosPendientes() > 0 && veces < 400; ++veces)
            conTeclado ? Teclear(u"Num+*"_s) : V().OperadorMultiplicacion->click();
        EXPECT_EQ(mensaje, Desbordamiento);
        EXPECT_FALSE(Cinta().contains(Separador()));
        EXPECT_EQ(V().PendienteMayusculas, 0);
    }
}

TEST_F(TecladoTest, UnaPulsacionActuaUnaVezAunquePaseAVariosReceptores) {
    // A radio box with the focus ignores digits, and Qt passes them up its parents.
    V().CheckDEG->setFocus();
    Teclear(u"5"_s);

    // Sent straight to the box, as QTest does for widgets.
    QTest::keyClick(V().CheckDEG, Qt::Key_6);
    QTest::keyClick(V().CheckDEG, Qt::Key_Asterisk, Qt::ShiftModifier);
    EXPECT_EQ(V().PendienteMayusculas, 0);
    EXPECT_EQ(Cinta(), Lineas(u"56 *"_s));
}

TEST_F(TecladoTest, LasTeclasDeOtraVentanaDelProgramaTambienLlegan) {
    V();
    QWidget otra; // not the main window's child
    otra.show();
    TeclearEn(otra.windowHandle(), u"7 Num++"_s);
    EXPECT_EQ(Cinta(), Lineas(u"7 +"_s));
}

TEST_F(TecladoTest, CadaTeclaAnunciadaHaceLoQueElBoton) {
    QList<QPair<QString, QString>> anuncios; // button, announced key
    static const QRegularExpression corchetes(u"\\[([^\\]]+)\\]"_s);
    for (QAbstractButton* b : V().findChildren<QAbstractButton*>())
        for (auto it = corchetes.globalMatch(b->toolTip()); it.hasNext();)
            anuncios.append({b->objectName(), it.next().captured(1)});
    ASSERT_GE(anuncios.size(), 26);
    // The keys that type what a hint announces, on a Spanish keyboard; a function key's hint
    // is written as QKeySequence writes it.
    const QHash<QString, QStringList> teclasDe = {
        {u"+"_s, {u"+"_s, u"Num++"_s}},
        {u"-"_s, {u"-"_s, u"Num+-"_s}},
        {u"*"_s, {u"Num+*"_s, u"Shift+*"_s}},
        {u"/"_s, {u"Num+/"_s, u"Shift+/"_s}},
        {u"="_s, {u"Shift+="_s}},
        {u"Intro"_s, {u"Return"_s, u"Num+Enter"_s}},
        {u"<--"_s, {u"Backspace"_s}},
        {u"Supr."_s, {u"Del"_s}},
        {u"."_s, {u"."_s, u"Num+."_s}},
        {u","_s, {u","_s}},
    };
    static const QRegularExpression funcion(u"^(Shift\\+)?F[0-9]{1,2}$"_s);

    // From an open calculation with a number being keyed, so that every key has something to
    // show, and with one more digit after it, which shows whether the entry goes on.
    const auto estadoTras = [this](const std::function<void()>& accion,
                                   QStringList* inicial = nullptr) {
        Reiniciar();
        Pulsar(u"12 + 7"_s);
        if (inicial)
            *inicial = Estado(V());
        accion();
        QStringList estado = Estado(V());
        Pulsar(u"5"_s);
        return estado + Estado(V());
    };
    for (const auto& [nombre, anuncio] : anuncios) {
        const QStringList teclas =
            funcion.match(anuncio).hasMatch() ? QStringList{anuncio} : teclasDe.value(anuncio);
        EXPECT_FALSE(teclas.isEmpty()) << nombre.toStdString() << " announces an unknown key ["
                                       << anuncio.toStdString() << "]";
        for (const QString& tecla : teclas) {
            SCOPED_TRACE(nombre.toStdString() + " [" + anuncio.toStdString() + "] as " +
                         tecla.toStdString());
            QStringList inicial;
            const QStringList porClic =
                estadoTras([&] { V().findChild<QAbstractButton*>(nombre)->click(); }, &inicial);
            EXPECT_NE(porClic.mid(0, inicial.size()), inicial) << "the button changed nothing";
            EXPECT_EQ(estadoTras([&] { Teclear(tecla); }), porClic);
        }
    }
}

} // namespace
