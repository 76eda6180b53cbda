// Printing a plain text, page after page, with no print dialog: the one print path of the
// tape and of the reports.
#pragma once

#include <QFont>
#include <QString>

class QPrinter;

// Prints `texto` on `impresora` as the job `titulo`, black on white, in `fuente`; a pixel size
// is taken as screen pixels, so the page shows what the screen does. Throws a Spanish
// ErrorSumadora naming the job and the printer (or output file) when the printer cannot start,
// turn a page or finish the job.
void ImprimirTexto(QPrinter& impresora, const QString& titulo, const QString& texto,
                   const QFont& fuente);
