// The Windows virtual-key codes the calculator's key tables are written in, whatever the
// platform: key presses are translated into them (TraduccionTeclas) and the keyboard hook's
// tables are keyed by them.
#pragma once

enum : int {
    VK_NINGUNA = 0,
    VK_BACK = 0x08,
    VK_TAB = 0x09,
    VK_CLEAR = 0x0C,
    VK_RETURN = 0x0D,
    VK_SHIFT = 0x10,
    VK_CONTROL = 0x11,
    VK_MENU = 0x12,
    VK_PAUSE = 0x13,
    VK_CAPITAL = 0x14,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_PRIOR = 0x21,
    VK_NEXT = 0x22,
    VK_END = 0x23,
    VK_HOME = 0x24,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_SNAPSHOT = 0x2C,
    VK_INSERT = 0x2D,
    VK_DELETE = 0x2E,
    VK_0 = 0x30,
    VK_5 = 0x35,
    VK_7 = 0x37,
    VK_A = 0x41,
    VK_LWIN = 0x5B,
    VK_RWIN = 0x5C,
    VK_APPS = 0x5D,
    VK_NUMPAD0 = 0x60,
    VK_MULTIPLY = 0x6A,
    VK_ADD = 0x6B,
    VK_SEPARATOR = 0x6C,
    VK_SUBTRACT = 0x6D,
    VK_DECIMAL = 0x6E,
    VK_DIVIDE = 0x6F,
    VK_F1 = 0x70,
    VK_F5 = 0x74,
    VK_F8 = 0x77,
    VK_F9 = 0x78,
    VK_F11 = 0x7A,
    VK_F12 = 0x7B,
    VK_SCROLL = 0x91,
    // The OEM keys as a Spanish Windows layout names them.
    VK_OEM_1 = 0xBA,      // ` ^ [
    VK_OEM_PLUS = 0xBB,   // + * ]
    VK_OEM_COMMA = 0xBC,  // , ;
    VK_OEM_MINUS = 0xBD,  // - _
    VK_OEM_PERIOD = 0xBE, // . :
    VK_OEM_2 = 0xBF,      // ç Ç }
    VK_OEM_3 = 0xC0,      // ñ Ñ
    VK_OEM_4 = 0xDB,      // ' ?
    VK_OEM_5 = 0xDC,      // º ª
    VK_OEM_6 = 0xDD,      // ¡ ¿
    VK_OEM_7 = 0xDE,      // ´ ¨ {
    VK_OEM_102 = 0xE2,    // < >
};
