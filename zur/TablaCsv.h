// A table as Spanish spreadsheets open it: UTF-8 with a byte-order mark, ";" between fields,
// CR LF after each row, fields quoted where they need it, numbers with a decimal comma.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class TablaCsv final {
public:
    // Starts with the byte-order mark and the row of column titles.
    explicit TablaCsv(const QStringList& titulos);

    void AgregarFila(const QStringList& campos);
    const QByteArray& Bytes() const { return FBytes; }
    // Written whole through a temporary file renamed over `ruta`; throws a Spanish
    // ErrorSumadora naming the file when it cannot be, leaving any old file as it was.
    void Guardar(const QString& ruta) const;

    // A value with 18 significant digits, no thousands separator: plain while the general
    // format writes it plain, "1,5E+20" otherwise.
    static QString Numero(long double valor);
    // A value rounded to `decimales` decimals (after 18 significant digits), e.g. "-1234,50".
    static QString NumeroFijo(long double valor, int decimales);

private:
    QByteArray FBytes;
};
