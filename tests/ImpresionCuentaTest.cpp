// The printed tape: which lines the page holds with and without the header, read from the
// settings file; the font; and the print run itself, to a PDF file read back with poppler.
// Writing "Imprime.SUMP" and the print failures are checked from the toolbar and the loan.
#include "ImpresionCuenta.h"

#include "ArchivoIni.h"
#include "ArchivosPrueba.h"
#include "ClavesAjustes.h"
#include "ImpresionTexto.h"

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
    // With it: the blank, four lines indented by one space, the rule, another blank.
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

// The top of each word of the page printed from `lineas`, in points, by its text; blanks leave
// no word, so the rows they take show only in where the words below them fall.
QList<std::pair<QString, double>> PalabrasImpresas(const QStringList& lineas) {
    QTemporaryDir carpeta;
    const QString pdf = carpeta.filePath(u"cuenta.pdf"_s);
    {
        QPrinter impresora(QPrinter::HighResolution);
        impresora.setOutputFileName(pdf);
        ImprimirTexto(impresora, NombreImpresion(), lineas.join(u'\n'), LetraImpresion());
    }
    static const QRegularExpression palabra(u"<word [^>]*yMin=\"([0-9.]+)\"[^>]*>([^<]*)</word>"_s);
    QList<std::pair<QString, double>> palabras;
    auto it = palabra.globalMatch(Ejecutar(u"pdftotext"_s, {u"-bbox"_s, pdf, u"-"_s}));
    while (it.hasNext()) {
        const auto m = it.next();
        palabras.append({m.captured(2), m.captured(1).toDouble()});
    }
    return palabras;
}

// A header of empty lines: the blank row, four blank lines, the rule on row 5, a blank, and
// the tape on row 7, counted from where the tape alone starts.
TEST(ImpresionPdf, LasFilasEnBlancoOcupanSuSitioEnLaPagina) {
    const auto sola = PalabrasImpresas(Cinta); // "5", "+", the separator, "5", "T"
    ASSERT_EQ(sola.size(), 5);
    const double origen = sola[0].second, paso = sola[2].second - origen;
    ASSERT_GT(paso, 5.0);
    ASSERT_NEAR(sola[3].second - origen, 2 * paso, 0.5);

    const auto palabras = PalabrasImpresas(
        LineasImpresion(Cinta, {true, {QString(), QString(), QString(), QString()}}));
    ASSERT_EQ(palabras.size(), 6);
    EXPECT_EQ(palabras[0].first, QString(23, u'-'));
    EXPECT_EQ(qRound((palabras[0].second - origen) / paso), 5);
    EXPECT_EQ(qRound((palabras[1].second - origen) / paso), 7);
}

} // namespace
