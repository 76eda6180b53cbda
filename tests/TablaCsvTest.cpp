// The spreadsheet writer: fields that hold the separator, quotes or line breaks come back
// whole through a real CSV reader.
#include "TablaCsv.h"

#include "ArchivosPrueba.h"
#include "CsvCinta.h"

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

// What a tape line gives the spreadsheet: its number without groups, and its symbol.
TEST(CsvCinta, CadaLineaDaSuNumeroYSuOperacionONada) {
    const struct {
        const char *linea, *numero, *operacion;
    } casos[] = {{"   1.234,5 +", "1234,5", "+"},
                 {"-2,5E-7 +", "-2,5E-7", "+"},
                 {"1,5E20 T", "1,5E+20", "T"},
                 {"-12 =", "-12", "="},
                 {"--------------", nullptr, nullptr},
                 {"12a +", nullptr, nullptr},
                 {"1,5E +", nullptr, nullptr},
                 {".5 +", nullptr, nullptr},
                 {"", nullptr, nullptr}};
    for (const auto& c : casos) {
        const std::optional<LineaNumerica> l = LeerLineaNumerica(QByteArrayView(c.linea));
        ASSERT_EQ(l.has_value(), c.numero != nullptr) << c.linea;
        if (l) {
            EXPECT_EQ(l->Numero, c.numero);
            EXPECT_EQ(l->Operacion, c.operacion);
        }
    }
}

} // namespace
