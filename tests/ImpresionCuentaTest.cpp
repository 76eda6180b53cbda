// The printed tape: which lines the page holds with and without the header, read from the
// settings file; the font; and the print run itself, to a PDF file read back with poppler.
// Writing "Imprime.SUMP" and the print failures are checked from the toolbar and the loan.
#include "ImpresionCuenta.h"

#include "ArchivoIni.h"
#include "AyudasPrueba.h"
#include "ClavesAjustes.h"
#include "ImpresionTexto.h"

#include <QFile>
#include <QFontInfo>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString Regla = u" "_s + QString(23, u'-');
const QStringList Cinta = {u"                     5 +"_s, u" ---------------------"_s,
                           u"                     5 T"_s, QString(), QString()};

TEST(ImpresionCuenta, LasLineasDeLaPagina) {
    // Without a header: a blank line, then the tape.
    EXPECT_EQ(LineasImpresion(Cinta, {false, {}}), QStringList{u" "_s} + Cinta);
    EXPECT_EQ(LineasImpresion({}, {false, {}}), QStringList{u" "_s});
    // With it: the blank, four lines indented by one space, the rule, another blank.
    EXPECT_EQ(LineasImpresion(Cinta, {true, {QString(), QString(), QString(), QString()}}),
              (QStringList{u" "_s, u" "_s, u" "_s, u" "_s, u" "_s, Regla, u" "_s} + Cinta));
    EXPECT_EQ(
        LineasImpresion(Cinta, {true, {u"Bar"_s, u"C/ Mayor"_s, QString(), u"Tel"_s}}),
        (QStringList{u" "_s, u" Bar"_s, u" C/ Mayor"_s, u" "_s, u" Tel"_s, Regla, u" "_s} + Cinta));
}

TEST(ImpresionCuenta, LaCabeceraSeLeeDelArchivoDeAjustes) {
    QTemporaryDir dir;
    const ArchivoIni ini(dir.filePath(u"Sumadora.ini"_s));
    EXPECT_FALSE(LeerCabeceraImpresion(ini).Incluir); // no file
    namespace C = ClavesAjustes;
    ini.Escribir({C::Escritura(C::IncluirCabecera, true),
                  C::Escritura(C::LineasCabecera[0], u"Uno"_s),
                  C::Escritura(C::LineasCabecera[3], u"Cuatro"_s)});
    EXPECT_TRUE(LeerCabeceraImpresion(ini).Incluir);
    EXPECT_EQ(LeerCabeceraImpresion(ini).Lineas,
              (QStringList{u"Uno"_s, QString(), QString(), u"Cuatro"_s}));
}

TEST(ImpresionCuenta, LaLetraEsDeAnchoFijo) {
    const QFont letra = LetraImpresion();
    EXPECT_TRUE(QFontInfo(letra).fixedPitch()) << QFontInfo(letra).family().toStdString();
}

// ---- The print run, to a PDF file --------------------------------------------------------

class ImpresionPdf : public ::testing::Test {
protected:
    void SetUp() override {
        FImpresora.setOutputFormat(QPrinter::PdfFormat);
        FImpresora.setOutputFileName(FPdf);
    }
    void Imprimir(const QStringList& lineas) {
        ImprimirTexto(FImpresora, NombreImpresion(), lineas.join(u'\n'), LetraImpresion());
    }
    // The top of each word on the page, in points, by its text; blanks leave no word, so the
    // rows they take show only in where the words below them fall.
    QList<std::pair<QString, double>> Palabras() {
        static const QRegularExpression palabra(
            u"<word [^>]*yMin=\"([0-9.]+)\"[^>]*>([^<]*)</word>"_s);
        QList<std::pair<QString, double>> palabras;
        auto it = palabra.globalMatch(Ejecutar(u"pdftotext"_s, {u"-bbox"_s, FPdf, u"-"_s}));
        while (it.hasNext()) {
            const auto m = it.next();
            palabras.append({m.captured(2), m.captured(1).toDouble()});
        }
        return palabras;
    }
    QTemporaryDir FCarpeta;
    QString FPdf = FCarpeta.filePath(u"cuenta.pdf"_s);
    QPrinter FImpresora{QPrinter::HighResolution};
};

// Which row of the page the header's rule and the tape's first line fall on, counted from the
// row the text would start on if nothing came before it.
TEST_F(ImpresionPdf, LasFilasEnBlancoOcupanSuSitioEnLaPagina) {
    const QString regla = QString(23, u'-');
    struct Caso {
        const char* nombre;
        CabeceraImpresion cabecera;
        int filaRegla; // -1: no rule
        int filaCinta;
    };
    const Caso casos[] = {
        {"sin cabecera: una fila en blanco y la cinta", {false, {}}, -1, 1},
        {"cabecera de lineas vacias: cuatro blancos, la regla, un blanco y la cinta",
         {true, {QString(), QString(), QString(), QString()}},
         5,
         7},
    };

    // The tape alone gives the first row's top and the distance between rows.
    Imprimir(Cinta);
    const auto referencia = Palabras();
    ASSERT_EQ(referencia.size(), 5);
    const double origen = referencia[0].second;
    const double paso = referencia[2].second - origen;
    ASSERT_GT(paso, 5.0);
    ASSERT_NEAR(referencia[3].second - origen, 2 * paso, 0.5);
    const auto fila = [&](double y) { return qRound((y - origen) / paso); };

    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        ASSERT_TRUE(QFile::remove(FPdf));
        Imprimir(LineasImpresion(Cinta, caso.cabecera));
        int filaRegla = -1;
        int filaCinta = -1;
        QStringList vistas;
        for (const auto& [texto, y] : Palabras()) {
            vistas << texto;
            if (texto == regla) {
                filaRegla = fila(y);
            } else if (texto == u"5"_s && filaCinta < 0) {
                filaCinta = fila(y);
            }
        }
        EXPECT_EQ(filaRegla, caso.filaRegla) << vistas.join(u'|').toStdString();
        EXPECT_EQ(filaCinta, caso.filaCinta) << vistas.join(u'|').toStdString();
    }
}

} // namespace
