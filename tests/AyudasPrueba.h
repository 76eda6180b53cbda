// Helpers shared by the tests: intercepting the modal dialogs a test expects, and paths.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

// Registers what to do with the next modal dialog that appears (read its text, press a
// button, close it). A modal dialog that appears with nothing registered fails the test and
// is closed, so a stray dialog never hangs the run.
void AlAparecerDialogo(std::function<void(QWidget* dialogo)> accion);
// Number of expected dialogs still waiting to appear.
int DialogosPendientes();

// Convenience: expects one message box, records its text into *texto and closes it.
void EsperarMensaje(QString* texto);

// Path of a file under tests/datos.
QString RutaDatos(const QString& nombre);
