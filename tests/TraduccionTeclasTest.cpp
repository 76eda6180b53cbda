// Key presses as X11 delivers them under Spanish and US layouts, and as offscreen tests send
// them without scan codes, against the virtual-key codes of the calculator's key tables.
#include "TraduccionTeclas.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

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

void PrintTo(const Fila& f, std::ostream* os) {
    *os << f.nombre << " (tecla 0x" << std::hex << f.tecla << ", modificadores 0x"
        << f.modificadores.toInt() << std::dec << ", código nativo " << f.codigoNativo << ")";
}

int Traducir(const Fila& f) {
    return CodigoVirtual({f.tecla, f.modificadores, f.codigoNativo, QString::fromUtf16(f.texto)});
}

class TraduccionTecla : public ::testing::TestWithParam<Fila> {};

TEST_P(TraduccionTecla, DaElCodigoDeLaTabla) {
    const Fila& f = GetParam();
    EXPECT_EQ(Traducir(f), f.esperado) << "0x" << std::hex << Traducir(f);
}

std::string NombreFila(const ::testing::TestParamInfo<Fila>& info) { return info.param.nombre; }

// What xcb reports with `setxkbmap es`.
const Fila kEspanol[] = {
    {"Es_5", Qt::Key_5, Ninguno, 14, u"5", 0x35},
    {"Es_0", Qt::Key_0, Ninguno, 19, u"0", 0x30},
    {"Es_1", Qt::Key_1, Ninguno, 10, u"1", 0x31},
    {"Es_Mayus5_Porcentaje", Qt::Key_Percent, Mayus, 14, u"%", 0x35},
    {"Es_Mayus0_Igual", Qt::Key_Equal, Mayus, 19, u"=", 0x30},
    {"Es_Mayus7_Barra", Qt::Key_Slash, Mayus, 16, u"/", 0x37},
    {"Es_Mayus8_Parentesis", Qt::Key_ParenLeft, Mayus, 17, u"(", 0x38},
    {"Es_AltGr2_Arroba", Qt::Key_At, Qt::GroupSwitchModifier, 11, u"@", 0x32},
    {"Es_Control5", Qt::Key_5, Control, 14, u"5", 0x35},
    {"Es_Mas", Qt::Key_Plus, Ninguno, 35, u"+", 0xBB},
    {"Es_MayusMas_Asterisco", Qt::Key_Asterisk, Mayus, 35, u"*", 0xBB},
    {"Es_AltGrMas_Corchete", Qt::Key_BracketRight, Qt::GroupSwitchModifier, 35, u"]", 0xBB},
    {"Es_Coma", Qt::Key_Comma, Ninguno, 59, u",", 0xBC},
    {"Es_MayusComa_PuntoYComa", Qt::Key_Semicolon, Mayus, 59, u";", 0xBC},
    {"Es_Punto", Qt::Key_Period, Ninguno, 60, u".", 0xBE},
    {"Es_Menos", Qt::Key_Minus, Ninguno, 61, u"-", 0xBD},
    {"Es_MayusMenos_Subrayado", Qt::Key_Underscore, Mayus, 61, u"_", 0xBD},
    {"Es_Apostrofo", Qt::Key_Apostrophe, Ninguno, 20, u"'", 0xDB},
    {"Es_MayusApostrofo_Interrogacion", Qt::Key_Question, Mayus, 20, u"?", 0xDB},
    {"Es_Ene", Qt::Key_Ntilde, Ninguno, 47, u"ñ", 0xC0},
    {"Es_LetraA", Qt::Key_A, Ninguno, 38, u"a", 0x41},
    {"Es_Teclado5", Qt::Key_5, Teclado, 84, u"5", 0x65},
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
    {"Es_SinBloqNum_Teclado5", Qt::Key_Clear, Teclado, 84, u"", 0x65},
    {"Es_BloqNum", Qt::Key_NumLock, Ninguno, 77, u"", 0},
    {"Es_Intro", Qt::Key_Return, Ninguno, 36, u"\r", 0x0D},
    {"Es_Retroceso", Qt::Key_Backspace, Ninguno, 22, u"\b", 0x08},
    {"Es_Suprimir", Qt::Key_Delete, Ninguno, 119, u"\x7f", 0x2E},
    {"Es_MayusIzquierda", Qt::Key_Shift, Mayus, 50, u"", 0x10},
    {"Es_MayusDerecha", Qt::Key_Shift, Mayus, 62, u"", 0x10},
    {"Es_ControlIzquierdo", Qt::Key_Control, Control, 37, u"", 0x11},
    {"Es_Alt", Qt::Key_Alt, Qt::AltModifier, 64, u"", 0x12},
    {"Es_MayusF1", Qt::Key_F1, Mayus, 67, u"", 0x70},
    {"Es_MayusF12", Qt::Key_F12, Mayus, 96, u"", 0x7B},
    // xdotool types a symbol missing from the layout through a spare keycode.
    {"Es_CodigoDeReserva_Mas", Qt::Key_Plus, Ninguno, 255, u"+", 0xBB},
};
INSTANTIATE_TEST_SUITE_P(Espanol, TraduccionTecla, ::testing::ValuesIn(kEspanol), NombreFila);

// What xcb reports with `setxkbmap us`: same physical keys, other texts.
const Fila kEstadounidense[] = {
    {"Us_5", Qt::Key_5, Ninguno, 14, u"5", 0x35},
    {"Us_Mayus8_Asterisco", Qt::Key_Asterisk, Mayus, 17, u"*", 0x38},
    {"Us_Mayus5_Porcentaje", Qt::Key_Percent, Mayus, 14, u"%", 0x35},
    {"Us_Mayus0_Parentesis", Qt::Key_ParenRight, Mayus, 19, u")", 0x30},
    {"Us_CorcheteDerecho", Qt::Key_BracketRight, Ninguno, 35, u"]", 0xBB},
    // The US "=" key sits where the Spanish "¡" is: its "+" is not the plus key.
    {"Us_MayusIgual_Mas", Qt::Key_Plus, Mayus, 21, u"+", 0xDD},
    {"Us_Menos", Qt::Key_Minus, Ninguno, 20, u"-", 0xDB},
    {"Us_Barra", Qt::Key_Slash, Ninguno, 61, u"/", 0xBD},
    {"Us_Coma", Qt::Key_Comma, Ninguno, 59, u",", 0xBC},
    {"Us_Punto", Qt::Key_Period, Ninguno, 60, u".", 0xBE},
    {"Us_Teclado5", Qt::Key_5, Teclado, 84, u"5", 0x65},
    {"Us_TecladoDecimal", Qt::Key_Period, Teclado, 91, u".", 0x6E},
    {"Us_TecladoMas", Qt::Key_Plus, Teclado, 86, u"+", 0x6B},
    {"Us_TecladoIntro", Qt::Key_Enter, Teclado, 104, u"\r", 0x0D},
    {"Us_Intro", Qt::Key_Return, Ninguno, 36, u"\r", 0x0D},
    {"Us_Retroceso", Qt::Key_Backspace, Ninguno, 22, u"\b", 0x08},
    {"Us_Suprimir", Qt::Key_Delete, Ninguno, 119, u"\x7f", 0x2E},
};
INSTANTIATE_TEST_SUITE_P(Estadounidense, TraduccionTecla, ::testing::ValuesIn(kEstadounidense),
                         NombreFila);

// Offscreen: no scan code, so the Qt key and the keypad modifier decide, as on a Spanish
// keyboard.
const Fila kSinCodigo[] = {
    {"Sin_5", Qt::Key_5, Ninguno, 0, u"5", 0x35},
    {"Sin_Control5", Qt::Key_5, Control, 0, u"5", 0x35},
    {"Sin_Porcentaje", Qt::Key_Percent, Mayus, 0, u"%", 0x35},
    {"Sin_Igual", Qt::Key_Equal, Mayus, 0, u"=", 0x30},
    {"Sin_Barra", Qt::Key_Slash, Mayus, 0, u"/", 0x37},
    {"Sin_ParentesisAbierto", Qt::Key_ParenLeft, Mayus, 0, u"(", 0x38},
    {"Sin_Mas", Qt::Key_Plus, Ninguno, 0, u"+", 0xBB},
    {"Sin_Asterisco", Qt::Key_Asterisk, Mayus, 0, u"*", 0xBB},
    {"Sin_Menos", Qt::Key_Minus, Ninguno, 0, u"-", 0xBD},
    {"Sin_Coma", Qt::Key_Comma, Ninguno, 0, u",", 0xBC},
    {"Sin_Punto", Qt::Key_Period, Ninguno, 0, u".", 0xBE},
    {"Sin_Teclado0", Qt::Key_0, Teclado, 0, u"0", 0x60},
    {"Sin_Teclado5", Qt::Key_5, Teclado, 0, u"5", 0x65},
    {"Sin_Teclado9", Qt::Key_9, Teclado, 0, u"9", 0x69},
    {"Sin_TecladoMas", Qt::Key_Plus, Teclado, 0, u"+", 0x6B},
    {"Sin_TecladoMenos", Qt::Key_Minus, Teclado, 0, u"-", 0x6D},
    {"Sin_TecladoPor", Qt::Key_Asterisk, Teclado, 0, u"*", 0x6A},
    {"Sin_TecladoEntre", Qt::Key_Slash, Teclado, 0, u"/", 0x6F},
    {"Sin_TecladoDecimal_Punto", Qt::Key_Period, Teclado, 0, u".", 0x6E},
    {"Sin_TecladoDecimal_Coma", Qt::Key_Comma, Teclado, 0, u",", 0x6E},
    {"Sin_TecladoDecimal_Suprimir", Qt::Key_Delete, Teclado, 0, u"", 0x6E},
    {"Sin_SinBloqNum_Teclado7", Qt::Key_Home, Teclado, 0, u"", 0x67},
    {"Sin_TecladoIgual", Qt::Key_Equal, Teclado, 0, u"=", 0},
    {"Sin_TecladoIntro", Qt::Key_Enter, Teclado, 0, u"\r", 0x0D},
    {"Sin_Enter", Qt::Key_Enter, Ninguno, 0, u"\r", 0x0D},
    {"Sin_Intro", Qt::Key_Return, Ninguno, 0, u"\r", 0x0D},
    {"Sin_Retroceso", Qt::Key_Backspace, Ninguno, 0, u"\b", 0x08},
    {"Sin_Suprimir", Qt::Key_Delete, Ninguno, 0, u"\x7f", 0x2E},
    {"Sin_Inicio", Qt::Key_Home, Ninguno, 0, u"", 0x24},
    {"Sin_Mayus", Qt::Key_Shift, Mayus, 0, u"", 0x10},
    {"Sin_Control", Qt::Key_Control, Control, 0, u"", 0x11},
    {"Sin_Alt", Qt::Key_Alt, Qt::AltModifier, 0, u"", 0x12},
    {"Sin_BloqNum", Qt::Key_NumLock, Ninguno, 0, u"", 0},
    {"Sin_BloqNumTeclado", Qt::Key_NumLock, Teclado, 0, u"", 0},
    {"Sin_LetraA", Qt::Key_A, Ninguno, 0, u"a", 0x41},
    {"Sin_Ene", Qt::Key_Ntilde, Ninguno, 0, u"ñ", 0},
    {"Sin_Desconocida", Qt::Key_unknown, Ninguno, 0, u"", 0},
};
INSTANTIATE_TEST_SUITE_P(SinCodigoNativo, TraduccionTecla, ::testing::ValuesIn(kSinCodigo),
                         NombreFila);

TEST(TraduccionTeclasFunciones, F1aF12ConYSinCodigoNativo) {
    const quint32 codigos[12] = {67, 68, 69, 70, 71, 72, 73, 74, 75, 76, 95, 96};
    for (int i = 0; i < 12; ++i) {
        const int tecla = Qt::Key_F1 + i;
        for (quint32 codigo : {codigos[i], 0u}) {
            for (Qt::KeyboardModifiers mods : {Qt::KeyboardModifiers(Ninguno), Qt::KeyboardModifiers(Mayus)}) {
                EXPECT_EQ(CodigoVirtual({tecla, mods, codigo, QString()}), 0x70 + i)
                    << "F" << (i + 1) << " código " << codigo;
            }
        }
    }
}

QKeyEvent Pulsacion(int tecla, Qt::KeyboardModifiers mods, quint32 codigo, const QString& texto) {
    return QKeyEvent(QEvent::KeyPress, tecla, mods, codigo, 0, 0, texto);
}

TEST(TeclaDeEvento, ConservaTeclaModificadoresCodigoYTexto) {
    const QKeyEvent evento = Pulsacion(Qt::Key_Equal, Mayus, 19, QStringLiteral("="));
    const TeclaPulsada p = TeclaDeEvento(evento, true);
    EXPECT_EQ(p.tecla, Qt::Key_Equal);
    EXPECT_EQ(p.modificadores, Qt::KeyboardModifiers(Mayus));
    EXPECT_EQ(p.codigoNativo, 19u);
    EXPECT_EQ(p.texto, QStringLiteral("="));
    EXPECT_EQ(CodigoVirtual(p), 0x30);
}

TEST(TeclaDeEvento, SinCodigosXkbDescartaElCodigoNativo) {
    // US Shift+"=": by its keycode it is not the plus key; without trusting the keycode the
    // Qt key is all there is.
    const QKeyEvent evento = Pulsacion(Qt::Key_Plus, Mayus, 21, QStringLiteral("+"));
    EXPECT_EQ(CodigoVirtual(TeclaDeEvento(evento, true)), 0xDD);
    const TeclaPulsada p = TeclaDeEvento(evento, false);
    EXPECT_EQ(p.codigoNativo, 0u);
    EXPECT_EQ(CodigoVirtual(p), 0xBB);
}

TEST(TeclaDeEvento, SegunLaPlataforma) {
    const QKeyEvent evento = Pulsacion(Qt::Key_5, Teclado, 84, QStringLiteral("5"));
    const TeclaPulsada p = TeclaDeEvento(evento);
    EXPECT_EQ(p.codigoNativo, PlataformaConCodigosXkb() ? 84u : 0u);
    EXPECT_EQ(CodigoVirtual(p), 0x65);
}

}  // namespace
