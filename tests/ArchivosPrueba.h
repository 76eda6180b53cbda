// Test helpers that need no window: tape lines written short, paths and files, other
// programs' view of CSV and PDF files, errors and full disks, and QString in GoogleTest's
// messages.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <ostream>

// Tape lines written short: "5 +|---|8 T||" is 5 with " +" right-aligned in 22 columns (never
// cut when wider), the separator (a space and 21 hyphens), 8 with " T" and two empty lines. A
// piece without a blank ("22-E") is right-aligned in 24 columns.
QStringList Lineas(const QString& descripcion);
QString Separador();

// A whole file's bytes, or a text saying it could not be read (which no expected value holds).
QByteArray LeerArchivo(const QString& ruta);
// Replaces a file's bytes; a failure fails the test.
void EscribirArchivo(const QString& ruta, const QByteArray& datos);

// The rows of a CSV file as Python's csv module reads it (";" between fields, UTF-8 with a
// byte-order mark), the way a spreadsheet would; a failure fails the test.
QList<QStringList> LeerCsv(const QString& ruta);
// The text of a PDF as pdftotext -layout gives it, "\f" between pages.
QString TextoPdf(const QString& ruta);

// Runs a program to its end within `espera` ms: its standard output, empty but not null when
// it printed nothing, or a null string when it could not run, timed out or failed.
QString Ejecutar(const QString& programa, const QStringList& argumentos, int espera = 60000);

// The message of the ErrorSumadora that `accion` throws; a null string when it throws none.
QString MensajeDeError(const std::function<void()>& accion);
// The same with files limited to `bytes` bytes, as on a full disk: Qt holds a new copy in its
// buffer until the last flush, where the failure shows.
QString MensajeConDiscoLleno(qint64 bytes, const std::function<void()>& accion);

// Shows a QString in a failed expectation as text, not as a list of code units.
void PrintTo(const QString& texto, std::ostream* salida);
