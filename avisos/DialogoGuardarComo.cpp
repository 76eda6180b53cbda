#include "DialogoGuardarComo.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

QString Sufijo(FormatoArchivo formato) {
    switch (formato) {
    case FormatoArchivo::Csv:
        return u"csv"_s;
    case FormatoArchivo::Pdf:
        return u"pdf"_s;
    case FormatoArchivo::Suma:
        break;
    }
    return u"SUMA"_s;
}

} // namespace

QString FiltroFormato(FormatoArchivo formato) {
    switch (formato) {
    case FormatoArchivo::Csv:
        return u"Hoja de cálculo CSV (*.csv)"_s;
    case FormatoArchivo::Pdf:
        return u"Documento PDF (*.pdf)"_s;
    case FormatoArchivo::Suma:
        break;
    }
    return u"Archivos cuenta de Sumadora (*.SUMA)"_s;
}

DestinoArchivo PreguntarDestino(QWidget* padre, const QString& titulo,
                                const QList<FormatoArchivo>& formatos, QString& carpeta) {
    QFileDialog dialogo(padre, titulo, carpeta);
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    dialogo.setOption(QFileDialog::DontConfirmOverwrite);
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setFileMode(QFileDialog::AnyFile);
    QStringList filtros;
    for (FormatoArchivo f : formatos)
        filtros << FiltroFormato(f);
    dialogo.setNameFilters(filtros);
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return {};
    DestinoArchivo destino{dialogo.selectedFiles().constFirst(),
                           formatos.value(filtros.indexOf(dialogo.selectedNameFilter()))};
    // The suffix follows the filter left chosen: a tape file's only when the name has none (as
    // always); "cuenta.txt" under the CSV filter is a spreadsheet all the same, and says so.
    const QString sufijo = u'.' + Sufijo(destino.Formato);
    if (destino.Formato == FormatoArchivo::Suma
            ? QFileInfo(destino.Ruta).suffix().isEmpty()
            : !destino.Ruta.endsWith(sufijo, Qt::CaseInsensitive))
        destino.Ruta += sufijo;
    carpeta = QFileInfo(destino.Ruta).absolutePath();
    return destino;
}

FormatoArchivo FormatoPorNombre(const QString& ruta) {
    const QString sufijo = QFileInfo(ruta).suffix();
    if (sufijo.compare(u"csv"_s, Qt::CaseInsensitive) == 0)
        return FormatoArchivo::Csv;
    if (sufijo.compare(u"pdf"_s, Qt::CaseInsensitive) == 0)
        return FormatoArchivo::Pdf;
    return FormatoArchivo::Suma;
}

bool OfrecerPdfSinImpresora(QWidget* padre) {
    QMessageBox caja(
        QMessageBox::NoIcon, u"Sumadora"_s,
        u"No hay ninguna impresora instalada.\nPuede guardar la página como documento PDF."_s,
        QMessageBox::NoButton, padre);
    QPushButton* pdf = caja.addButton(u"Guardar como PDF…"_s, QMessageBox::AcceptRole);
    QPushButton* aceptar = caja.addButton(u"Aceptar"_s, QMessageBox::RejectRole);
    caja.setDefaultButton(aceptar);
    caja.setEscapeButton(aceptar);
    caja.exec();
    return caja.clickedButton() == pdf;
}
