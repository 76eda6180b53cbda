// The main window with its five dialogs: the settings taken over after the Properties
// dialog, and the financial dialogs opened with the keyboard hook at rest.
#include "TSumadoraFormulario.h"

#include "ArchivoIni.h"
#include "AyudasPrueba.h"
#include "TInteresSimple.h"
#include "TPropiedades.h"
#include "TSkinData.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

class DialogosVentanaTest : public ::testing::Test {
protected:
    void SetUp() override { QFile::remove(ArchivoIni::RutaPredeterminada()); }
    void TearDown() override {
        EXPECT_EQ(DialogosPendientes(), 0) << "an expected dialog never came";
        ventana_.reset();
    }

    TSumadoraFormulario& V() {
        if (!ventana_) {
            ventana_ = std::make_unique<TSumadoraFormulario>();
            ventana_->CrearDialogos();
            ventana_->show();
        }
        return *ventana_;
    }

    void Click(const char* nombre) {
        auto* boton = V().findChild<QAbstractButton*>(QString::fromLatin1(nombre));
        ASSERT_NE(boton, nullptr) << nombre;
        boton->click();
    }

    // Digits and "," into Datos, one key at a time.
    void Teclear(const char* texto) {
        for (const char* c = texto; *c; ++c) {
            if (*c == ',')
                V().Datos->PuntoDecimal();
            else
                V().Datos->AgregarDigito(*c - '0');
        }
    }

    static QString Texto(const TZURLabelNumber* r) { return r->Text().trimmed(); }

    std::unique_ptr<TSumadoraFormulario> ventana_;
};

// A fixed format with 9 decimals redraws the seven registers at once and the tape lines
// written afterwards; the earlier lines keep their figures, the values stay.
TEST_F(DialogosVentanaTest, PropiedadesCambianElFormatoDeRegistrosYLineasNuevas) {
    Teclear("12");
    Click("OperadorSuma");
    Teclear("5");
    Click("BotonM1Sumar");
    Teclear("3");
    bool teclado = true;
    AlAparecerDialogo([&](QWidget* w) {
        auto* p = qobject_cast<TPropiedades*>(w);
        ASSERT_NE(p, nullptr);
        teclado = V().TecladoActivo;
        p->FormatoFijo->click();
        p->Decimales->setValue(9);
        p->Aplicar->click();
    });
    Click("BotonPropiedades");
    EXPECT_FALSE(teclado);
    EXPECT_TRUE(V().TecladoActivo);

    EXPECT_EQ(Texto(V().Datos), u"53,000000000"_s);
    EXPECT_EQ(Texto(V().Operandos), u"12,000000000"_s);
    EXPECT_EQ(Texto(V().M1), u"5,000000000"_s);
    EXPECT_EQ(Texto(V().M2), u"0,000000000"_s);
    // The entry under way goes on.
    Teclear("4");
    EXPECT_EQ(V().Datos->Valor(), 534);
    Click("OperadorSuma");
    const QStringList lineas = V().Cuenta->Lineas();
    ASSERT_EQ(lineas.size(), 2);
    EXPECT_EQ(lineas[0], u"12"_s.rightJustified(22) + u" +"_s);
    EXPECT_EQ(lineas[1], u"534,000000000"_s.rightJustified(22) + u" +"_s);
}

// The main window takes stored values as they are; the dialog shows them clamped until
// "Aplicar" stores what it shows.
TEST_F(DialogosVentanaTest, DecimalesFueraDeRangoHastaAplicar) {
    const ArchivoIni ini;
    ini.EscribirBooleano(u"Opciones"_s, u"Formato"_s, false);
    ini.EscribirEntero(u"Opciones"_s, u"Decimales"_s, 15);
    V().Datos->MostrarResultado(1.5L);
    EXPECT_EQ(Texto(V().Datos), u"1,500000000000000"_s);
    EXPECT_EQ(V().Propiedades->Decimales->value(), 9);

    AlAparecerDialogo([](QWidget* w) { w->close(); }); // closed without "Aplicar"
    Click("BotonPropiedades");
    EXPECT_EQ(Texto(V().Datos), u"1,500000000000000"_s);

    AlAparecerDialogo([](QWidget* w) { qobject_cast<TPropiedades*>(w)->Aplicar->click(); });
    Click("BotonPropiedades");
    EXPECT_EQ(Texto(V().Datos), u"1,500000000"_s);
    EXPECT_EQ(ArchivoIni().LeerEntero(u"Opciones"_s, u"Decimales"_s, 0), 9);
}

// A new VAT rate reaches the "+ IVA" key.
TEST_F(DialogosVentanaTest, PropiedadesCambianElIVA) {
    AlAparecerDialogo([](QWidget* w) {
        auto* p = qobject_cast<TPropiedades*>(w);
        p->IVA->setValue(7.5);
        p->Aplicar->click();
    });
    Click("BotonPropiedades");
    EXPECT_EQ(V().TipoIVA, 7.5L);
    Teclear("100");
    Click("OperadorSuma");
    Click("BotonMasIVA");
    EXPECT_EQ(Texto(V().Operandos), u"107,5"_s);
}

// The stored skin is applied when the dialogs are created; a file without it gives "Vista".
TEST_F(DialogosVentanaTest, SkinAlCrearLosDialogos) {
    V();
    ASSERT_NE(TSkinData::Actual(), nullptr);
    EXPECT_EQ(TSkinData::Actual()->SkinActual(), 1);
    EXPECT_FALSE(qApp->styleSheet().isEmpty());
}

// Each button of the "Financieras" page opens its dialog modally with the hook at rest,
// and the dialog keeps its contents between openings.
TEST_F(DialogosVentanaTest, DialogosFinancierosDesdeLaPagina) {
    const struct {
        const char* boton;
        const char* titulo;
    } casos[] = {
        {"BotonInteresSimple", "Interés Simple"},
        {"BotonInteresCompuesto", "Interés Compuesto"},
        {"SpeedButton26", "Prestamos."},
    };
    for (const auto& c : casos) {
        QString titulo;
        bool teclado = true;
        AlAparecerDialogo([&](QWidget* w) {
            titulo = w->windowTitle();
            teclado = V().TecladoActivo;
        });
        Click(c.boton);
        EXPECT_EQ(titulo, QString::fromUtf8(c.titulo));
        EXPECT_FALSE(teclado);
        EXPECT_TRUE(V().TecladoActivo);
    }

    AlAparecerDialogo([this](QWidget*) { V().InteresSimple->CI->setText(u"1000"_s); });
    Click("BotonInteresSimple");
    AlAparecerDialogo([this](QWidget*) { EXPECT_EQ(V().InteresSimple->CI->text(), u"1000"_s); });
    Click("BotonInteresSimple");
}

} // namespace
