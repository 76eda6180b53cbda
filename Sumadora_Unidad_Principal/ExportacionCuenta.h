// Saving the tape in any of its formats: the tape file, a spreadsheet, or the PDF of the
// page the printer would get. Shared by the toolbar and the tape's context menu.
#pragma once

#include "DialogoGuardarComo.h"

#include <QList>
#include <QString>

class TSumadoraFormulario;

// Where the last tape file was opened or saved, so the next dialog starts there.
QString& CarpetaCuentas();

// The window's save dialog offering `formatos` (or the test's name, whose suffix tells the
// format when more than one is offered); an empty name when cancelled.
DestinoArchivo PreguntarDestinoCuenta(TSumadoraFormulario& v,
                                      const QList<FormatoArchivo>& formatos);

// Writes the tape as `destino` says; throws a Spanish ErrorSumadora when it cannot, leaving
// any file already there as it was.
void GuardarCuentaComo(TSumadoraFormulario& v, const DestinoArchivo& destino);
