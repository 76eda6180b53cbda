// Test helpers that need no window: paths and files, CSV and PDF texts as other programs read
// them, and QString in GoogleTest's messages.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <ostream>

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
