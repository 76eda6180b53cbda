// Key presses as X11 delivers them under Spanish and US layouts, and as offscreen tests send
// them without scan codes, against the virtual-key codes of the calculator's key tables.
#include "TraduccionTeclas.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr auto Ninguno = Qt::NoModifier;
constexpr auto Mayus = Qt::ShiftModifier;
constexpr auto Teclado = Qt::KeypadModifier;
constexpr auto Control = Qt::ControlModifier;

struct Fila {
    const char* nombre;
    int tecla;
    Qt::KeyboardModifiers modificadores;
    quint32 codigoNativo;
    const char16_t* texto;
    int esperado;
};

const Fila kFilas[] = {
    // What xcb reports with `setxkbmap es`.
    {"Es_5", Qt::Key_5, Ninguno, 14, u"5", 0x35},
    {"Es_Mayus5_Porcentaje", Qt::Key_Percent, Mayus, 14, u"%", 0x35},
    {"Es_Mayus0_Igual", Qt::Key_Equal, Mayus, 19, u"=", 0x30},
    {"Es_Mayus7_Barra", Qt::Key_Slash, Mayus, 16, u"/", 0x37},
    {"Es_Mayus8_Parentesis", Qt::Key_ParenLeft, Mayus, 17, u"(", 0x38},
    {"Es_AltGr2_Arroba", Qt::Key_At, Qt::GroupSwitchModifier, 11, u"@", 0x32},
    {"Es_Control5", Qt::Key_5, Control, 14, u"5", 0x35},
    {"Es_Mas", Qt::Key_Plus, Ninguno, 35, u"+", 0xBB},
    {"Es_MayusMas_Asterisco", Qt::Key_Asterisk, Mayus, 35, u"*", 0xBB},
    {"Es_Coma", Qt::Key_Comma, Ninguno, 59, u",", 0xBC},
    {"Es_Punto", Qt::Key_Period, Ninguno, 60, u".", 0xBE},
    {"Es_Menos", Qt::Key_Minus, Ninguno, 61, u"-", 0xBD},
    {"Es_Apostrofo", Qt::Key_Apostrophe, Ninguno, 20, u"'", 0xDB},
    {"Es_Ene", Qt::Key_Ntilde, Ninguno, 47, u"ñ", 0xC0},
    {"Es_Teclado0", Qt::Key_0, Teclado, 90, u"0", 0x60},
    {"Es_Teclado9", Qt::Key_9, Teclado, 81, u"9", 0x69},
    {"Es_TecladoMas", Qt::Key_Plus, Teclado, 86, u"+", 0x6B},
    {"Es_TecladoMenos", Qt::Key_Minus, Teclado, 82, u"-", 0x6D},
    {"Es_TecladoPor", Qt::Key_Asterisk, Teclado, 63, u"*", 0x6A},
    {"Es_TecladoEntre", Qt::Key_Slash, Teclado, 106, u"/", 0x6F},
    {"Es_TecladoDecimal_Punto", Qt::Key_Period, Teclado, 91, u".", 0x6E},
    {"Es_TecladoDecimal_Coma", Qt::Key_Comma, Teclado, 91, u",", 0x6E},
    {"Es_TecladoIntro", Qt::Key_Enter, Teclado, 104, u"\r", 0x0D},
    // NumLock off: the pad's keys report navigation keys but stay the pad's keys.
    {"Es_SinBloqNum_TecladoDecimal", Qt::Key_Delete, Teclado, 91, u"", 0x6E},
    {"Es_SinBloqNum_Teclado7", Qt::Key_Home, Teclado, 79, u"", 0x67},
    {"Es_BloqNum", Qt::Key_NumLock, Ninguno, 77, u"", 0},
    {"Es_Intro", Qt::Key_Return, Ninguno, 36, u"\r", 0x0D},
    {"Es_Retroceso", Qt::Key_Backspace, Ninguno, 22, u"\b", 0x08},
    {"Es_Suprimir", Qt::Key_Delete, Ninguno, 119, u"\x7f", 0x2E},
    {"Es_MayusIzquierda", Qt::Key_Shift, Mayus, 50, u"", 0x10},
    {"Es_MayusDerecha", Qt::Key_Shift, Mayus, 62, u"", 0x10},
    // xdotool types a symbol missing from the layout through a spare keycode.
    {"Es_CodigoDeReserva_Mas", Qt::Key_Plus, Ninguno, 255, u"+", 0xBB},
    // What xcb reports with `setxkbmap us` where the pad's keys differ from the Spanish layout; the
    // US symbol keys act by their character (CaracterDeOtraDisposicion below).
    {"Us_Teclado5", Qt::Key_5, Teclado, 84, u"5", 0x65},
    // Offscreen: no scan code, so the Qt key and the keypad modifier decide, as on a Spanish
    // keyboard. The keys the buttons' hints announce are also pressed this way, over a window, by
    // the keyboard hook's tests; these are the rest.
    {"Sin_TecladoDecimal_Coma", Qt::Key_Comma, Teclado, 0, u",", 0x6E},
    {"Sin_TecladoDecimal_Suprimir", Qt::Key_Delete, Teclado, 0, u"", 0x6E},
    {"Sin_SinBloqNum_Teclado7", Qt::Key_Home, Teclado, 0, u"", 0x67},
    {"Sin_TecladoIgual", Qt::Key_Equal, Teclado, 0, u"=", 0},
    {"Sin_Enter", Qt::Key_Enter, Ninguno, 0, u"\r", 0x0D},
    {"Sin_Control", Qt::Key_Control, Control, 0, u"", 0x11},
    {"Sin_Alt", Qt::Key_Alt, Qt::AltModifier, 0, u"", 0x12},
    {"Sin_BloqNumTeclado", Qt::Key_NumLock, Teclado, 0, u"", 0},
    {"Sin_Ene", Qt::Key_Ntilde, Ninguno, 0, u"ñ", 0},
    {"Sin_Desconocida", Qt::Key_unknown, Ninguno, 0, u"", 0},
};

TEST(TraduccionTecla, CadaFilaDaElCodigoDeLaTabla) {
    for (const Fila& f : kFilas) {
        const int codigo =
            CodigoVirtual({f.tecla, f.modificadores, f.codigoNativo, QString::fromUtf16(f.texto)});
        EXPECT_EQ(codigo, f.esperado) << f.nombre << ": 0x" << std::hex << codigo;
    }
}

// Which keys act by the character they type: those where it differs from the Spanish one.
TEST(CaracterDeOtraDisposicion, SoloDondeElTecladoNoEsElEspanol) {
    const struct {
        const char* nombre;
        Qt::KeyboardModifiers modificadores;
        quint32 codigoNativo;
        const char16_t* texto;
        char16_t esperado; // 0: by the Spanish key
    } filas[] = {
        // Spanish, every level of the keys with a meaning, and a latch whose Shift is up.
        {"Es_5", Ninguno, 14, u"5", 0},
        {"Es_Mayus5", Mayus, 14, u"%", 0},
        {"Es_AltGr7", Qt::GroupSwitchModifier, 16, u"{", 0},
        {"Es_AltGrMas", Qt::GroupSwitchModifier, 35, u"]", 0},
        {"Es_Mayus0", Mayus, 19, u"=", 0},
        {"Es_MayusMas", Mayus, 35, u"*", 0},
        {"Es_Control5", Control, 14, u"\x1d", 0},
        // A Latin American keyboard types the same on these keys.
        {"Latam_Mayus7", Mayus, 16, u"/", 0},
        // US: what a US user presses for the hinted symbols.
        {"Us_MayusIgual_Mas", Mayus, 21, u"+", u'+'},
        {"Us_Igual", Ninguno, 21, u"=", u'='},
        {"Us_Menos", Ninguno, 20, u"-", u'-'},
        {"Us_Barra", Ninguno, 61, u"/", u'/'},
        {"Us_Mayus8_Asterisco", Mayus, 17, u"*", u'*'},
        {"Us_Mayus5_Porcentaje", Mayus, 14, u"%", 0},
        {"Us_Mayus0_Parentesis", Mayus, 19, u")", u')'},
        {"Us_Mayus7_Et", Mayus, 16, u"&", u'&'},
        {"Us_CorcheteDerecho", Ninguno, 35, u"]", u']'},
        {"Us_Q", Ninguno, 24, u"q", 0},
        // French: digits with Shift, "-" on the 6.
        {"Fr_Mayus1", Mayus, 10, u"1", u'1'},
        {"Fr_6_Menos", Ninguno, 15, u"-", u'-'},
        // The pad, keys without a keycode and spare keycodes keep the key tables.
        {"TecladoEntre", Teclado, 106, u"/", 0},
        {"SinCodigo", Ninguno, 0, u"=", 0},
        {"CodigoDeReserva", Ninguno, 255, u"+", 0},
    };
    for (const auto& f : filas) {
        const QChar c = CaracterDeOtraDisposicion(
            {Qt::Key_unknown, f.modificadores, f.codigoNativo, QString::fromUtf16(f.texto)});
        EXPECT_EQ(c.unicode(), f.esperado) << f.nombre;
    }
}

TEST(TraduccionTeclasFunciones, F1aF12ConYSinCodigoNativo) {
    const quint32 codigos[12] = {67, 68, 69, 70, 71, 72, 73, 74, 75, 76, 95, 96};
    for (int i = 0; i < 12; ++i) {
        const int tecla = Qt::Key_F1 + i;
        for (quint32 codigo : {codigos[i], 0u}) {
            for (Qt::KeyboardModifiers mods :
                 {Qt::KeyboardModifiers(Ninguno), Qt::KeyboardModifiers(Mayus)}) {
                EXPECT_EQ(CodigoVirtual({tecla, mods, codigo, QString()}), 0x70 + i)
                    << "F" << (i + 1) << " código " << codigo;
            }
        }
    }
}

TEST(TeclaDeEvento, ConservaLaPulsacionYElCodigoNativoSoloConXkb) {
    // US Shift+"=": by its keycode it is not the plus key; without trusting the keycode the
    // Qt key is all there is.
    const QKeyEvent evento(QEvent::KeyPress, Qt::Key_Plus, Mayus, 21, 0, 0, u"+"_s);
    const TeclaPulsada p = TeclaDeEvento(evento, true);
    EXPECT_EQ(p.modificadores, Qt::KeyboardModifiers(Mayus));
    EXPECT_EQ(CodigoVirtual(p), 0xDD);             // by the keycode
    EXPECT_EQ(CaracterDeOtraDisposicion(p), u'+'); // by the text
    EXPECT_EQ(TeclaDeEvento(evento, false).codigoNativo, 0u);
    EXPECT_EQ(CodigoVirtual(TeclaDeEvento(evento, false)), 0xBB);
    EXPECT_EQ(TeclaDeEvento(evento).codigoNativo, PlataformaConCodigosXkb() ? 21u : 0u);
}

} // namespace
