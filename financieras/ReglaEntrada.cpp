// The input rule the three financial dialogs share.
#include "ReglaEntrada.h"

#include "Reemplazar.h"

#include <charconv>
#include <string>

using namespace Qt::StringLiterals;

QString MensajeErrorFormato() {
    return u"Error en el formato de números."_s + u"\r\n\r"_s +
           u"Compruebe que se ha escrito correctamente, escriba unicamente caracteres numéricos "
           u"más el caracter punto decimal si es necesario, generalmente suele ser el caracter "
           u"<coma>."_s;
}

QString LimpiarTexto(const QString& texto) {
    return Reemplazar(u"."_s, texto, u","_s);
}

namespace {

bool EsDigito(QChar c) {
    return c >= u'0' && c <= u'9';
}

} // namespace

std::optional<long double> ConvertirReal(const QString& texto) {
    const QString t = texto.trimmed();
    // The syntax is checked here, so that from_chars never sees what the Spanish rules refuse
    // ("inf", "nan", hexadecimal, a "+" it would not take).
    std::string numero;
    numero.reserve(static_cast<std::size_t>(t.size()));
    qsizetype p = 0;
    if (p < t.size() && (t[p] == u'+' || t[p] == u'-')) {
        if (t[p] == u'-')
            numero += '-';
        ++p;
    }
    int digitos = 0;
    for (; p < t.size() && EsDigito(t[p]); ++p, ++digitos)
        numero += static_cast<char>(t[p].unicode());
    if (p < t.size() && t[p] == u',') {
        numero += '.';
        for (++p; p < t.size() && EsDigito(t[p]); ++p, ++digitos)
            numero += static_cast<char>(t[p].unicode());
    }
    if (digitos == 0)
        return std::nullopt;
    if (p < t.size() && (t[p] == u'E' || t[p] == u'e')) {
        numero += 'e';
        ++p;
        if (p < t.size() && (t[p] == u'+' || t[p] == u'-'))
            numero += static_cast<char>(t[p++].unicode());
        int digitosExponente = 0;
        for (; p < t.size() && EsDigito(t[p]); ++p, ++digitosExponente)
            numero += static_cast<char>(t[p].unicode());
        if (digitosExponente == 0)
            return std::nullopt;
    }
    if (p != t.size())
        return std::nullopt;

    long double valor = 0;
    const char* fin = numero.data() + numero.size();
    const auto [ptr, ec] = std::from_chars(numero.data(), fin, valor, std::chars_format::general);
    // Out of range (beyond about 1,19E4932, or below the smallest long double) is not a
    // number the calculators can work with.
    if (ec != std::errc() || ptr != fin)
        return std::nullopt;
    return valor;
}
