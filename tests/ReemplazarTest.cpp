// Text replacement: the financial dialogs' "." to "," cleaning, re-formed occurrences, long
// texts, and replacements that would otherwise never end.
#include "Reemplazar.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(Reemplazar, DaElTextoEsperado) {
    const QString resto(3000, u'7');
    const struct {
        const char* nombre;
        QString buscado, texto, reemplazo, esperado;
    } casos[] = {{"PuntosDeMilesAComas", u"."_s, u"1.234.567"_s, u","_s, u"1,234,567"_s},
                 {"SinOcurrenciaIgual", u"."_s, u"12,5"_s, u","_s, u"12,5"_s},
                 {"TextoVacio", u"."_s, QString(), u","_s, QString()},
                 {"BuscadoVacioIgual", QString(), u"abc"_s, u"x"_s, u"abc"_s},
                 {"ReemplazoVacioBorra", u"."_s, u"1.2.3"_s, QString(), u"123"_s},
                 {"DistingueMayusculas", u"a"_s, u"aA"_s, u"x"_s, u"xA"_s},
                 // "aabb": "ab" at 1 -> "a"+"a"+"b" = "aab"; "ab" at 1 again -> "aa".
                 {"FormadaConLoAnterior", u"ab"_s, u"aabb"_s, u"a"_s, u"aa"_s},
                 // "abb": "ab" at 0 -> "a"+"b" = "ab" -> "a".
                 {"FormadaConLoSiguiente", u"ab"_s, u"abb"_s, u"a"_s, u"a"_s},
                 // "a----b": "a---b" -> "a--b" -> "a-b".
                 {"GuionesDoblesHastaUno", u"--"_s, u"a----b"_s, u"-"_s, u"a-b"_s},
                 {"ReemplazoContieneBuscado", u"."_s, u"1.2.3"_s, u".."_s, u"1..2..3"_s},
                 {"ReemplazoContieneBuscadoLargo", u"ab"_s, u"xabyab"_s, u"aab"_s, u"xaabyaab"_s},
                 // Searching again from the start would grow "aab" for ever ("abbaa", "bbaabaa",
                 // ...): the answer is the single forward pass over the original.
                 {"CrecimientoSinFinUnaPasada", u"ab"_s, u"aab"_s, u"bbaa"_s, u"abbaa"_s},
                 {"NoCortaElTextoQueSigue", u"."_s, u"1."_s + resto + u".5"_s, u","_s,
                  u"1,"_s + resto + u",5"_s}};
    for (const auto& c : casos)
        EXPECT_EQ(Reemplazar(c.buscado, c.texto, c.reemplazo), c.esperado) << c.nombre;
}

} // namespace
