// Translation of a key press into the Windows virtual-key code the calculator's key tables
// are written in, decided by the physical key so that the tables behave as on a Spanish
// keyboard whatever the Shift state turned the key's text into; and which keys of another
// layout act by the character they type instead.
#pragma once

#include <QString>
#include <Qt>
#include <QtGlobal>

class QKeyEvent;

// What the translation needs of a key press. `codigoNativo` is an X keycode (evdev code + 8,
// as xcb and Wayland report it) or 0 when the platform gives none that can be trusted.
struct TeclaPulsada {
    int tecla = 0; // Qt::Key
    Qt::KeyboardModifiers modificadores;
    quint32 codigoNativo = 0;
    QString texto;
};

// Virtual-key code of the key, or 0 when the key has none in the tables' terms.
// Only the keypad modifier is looked at; Shift, Control and Alt never change the code.
int CodigoVirtual(const TeclaPulsada& pulsada);

// The character a key of the main block typed when it is not what a Spanish keyboard types
// on that key at that Shift level (nor with AltGr); QChar() when the key acts by its place on
// a Spanish keyboard, as the key tables say. Decided key by key from the X keycode and the
// text, so a layout counts as Spanish wherever it types what the Spanish one does: a Latin
// American or German keyboard, whose "+", "-", ",", ".", Shift+5, Shift+7 and Shift+0 sit on
// the Spanish keys, keeps the Spanish behaviour, Shift latch included; on a US or French
// keyboard the keys that differ act by their character. 0 as the keycode (no X keycodes on
// this platform) gives QChar().
QChar CaracterDeOtraDisposicion(const TeclaPulsada& pulsada);

// The key press of an event. The native scan code is kept only when the running platform
// reports X keycodes (xcb, Wayland); elsewhere it is 0 and the Qt key decides.
TeclaPulsada TeclaDeEvento(const QKeyEvent& evento);
// Same, saying whether the event's scan code is an X keycode.
TeclaPulsada TeclaDeEvento(const QKeyEvent& evento, bool codigosXkb);

// Whether the running platform's native scan codes are X keycodes.
bool PlataformaConCodigosXkb();
