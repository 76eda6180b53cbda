// Printing a plain-text report, page after page.
#include "ImpresionInforme.h"

#include "ErrorSumadora.h"

#include <QAbstractTextDocumentLayout>
#include <QMarginsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>

using namespace Qt::StringLiterals;

void ImprimirInforme(QPrinter& impresora, const QString& titulo, const QString& texto,
                     const QFont& fuente) {
    impresora.setDocName(titulo);
    impresora.setPageMargins(QMarginsF(20, 15, 15, 15), QPageLayout::Millimeter);

    QPainter lienzo;
    if (!lienzo.begin(&impresora))
        throw ErrorSumadora(u"No se ha podido imprimir: la impresora no responde."_s);

    // The screen font is sized in pixels; on paper the same size in points keeps the
    // 62-column rows the width they have on screen.
    QFont fuenteImpresa = fuente;
    if (fuente.pixelSize() > 0)
        fuenteImpresa.setPointSizeF(fuente.pixelSize() * 72.0 / 96.0);

    QTextDocument documento;
    documento.documentLayout()->setPaintDevice(&impresora);
    documento.setDefaultFont(fuenteImpresa);
    documento.setDocumentMargin(0);
    documento.setPlainText(texto);
    const QRectF area = impresora.pageLayout().paintRectPixels(impresora.resolution());
    documento.setPageSize(area.size());

    const int paginas = documento.pageCount();
    for (int pagina = 0; pagina < paginas; ++pagina) {
        if (pagina > 0 && !impresora.newPage())
            throw ErrorSumadora(u"No se ha podido imprimir: la impresora no responde."_s);
        lienzo.save();
        const QRectF visible(0, pagina * area.height(), area.width(), area.height());
        lienzo.translate(0, -visible.top());
        documento.drawContents(&lienzo, visible);
        lienzo.restore();
    }
    if (!lienzo.end())
        throw ErrorSumadora(u"No se ha podido imprimir: la impresora no responde."_s);
}
