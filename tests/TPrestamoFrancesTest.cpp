// Loan dialog: the payment, the report line by line, the bounds of the term, re-running,
// printing and saving as a spreadsheet or a PDF.
#include "TPrestamoFrances.h"
#include "AyudasPrueba.h"
#include "CalculosFinancieros.h"
#include "ErrorSumadora.h"
#include "ReglaEntrada.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QFontInfo>
#include <QMenu>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString Regla = QString(62, u'-');

// The lines before the rows of 100 000 at 5 %, for the years and the payment as shown.
QStringList Cabecera(const QString& anios, const QString& cuota) {
    return {u"CALCULO DE PRÉSTAMOS."_s,
            Regla,
            u"Capital:       100.000,00"_s,
            u"Interés anual: 5,00 %"_s,
            u"Años:          "_s + anios,
            u" "_s,
            u"Cuota Mensual: "_s + cuota,
            Regla,
            u" "_s,
            u"Periodo    Amortización         Intereses    Capital Pendiente"_s,
            u"-------    ------------         ---------    -----------------"_s};
}

// 100 000 at 5 % over one year, computed apart in 60-digit decimal arithmetic.
const QStringList FilasUnAnio = {
    u"   1           8.144,08            416,67            91.855,92"_s,
    u"   2           8.178,02            382,73            83.677,90"_s,
    u"   3           8.212,09            348,66            75.465,81"_s,
    u"   4           8.246,31            314,44            67.219,51"_s,
    u"   5           8.280,67            280,08            58.938,84"_s,
    u"   6           8.315,17            245,58            50.623,67"_s,
    u"   7           8.349,82            210,93            42.273,85"_s,
    u"   8           8.384,61            176,14            33.889,25"_s,
    u"   9           8.419,54            141,21            25.469,70"_s,
    u"  10           8.454,62            106,12            17.015,08"_s,
    u"  11           8.489,85             70,90             8.525,23"_s,
    u"  12           8.525,23             35,52                 0,00"_s};

TEST(AniosPrestamoTest, EnteroDecimalDentroDelLimite) {
    const struct {
        QString texto;
        int anios; /* 0: refused */
    } casos[] = {{u" 25 "_s, 25}, {u"-1000"_s, -1000}, {u"-1001"_s, 0},
                 {u"2,0"_s, 0},   {u"1E2"_s, 0},       {u"99999999999999999999999"_s, 0}};
    for (const auto& c : casos) {
        if (c.anios == 0)
            EXPECT_THROW(AniosPrestamo(c.texto), ErrorSumadora) << c.texto.toStdString();
        else
            EXPECT_EQ(AniosPrestamo(c.texto), c.anios) << c.texto.toStdString();
    }
}

class TPrestamoFrancesTest : public ::testing::Test {
protected:
    TPrestamoFrances dialogo;

    void Calcular(const QString& c, const QString& ia, const QString& na) {
        dialogo.C->setText(c);
        dialogo.IA->setText(ia);
        dialogo.NA->setText(na);
        dialogo.BotonCalcular->click();
    }
    QString Cuota() const { return dialogo.CuotaMensual->Text().trimmed(); }
    QStringList Informe() const { return dialogo.Informe->toPlainText().split(u'\n'); }
};

// One year line by line; a negative term gives the payment of what is lent and no rows.
TEST_F(TPrestamoFrancesTest, UnAnioLineaALineaYPlazoNegativoSinFilas) {
    Calcular(u"100000"_s, u"5"_s, u"1"_s);
    EXPECT_EQ(Cuota(), u"8.560,75"_s);
    EXPECT_EQ(Informe(), Cabecera(u"1"_s, u"8.560,75"_s) + FilasUnAnio +
                             QStringList({Regla, u"Intereses pagados:               2.728,98"_s}));
    dialogo.Informe->ensurePolished(); // the columns line up only in a fixed-pitch font
    EXPECT_TRUE(QFontInfo(dialogo.Informe->font()).fixedPitch());

    Calcular(u"100000"_s, u"5"_s, u"-1"_s);
    EXPECT_EQ(Cuota(), u"-8.144,08"_s);
    EXPECT_EQ(Informe(), Cabecera(u"-1"_s, u"-8.144,08"_s) +
                             QStringList({Regla, u"Intereses pagados:                   0,00"_s}));
}

TEST_F(TPrestamoFrancesTest, DoceFilasPorAnioYVolverACalcularReemplazaElInforme) {
    Calcular(u"100000"_s, u"5"_s, u"1000"_s);
    ASSERT_EQ(dialogo.Informe->blockCount(), 11 + 12000 + 2);
    EXPECT_TRUE(Informe()[11 + 11999].startsWith(u" 12000    "_s));
    EXPECT_TRUE(Informe()[11 + 11999].endsWith(u"    0,00"_s));

    dialogo.Informe->appendPlainText(u"nota del usuario"_s);
    Calcular(u"100000"_s, u"5"_s, u"2"_s);
    const QStringList lineas = Informe();
    ASSERT_EQ(lineas.size(), 11 + 24 + 2); // the heading, the rows, the rule and the total
    EXPECT_EQ(lineas[34], u"  24           4.368,94             18,20                 0,00"_s);
    EXPECT_EQ(lineas[36], u"Intereses pagados:               5.291,34"_s);
}

// Zeros stop silently.
TEST_F(TPrestamoFrancesTest, EntradaRechazadaNoCambiaNada) {
    Calcular(u"100000"_s, u"5"_s, u"1"_s);
    const QString informe = dialogo.Informe->toPlainText();
    const struct {
        QString capital, interes, anios, mensaje; // no message: silent
    } casos[] = {
        {u"100000"_s, u""_s, u"2"_s, MensajeErrorFormato()},
        {u"0"_s, u"5"_s, u"2"_s, {}},
        {u"1"_s, u"4"_s, u"2.5"_s,
         u"«2,5» no es un número entero de años: escriba los años sin decimales."_s},
        {u"1"_s, u"4"_s, u"1001"_s,
         u"«1001» años no es un plazo admitido: el plazo no puede pasar de 1000 años."_s},
        // At 100 000 % a year the 12 000-month factor leaves the range of long double.
        {u"1"_s, u"100000"_s, u"1000"_s, MensajeDesbordamiento()},
    };
    for (const auto& caso : casos) {
        QString mensaje;
        if (!caso.mensaje.isEmpty())
            EsperarMensaje(&mensaje);
        Calcular(caso.capital, caso.interes, caso.anios);
        EXPECT_EQ(mensaje, caso.mensaje);
        EXPECT_EQ(Cuota(), u"8.560,75"_s);
        EXPECT_EQ(dialogo.Informe->toPlainText(), informe);
    }
}

// The one print path names the job and the file; no PDF is left behind.
TEST_F(TPrestamoFrancesTest, ImpresoraQueNoAbreOFaltaDaMensaje) {
    QPrinter impresora;
    impresora.setOutputFileName(u"/no/existe/carpeta/informe.pdf"_s);
    EXPECT_EQ(
        MensajeDeError([&] { dialogo.Imprimir(impresora); }),
        u"No se ha podido imprimir «Informe Prestamo.» en «/no/existe/carpeta/informe.pdf»."_s);
    EXPECT_FALSE(QFile::exists(impresora.outputFileName()));
}

// The schedule out of the dialog: a spreadsheet of its numbers, read back by a real CSV reader,
// and a PDF of its printout, also offered when there is no printer.
TEST_F(TPrestamoFrancesTest, ElMenuDelInformeGuardaCsvYPdfYSinImpresoraSeOfreceElPdf) {
    QTemporaryDir carpeta;
    QString destino;
    dialogo.PreguntarArchivoGuardar = [&destino] { return destino; };
    const auto accion = [this](const QString& texto) {
        const auto menu = dialogo.MenuInforme(QPoint());
        for (QAction* a : menu->actions())
            if (a->text() == texto)
                return a->trigger();
        ADD_FAILURE() << "no " << texto.toStdString();
    };
    QString mensaje;
    EsperarMensaje(&mensaje);
    accion(u"Guardar como CSV…"_s);
    EXPECT_TRUE(mensaje.contains(u"Calcular"_s)) << "nothing computed yet";

    Calcular(u"100000"_s, u"5"_s, u"1"_s);
    destino = carpeta.filePath(u"cuadro.csv"_s);
    accion(u"Guardar como CSV…"_s);
    const QList<QStringList> filas = LeerCsv(destino);
    ASSERT_EQ(filas.size(), 13);
    EXPECT_EQ(filas[0], (QStringList{u"Periodo"_s, u"Cuota"_s, u"Intereses"_s, u"Amortización"_s,
                                     u"Capital pendiente"_s}));
    EXPECT_EQ(filas[1],
              (QStringList{u"1"_s, u"8560,75"_s, u"416,67"_s, u"8144,08"_s, u"91855,92"_s}));
    EXPECT_EQ(filas[12], (QStringList{u"12"_s, u"8560,75"_s, u"35,52"_s, u"8525,23"_s, u"0,00"_s}));

    Calcular(u"100000"_s, u"5"_s, u"10"_s); // 120 rows: several pages
    dialogo.Informe->appendPlainText(u"Firmado: el cliente"_s);
    const QString impreso = carpeta.filePath(u"impreso.pdf"_s);
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setOutputFileName(impreso);
    dialogo.Imprimir(impresora);
    const QString pagina = TextoPdf(impreso);
    EXPECT_GE(pagina.count(u'\f'), 2);
    // Every row once, the user's note too: none cut at a page's foot and printed again.
    const auto conTexto = [](const QStringList& l) {
        return std::count_if(l.begin(), l.end(),
                             [](const QString& x) { return !x.trimmed().isEmpty(); });
    };
    EXPECT_EQ(conTexto(pagina.split(u'\n')), conTexto(Informe()));
    EXPECT_TRUE(pagina.contains(u"Firmado: el cliente"_s));
    destino = carpeta.filePath(u"menu.pdf"_s);
    accion(u"Guardar como PDF…"_s);
    EXPECT_EQ(TextoPdf(destino), pagina);

    dialogo.ObtenerImpresora = [] { return std::unique_ptr<QPrinter>(); };
    destino = carpeta.filePath(u"sin impresora.pdf"_s);
    AlAparecerDialogo([](QWidget* w) { // the message the toolbar's test reads
        for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
            if (b->text() == u"Guardar como PDF…"_s)
                b->click();
    });
    dialogo.BotonImprimir->click();
    EXPECT_EQ(TextoPdf(destino), TextoPdf(impreso));
}

} // namespace
