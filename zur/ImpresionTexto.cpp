// Printing a plain text, page after page.
#include "ImpresionTexto.h"

#include "ErrorSumadora.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFontMetricsF>
#include <QMarginsF>
#include <QPageLayout>
#include <QPainter>
#include <QPalette>
#include <QPrinter>
#include <QTextDocument>

using namespace Qt::StringLiterals;

namespace {

ErrorSumadora ErrorImpresion(const QPrinter& impresora, const QString& titulo) {
    const QString destino = impresora.outputFileName().isEmpty()
                                ? impresora.printerName()
                                : QDir::toNativeSeparators(impresora.outputFileName());
    if (destino.isEmpty())
        return ErrorSumadora(u"No se ha podido imprimir «%1»."_s.arg(titulo));
    return ErrorSumadora(u"No se ha podido imprimir «%1» en «%2»."_s.arg(titulo, destino));
}

} // namespace

void ImprimirTexto(QPrinter& impresora, const QString& titulo, const QString& texto,
                   const QFont& fuente) {
    impresora.setDocName(titulo);
    // A printer whose hardware margins are wider keeps its own; that is not a failure.
    impresora.setPageMargins(QMarginsF(20, 15, 15, 15), QPageLayout::Millimeter);

    // Fifteen pixels of a 96-dpi screen become 11.25 points, so the columns of a fixed-pitch
    // text are as wide on paper as on screen.
    QFont letra = fuente;
    if (fuente.pixelSize() > 0)
        letra.setPointSizeF(fuente.pixelSize() * 72.0 / 96.0);

    // Laid out for the printer itself, so points become the printer's own pixels.
    QTextDocument documento;
    documento.documentLayout()->setPaintDevice(&impresora);
    documento.setDefaultFont(letra);
    documento.setDocumentMargin(0);
    documento.setPlainText(texto);
    const QSizeF pagina = impresora.pageLayout().paintRectPixels(impresora.resolution()).size();
    documento.setPageSize(pagina);

    // A printer that cannot start the job (or a PDF that cannot be created) must not pass for
    // a printed page.
    QPainter pintor;
    if (!pintor.begin(&impresora))
        throw ErrorImpresion(impresora, titulo);
    // The desktop's colours (a dark theme) must not reach the paper.
    QAbstractTextDocumentLayout::PaintContext contexto;
    contexto.palette.setColor(QPalette::Text, Qt::black);
    const qreal margen = QFontMetricsF(letra, &impresora).lineSpacing() / 4;
    const int paginas = documento.pageCount();
    for (int i = 0; i < paginas; ++i) {
        if (i > 0 && !impresora.newPage()) {
            pintor.end();
            throw ErrorImpresion(impresora, titulo);
        }
        pintor.fillRect(QRectF(QPointF(0, 0), pagina), Qt::white);
        pintor.save();
        pintor.setClipRect(QRectF(QPointF(0, 0), pagina));
        pintor.translate(0, -i * pagina.height());
        // A quarter line in from either edge: the layout counts a line that touches the page's
        // edge, give or take its rounding, as on the page, and the first line of the next page
        // would print twice.
        contexto.clip =
            QRectF(0, i * pagina.height() + margen, pagina.width(), pagina.height() - 2 * margen);
        documento.documentLayout()->draw(&pintor, contexto);
        pintor.restore();
    }
    if (!pintor.end() || impresora.printerState() == QPrinter::Error)
        throw ErrorImpresion(impresora, titulo);
}
