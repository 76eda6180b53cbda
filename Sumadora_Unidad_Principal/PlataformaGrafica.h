// Which windowing platform the program starts on.
#pragma once

#include <QByteArray>
#include <QProcessEnvironment>

// In a Wayland session the program asks Qt for X11 through XWayland, unless the user named a
// platform (QT_QPA_PLATFORM) or no X display is offered: a native Wayland client may not
// place its own windows, and the program centres its windows, snaps them magnetically while
// moving them and opens the drop-down calculator beside its box. Returns the platforms to ask
// for in order ("xcb;wayland"), or nothing to leave Qt's own choice.
QByteArray PlataformaElegida(const QProcessEnvironment& entorno);

// Applies PlataformaElegida to the program's own environment; call before the application
// object exists.
void ElegirPlataforma();
