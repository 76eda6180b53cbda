// The keyboard hook over a headless main window: both key tables, the one-shot Shift latch,
// keys typed while a modal window runs, one action per press however Qt passes the press
// along, and every key a button's hint announces doing what a click on that button does.
#include "TSumadoraFormulario.h"

#include "ArchivoIni.h"
#include "AyudasPrueba.h"

#include <QAbstractButton>
#include <QDialog>
#include <QFile>
#include <QHash>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <utility>
#include <memory>
#include <ostream>

using namespace Qt::StringLiterals;

void PrintTo(const QString& texto, std::ostream* salida) { *salida << '"' << texto.toStdString() << '"'; }

namespace {

// A tape number line: the number right-aligned in 22 columns, then the suffix.
QString Linea(const QString& numero, const QString& sufijo) {
    return numero.rightJustified(22, QLatin1Char(' ')) + sufijo;
}

const QString Separador = u" "_s + QString(21, QLatin1Char('-'));

// "5 +|---|8 T||" -> the line 5 " +", the separator, 8 " T", two empty lines.
QStringList Lineas(const QString& descripcion) {
    QStringList lineas;
    if (descripcion.isEmpty())
        return lineas;
    for (const QString& d : descripcion.split(QLatin1Char('|'))) {
        if (d == u"---"_s) {
            lineas << Separador;
        } else if (d.isEmpty()) {
            lineas << QString();
        } else {
            const qsizetype espacio = d.lastIndexOf(QLatin1Char(' '));
            lineas << Linea(d.left(espacio), d.mid(espacio));
        }
    }
    return lineas;
}

struct TeclaConNombre {
    const char16_t* nombre;
    Qt::Key tecla;
    Qt::KeyboardModifiers modificadores;
};

// Keys by the name the tests write them with. "P" is the numeric pad; a symbol typed with
// Shift on a Spanish keyboard is written "Mayús+" and the symbol ("Mayús+/" is Shift+7).
const TeclaConNombre Teclas[] = {
    {u"+", Qt::Key_Plus, {}},          {u"-", Qt::Key_Minus, {}},
    {u",", Qt::Key_Comma, {}},         {u".", Qt::Key_Period, {}},
    {u"*", Qt::Key_Asterisk, {}},      {u"/", Qt::Key_Slash, {}},
    {u"=", Qt::Key_Equal, {}},         {u"%", Qt::Key_Percent, {}},
    {u"(", Qt::Key_ParenLeft, {}},     {u"A", Qt::Key_A, {}},
    {u"P+", Qt::Key_Plus, Qt::KeypadModifier},
    {u"P-", Qt::Key_Minus, Qt::KeypadModifier},
    {u"P*", Qt::Key_Asterisk, Qt::KeypadModifier},
    {u"P/", Qt::Key_Slash, Qt::KeypadModifier},
    {u"P.", Qt::Key_Period, Qt::KeypadModifier},
    {u"PIntro", Qt::Key_Enter, Qt::KeypadModifier},
    {u"Intro", Qt::Key_Return, {}},    {u"Retroceso", Qt::Key_Backspace, {}},
    {u"Supr", Qt::Key_Delete, {}},     {u"Mayús", Qt::Key_Shift, {}},
    {u"BloqNum", Qt::Key_NumLock, {}},
};

// One key press and its release, into the platform window as the platform would hand it.
void Pulsar(QWindow* destino, Qt::Key tecla, Qt::KeyboardModifiers modificadores) {
    // QTest presses Shift, Control and Alt first when they are among the modifiers.
    QTest::keyClick(destino, tecla, modificadores);
}

// Keys separated by blanks: "125" is 1, 2, 5 of the main block, "P5" the pad's 5,
// "Mayús+F1" Shift with F1, "Control+5", "Alt+5", "F1".."F12", "Mayús×3" three Shift
// key-downs (the last two auto-repeated) and one release, and the names of Teclas.
void TeclearEn(QWindow* destino, const QString& teclas) {
    for (QString t : teclas.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (t.startsWith(u"Mayús×"_s)) {
            const int veces = t.mid(6).toInt();
            for (int i = 0; i < veces; ++i)
                qt_handleKeyEvent(destino, QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier,
                                  QString(), i > 0);
            qt_handleKeyEvent(destino, QEvent::KeyRelease, Qt::Key_Shift, Qt::NoModifier);
            continue;
        }
        Qt::KeyboardModifiers modificadores;
        for (const auto& [prefijo, modificador] :
             {std::pair{u"Mayús+"_s, Qt::ShiftModifier}, std::pair{u"Control+"_s, Qt::ControlModifier},
              std::pair{u"Alt+"_s, Qt::AltModifier}}) {
            if (t.startsWith(prefijo) && t.size() > prefijo.size()) {
                modificadores |= modificador;
                t = t.mid(prefijo.size());
            }
        }
        const auto conocida = std::find_if(std::begin(Teclas), std::end(Teclas),
                                           [&t](const TeclaConNombre& k) { return t == k.nombre; });
        if (conocida != std::end(Teclas)) {
            Pulsar(destino, conocida->tecla, conocida->modificadores | modificadores);
        } else if (t.size() >= 2 && t[0] == QLatin1Char('F') && t.mid(1).toInt() >= 1) {
            Pulsar(destino, Qt::Key(Qt::Key_F1 + t.mid(1).toInt() - 1), modificadores);
        } else if (t.size() == 2 && t[0] == QLatin1Char('P') && t[1].isDigit()) {
            Pulsar(destino, Qt::Key(Qt::Key_0 + t[1].digitValue()), Qt::KeypadModifier);
        } else if (!t.isEmpty() && std::all_of(t.begin(), t.end(), [](QChar c) { return c.isDigit(); })) {
            for (QChar c : t)
                Pulsar(destino, Qt::Key(Qt::Key_0 + c.digitValue()), modificadores);
        } else {
            ADD_FAILURE() << "unknown key in a test: " << t.toStdString();
        }
    }
}

QString Exacto(long double valor) {
    char texto[64];
    std::snprintf(texto, sizeof texto, "%La", valor);
    return QString::fromLatin1(texto);
}

// Everything a key can change, one entry per line so that a failure shows the difference.
QStringList Estado(const TSumadoraFormulario& v) {
    QStringList estado = v.Cuenta->Lineas();
    estado << u"Operador '"_s + v.Cuenta->Operador() + u"' abierta "_s +
                  QString::number(v.Cuenta->OperadorActivo()) + u" total "_s + Exacto(v.Cuenta->Valor());
    const std::pair<const char16_t*, TZURLabelNumber*> registros[] = {
        {u"Datos", v.Datos}, {u"Operandos", v.Operandos}, {u"M1", v.M1}, {u"M2", v.M2},
        {u"M3", v.M3},       {u"M4", v.M4},               {u"M5", v.M5}};
    for (const auto& [nombre, registro] : registros)
        estado << QString::fromUtf16(nombre) + u" «"_s + registro->Text().trimmed() + u"» "_s +
                      Exacto(registro->Valor());
    estado << u"Mayúsculas "_s + QString::number(v.PendienteMayusculas);
    return estado;
}

class TecladoTest : public ::testing::Test {
protected:
    void SetUp() override { QFile::remove(ArchivoIni::RutaPredeterminada()); }
    void TearDown() override { EXPECT_EQ(DialogosPendientes(), 0) << "an expected dialog never came"; }

    TSumadoraFormulario& V() {
        if (!ventana_) {
            ventana_ = std::make_unique<TSumadoraFormulario>();
            ventana_->show();
        }
        return *ventana_;
    }

    void Teclear(const QString& teclas) { TeclearEn(V().windowHandle(), teclas); }
    QString Texto(TZURDigit* registro) { return registro->Text().trimmed(); }
    QStringList Cinta() { return V().Cuenta->Lineas(); }

    void Clic(QAbstractButton* boton) {
        ASSERT_NE(boton, nullptr);
        boton->click();
    }

private:
    std::unique_ptr<TSumadoraFormulario> ventana_;
};

// ---- Both tables, from a fresh window ----

struct Secuencia {
    const char* nombre;
    const char16_t* teclas;
    const char16_t* lineas; // as for Lineas()
    const char16_t* dato;
    const char16_t* total;
};

void PrintTo(const Secuencia& s, std::ostream* os) {
    *os << s.nombre << ": " << QString::fromUtf16(s.teclas).toStdString();
}

class SecuenciaTeclasTest : public TecladoTest, public ::testing::WithParamInterface<Secuencia> {};

TEST_P(SecuenciaTeclasTest, ImprimeLaCintaYMuestraLosRegistros) {
    const Secuencia& s = GetParam();
    Teclear(QString::fromUtf16(s.teclas));
    EXPECT_EQ(Cinta(), Lineas(QString::fromUtf16(s.lineas)));
    EXPECT_EQ(Texto(V().Datos), QString::fromUtf16(s.dato));
    EXPECT_EQ(Texto(V().Operandos), QString::fromUtf16(s.total));
}

const Secuencia Secuencias[] = {
    // Plain table.
    {"IntroSinCuentaAbiertaSuma", u"5 Intro", u"5 +", u"5", u"5"},
    {"IntroConCuentaAbiertaTotaliza", u"5 P+ 3 P+ Intro", u"5 +|3 +|---|8 T||", u"8", u"8"},
    {"IntroDelTecladoNumerico", u"5 P+ 3 P+ PIntro", u"5 +|3 +|---|8 T||", u"8", u"8"},
    {"RetrocesoBorraSoloElDato", u"5 P+ 3 Retroceso", u"5 +", u"0", u"5"},
    {"SuprBorraElTotalYLaCuentaSigueAbierta", u"5 P+ 3 Supr 2 P+ Intro", u"5 +|2 +|---|2 T||",
     u"2", u"2"},
    {"DigitosDelTecladoNumerico", u"P1 P2 P0 P+", u"120 +", u"120", u"120"},
    {"OperadoresDelTecladoNumerico", u"8 P+ 2 P- 3 P* 4 P/ Intro",
     u"8 +|2 -|6 =|3 *|4 /|---|4,5 T||", u"4,5", u"4,5"},
    {"MasYMenosDelBloquePrincipal", u"9 + 4 - Intro", u"9 +|4 -|---|5 T||", u"5", u"5"},
    {"DecimalDelTecladoNumerico", u"1 P. 5 P+", u"1,5 +", u"1,5", u"1,5"},
    {"TeclaComa", u"1 , 5 P+", u"1,5 +", u"1,5", u"1,5"},
    {"TeclaPunto", u"1 . 5 P+", u"1,5 +", u"1,5", u"1,5"},
    {"F9Porcentaje", u"200 P+ 15 F9", u"200 +|200 =|15 %", u"15", u"30"},
    {"F6F7YF10NoHacenNada", u"5 F6 F7 F10 6", u"", u"56", u"TOTAL"},
    {"ControlNoSeMira", u"Control+5 P+", u"5 +", u"5", u"5"},
    {"ConAltNoCuenta", u"1 Alt+5 Alt+P+ 2", u"", u"12", u"TOTAL"},
    // Shifted table.
    {"MayusMasMultiplica", u"4 P+ 5 Mayús+*", u"4 +|4 =|5 *", u"5", u"20"},
    {"MayusSieteDivide", u"4 P+ 8 Mayús+/", u"4 +|4 =|8 /", u"8", u"0,5"},
    {"MayusCeroTotaliza", u"5 P+ 3 P+ Mayús+=", u"5 +|3 +|---|8 T||", u"8", u"8"},
    {"MayusCincoPorcentaje", u"200 P+ 15 Mayús+%", u"200 +|200 =|15 %", u"15", u"30"},
    {"MayusOchoNoHaceNadaYDesarma", u"5 Mayús+( 3", u"", u"53", u"TOTAL"},
    // The latch, not the Shift key: released, it still counts for the next key.
    {"MayusSoltadaSigueArmada", u"200 P+ 15 Mayús 5", u"200 +|200 =|15 %", u"15", u"30"},
    {"CualquierTeclaDesarma", u"4 P+ 5 Mayús A +", u"4 +|5 +", u"5", u"9"},
    // NumLock, which xdotool presses before the pad's keys, is no key press at all.
    {"BloqNumNoDesarma", u"4 P+ 5 Mayús BloqNum +", u"4 +|4 =|5 *", u"5", u"20"},
    {"AltNoDesarma", u"4 P+ 5 Mayús Alt+A +", u"4 +|4 =|5 *", u"5", u"20"},
    {"MayusEnLaTablaConMayusNoHaceNada", u"4 P+ 5 Mayús×2 +", u"4 +|5 +", u"5", u"9"},
    // Function keys, through the buttons.
    {"F12SumaElIVA", u"116 P+ F12", u"116 +|116 =|16 %|18,56 +", u"116", u"134,56"},
    {"MayusF12QuitaElIVA", u"116 P+ Mayús+F12", u"116 +|116 =|-16 %|16 -", u"116", u"100"},
    {"F11APesetas", u"1 F11", u"", u"166,386", u"TOTAL"},
    {"MayusF11AEuros", u"166386 Mayús+F11", u"", u"1000", u"TOTAL"},
};

INSTANTIATE_TEST_SUITE_P(Teclado, SecuenciaTeclasTest, ::testing::ValuesIn(Secuencias),
                         [](const auto& info) { return std::string(info.param.nombre); });

// ---- Memories ----

TEST_F(TecladoTest, FSumaYMayusFRestaEnSuMemoriaSola) {
    TZURLabelNumber* const memorias[] = {V().M1, V().M2, V().M3, V().M4, V().M5};
    for (int k = 1; k <= 5; ++k) {
        SCOPED_TRACE(k);
        Teclear(u"Supr 7 F"_s + QString::number(k));
        for (int j = 1; j <= 5; ++j)
            EXPECT_EQ(Texto(memorias[j - 1]), j == k ? u"7"_s : u"0"_s) << "M" << j;
        Teclear(u"Mayús+F"_s + QString::number(k) + u" Mayús+F"_s + QString::number(k));
        EXPECT_EQ(Texto(memorias[k - 1]), u"-7"_s);
        Teclear(u"Mayús+F"_s + QString::number(k) + u" Mayús+F"_s + QString::number(k) +
                u" F"_s + QString::number(k) + u" F"_s + QString::number(k));
        EXPECT_EQ(Texto(memorias[k - 1]), u"-7"_s);
        // Cleared with the button, so the next row starts from every memory at 0.
        Clic(V().findChild<QAbstractButton*>(u"BotonM%1Borrar"_s.arg(k)));
    }
    EXPECT_TRUE(Cinta().isEmpty());
}

TEST_F(TecladoTest, LaMemoriaNoTerminaElNumeroQueSeTeclea) {
    Teclear(u"12 F1 3"_s);
    EXPECT_EQ(Texto(V().M1), u"12"_s);
    EXPECT_EQ(Texto(V().Datos), u"123"_s);
}

// ---- The function keys ----

// What comes before F12 decides the table: each Shift key-down, auto-repeated ones included,
// turns the latch over, and releasing Shift does not.
struct MayusAntesDeF12 {
    const char* nombre;
    const char16_t* teclas;
    bool quitaIVA;
};

class MayusAntesDeF12Test : public TecladoTest,
                            public ::testing::WithParamInterface<MayusAntesDeF12> {};

TEST_P(MayusAntesDeF12Test, DecideSiSumaOQuitaElIVA) {
    Teclear(u"116 P+ "_s + QString::fromUtf16(GetParam().teclas) + u" F12"_s);
    EXPECT_EQ(Texto(V().Operandos), GetParam().quitaIVA ? u"100"_s : u"134,56"_s);
}

INSTANTIATE_TEST_SUITE_P(
    Teclado, MayusAntesDeF12Test,
    ::testing::Values(MayusAntesDeF12{"SinMayus", u"", false},
                      MayusAntesDeF12{"MayusPulsadaYSoltada", u"Mayús", true},
                      MayusAntesDeF12{"MayusRepetidaTresVeces", u"Mayús×3", true},
                      MayusAntesDeF12{"MayusRepetidaCuatroVeces", u"Mayús×4", false},
                      MayusAntesDeF12{"MayusYOchoDesarman", u"Mayús+(", false}),
    [](const auto& info) { return std::string(info.param.nombre); });

TEST_F(TecladoTest, F8EscribeLaLetraDelNIF) {
    Teclear(u"12345678 F8"_s);
    EXPECT_EQ(Cinta(), (QStringList{u"12345678-Z"_s.rightJustified(24, QLatin1Char(' ')), QString()}));
}

// ---- Keys that are not the calculator's ----

TEST_F(TecladoTest, SinTecladoActivoNingunaTeclaLlega) {
    const QStringList antes = Estado(V());
    V().TecladoActivo = false;
    Teclear(u"5 P+ 3 Intro F1 Mayús+F2 Retroceso Supr Mayús"_s);
    EXPECT_EQ(Estado(V()), antes);
    V().TecladoActivo = true;
    Teclear(u"5"_s);
    EXPECT_EQ(Texto(V().Datos), u"5"_s);
}

TEST_F(TecladoTest, LoTecleadoEnUnDialogoModalNoLlegaALaCalculadora) {
    Teclear(u"4 P+ 2"_s);
    const QStringList antes = Estado(V());

    QDialog dialogo(&V());
    auto* caja = new QLineEdit(&dialogo);
    QString tecleado;
    AlAparecerDialogo([&](QWidget* w) {
        ASSERT_EQ(w, &dialogo);
        caja->setFocus();
        TeclearEn(dialogo.windowHandle(), u"5 P+ 3 , 1 Intro F1 Mayús+F2 Retroceso Mayús 7"_s);
        tecleado = caja->text();
    });
    {
        const TecladoSuspendido suspension(V().TecladoActivo);
        dialogo.exec();
    }
    EXPECT_EQ(tecleado, u"5+3,7"_s) << "the keys went to the dialog";
    EXPECT_EQ(Estado(V()), antes);
    EXPECT_TRUE(V().TecladoActivo);
    Teclear(u"P+"_s);
    EXPECT_EQ(Cinta(), Lineas(u"4 +|2 +"_s));
}

// Enter that closes an error message is the message's, not a total of the tape, whether the
// error came from a key or from a click.
class MensajeDeErrorTest : public TecladoTest, public ::testing::WithParamInterface<bool> {};

TEST_P(MensajeDeErrorTest, IntroQueLoCierraNoTotaliza) {
    const bool conTeclado = GetParam();
    // 20 nines multiplied by themselves about 250 times leave the 80-bit range.
    Teclear(u"99999999999999999999 P+"_s);
    QString mensaje;
    AlAparecerDialogo([&mensaje](QWidget* w) {
        auto* caja = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(caja, nullptr);
        mensaje = caja->text();
        TeclearEn(caja->windowHandle(), u"Intro"_s);
        EXPECT_FALSE(caja->isVisible()) << "Enter closes the message";
    });
    int veces = 0;
    while (DialogosPendientes() > 0 && veces++ < 400) {
        if (conTeclado)
            Teclear(u"P*"_s);
        else
            Clic(V().OperadorMultiplicacion);
    }
    EXPECT_EQ(mensaje, u"Desbordamiento en operación de coma flotante."_s);
    EXPECT_TRUE(V().Cuenta->OperadorActivo());
    EXPECT_FALSE(Cinta().contains(Separador));
    EXPECT_EQ(V().PendienteMayusculas, 0);
}

INSTANTIATE_TEST_SUITE_P(Teclado, MensajeDeErrorTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "DeUnaTecla" : "DeUnClic"; });

// ---- One action per press ----

// Counts the receivers a key press reaches.
class ContadorEntregas final : public QObject {
public:
    int entregas = 0;
    bool eventFilter(QObject*, QEvent* evento) override {
        if (evento->type() == QEvent::KeyPress)
            ++entregas;
        return false;
    }
};

TEST_F(TecladoTest, UnaPulsacionActuaUnaVezAunquePaseAVariosReceptores) {
    // A radio box with the focus ignores digits, and Qt passes them up its parents.
    V().CheckDEG->setFocus();
    ContadorEntregas contador;
    qApp->installEventFilter(&contador);
    Teclear(u"5"_s);
    EXPECT_GT(contador.entregas, 2) << "the press should go from window to box to its parents";
    EXPECT_EQ(Texto(V().Datos), u"5"_s);

    // Sent straight to the box, as QTest does for widgets.
    QTest::keyClick(V().CheckDEG, Qt::Key_6);
    EXPECT_EQ(Texto(V().Datos), u"56"_s);
    QTest::keyClick(V().CheckDEG, Qt::Key_Asterisk, Qt::ShiftModifier);
    EXPECT_EQ(V().PendienteMayusculas, 0);
    EXPECT_EQ(Cinta(), Lineas(u"56 *"_s));
    qApp->removeEventFilter(&contador);
}

TEST_F(TecladoTest, LasTeclasDeOtraVentanaDelProgramaTambienLlegan) {
    V();
    QWidget otra;
    otra.show();
    TeclearEn(otra.windowHandle(), u"7 P+"_s);
    EXPECT_EQ(Cinta(), Lineas(u"7 +"_s));
}

// ---- The hints tell the truth ----

// The keys that type what a hint announces, on a Spanish keyboard.
QStringList TeclasAnunciadas(const QString& anuncio) {
    static const QHash<QString, QStringList> teclas = {
        {u"+"_s, {u"+"_s, u"P+"_s}},
        {u"-"_s, {u"-"_s, u"P-"_s}},
        {u"*"_s, {u"P*"_s, u"Mayús+*"_s}},
        {u"/"_s, {u"P/"_s, u"Mayús+/"_s}},
        {u"="_s, {u"Mayús+="_s}},
        {u"Intro"_s, {u"Intro"_s, u"PIntro"_s}},
        {u"<--"_s, {u"Retroceso"_s}},
        {u"Supr."_s, {u"Supr"_s}},
        {u"."_s, {u"."_s, u"P."_s}},
        {u","_s, {u","_s}},
    };
    static const QRegularExpression funcion(u"^(Shift\\+)?F([0-9]{1,2})$"_s);
    if (const auto m = funcion.match(anuncio); m.hasMatch())
        return {(m.captured(1).isEmpty() ? QString() : u"Mayús+"_s) + u"F"_s + m.captured(2)};
    return teclas.value(anuncio);
}

TEST(AnunciosDeTeclas, CadaTeclaAnunciadaHaceLoQueElBoton) {
    QFile::remove(ArchivoIni::RutaPredeterminada());
    // An open calculation with a number being keyed: every key has something to show.
    const auto preparar = [](TSumadoraFormulario& v) {
        for (QAbstractButton* b : {v.Numero1, v.Numero2, v.OperadorSuma, v.Numero7})
            b->click();
    };
    QList<QPair<QString, QString>> anuncios; // button, announced key
    {
        TSumadoraFormulario v;
        static const QRegularExpression corchetes(u"\\[([^\\]]+)\\]"_s);
        for (QAbstractButton* b : v.findChildren<QAbstractButton*>())
            for (auto it = corchetes.globalMatch(b->toolTip()); it.hasNext();)
                anuncios.append({b->objectName(), it.next().captured(1)});
    }
    ASSERT_GE(anuncios.size(), 26);

    for (const auto& [nombre, anuncio] : anuncios) {
        const QStringList teclas = TeclasAnunciadas(anuncio);
        EXPECT_FALSE(teclas.isEmpty()) << nombre.toStdString() << " announces an unknown key ["
                                       << anuncio.toStdString() << "]";
        for (const QString& tecla : teclas) {
            SCOPED_TRACE(nombre.toStdString() + " [" + anuncio.toStdString() + "] as " + tecla.toStdString());
            QStringList porClic, porTecla, inicial;
            {
                TSumadoraFormulario v;
                v.show();
                preparar(v);
                inicial = Estado(v);
                v.findChild<QAbstractButton*>(nombre)->click();
                porClic = Estado(v);
                v.Numero5->click(); // what follows shows whether the entry goes on
                porClic += Estado(v);
            }
            {
                TSumadoraFormulario v;
                v.show();
                preparar(v);
                TeclearEn(v.windowHandle(), tecla);
                porTecla = Estado(v);
                v.Numero5->click();
                porTecla += Estado(v);
            }
            EXPECT_NE(porClic.mid(0, inicial.size()), inicial) << "the button changed nothing";
            EXPECT_EQ(porTecla, porClic);
        }
    }
}

} // namespace
