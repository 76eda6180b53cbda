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
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

using ExportacionTest = VentanaPrueba;

// The spreadsheet holds the values the tape's lines stand for, with 18 digits, not the two
// decimals the lines show.
TEST_F(ExportacionTest, CsvLeidoPorUnLectorDeVerdadConLas18CifrasDeLaCinta) {
    Ajustes.Escribir({ClavesAjustes::Escritura(ClavesAjustes::Formato, false),
                      ClavesAjustes::Escritura(ClavesAjustes::Decimales, 2),
                      ClavesAjustes::Escritura(ClavesAjustes::SeparadorMiles, true)});
    // Sums, a quotient, a product, a percentage, IVA and totals, then a huge and a tiny
    // negative value.
    Pulsar(u"1234 . 5 + 7 ÷ 3 + Total 4 * 3 + 15 % BotonMasIVA Total"_s);
    V().Cuenta->SumarValor(std::pow(10.0L, 4000));
    V().Cuenta->SumarValor(-2.5e-7L);
    ASSERT_TRUE(Cinta().contains(Lineas(u"176,36 ="_s)[0]));
    const QString ruta = FCarpeta.filePath(u"cinta.csv"_s);
    V().PreguntarArchivoGuardar = [ruta] { return ruta; };
    Clic(u"GuardarCuenta"_s);
    EXPECT_TRUE(LeerArchivo(ruta).startsWith("\xEF\xBB\xBF"
                                             "Importe;Operación\r\n"));
    QList<QStringList> filas;
    for (const QString& fila :
         u"Importe;Operación|1234,5;+|1234,5;=|7;/|176,357142857142857;=|3;+|179,357142857142857;T|"
         u"4;*|0;=|3;+|3;=|15;%|0,45;=|16;%|0,072;+|0,522;T|1E+4000;+|-2,5E-7;+"_s.split(u'|'))
        filas << fila.split(u';');
    EXPECT_EQ(LeerCsv(ruta), filas);
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

    const QString ruta = FCarpeta.filePath(u"menu.csv"_s);
    V().PreguntarArchivoGuardar = [ruta] { return ruta; };
    menu->actions()[2]->trigger();
    EXPECT_EQ(LeerCsv(ruta).size(), 4); // titles, 5, 3, 8
}

} // namespace
