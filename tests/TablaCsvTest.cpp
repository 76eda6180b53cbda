// The spreadsheet writer: fields that hold the separator, quotes or line breaks come back
// whole through a real CSV reader.
#include "TablaCsv.h"

#include "ArchivosPrueba.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(TablaCsv, LosCamposQueLoNecesitanVanEntreComillas) {
    const QStringList titulos = {u"Año; mes"_s, u"Dijo \"hola\""_s, u"Nota"_s};
    const QStringList fila = {u"dos\r\nlíneas"_s, u"-1234,5"_s, QString()};
    TablaCsv tabla(titulos);
    tabla.AgregarFila(fila);
    QTemporaryDir dir;
    tabla.Guardar(dir.filePath(u"t.csv"_s));
    EXPECT_EQ(LeerCsv(dir.filePath(u"t.csv"_s)), (QList<QStringList>{titulos, fila}));
    EXPECT_TRUE(tabla.Bytes().endsWith("\"dos\r\nlíneas\";-1234,5;\r\n"));
}

} // namespace
