// What a window's tables say of its buttons, so that a button no table names (one that would
// do nothing when clicked) is found by a test rather than by a user.
#pragma once

#include <QList>

class QAbstractButton;

struct CableadoBotones {
    // Given their action by the window's tables, or by the component that owns them (the
    // drop-down button of a numeric box). The skin's caption buttons are not here: the
    // frame is added to a window from outside and names its own (TMarcoSkin::BotonesTitulo).
    QList<QAbstractButton*> Conectados;
    // Without an action on purpose: boxes read when the window applies its values, and
    // Qt's own buttons (a tab bar's scroll arrows).
    QList<QAbstractButton*> SinClic;
};
