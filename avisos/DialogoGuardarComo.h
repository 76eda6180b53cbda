// Where to save: Qt's save dialog offering the program's file formats, and the message that
// offers a PDF document when there is no printer.
#pragma once

#include <QList>
#include <QString>

class QWidget;

enum class FormatoArchivo { Suma, Csv, Pdf };

struct DestinoArchivo {
    QString Ruta; // empty when the user cancelled
    FormatoArchivo Formato = FormatoArchivo::Suma;
};

// The dialog's filter of each format, e.g. "Hoja de cálculo CSV (*.csv)".
QString FiltroFormato(FormatoArchivo formato);

// Offers `formatos`, the first one chosen at the start; the filter the user leaves chosen
// decides the format, and a CSV or PDF name gets its suffix. An existing file is replaced
// without asking. `carpeta` is where it opens and becomes the folder of the chosen file.
DestinoArchivo PreguntarDestino(QWidget* padre, const QString& titulo,
                                const QList<FormatoArchivo>& formatos, QString& carpeta);

// The format of a name given without the dialog, by its suffix; the tape file otherwise.
FormatoArchivo FormatoPorNombre(const QString& ruta);

// "No hay ninguna impresora instalada." with "Guardar como PDF…" beside "Aceptar"; true when
// the user chose the PDF.
bool OfrecerPdfSinImpresora(QWidget* padre);
