// Printing the tape: the work file "Imprime.SUMP", the printed lines (an opening blank line,
// the optional header from the settings file, the tape) and the tape's printing font; the
// printing itself is ImprimirTexto's, on whatever printer the caller gives.
#pragma once

#include "ArchivoCuenta.h"

#include <QFont>
#include <QString>
#include <QStringList>

class ArchivoIni;

// The work file's name and the print job's title.
inline QString NombreImpresion() {
    return QStringLiteral("Imprime.SUMP");
}

// The print header as stored; the four lines are only read when it is included.
struct CabeceraImpresion {
    bool Incluir = false;
    QStringList Lineas; // L1 to L4
};
CabeceraImpresion LeerCabeceraImpresion(const ArchivoIni& ini);

// The lines as printed: a blank line; with the header, L1 to L4 and a rule of 23 hyphens,
// each indented by one space, and a blank line; then the tape.
QStringList LineasImpresion(const QStringList& cinta, const CabeceraImpresion& cabecera);

// Courier New (or its metric twin) at 15 pixels, the size the tape has on screen.
QFont LetraImpresion();

// Writes the tape to "Imprime.SUMP" in the current directory, or, when that cannot be written
// (a deleted or read-only directory), in the user's cache folder; never anywhere else. Returns
// the file written, or an empty string when neither place could take it.
QString EscribirArchivoImpresion(const TextoLineas& cinta, CodificacionCuenta codificacion);
