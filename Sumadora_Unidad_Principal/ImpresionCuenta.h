// Printing the tape: the work file "Imprime.SUMP", the printed lines (an opening blank line,
// the optional header from the settings file, the tape), the document in the tape's printing
// font, and printing it on whatever printer the caller gives (a real one or a PDF file).
#pragma once

#include "ArchivoCuenta.h"

#include <QString>
#include <QStringList>

#include <memory>

class ArchivoIni;
class QPrinter;
class QTextDocument;

// The work file's name and the print job's title.
inline QString NombreImpresion() { return QStringLiteral("Imprime.SUMP"); }

// The header keys of section "Imprimir"; the four lines are only read when it is included.
struct CabeceraImpresion {
    bool Incluir = false;
    QStringList Lineas; // L1 to L4
};
CabeceraImpresion LeerCabeceraImpresion(const ArchivoIni& ini);

// The lines as printed: a blank line; with the header, L1 to L4 and a rule of 23 hyphens,
// each indented by one space, and a blank line; then the tape.
QStringList LineasImpresion(const QStringList& cinta, const CabeceraImpresion& cabecera);

// The lines in Courier New (or its metric twin) at the size a 15-pixel font has on screen,
// black on white.
std::unique_ptr<QTextDocument> DocumentoImpresion(const QStringList& lineas);

// Writes the tape to "Imprime.SUMP" in the current directory; throws ErrorSumadora with a
// Spanish message when it cannot.
void EscribirArchivoImpresion(const QStringList& cinta, CodificacionCuenta codificacion);

// Prints the document, paged, on `impresora` under the job title "Imprime.SUMP". Throws
// ErrorSumadora when the printer cannot start or finish the job.
void ImprimirDocumento(const QTextDocument& documento, QPrinter& impresora);
