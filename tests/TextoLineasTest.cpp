// The tape's byte store: what the program appends, and what it can never let into a line.
#include "TextoLineas.h"
#include "ErrorSumadora.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(TextoLineas, UnCaracterFueraDeWindows1252PasaTodoAUtf8SinPerderNada) {
    TextoLineas texto({u"Año 5€"_s, u"\u0081"_s});
    EXPECT_EQ(texto.CodigoTexto(), TextoLineas::Codigo::Windows1252);
    EXPECT_EQ(texto.BytesLinea(0), QByteArrayView("A\xF1o 5\x80"));
    texto.Agregar(u"→ 日本"_s);
    EXPECT_EQ(texto.CodigoTexto(), TextoLineas::Codigo::Utf8);
    EXPECT_EQ(texto.Lineas(), (QStringList{u"Año 5€"_s, u"\u0081"_s, u"→ 日本"_s}));
    // Cleared, it stays UTF-8 for the next save.
    texto.Vaciar();
    texto.Agregar(u"5 +"_s);
    EXPECT_EQ(texto.CodigoTexto(), TextoLineas::Codigo::Utf8);
    EXPECT_EQ(texto.Lineas(), QStringList{u"5 +"_s});
}

TEST(TextoLineas, SaltosYNulosDentroDeUnaLineaSeVuelvenBlancos) {
    TextoLineas texto;
    texto.Agregar(u"a\rb\nc"_s + QChar(0) + u"d"_s);
    texto.AgregarVacias(2);
    EXPECT_EQ(texto.Lineas(), (QStringList{u"a b c d"_s, QString(), QString()}));
    EXPECT_EQ(texto.Bytes(), QByteArrayView("a b c d\r\n\r\n\r\n"));
    EXPECT_TRUE(texto.SoloCrLf());
    EXPECT_EQ(texto.Linea(3), QString());
    EXPECT_EQ(texto.Linea(-1), QString());
}

} // namespace
