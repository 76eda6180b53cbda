// Text replacement used to clean the financial dialogs' inputs.
#include "Reemplazar.h"

#include <algorithm>
#include <limits>

QString Reemplazar(const QString& Buscado, const QString& Texto, const QString& Reemplazo) {
    if (Buscado.isEmpty())
        return Texto;
    // Searching again over a Reemplazo that holds Buscado would never end: one forward pass.
    if (Reemplazo.contains(Buscado))
        return QString(Texto).replace(Buscado, Reemplazo);

    const qint64 largo = Buscado.size();
    const qint64 crece = Reemplazo.size() - largo;
    // Occurrences re-formed by each replacement can also make the text grow without end
    // (e.g. "ab" -> "bbaa" on "aab"). No sane input comes near twice the length of a single
    // forward pass; past it, that single pass is the answer.
    qint64 limite = std::numeric_limits<qint64>::max();
    if (crece > 0) {
        const qint64 unaPasada = Texto.size() + (Texto.size() / largo + 1) * crece;
        if (unaPasada < std::numeric_limits<qint64>::max() / 4)
            limite = 2 * unaPasada + 64;
    }

    QString S = Texto;
    qsizetype desde = 0;
    for (;;) {
        const qsizetype P = S.indexOf(Buscado, desde);
        if (P < 0)
            return S;
        S.replace(P, largo, Reemplazo);
        if (S.size() > limite)
            return QString(Texto).replace(Buscado, Reemplazo);
        // Nothing before P held an occurrence, so a new one (formed with the replacement)
        // cannot start earlier than this: the same result as searching from the start.
        desde = std::max<qsizetype>(0, P - largo + 1);
    }
}
