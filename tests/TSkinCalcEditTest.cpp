// Tests of the numeric edit box: the key filter cell by cell, pasted text, Value following
// the text, writing Value, the bounds and the drop-down button.
#include "TSkinCalcEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

class CajaTest : public ::testing::Test {
protected:
    void SetUp() override {
        Ventana = std::make_unique<QWidget>();
        Ventana->resize(200, 60);
        Caja = new TSkinCalcEdit(Ventana.get());
        Caja->setGeometry(10, 10, 150, 21);
        Ventana->show();
        Ventana->activateWindow();
        Caja->setFocus();
    }
    // Puts `texto` in the box with the cursor at its end, or selected entirely.
    void Preparar(TValueType tipo, const QString& texto, bool seleccionado = false) {
        Caja->setValueType(tipo);
        Caja->setText(texto);
        Caja->end(false);
        if (seleccionado)
            Caja->selectAll();
    }
    std::unique_ptr<QWidget> Ventana;
    TSkinCalcEdit* Caja = nullptr;
};

// --- Key filter ------------------------------------------------------------------------

struct Tecla {
    const char* Nombre;
    TValueType Tipo;
    const char* Antes;
    bool Seleccionado;
    Qt::Key Codigo;
    Qt::KeyboardModifiers Modificadores;
    const char* Despues;
    bool Rechazada;
};

class FiltroTeclas : public CajaTest, public ::testing::WithParamInterface<Tecla> {};

TEST_P(FiltroTeclas, AcceptsOrRefusesWithABeep) {
    const Tecla& t = GetParam();
    Preparar(t.Tipo, QString::fromUtf8(t.Antes), t.Seleccionado);
    QSignalSpy rechazos(Caja, &TSkinCalcEdit::TeclaRechazada);
    QTest::keyClick(Caja, t.Codigo, t.Modificadores);
    EXPECT_EQ(Caja->text(), QString::fromUtf8(t.Despues));
    EXPECT_EQ(rechazos.count(), t.Rechazada ? 1 : 0);
}

constexpr auto Nada = Qt::NoModifier;
constexpr auto Teclado = Qt::KeypadModifier;

INSTANTIATE_TEST_SUITE_P(
    TSkinCalcEdit, FiltroTeclas,
    ::testing::Values(
        Tecla{"RealDigit", vtFloat, "12", false, Qt::Key_3, Nada, "123", false},
        Tecla{"RealKeypadDigit", vtFloat, "12", false, Qt::Key_7, Teclado, "127", false},
        Tecla{"RealMinus", vtFloat, "", false, Qt::Key_Minus, Nada, "-", false},
        Tecla{"RealSecondMinusRefused", vtFloat, "-5", false, Qt::Key_Minus, Nada, "-5", true},
        Tecla{"RealMinusReplacingTheSelectedMinus", vtFloat, "-5", true, Qt::Key_Minus, Nada, "-", false},
        Tecla{"RealComma", vtFloat, "5", false, Qt::Key_Comma, Nada, "5,", false},
        Tecla{"RealSecondCommaRefused", vtFloat, "5,2", false, Qt::Key_Comma, Nada, "5,2", true},
        Tecla{"RealKeypadDecimalGivesComma", vtFloat, "5", false, Qt::Key_Period, Teclado, "5,", false},
        Tecla{"RealPointRefused", vtFloat, "5", false, Qt::Key_Period, Nada, "5", true},
        Tecla{"RealLetterRefused", vtFloat, "5", false, Qt::Key_A, Nada, "5", true},
        Tecla{"RealEnterRefused", vtFloat, "5", false, Qt::Key_Return, Nada, "5", true},
        Tecla{"RealKeypadEnterRefused", vtFloat, "5", false, Qt::Key_Enter, Teclado, "5", true},
        Tecla{"RealBackspacePasses", vtFloat, "123", false, Qt::Key_Backspace, Nada, "12", false},
        Tecla{"RealDeletePasses", vtFloat, "123", true, Qt::Key_Delete, Nada, "", false},
        Tecla{"WholeDigit", vtInteger, "4", false, Qt::Key_2, Nada, "42", false},
        Tecla{"WholeSecondMinusRefused", vtInteger, "-4", false, Qt::Key_Minus, Nada, "-4", true},
        Tecla{"WholeCommaRefused", vtInteger, "4", false, Qt::Key_Comma, Nada, "4", true},
        Tecla{"WholeKeypadDecimalRefused", vtInteger, "4", false, Qt::Key_Period, Teclado, "4", true},
        Tecla{"WholeEnterRefused", vtInteger, "4", false, Qt::Key_Enter, Nada, "4", true}),
    [](const ::testing::TestParamInfo<Tecla>& info) { return std::string(info.param.Nombre); });

TEST_F(CajaTest, EnterDoesNotReachTheWindow) {
    QSignalSpy rechazos(Caja, &TSkinCalcEdit::TeclaRechazada);
    QKeyEvent intro(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(Caja, &intro);
    EXPECT_TRUE(intro.isAccepted());
    EXPECT_EQ(rechazos.count(), 1);
}

TEST_F(CajaTest, TypedTextBuildsANumberKeyByKey) {
    Preparar(vtFloat, QString());
    QSignalSpy rechazos(Caja, &TSkinCalcEdit::TeclaRechazada);
    QTest::keyClicks(Caja, QStringLiteral("-1a2,5,0-"));
    EXPECT_EQ(Caja->text(), QStringLiteral("-12,50"));
    EXPECT_EQ(rechazos.count(), 3);
    EXPECT_DOUBLE_EQ(Caja->Value(), -12.5);
}

TEST_F(CajaTest, PastedTextIsNotFiltered) {
    Preparar(vtInteger, QStringLiteral("1"));
    Caja->insert(QStringLiteral(".5a-"));
    EXPECT_EQ(Caja->text(), QStringLiteral("1.5a-"));
    Caja->setText(QStringLiteral("2,5"));
    EXPECT_EQ(Caja->text(), QStringLiteral("2,5"));

    QGuiApplication::clipboard()->setText(QStringLiteral("1.000"));
    Caja->selectAll();
    QSignalSpy rechazos(Caja, &TSkinCalcEdit::TeclaRechazada);
    QTest::keyClick(Caja, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(rechazos.count(), 0);
    EXPECT_EQ(Caja->text(), QStringLiteral("1.000"));
}

// --- Value follows the text --------------------------------------------------------------

struct Texto {
    const char* Nombre;
    TValueType Tipo;
    std::string Contenido;
    double Esperado; // the value before was 99
};

class ValorDelTexto : public CajaTest, public ::testing::WithParamInterface<Texto> {};

TEST_P(ValorDelTexto, FollowsValidTextsOnly) {
    Caja->setValueType(GetParam().Tipo);
    Caja->setText(QStringLiteral("99"));
    ASSERT_EQ(Caja->Value(), 99.0);
    Caja->setText(QString::fromStdString(GetParam().Contenido));
    EXPECT_DOUBLE_EQ(Caja->Value(), GetParam().Esperado);
    EXPECT_EQ(Caja->text(), QString::fromStdString(GetParam().Contenido)) << "the text is not rewritten";
}

INSTANTIATE_TEST_SUITE_P(
    TSkinCalcEdit, ValorDelTexto,
    ::testing::Values(Texto{"RealWithComma", vtFloat, "12,5", 12.5},
                      Texto{"RealNegative", vtFloat, "-3", -3},
                      Texto{"RealTrailingComma", vtFloat, "5,", 5},
                      Texto{"RealMinusComma", vtFloat, "-,5", -0.5},
                      Texto{"RealEmptyKeepsValue", vtFloat, "", 99},
                      Texto{"RealLoneMinusKeepsValue", vtFloat, "-", 99},
                      Texto{"RealLeadingCommaKeepsValue", vtFloat, ",5", 99},
                      Texto{"RealTwoCommasKeepValue", vtFloat, "1,2,3", 99},
                      Texto{"RealInnerMinusKeepsValue", vtFloat, "1-2", 99},
                      Texto{"RealPointKeepsValue", vtFloat, "1.5", 99},
                      Texto{"RealOverflowKeepsValue", vtFloat, "1" + std::string(400, '0'), 99},
                      Texto{"WholeNumber", vtInteger, "42", 42},
                      Texto{"WholeNegative", vtInteger, "-7", -7},
                      Texto{"WholeCommaKeepsValue", vtInteger, "4,2", 99}),
    [](const ::testing::TestParamInfo<Texto>& info) { return std::string(info.param.Nombre); });

// --- Writing Value ------------------------------------------------------------------------

struct Escritura {
    const char* Nombre;
    TValueType Tipo;
    int Decimales;
    double Valor;
    const char* Texto;
};

class EscribirValor : public CajaTest, public ::testing::WithParamInterface<Escritura> {};

TEST_P(EscribirValor, WritesTheText) {
    Caja->setValueType(GetParam().Tipo);
    Caja->setDecimal(GetParam().Decimales);
    Caja->setValue(GetParam().Valor);
    EXPECT_EQ(Caja->text(), QString::fromUtf8(GetParam().Texto));
    EXPECT_EQ(TSkinCalcEdit::TextoValor(GetParam().Valor, GetParam().Tipo, GetParam().Decimales),
              QString::fromUtf8(GetParam().Texto));
}

INSTANTIATE_TEST_SUITE_P(
    TSkinCalcEdit, EscribirValor,
    ::testing::Values(Escritura{"SevenReal", vtFloat, 2, 7, "7,00"},
                      Escritura{"SevenWhole", vtInteger, 2, 7, "7"},
                      Escritura{"HalfRoundsUp", vtFloat, 2, 0.125, "0,13"},
                      Escritura{"FifteenDigitsBeforeTheDecimals", vtFloat, 2, 1.005, "1,01"},
                      Escritura{"NoThousandsSeparator", vtFloat, 2, 1234567.891, "1234567,89"},
                      Escritura{"Negative", vtFloat, 2, -2.5, "-2,50"},
                      Escritura{"TinyNegativeIsZero", vtFloat, 2, -0.001, "0,00"},
                      Escritura{"BeyondFifteenDigitsZeros", vtFloat, 2, 123456789012345678.0,
                                "123456789012346000,00"},
                      Escritura{"NoDecimals", vtFloat, 0, 7.5, "8"},
                      Escritura{"WholeRoundsHalfAway", vtInteger, 2, 2.5, "3"},
                      Escritura{"WholeNegativeHalf", vtInteger, 2, -2.5, "-3"},
                      Escritura{"WholeSmallNegativeIsZero", vtInteger, 2, -0.4, "0"}),
    [](const ::testing::TestParamInfo<Escritura>& info) { return std::string(info.param.Nombre); });

// Value is what the text says, and infinite or NaN values are not written.
TEST_F(CajaTest, ValueFollowsTheTextWritten) {
    Caja->setValue(7.456);
    EXPECT_DOUBLE_EQ(Caja->Value(), 7.46);
    Caja->setValue(std::numeric_limits<double>::infinity());
    Caja->setValue(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(Caja->text(), QStringLiteral("7,46"));
    EXPECT_DOUBLE_EQ(Caja->Value(), 7.46);
}

TEST_F(CajaTest, BoundsApplyOnlyWhenTheyDiffer) {
    Caja->setValue(-50);
    EXPECT_EQ(Caja->text(), QStringLiteral("-50,00"));
    Caja->setMinValue(1);
    Caja->setMaxValue(10);
    Caja->setValue(50);
    EXPECT_EQ(Caja->text(), QStringLiteral("10,00"));
    Caja->setValue(0);
    EXPECT_EQ(Caja->text(), QStringLiteral("1,00"));
    Caja->setText(QStringLiteral("500"));
    EXPECT_EQ(Caja->Value(), 10.0);
    EXPECT_EQ(Caja->text(), QStringLiteral("500"));
}

TEST_F(CajaTest, SwitchingToAWholeBoxReadsTheTextAgain) {
    Caja->setText(QStringLiteral("2,5"));
    EXPECT_EQ(Caja->Value(), 2.5);
    Caja->setText(QStringLiteral("8"));
    Caja->setValueType(vtInteger);
    EXPECT_EQ(Caja->Value(), 8.0);
}

// --- The drop-down button ---------------------------------------------------------------

TEST_F(CajaTest, TheButtonAtTheRightEndEmitsAndKeepsTheText) {
    QToolButton* boton = Caja->BotonDesplegar();
    ASSERT_NE(boton, nullptr);
    EXPECT_TRUE(boton->isVisible());
    EXPECT_GE(boton->geometry().right(), Caja->width() - 4);
    EXPECT_GE(Caja->textMargins().right(), boton->width()) << "text runs under the button";
    QSignalSpy pulsado(Caja, &TSkinCalcEdit::BotonPulsado);
    Caja->setText(QStringLiteral("12"));
    QTest::mouseClick(boton, Qt::LeftButton);
    EXPECT_EQ(pulsado.count(), 1);
    EXPECT_EQ(Caja->text(), QStringLiteral("12"));
}

} // namespace
