// The drop-down calculator: its keypad, where it opens, and how a value travels between it
// and a numeric edit box in a dialog, driven by pointer clicks and keys.
#include "TPopupCalculatorForm.h"
#include "EnlaceCalculadora.h"
#include "TCalcButton.h"
#include "TCalculatorPanel.h"
#include "TSkinCalcEdit.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QToolButton>

#include <cstring>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

TEST(Desplegable, PosicionDebajoEncimaYDentroDeLaPantalla) {
    const QRect p(0, 0, 1024, 768);
    const struct {
        const char* nombre;
        QRect caja, pantalla;
        QPoint esperada;
    } casos[] = {
        {"CabeJustoDebajo", QRect(100, 572, 120, 21), p, QPoint(100, 593)}, // 572 + 21 + 175 = 768
        {"EncimaCercaDelFondo", QRect(100, 573, 120, 21), p, QPoint(100, 398)},
        {"CabeJustoALaDerecha", QRect(804, 100, 120, 21), p, QPoint(804, 121)},
        {"NuncaAIzquierdaDeCero", QRect(50, 100, 120, 21), QRect(0, 0, 200, 768), QPoint(0, 121)},
        {"SegundaPantalla", QRect(3150, 900, 40, 21), QRect(1920, 0, 1280, 1024),
         QPoint(2980, 725)},
    };
    for (const auto& c : casos)
        EXPECT_EQ(PosicionDesplegable(c.caja, QSize(220, 175), c.pantalla), c.esperada) << c.nombre;
}

// Clicks the keys of a sequence: digits, ",", "+-*/=%", "C" clear, "<" delete, "n" sign,
// "r" square root, "i" reciprocal, "P" "S" "R" "X" for MP MS MR MC, "A" accept, "K" cancel.
void Teclear(TCalculatorPanel* panel, const char* teclas) {
    static const char* const claves = "n,/*-+r%i=<CPSRXAK"; // kinds 11 to 28, in order
    for (const char* t = teclas; *t; ++t) {
        const char* clave = std::strchr(claves, *t);
        const int kind = *t >= '0' && *t <= '9' ? *t - '0' + 1
                         : clave                ? int(clave - claves) + TCalculatorPanel::KindSigno
                                                : 0;
        TCalcButton* boton = panel->Boton(kind);
        ASSERT_NE(boton, nullptr) << "key " << *t;
        QTest::mouseClick(boton, Qt::LeftButton);
    }
}

// With a numeric edit box in a dialog.
class ConCaja : public ::testing::Test {
protected:
    void SetUp() override {
        dialogo->resize(300, 120);
        caja->setGeometry(20, 20, 120, 21);
        otra->setGeometry(20, 60, 120, 21);
        dialogo->show();
        dialogo->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialogo.get()));
        caja->setFocus();
    }

    TPopupCalculatorForm* Desplegable() const { return enlace->Desplegable(); }
    QString Pantalla() const { return Desplegable()->Pantalla()->text(); }
    void PulsarBotonCaja() const { QTest::mouseClick(caja->BotonDesplegar(), Qt::LeftButton); }
    void Teclas(const char* teclas) const { Teclear(Desplegable()->Panel(), teclas); }

    std::unique_ptr<QDialog> dialogo = std::make_unique<QDialog>();
    TSkinCalcEdit* caja = new TSkinCalcEdit(dialogo.get());
    QLineEdit* otra = new QLineEdit(dialogo.get());
    EnlaceCalculadora* enlace = AdjuntarCalculadora(caja);
};

TEST_F(ConCaja, ElBotonAbreDebajoOEncimaYCierra) {
    EXPECT_EQ(AdjuntarCalculadora(caja), enlace); // one drop-down per box
    EXPECT_FALSE(Desplegable()->isVisible());
    PulsarBotonCaja();
    EXPECT_TRUE(Desplegable()->isVisible());
    EXPECT_TRUE(caja->hasFocus()); // shown without taking the focus from the box
    EXPECT_EQ(Desplegable()->pos(), caja->mapToGlobal(QPoint(0, caja->height())));
    PulsarBotonCaja();
    EXPECT_FALSE(Desplegable()->isVisible());

    const QRect area = caja->screen()->availableGeometry();
    dialogo->move(area.x() + 10, area.y() + area.height() - 60);
    QCoreApplication::processEvents();
    PulsarBotonCaja();
    EXPECT_EQ(Desplegable()->pos(), caja->mapToGlobal(QPoint(0, 0)) - QPoint(0, 175));
}

// Accept writes the box and closes (its type and bounds are the box's own, tested there);
// accepting an error or cancelling leaves the box as it was.
TEST_F(ConCaja, AceptarOCancelar) {
    const struct {
        const char *teclas, *texto;
        bool abierto;
    } casos[] = {{"2+3*4A", "20,00", false}, {"5/0A", "12,50", true}, {"3+4K", "12,50", false}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.teclas);
        caja->setValue(12.5);
        PulsarBotonCaja();
        Teclas("C");
        Teclas(c.teclas);
        EXPECT_EQ(caja->text(), QString::fromUtf8(c.texto));
        EXPECT_EQ(Desplegable()->isVisible(), c.abierto);
        if (c.abierto)
            PulsarBotonCaja();
    }
}

// Keys typed while it is open go to the box; Esc, the focus leaving, a press elsewhere in
// the dialog (its caption included) and the dialog hiding close it.
TEST_F(ConCaja, TeclasALaCajaYCierres) {
    caja->clear();
    PulsarBotonCaja();
    QTest::keyClicks(caja, u"58"_s);
    EXPECT_EQ(caja->text(), u"58"_s);
    EXPECT_EQ(Pantalla(), u"0"_s);
    ASSERT_TRUE(Desplegable()->isVisible());
    QTest::keyClick(caja, Qt::Key_Escape);
    EXPECT_FALSE(Desplegable()->isVisible());
    EXPECT_TRUE(dialogo->isVisible()); // the dialog was not rejected by the same key
    EXPECT_EQ(dialogo->result(), 0);

    PulsarBotonCaja();
    otra->setFocus();
    EXPECT_FALSE(Desplegable()->isVisible());
    caja->setFocus();
    PulsarBotonCaja();
    QTest::mousePress(caja, Qt::LeftButton);
    EXPECT_TRUE(Desplegable()->isVisible());
    QTest::mousePress(dialogo.get(), Qt::LeftButton, {}, QPoint(250, 100));
    EXPECT_FALSE(Desplegable()->isVisible());
    caja->setFocus();
    PulsarBotonCaja();
    dialogo->hide();
    EXPECT_FALSE(Desplegable()->isVisible());
}

// At each opening a box of value 0 shows what the display last held, pending operator
// included; another value is shown (as a result: EstadoCalculadoraTest). The memory is empty
// again and the box's precision is taken.
TEST_F(ConCaja, CadaAperturaMuestraLaCajaVaciaLaMemoriaYTomaLaPrecision) {
    PulsarBotonCaja();
    Teclas("12SX");
    EXPECT_TRUE(Desplegable()->Panel()->Indicador()->text().isEmpty());
    Teclas("S");
    EXPECT_EQ(Desplegable()->Panel()->Indicador()->text(), u"M"_s);
    Teclas("C3+4");
    PulsarBotonCaja(); // closed without accepting
    ASSERT_EQ(caja->Value(), 0.0);
    caja->setPrecision(4);
    PulsarBotonCaja();
    EXPECT_EQ(Pantalla(), u"4"_s);
    EXPECT_TRUE(Desplegable()->Panel()->Indicador()->text().isEmpty());
    Teclas("=");
    EXPECT_EQ(Pantalla(), u"7"_s);
    PulsarBotonCaja();
    caja->setValue(7.5);
    PulsarBotonCaja();
    EXPECT_EQ(Pantalla(), u"7,5"_s);
    Teclas("R");
    EXPECT_EQ(Pantalla(), u"0"_s);
    Teclas("C123456");
    EXPECT_EQ(Pantalla(), u"1234"_s);
}

TEST_F(ConCaja, ElDesplegableMuereConLaCaja) {
    QPointer<TPopupCalculatorForm> desplegable = Desplegable();
    PulsarBotonCaja();
    delete std::exchange(caja, nullptr);
    EXPECT_TRUE(desplegable.isNull());
}

} // namespace
