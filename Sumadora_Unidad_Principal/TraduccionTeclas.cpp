// Key press -> virtual-key code: first by the physical key (X keycode), then, when the
// platform gave no keycode or an unknown one, by the Qt key and the keypad modifier.
#include "TraduccionTeclas.h"

#include "CodigosVirtuales.h"

#include <QChar>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QStringView>

namespace {

// Physical keys whose code must not depend on the layout or on Shift, by X keycode.
// Letters are left to the Qt key, as a Windows layout also moves them.
int CodigoPorTeclaFisica(quint32 codigo) {
    if (codigo >= 10 && codigo <= 18) // 1 to 9 of the main block
        return VK_0 + int(codigo - 9);
    if (codigo >= 67 && codigo <= 76) // F1 to F10
        return VK_F1 + int(codigo - 67);
    switch (codigo) {
    case 19:
        return VK_0;
    case 95:
        return VK_F1 + 10; // F11
    case 96:
        return VK_F1 + 11; // F12

    case 90:
        return VK_NUMPAD0;
    case 87:
        return VK_NUMPAD0 + 1;
    case 88:
        return VK_NUMPAD0 + 2;
    case 89:
        return VK_NUMPAD0 + 3;
    case 83:
        return VK_NUMPAD0 + 4;
    case 84:
        return VK_NUMPAD0 + 5;
    case 85:
        return VK_NUMPAD0 + 6;
    case 79:
        return VK_NUMPAD0 + 7;
    case 80:
        return VK_NUMPAD0 + 8;
    case 81:
        return VK_NUMPAD0 + 9;
    case 63:
        return VK_MULTIPLY;
    case 86:
        return VK_ADD;
    case 82:
        return VK_SUBTRACT;
    // The pad's decimal key, whatever NumLock and the layout make it type.
    case 91:
        return VK_DECIMAL;
    case 106:
        return VK_DIVIDE;
    case 104:
        return VK_RETURN; // pad Enter
    case 129:
        return VK_SEPARATOR;
    // xdotool presses NumLock before pad digits; it must never count as a key of its own.
    case 77:
        return VK_NINGUNA;

    case 9:
        return VK_ESCAPE;
    case 22:
        return VK_BACK;
    case 23:
        return VK_TAB;
    case 36:
        return VK_RETURN;
    case 37:
    case 105:
        return VK_CONTROL;
    case 50:
    case 62:
        return VK_SHIFT;
    case 64:
    case 108:
        return VK_MENU;
    case 65:
        return VK_SPACE;
    case 66:
        return VK_CAPITAL;
    case 78:
        return VK_SCROLL;
    case 107:
        return VK_SNAPSHOT;
    case 110:
        return VK_HOME;
    case 111:
        return VK_UP;
    case 112:
        return VK_PRIOR;
    case 113:
        return VK_LEFT;
    case 114:
        return VK_RIGHT;
    case 115:
        return VK_END;
    case 116:
        return VK_DOWN;
    case 117:
        return VK_NEXT;
    case 118:
        return VK_INSERT;
    case 119:
        return VK_DELETE;
    case 127:
        return VK_PAUSE;
    case 133:
        return VK_LWIN;
    case 134:
        return VK_RWIN;
    case 135:
        return VK_APPS;

    case 20:
        return VK_OEM_4;
    case 21:
        return VK_OEM_6;
    case 34:
        return VK_OEM_1;
    case 35:
        return VK_OEM_PLUS;
    case 47:
        return VK_OEM_3;
    case 48:
        return VK_OEM_7;
    case 49:
        return VK_OEM_5;
    case 51:
        return VK_OEM_2;
    case 59:
        return VK_OEM_COMMA;
    case 60:
        return VK_OEM_PERIOD;
    case 61:
        return VK_OEM_MINUS;
    case 94:
        return VK_OEM_102;
    default:
        return -1;
    }
}

// Keys of the numeric pad by Qt key, as they arrive with the keypad modifier, with NumLock
// on or off: the pad's keys key the calculator either way. -1 when not a pad key.
int CodigoPorTeclaDelTeclado(int tecla) {
    if (tecla >= Qt::Key_0 && tecla <= Qt::Key_9)
        return VK_NUMPAD0 + (tecla - Qt::Key_0);
    switch (tecla) {
    case Qt::Key_Insert:
        return VK_NUMPAD0;
    case Qt::Key_End:
        return VK_NUMPAD0 + 1;
    case Qt::Key_Down:
        return VK_NUMPAD0 + 2;
    case Qt::Key_PageDown:
        return VK_NUMPAD0 + 3;
    case Qt::Key_Left:
        return VK_NUMPAD0 + 4;
    case Qt::Key_Clear:
        return VK_NUMPAD0 + 5;
    case Qt::Key_Right:
        return VK_NUMPAD0 + 6;
    case Qt::Key_Home:
        return VK_NUMPAD0 + 7;
    case Qt::Key_Up:
        return VK_NUMPAD0 + 8;
    case Qt::Key_PageUp:
        return VK_NUMPAD0 + 9;
    case Qt::Key_Asterisk:
        return VK_MULTIPLY;
    case Qt::Key_Plus:
        return VK_ADD;
    case Qt::Key_Minus:
        return VK_SUBTRACT;
    case Qt::Key_Slash:
        return VK_DIVIDE;
    case Qt::Key_Period:
    case Qt::Key_Comma:
    case Qt::Key_Delete:
        return VK_DECIMAL;
    case Qt::Key_Enter:
    case Qt::Key_Return:
        return VK_RETURN;
    // The pad's equals sign of some keyboards is no key of a PC pad.
    case Qt::Key_Equal:
        return VK_NINGUNA;
    default:
        return -1;
    }
}

// Every other key by Qt key. A symbol stands for the Spanish key that types it, so that
// Shift+7 ("/") is still the 7 and Shift+"+" ("*") still the plus key.
int CodigoPorTecla(int tecla) {
    if (tecla >= Qt::Key_0 && tecla <= Qt::Key_9)
        return VK_0 + (tecla - Qt::Key_0);
    if (tecla >= Qt::Key_A && tecla <= Qt::Key_Z)
        return VK_A + (tecla - Qt::Key_A);
    if (tecla >= Qt::Key_F1 && tecla <= Qt::Key_F24)
        return VK_F1 + (tecla - Qt::Key_F1);
    switch (tecla) {
    // Shift and AltGr on the digits of a Spanish keyboard.
    case Qt::Key_Exclam:
    case Qt::Key_Bar:
        return VK_0 + 1;
    case Qt::Key_QuoteDbl:
    case Qt::Key_At:
        return VK_0 + 2;
    case Qt::Key_periodcentered:
    case Qt::Key_NumberSign:
        return VK_0 + 3;
    case Qt::Key_Dollar:
        return VK_0 + 4;
    case Qt::Key_Percent:
        return VK_0 + 5;
    case Qt::Key_Ampersand:
        return VK_0 + 6;
    case Qt::Key_Slash:
        return VK_0 + 7;
    case Qt::Key_ParenLeft:
        return VK_0 + 8;
    case Qt::Key_ParenRight:
        return VK_0 + 9;
    case Qt::Key_Equal:
        return VK_0;

    case Qt::Key_Plus:
    case Qt::Key_Asterisk:
    case Qt::Key_BracketRight:
        return VK_OEM_PLUS;
    case Qt::Key_Comma:
    case Qt::Key_Semicolon:
        return VK_OEM_COMMA;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        return VK_OEM_MINUS;
    case Qt::Key_Period:
    case Qt::Key_Colon:
        return VK_OEM_PERIOD;

    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Clear:
        return VK_CLEAR;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
        return VK_MENU;
    case Qt::Key_Pause:
        return VK_PAUSE;
    case Qt::Key_CapsLock:
        return VK_CAPITAL;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Print:
        return VK_SNAPSHOT;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    case Qt::Key_Super_L:
        return VK_LWIN;
    case Qt::Key_Super_R:
        return VK_RWIN;
    case Qt::Key_Menu:
        return VK_APPS;
    case Qt::Key_ScrollLock:
        return VK_SCROLL;
    default:
        return VK_NINGUNA; // NumLock among them
    }
}

// What the Spanish layout (its variants included) types on the keys its key tables give a
// meaning to: with no modifier, with Shift, and with AltGr with or without Shift.
struct CaracteresEspanoles {
    quint32 codigo;
    char16_t normal, mayusculas;
    const char16_t* altGr;
};
constexpr CaracteresEspanoles TeclasEspanolas[] = {
    {10, u'1', u'!', u"|¡"}, {11, u'2', u'"', u"@⅛"},           {12, u'3', u'·', u"#£"},
    {13, u'4', u'$', u"~$"}, {14, u'5', u'%', u"½⅜€"},          {15, u'6', u'&', u"¬⅝"},
    {16, u'7', u'/', u"{⅞"}, {17, u'8', u'(', u"[™"},           {18, u'9', u')', u"]±"},
    {19, u'0', u'=', u"}°"}, {35, u'+', u'*', u"]¯"},           {59, u',', u';', u"•×"},
    {60, u'.', u':', u"·÷"}, {61, u'-', u'_', u"\u0323\u02D9"},
};

// Keycodes of the main block's four rows of characters.
bool EnBloquePrincipal(quint32 codigo) {
    return (codigo >= 10 && codigo <= 21) || (codigo >= 24 && codigo <= 35) ||
           (codigo >= 38 && codigo <= 49) || (codigo >= 51 && codigo <= 61) || codigo == 94;
}

bool CaracterDeLaCalculadora(QChar c) {
    return (c >= u'0' && c <= u'9') || QStringView(u"+-*/=%,.").contains(c);
}

} // namespace

QChar CaracterDeOtraDisposicion(const TeclaPulsada& pulsada) {
    if (!EnBloquePrincipal(pulsada.codigoNativo) || pulsada.texto.size() != 1)
        return QChar();
    const QChar c = pulsada.texto[0];
    if (!c.isPrint()) // Control with a key, among others: the place decides
        return QChar();
    for (const CaracteresEspanoles& e : TeclasEspanolas) {
        if (e.codigo != pulsada.codigoNativo)
            continue;
        // xcb reports AltGr as the group switch; without it "]" is a US key, not AltGr with "+".
        const Qt::KeyboardModifiers m = pulsada.modificadores;
        const bool espanol = m.testFlag(Qt::GroupSwitchModifier)
                                 ? QStringView(e.altGr).contains(c)
                                 : c == (m.testFlag(Qt::ShiftModifier) ? e.mayusculas : e.normal);
        return espanol ? QChar() : c;
    }
    // The other keys of a Spanish keyboard mean nothing to the tables, nor do they type any
    // character that does.
    return CaracterDeLaCalculadora(c) ? c : QChar();
}

int CodigoVirtual(const TeclaPulsada& pulsada) {
    if (pulsada.codigoNativo != 0) {
        const int codigo = CodigoPorTeclaFisica(pulsada.codigoNativo);
        if (codigo >= 0)
            return codigo;
    }
    if (pulsada.tecla == Qt::Key_NumLock)
        return VK_NINGUNA;
    if (pulsada.modificadores.testFlag(Qt::KeypadModifier)) {
        const int codigo = CodigoPorTeclaDelTeclado(pulsada.tecla);
        if (codigo >= 0)
            return codigo;
    }
    return CodigoPorTecla(pulsada.tecla);
}

bool PlataformaConCodigosXkb() {
    const QString plataforma = QGuiApplication::platformName();
    return plataforma == QLatin1String("xcb") || plataforma.startsWith(QLatin1String("wayland"));
}

TeclaPulsada TeclaDeEvento(const QKeyEvent& evento, bool codigosXkb) {
    TeclaPulsada pulsada;
    pulsada.tecla = evento.key();
    pulsada.modificadores = evento.modifiers();
    pulsada.codigoNativo = codigosXkb ? evento.nativeScanCode() : 0;
    pulsada.texto = evento.text();
    return pulsada;
}

TeclaPulsada TeclaDeEvento(const QKeyEvent& evento) {
    return TeclaDeEvento(evento, PlataformaConCodigosXkb());
}
