#include "ExportacionPdf.h"

#include "ErrorSumadora.h"
#include "ImpresionTexto.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QSaveFile>
#include <QTemporaryFile>

using namespace Qt::StringLiterals;

void GuardarPdf(const QString& ruta, const QString& titulo, const QString& texto,
                const QFont& fuente) {
    const QString nombre = QDir::toNativeSeparators(ruta);
    // QPrinter writes as it goes; the document reaches `ruta` only through QSaveFile.
    QTemporaryFile provisional(QDir::tempPath() + u"/Sumadora-XXXXXX.pdf"_s);
    if (!provisional.open())
        throw ErrorSumadora(u"No se puede crear el documento PDF «%1»: %2"_s.arg(
            nombre, provisional.errorString()));
    provisional.close();
    {
        QPrinter impresora(QPrinter::HighResolution);
        impresora.setOutputFormat(QPrinter::PdfFormat);
        impresora.setOutputFileName(provisional.fileName());
        try {
            ImprimirTexto(impresora, titulo, texto, fuente);
        } catch (const ErrorSumadora&) {
            throw ErrorSumadora(u"No se ha podido crear el documento PDF «%1»."_s.arg(nombre));
        }
    }
    QFile hecho(provisional.fileName());
    QSaveFile destino(ruta);
    bool bien = hecho.open(QIODevice::ReadOnly) && destino.open(QIODevice::WriteOnly);
    while (bien && !hecho.atEnd()) {
        const QByteArray trozo = hecho.read(1 << 20);
        bien = !trozo.isEmpty() && destino.write(trozo) == trozo.size();
    }
    if (!bien || !destino.commit()) {
        const QString motivo =
            destino.error() != QFileDevice::NoError ? destino.errorString() : hecho.errorString();
        destino.cancelWriting();
        throw ErrorSumadora(u"No se puede guardar el documento PDF «%1»: %2"_s.arg(nombre, motivo));
    }
}
