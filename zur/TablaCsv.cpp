#include "TablaCsv.h"

#include "ErrorSumadora.h"
#include "FormatoNumero.h"

#include <QDir>
#include <QSaveFile>

using namespace Qt::StringLiterals;

TablaCsv::TablaCsv(const QStringList& titulos) : FBytes("\xEF\xBB\xBF") {
    AgregarFila(titulos);
}

void TablaCsv::AgregarFila(const QStringList& campos) {
    for (qsizetype i = 0; i < campos.size(); ++i) {
        if (i > 0)
            FBytes += ';';
        const QString& c = campos[i];
        // Quotes, separators and line breaks inside a field are kept by quoting it whole.
        const bool comillas =
            c.contains(u';') || c.contains(u'"') || c.contains(u'\n') || c.contains(u'\r');
        if (comillas) {
            QString d = c;
            d.replace(u'"', u"\"\""_s);
            FBytes += '"' + d.toUtf8() + '"';
        } else {
            FBytes += c.toUtf8();
        }
    }
    FBytes += "\r\n";
}

namespace {

// Spreadsheets read an exponent more surely with its sign.
QString ConSignoExponente(std::string t) {
    const std::size_t e = t.find('E');
    if (e != std::string::npos && t[e + 1] != '-')
        t.insert(e + 1, 1, '+');
    return QString::fromStdString(t);
}

} // namespace

QString TablaCsv::Numero(long double valor) {
    return ConSignoExponente(TextoGeneral(valor, 18));
}

QString TablaCsv::NumeroFijo(long double valor, int decimales) {
    return ConSignoExponente(TextoFijo(valor, decimales, 18, false));
}

void TablaCsv::Guardar(const QString& ruta) const {
    QSaveFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly) || archivo.write(FBytes) != FBytes.size() ||
        !archivo.commit()) {
        const QString motivo = archivo.errorString();
        archivo.cancelWriting();
        throw ErrorSumadora(u"No se puede guardar la hoja de cálculo «%1»: %2"_s.arg(
            QDir::toNativeSeparators(ruta), motivo));
    }
}
