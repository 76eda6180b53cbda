// Helpers shared by the tests: intercepting the modal dialogs a test expects, paths and
// files, and QString in GoogleTest's messages.
#pragma once

#include <QByteArray>
#include <QList>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <ostream>

// Registers what to do with the next modal dialog that appears (read its text, press a
// button, close it). A modal dialog that appears with nothing registered fails the test and
// is closed, so a stray dialog never hangs the run.
void AlAparecerDialogo(std::function<void(QWidget* dialogo)> accion);
// Number of expected dialogs still waiting to appear.
int DialogosPendientes();

// Convenience: expects one message box, records its text into *texto (and its icon into
// *icono) and closes it.
void EsperarMensaje(QString* texto, QMessageBox::Icon* icono = nullptr);

// Path of a file under tests/datos.
QString RutaDatos(const QString& nombre);

// A whole file's bytes, or a text saying it could not be read (which no expected value holds).
QByteArray LeerArchivo(const QString& ruta);
// Replaces a file's bytes; a failure fails the test.
void EscribirArchivo(const QString& ruta, const QByteArray& datos);

// The rows of a CSV file as Python's csv module reads it (";" between fields, UTF-8 with a
// byte-order mark), the way a spreadsheet would; a failure fails the test.
QList<QStringList> LeerCsv(const QString& ruta);
// The text of a PDF as pdftotext -layout gives it, "\f" between pages.
QString TextoPdf(const QString& ruta);

// Shows a QString in a failed expectation as text, not as a list of code units.
void PrintTo(const QString& texto, std::ostream* salida);
