// Printing a plain-text report in a fixed-pitch font, page after page, with no print dialog.
#pragma once

#include <QFont>
#include <QString>

class QPrinter;

// Prints `texto` on `impresora` under the job title `titulo`, in `fuente` (its pixel size is
// taken as screen pixels and scaled to the printer). Throws a Spanish ErrorSumadora when the
// printer cannot be opened.
void ImprimirInforme(QPrinter& impresora, const QString& titulo, const QString& texto,
                     const QFont& fuente);
