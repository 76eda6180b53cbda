#include "CsvCinta.h"

#include "TablaCsv.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QByteArrayView SinBlancos(QByteArrayView b) {
    while (!b.isEmpty() && b.front() == ' ')
        b = b.sliced(1);
    while (!b.isEmpty() && b.back() == ' ')
        b.chop(1);
    return b;
}

} // namespace

// Read from the line's bytes: the number and the symbol are plain ASCII in either code page,
// and the number's text is already the tape's value (to 18 digits in the general format), so
// a million lines are exported with string work only.
std::optional<LineaNumerica> LeerLineaNumerica(QByteArrayView linea) {
    const QByteArrayView t = SinBlancos(linea);
    const qsizetype espacio = t.lastIndexOf(' ');
    if (espacio <= 0)
        return std::nullopt;
    const QByteArrayView n = SinBlancos(t.first(espacio));
    QByteArray numero;
    numero.reserve(n.size() + 1);
    qsizetype i = 0;
    const auto cifras = [&](bool grupos) {
        const qsizetype desde = i;
        for (; i < n.size() && ((n[i] >= '0' && n[i] <= '9') || (grupos && n[i] == '.')); ++i)
            if (n[i] != '.')
                numero += n[i];
        return i > desde && n[desde] != '.' && n[i - 1] != '.';
    };
    if (i < n.size() && n[i] == '-')
        numero += n[i++];
    if (!cifras(true))
        return std::nullopt;
    if (i < n.size() && n[i] == ',') {
        numero += n[i++];
        if (!cifras(false))
            return std::nullopt;
    }
    if (i < n.size() && n[i] == 'E') {
        numero += n[i++];
        numero += (i < n.size() && (n[i] == '-' || n[i] == '+')) ? n[i++] : '+';
        if (!cifras(false))
            return std::nullopt;
    }
    if (i != n.size())
        return std::nullopt;
    return LineaNumerica{numero, t.sliced(espacio + 1)};
}

TablaCsv CsvCinta(const TextoLineas& texto, const std::vector<ValorLineaCinta>& exactos) {
    TablaCsv tabla({u"Importe"_s, u"Operación"_s});
    auto exacto = exactos.begin();
    for (int i = 0; i < texto.Cantidad(); ++i) {
        std::optional<LineaNumerica> linea = LeerLineaNumerica(texto.BytesLinea(i));
        if (!linea)
            continue;
        while (exacto != exactos.end() && exacto->Linea < i)
            ++exacto;
        if (exacto != exactos.end() && exacto->Linea == i)
            linea->Numero = TablaCsv::Numero(exacto->Valor).toLatin1();
        // A symbol beyond ASCII (a loaded file's text) is decoded with its whole line.
        const bool ascii =
            std::all_of(linea->Operacion.begin(), linea->Operacion.end(),
                        [](char ch) { return static_cast<unsigned char>(ch) < 0x80; });
        const QString operacion = ascii ? QString::fromLatin1(linea->Operacion)
                                        : texto.Linea(i).trimmed().section(u' ', -1);
        tabla.AgregarFila({QString::fromLatin1(linea->Numero), operacion});
    }
    return tabla;
}
