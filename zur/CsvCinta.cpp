#include "CsvCinta.h"

#include "TablaCsv.h"

#include <charconv>
#include <string>

using namespace Qt::StringLiterals;

std::optional<LineaNumerica> LeerLineaNumerica(const QString& linea) {
    const QString t = linea.trimmed();
    const qsizetype espacio = t.lastIndexOf(u' ');
    if (espacio <= 0)
        return std::nullopt;
    const QString operacion = t.mid(espacio + 1);
    const QString numero = t.left(espacio).trimmed();
    // Digits with "." groups, a decimal comma and an exponent; anything else is text.
    std::string c;
    c.reserve(static_cast<std::size_t>(numero.size()));
    bool cifras = false;
    for (qsizetype i = 0; i < numero.size(); ++i) {
        const QChar ch = numero[i];
        if (ch == u'.')
            continue;
        if (ch == u',')
            c += '.';
        else if (ch.isDigit() && ch.unicode() < 128)
            c += static_cast<char>(ch.unicode()), cifras = true;
        else if (ch == u'-' || ch == u'+' || ch == u'E')
            c += static_cast<char>(ch.unicode());
        else
            return std::nullopt;
    }
    if (!cifras)
        return std::nullopt;
    long double valor = 0;
    const auto r = std::from_chars(c.data(), c.data() + c.size(), valor);
    if (r.ec != std::errc() || r.ptr != c.data() + c.size())
        return std::nullopt;
    return LineaNumerica{valor, operacion};
}

TablaCsv CsvCinta(const TextoLineas& texto, const std::vector<ValorLineaCinta>& exactos) {
    TablaCsv tabla({u"Importe"_s, u"Operación"_s});
    auto exacto = exactos.begin();
    for (int i = 0; i < texto.Cantidad(); ++i) {
        std::optional<LineaNumerica> linea = LeerLineaNumerica(texto.Linea(i));
        while (exacto != exactos.end() && exacto->Linea < i)
            ++exacto;
        if (!linea)
            continue;
        if (exacto != exactos.end() && exacto->Linea == i)
            linea->Valor = exacto->Valor;
        tabla.AgregarFila({TablaCsv::Numero(linea->Valor), linea->Operacion});
    }
    return tabla;
}
