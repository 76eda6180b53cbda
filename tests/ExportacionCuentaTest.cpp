// The tape out of the program: as a spreadsheet read back by a real CSV reader, and from the
// tape's context menu. The save dialog, the PDF and the failures are the toolbar's tests.
#include "VentanaPrueba.h"

#include "AyudasPrueba.h"
#include "ClavesAjustes.h"
#include "MenuCinta.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

long double NumeroCsv(QString campo) {
    return std::strtold(campo.replace(u',', u'.').toLatin1().constData(), nullptr);
}

class ExportacionTest : public VentanaPrueba {
protected:
    // Saves through the toolbar under `nombre`, whose suffix picks the format.
    QString Guardar(const QString& nombre) {
        const QString ruta = FCarpeta.filePath(nombre);
        V().PreguntarArchivoGuardar = [ruta] { return ruta; };
        Clic(u"GuardarCuenta"_s);
        return ruta;
    }
    // Sums, a quotient, a product, a percentage, IVA and totals, then a huge and a tiny
    // negative value.
    void Calcular() {
        Pulsar(u"1234 . 5 + 7 ÷ 3 + Total 4 * 3 + 15 % BotonMasIVA Total"_s);
        V().Cuenta->SumarValor(std::pow(10.0L, 4000));
        V().Cuenta->SumarValor(-2.5e-7L);
    }
    QTemporaryDir FCarpeta;
};

TEST_F(ExportacionTest, CsvLeidoPorUnLectorDeVerdadConLas18CifrasDeLaCinta) {
    Calcular();
    const QStringList lineasGeneral = Cinta();
    const QByteArray bytes = LeerArchivo(Guardar(u"general.csv"_s));
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"
                                 "Importe;Operación\r\n"));
    const QList<QStringList> general = LeerCsv(FCarpeta.filePath(u"general.csv"_s));

    // Every number line is one row; its value is the one the general format prints with
    // 18 digits, its operation the line's symbol.
    QList<QStringList> esperadas{{u"Importe"_s, u"Operación"_s}};
    for (const QString& l : lineasGeneral)
        if (l.trimmed().contains(u' '))
            esperadas << QStringList{l.left(l.size() - 2).trimmed(), l.right(1)};
    ASSERT_EQ(general.size(), esperadas.size());
    for (qsizetype i = 1; i < general.size(); ++i) {
        EXPECT_EQ(general[i][1], esperadas[i][1]) << i;
        QString enCinta = esperadas[i][0];
        EXPECT_EQ(NumeroCsv(general[i][0]), NumeroCsv(enCinta.remove(u'.'))) << i;
    }
    EXPECT_TRUE(general.contains(QStringList{u"176,357142857142857"_s, u"="_s})); // 1234.5 / 7
    EXPECT_TRUE(general.contains(QStringList{u"1E+4000"_s, u"+"_s}));
    EXPECT_TRUE(general.contains(QStringList{u"-2,5E-7"_s, u"+"_s}));

    // A fixed format rounds the tape's lines, not the spreadsheet's numbers.
    Ajustes.Escribir({ClavesAjustes::Escritura(ClavesAjustes::Formato, false),
                      ClavesAjustes::Escritura(ClavesAjustes::Decimales, 2),
                      ClavesAjustes::Escritura(ClavesAjustes::SeparadorMiles, true)});
    Reiniciar();
    Calcular();
    ASSERT_TRUE(Cinta().contains(Lineas(u"176,36 ="_s)[0]));
    Guardar(u"fijo.csv"_s);
    EXPECT_EQ(LeerCsv(FCarpeta.filePath(u"fijo.csv"_s)), general);
}

TEST_F(ExportacionTest, ElMenuDeLaCintaCopiaLasLineasElegidasYGuarda) {
    Pulsar(u"5 + 3 + Total"_s);
    auto* menuCinta = V().findChild<MenuCinta*>();
    ASSERT_NE(menuCinta, nullptr);
    QStringList textos;
    const auto sinSeleccion = menuCinta->Menu();
    for (QAction* a : sinSeleccion->actions())
        textos << a->text();
    EXPECT_EQ(textos, (QStringList{u"Copiar"_s, QString(), u"Guardar como CSV…"_s,
                                   u"Guardar como PDF…"_s}));
    EXPECT_FALSE(sinSeleccion->actions()[0]->isEnabled()) << "nothing selected";

    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return V().Cuenta->model()->rowCount() == V().Cuenta->CantidadLineas(); }));
    QItemSelectionModel* seleccion = V().Cuenta->selectionModel();
    seleccion->select(V().Cuenta->model()->index(3, 0), QItemSelectionModel::Select);
    seleccion->select(V().Cuenta->model()->index(0, 0), QItemSelectionModel::Select);
    const auto menu = menuCinta->Menu();
    ASSERT_TRUE(menu->actions()[0]->isEnabled());
    menu->actions()[0]->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), Cinta()[0] + u'\n' + Cinta()[3]);

    // Opened by a right click, with the keyboard off: its arrows and Enter are not the
    // calculator's.
    bool tecladoConMenu = true;
    QTimer::singleShot(50, [&] {
        tecladoConMenu = V().TecladoActivo;
        if (QWidget* abierto = QApplication::activePopupWidget())
            abierto->close();
    });
    Q_EMIT V().Cuenta->customContextMenuRequested(QPoint(5, 5));
    EXPECT_FALSE(tecladoConMenu);
    EXPECT_TRUE(V().TecladoActivo);

    const QString ruta = FCarpeta.filePath(u"menu.csv"_s);
    V().PreguntarArchivoGuardar = [ruta] { return ruta; };
    menu->actions()[2]->trigger();
    EXPECT_EQ(LeerCsv(ruta).size(), 4); // titles, 5, 3, 8
}

} // namespace
