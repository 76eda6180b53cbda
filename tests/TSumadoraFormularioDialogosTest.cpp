// The main window with its five dialogs: the settings taken over after the Properties
// dialog, the other dialogs opened with the keyboard hook at rest, and every button of every
// window named by a table.
#include "VentanaPrueba.h"

#include "AyudasPrueba.h"
#include "ClavesAjustes.h"
#include "EnlaceCalculadora.h"
#include "TFAcercaDe.h"
#include "TInteresCompuesto.h"
#include "TInteresSimple.h"
#include "TMarcoSkin.h"
#include "TPopupCalculatorForm.h"
#include "TPrestamoFrances.h"
#include "TPropiedades.h"
#include "TSkinData.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

class DialogosVentanaTest : public VentanaPrueba {
protected:
    DialogosVentanaTest() { ComoPrograma = true; }

    // Opens the Properties dialog, lets `accion` work it, and checks the keyboard was off.
    void Propiedades(const std::function<void(TPropiedades*)>& accion) {
        AlAparecerDialogo([&](QWidget* w) {
            EXPECT_FALSE(V().TecladoActivo);
            auto* p = qobject_cast<TPropiedades*>(w);
            ASSERT_NE(p, nullptr);
            accion(p);
        });
        Clic(u"BotonPropiedades"_s);
    }
};

// A fixed format with 9 decimals and thousands redraws the seven registers at once and the
// tape lines written afterwards; the earlier lines keep their figures, the values and the
// entry stay. A new IVA reaches the IVA keys. (The window reads the file the same way at start.)
TEST_F(DialogosVentanaTest, PropiedadesCambianElFormatoDeRegistrosYLineasNuevas) {
    Pulsar(u"12 + 5 BotonM1Sumar 3"_s);
    Propiedades([](TPropiedades* p) {
        p->FormatoFijo->click();
        p->Decimales->setValue(9);
        p->SeparadorMiles->setChecked(true);
        p->IVA->setValue(7.5);
        p->Aplicar->click();
    });
    EXPECT_EQ(
        (QStringList{Texto(V().Datos), Texto(V().Operandos), Texto(V().M1), Texto(V().M2)}),
        (QStringList{u"53,000000000"_s, u"12,000000000"_s, u"5,000000000"_s, u"0,000000000"_s}));
    Pulsar(u"45 +"_s);
    EXPECT_EQ(Cinta(), (QStringList{u"12"_s.rightJustified(22) + u" +"_s,
                                    u"5.345,000000000"_s.rightJustified(22) + u" +"_s}));
    Pulsar(u"BotonMasIVA"_s);
    EXPECT_EQ(Texto(V().Operandos), u"5.758,775000000"_s);
}

// The main window takes stored values as they are; the dialog shows them clamped until
// "Aplicar" stores what it shows.
TEST_F(DialogosVentanaTest, DecimalesFueraDeRangoHastaAplicar) {
    Ajustes.Escribir({ClavesAjustes::Escritura(ClavesAjustes::Formato, false),
                      ClavesAjustes::Escritura(ClavesAjustes::Decimales, 15)});
    V().Datos->MostrarResultado(1.5L);
    EXPECT_EQ(Texto(V().Datos), u"1,500000000000000"_s);
    Propiedades([](TPropiedades* p) { p->close(); }); // without "Aplicar"
    EXPECT_EQ(Texto(V().Datos), u"1,500000000000000"_s);
    Propiedades([](TPropiedades* p) { p->Aplicar->click(); });
    EXPECT_EQ(Texto(V().Datos), u"1,500000000"_s);
    EXPECT_EQ(ClavesAjustes::Leer(Ajustes, ClavesAjustes::Decimales), 9);
}

// The stored skin is applied at start, a file without it gives "Vista", before any dialog
// exists; the Properties dialog, built at its first opening, shows it and keeps it.
TEST_F(DialogosVentanaTest, SkinGuardadoAlIniciarSinCrearDialogos) {
    for (const auto& [guardado, aplicado] :
         {std::pair{-1, ClavesAjustes::Skin.Defecto}, {4, 4}, {0, 0}, {99, 0}}) {
        if (guardado >= 0)
            Ajustes.Escribir({ClavesAjustes::Escritura(ClavesAjustes::Skin, guardado)});
        Reiniciar();
        ASSERT_NE(TSkinData::Actual(), nullptr);
        EXPECT_EQ(TSkinData::Actual()->SkinActual(), aplicado) << guardado;
        EXPECT_EQ(qApp->styleSheet().isEmpty(), aplicado == 0) << guardado;
        EXPECT_TRUE(V().findChildren<QDialog*>().isEmpty()) << guardado;
    }
    const QString hoja = qApp->styleSheet();
    Propiedades([](TPropiedades* p) {
        EXPECT_EQ(p->SelSkin->currentIndex(), -1);
        p->close();
    });
    EXPECT_EQ(qApp->styleSheet(), hoja);
}

TEST_F(DialogosVentanaTest, UnidadEscritaTrasPintarLaVentana) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&V()));
    EXPECT_TRUE(
        QTest::qWaitFor([this] { return UnidadGuardada() == ClavesAjustes::Grados.Nombre; }));
}

// The About box from the toolbar and each button of the "Financieras" page open their dialog
// modally with the hook at rest, the same dialog each time, which keeps its contents.
TEST_F(DialogosVentanaTest, LosDialogosSeAbrenModalesConElTecladoApagado) {
    const std::pair<QString, std::function<QWidget*()>> casos[] = {
        {u"BotonAcercaDe"_s, [this] { return V().DialogoAcercaDe(); }},
        {u"BotonInteresSimple"_s, [this] { return V().DialogoInteresSimple(); }},
        {u"BotonInteresCompuesto"_s, [this] { return V().DialogoInteresCompuesto(); }},
        {u"SpeedButton26"_s, [this] { return V().DialogoPrestamoFrances(); }},
    };
    for (const auto& [boton, dialogo] : casos) {
        AlAparecerDialogo([&, boton = boton, dialogo = dialogo](QWidget* w) {
            EXPECT_EQ(w, dialogo()) << boton.toStdString();
            EXPECT_FALSE(V().TecladoActivo);
        });
        Clic(boton);
    }
    AlAparecerDialogo([this](QWidget*) { V().DialogoInteresSimple()->CI->setText(u"1000"_s); });
    Clic(u"BotonInteresSimple"_s);
    AlAparecerDialogo(
        [this](QWidget*) { EXPECT_EQ(V().DialogoInteresSimple()->CI->text(), u"1000"_s); });
    Clic(u"BotonInteresSimple"_s);
}

TEST_F(DialogosVentanaTest, ElBotonDelMenuDeLaBarraAbreElMenuDelSistema) {
    Clic(u"BotonMenuSistema"_s);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(menu->actions().isEmpty());
    menu->close();
}

// A button no table names would do nothing when clicked. Each button of each window is in
// exactly one table: wired to an action, left without one on purpose, or the caption's.
TEST_F(DialogosVentanaTest, CadaBotonDeCadaVentanaEstaEnUnaTabla) {
    ConDialogos = true;
    TSumadoraFormulario& v = V();
    TPopupCalculatorForm* calculadora = EnlaceCalculadora::De(v.InteresSimple->CI)->Desplegable();
    const std::pair<const QWidget*, CableadoBotones> ventanas[] = {
        {&v, v.Cableado()},
        {v.Propiedades, v.Propiedades->Cableado()},
        {v.AcercaDe, {}}, // no buttons but its caption's
        {v.InteresSimple, v.InteresSimple->Cableado()},
        {v.InteresCompuesto, v.InteresCompuesto->Cableado()},
        {v.PrestamoFrances, v.PrestamoFrances->Cableado()},
        {calculadora, calculadora->Cableado()},
    };
    for (const auto& [ventana, cableado] : ventanas) {
        const QList<QAbstractButton*> titulo = TMarcoSkin::BotonesTitulo(ventana);
        for (QAbstractButton* b : ventana->findChildren<QAbstractButton*>()) {
            if (b->window() != ventana) // a window within, with a row of its own
                continue;
            EXPECT_EQ(cableado.Conectados.count(b) + cableado.SinClic.count(b) + titulo.count(b), 1)
                << ventana->metaObject()->className() << ": " << b->metaObject()->className()
                << " \"" << b->objectName().toStdString() << "\" \"" << b->text().toStdString()
                << "\"";
        }
    }
}

} // namespace
