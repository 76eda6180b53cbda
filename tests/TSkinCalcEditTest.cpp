// Tests of the numeric edit box: the key filter key by key, pasted text, Value following
// the text, writing Value, the bounds and the drop-down button.
#include "TSkinCalcEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

class CajaNumericaTest : public ::testing::Test {
protected:
    void SetUp() override {
        Ventana->resize(200, 60);
        Caja->setGeometry(10, 10, 150, 21);
        Ventana->show();
        Ventana->activateWindow();
        Caja->setFocus();
    }
    std::unique_ptr<QWidget> Ventana = std::make_unique<QWidget>();
    TSkinCalcEdit* Caja = new TSkinCalcEdit(Ventana.get());
};

TEST_F(CajaNumericaTest, FiltroDeTeclasAceptaORechazaConPitido) {
    constexpr auto Nada = Qt::NoModifier;
    constexpr auto Teclado = Qt::KeypadModifier;
    const struct {
        const char* Nombre;
        TValueType Tipo;
        const char* Antes;
        bool Seleccionado;
        Qt::Key Codigo;
        Qt::KeyboardModifiers Modificadores;
        const char* Despues;
        bool Rechazada;
    } casos[] = {
        {"RealDigito", vtFloat, "12", false, Qt::Key_3, Nada, "123", false},
        {"RealDigitoDelTeclado", vtFloat, "12", false, Qt::Key_3, Teclado, "123", false},
        {"RealMenos", vtFloat, "", false, Qt::Key_Minus, Nada, "-", false},
        {"RealSegundoMenosRechazado", vtFloat, "-5", false, Qt::Key_Minus, Nada, "-5", true},
        {"RealMenosSobreElMenosElegido", vtFloat, "-5", true, Qt::Key_Minus, Nada, "-", false},
        {"RealComa", vtFloat, "5", false, Qt::Key_Comma, Nada, "5,", false},
        {"RealSegundaComaRechazada", vtFloat, "5,2", false, Qt::Key_Comma, Nada, "5,2", true},
        {"RealDecimalDelTecladoDaComa", vtFloat, "5", false, Qt::Key_Period, Teclado, "5,", false},
        {"RealPuntoRechazado", vtFloat, "5", false, Qt::Key_Period, Nada, "5", true},
        {"RealRetrocesoPasa", vtFloat, "123", false, Qt::Key_Backspace, Nada, "12", false},
        {"EnteraComaRechazada", vtInteger, "4", false, Qt::Key_Comma, Nada, "4", true},
        // Shortcuts pass: pasted text is not filtered.
        {"PegadoSinFiltrar", vtInteger, "1", true, Qt::Key_V, Qt::ControlModifier, "1.000", false}};
    QGuiApplication::clipboard()->setText(u"1.000"_s);
    for (const auto& t : casos) {
        SCOPED_TRACE(t.Nombre);
        Caja->setValueType(t.Tipo);
        Caja->setText(QString::fromUtf8(t.Antes));
        Caja->end(false);
        if (t.Seleccionado)
            Caja->selectAll();
        QSignalSpy rechazos(Caja, &TSkinCalcEdit::TeclaRechazada);
        QTest::keyClick(Caja, t.Codigo, t.Modificadores);
        EXPECT_EQ(Caja->text(), QString::fromUtf8(t.Despues));
        EXPECT_EQ(rechazos.count(), t.Rechazada ? 1 : 0);
    }

    // Enter is refused and eaten: it does not reach the window.
    QSignalSpy rechazos(Caja, &TSkinCalcEdit::TeclaRechazada);
    QKeyEvent intro(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, u"\r"_s);
    QApplication::sendEvent(Caja, &intro);
    EXPECT_TRUE(intro.isAccepted());
    EXPECT_EQ(rechazos.count(), 1);
}

// Only a valid text changes Value (it was 99); the text itself is never rewritten.
TEST_F(CajaNumericaTest, ValueSigueSoloALosTextosValidos) {
    const struct {
        const char* Nombre;
        TValueType Tipo;
        std::string Contenido;
        double Esperado;
    } casos[] = {{"RealConComa", vtFloat, "12,5", 12.5},
                 {"RealComaFinal", vtFloat, "5,", 5},
                 {"RealMenosComa", vtFloat, "-,5", -0.5},
                 {"RealVacioConservaValue", vtFloat, "", 99},
                 {"RealMenosSoloConservaValue", vtFloat, "-", 99},
                 {"RealComaInicialConservaValue", vtFloat, ",5", 99},
                 {"RealDosComasConservanValue", vtFloat, "1,2,3", 99},
                 {"RealMenosEnMedioConservaValue", vtFloat, "1-2", 99},
                 {"RealPuntoConservaValue", vtFloat, "1.5", 99},
                 {"RealDesbordadoConservaValue", vtFloat, "1" + std::string(400, '0'), 99},
                 {"EnteraNegativo", vtInteger, "-7", -7},
                 {"EnteraComaConservaValue", vtInteger, "4,2", 99}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.Nombre);
        Caja->setValueType(c.Tipo);
        Caja->setText(u"99"_s);
        ASSERT_EQ(Caja->Value(), 99.0);
        Caja->setText(QString::fromStdString(c.Contenido));
        EXPECT_DOUBLE_EQ(Caja->Value(), c.Esperado);
        EXPECT_EQ(Caja->text(), QString::fromStdString(c.Contenido));
    }
    // Switching the type reads the text again: "4,2" was no whole number.
    Caja->setValueType(vtFloat);
    EXPECT_DOUBLE_EQ(Caja->Value(), 4.2);
}

TEST_F(CajaNumericaTest, EscribirValueEscribeElTexto) {
    const struct {
        const char* Nombre;
        TValueType Tipo;
        int Decimales;
        double Valor;
        const char* Texto;
    } casos[] = {
        {"MitadRedondeaArriba", vtFloat, 2, 0.125, "0,13"},
        {"QuinceCifrasAntesDeLosDecimales", vtFloat, 2, 1.005, "1,01"},
        {"SinSeparadorDeMiles", vtFloat, 2, 1234567.891, "1234567,89"},
        {"Negativo", vtFloat, 2, -2.5, "-2,50"},
        {"NegativoDiminutoEsCero", vtFloat, 2, -0.001, "0,00"},
        {"CerosTrasQuinceCifras", vtFloat, 2, 123456789012345678.0, "123456789012346000,00"},
        {"SinDecimales", vtFloat, 0, 7.5, "8"},
        {"EnteraMitadSeAleja", vtInteger, 2, 2.5, "3"},
        {"EnteraNegativoPequenoEsCero", vtInteger, 2, -0.4, "0"}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.Nombre);
        Caja->setValueType(c.Tipo);
        Caja->setDecimal(c.Decimales);
        Caja->setValue(c.Valor);
        EXPECT_EQ(Caja->text(), QString::fromUtf8(c.Texto));
    }

    // Value is what the text says, and infinite or NaN values are not written.
    Caja->setValueType(vtFloat);
    Caja->setDecimal(2);
    Caja->setValue(7.456);
    EXPECT_DOUBLE_EQ(Caja->Value(), 7.46);
    Caja->setValue(std::numeric_limits<double>::infinity());
    Caja->setValue(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(Caja->text(), u"7,46"_s);
    EXPECT_DOUBLE_EQ(Caja->Value(), 7.46);
}

TEST_F(CajaNumericaTest, LosLimitesSoloCuentanSiSonDistintos) {
    Caja->setValue(-50);
    EXPECT_EQ(Caja->text(), u"-50,00"_s);
    Caja->setMinValue(1);
    Caja->setMaxValue(10);
    Caja->setValue(50);
    EXPECT_EQ(Caja->text(), u"10,00"_s);
    Caja->setValue(0);
    EXPECT_EQ(Caja->text(), u"1,00"_s);
    Caja->setText(u"500"_s);
    EXPECT_EQ(Caja->Value(), 10.0);
    EXPECT_EQ(Caja->text(), u"500"_s);
}

TEST_F(CajaNumericaTest, ElBotonDelExtremoDerechoAvisaYConservaElTexto) {
    QToolButton* boton = Caja->BotonDesplegar();
    ASSERT_NE(boton, nullptr);
    EXPECT_TRUE(boton->isVisible());
    EXPECT_GE(boton->geometry().right(), Caja->width() - 4);
    EXPECT_GE(Caja->textMargins().right(), boton->width()) << "text runs under the button";
    QSignalSpy pulsado(Caja, &TSkinCalcEdit::BotonPulsado);
    Caja->setText(u"12"_s);
    QTest::mouseClick(boton, Qt::LeftButton);
    EXPECT_EQ(pulsado.count(), 1);
    EXPECT_EQ(Caja->text(), u"12"_s);
}

} // namespace
