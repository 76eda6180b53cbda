// The printed tape: its lines, its document and the print run on a given printer.
#include "ImpresionCuenta.h"

#include "ArchivoIni.h"
#include "ErrorSumadora.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFont>
#include <QPainter>
#include <QPrinter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>

using namespace Qt::StringLiterals;

namespace {

const QString Espacio = u" "_s;

// Fifteen pixels of a 96-dpi screen, in points, so the page shows what the screen would.
constexpr qreal PuntosLetra = 15.0 * 72.0 / 96.0;

QString MensajeImpresora(const QPrinter& impresora) {
    const QString nombre = impresora.outputFileName().isEmpty()
                               ? impresora.printerName()
                               : QDir::toNativeSeparators(impresora.outputFileName());
    return u"No se ha podido imprimir la cuenta en «%1»."_s.arg(nombre);
}

} // namespace

CabeceraImpresion LeerCabeceraImpresion(const ArchivoIni& ini) {
    CabeceraImpresion cabecera;
    cabecera.Incluir = ini.LeerBooleano(u"Imprimir"_s, u"Incluir Cabecera"_s, false);
    if (cabecera.Incluir)
        for (const QString& clave : {u"L1"_s, u"L2"_s, u"L3"_s, u"L4"_s})
            cabecera.Lineas << ini.LeerTexto(u"Imprimir"_s, clave, QString());
    return cabecera;
}

QStringList LineasImpresion(const QStringList& cinta, const CabeceraImpresion& cabecera) {
    QStringList lineas{Espacio};
    if (cabecera.Incluir) {
        for (const QString& l : cabecera.Lineas)
            lineas << Espacio + l;
        lineas << Espacio + QString(23, u'-') << Espacio;
    }
    lineas += cinta;
    return lineas;
}

std::unique_ptr<QTextDocument> DocumentoImpresion(const QStringList& lineas) {
    auto documento = std::make_unique<QTextDocument>();
    QFont letra(u"Courier New"_s);
    letra.setStyleHint(QFont::TypeWriter);
    letra.setFixedPitch(true);
    letra.setPointSizeF(PuntosLetra);
    documento->setDefaultFont(letra);
    documento->setPlainText(lineas.join(u'\n'));

    QTextCharFormat tinta;
    tinta.setForeground(Qt::black);
    QTextCursor todo(documento.get());
    todo.select(QTextCursor::Document);
    todo.mergeCharFormat(tinta);
    QTextFrameFormat fondo = documento->rootFrame()->frameFormat();
    fondo.setBackground(Qt::white);
    documento->rootFrame()->setFrameFormat(fondo);
    return documento;
}

void EscribirArchivoImpresion(const QStringList& cinta, CodificacionCuenta codificacion) {
    const QString ruta = QDir::current().absoluteFilePath(NombreImpresion());
    try {
        GuardarArchivoCuenta(ruta, cinta, codificacion);
    } catch (const ErrorSumadora&) {
        throw ErrorSumadora(u"No se puede escribir el archivo de impresión «%1»; la cuenta no se ha impreso."_s
                                .arg(QDir::toNativeSeparators(ruta)));
    }
}

void ImprimirDocumento(const QTextDocument& documento, QPrinter& impresora) {
    impresora.setDocName(NombreImpresion());
    // Laid out again for the printer, so the font's points become the printer's own pixels.
    const std::unique_ptr<QTextDocument> copia(documento.clone());
    copia->documentLayout()->setPaintDevice(&impresora);
    const QSizeF pagina = impresora.pageRect(QPrinter::DevicePixel).size();
    copia->setPageSize(pagina);

    // A printer that cannot start the job (or a PDF that cannot be created) must not pass for
    // a printed tape.
    QPainter pintor;
    if (!pintor.begin(&impresora))
        throw ErrorSumadora(MensajeImpresora(impresora));
    QAbstractTextDocumentLayout::PaintContext contexto;
    contexto.palette.setColor(QPalette::Text, Qt::black);
    const int paginas = copia->pageCount();
    for (int i = 0; i < paginas; ++i) {
        if (i > 0 && !impresora.newPage())
            throw ErrorSumadora(MensajeImpresora(impresora));
        pintor.save();
        pintor.translate(0, -i * pagina.height());
        contexto.clip = QRectF(QPointF(0, i * pagina.height()), pagina);
        copia->documentLayout()->draw(&pintor, contexto);
        pintor.restore();
    }
    if (!pintor.end() || impresora.printerState() == QPrinter::Error)
        throw ErrorSumadora(MensajeImpresora(impresora));
}
