// A text saved as a PDF document: the pages a printer would get, written through the one
// print routine to a temporary file and put in place only once complete.
#pragma once

#include <QFont>
#include <QString>

// Throws a Spanish ErrorSumadora naming `ruta` when the document cannot be written; any file
// already at `ruta` is then left as it was.
void GuardarPdf(const QString& ruta, const QString& titulo, const QString& texto,
                const QFont& fuente);
