// The drop-down calculator: its window and keypad, where it opens, and how a value travels
// between it and a numeric edit box in a dialog, driven by pointer clicks and keys.
#include "EnlaceCalculadora.h"
#include "TCalcButton.h"
#include "TCalculatorPanel.h"
#include "TPopupCalculatorForm.h"
#include "TSkinCalcEdit.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QToolButton>

#include <memory>
#include <string>

namespace {

// ---------------------------------------------------------------------------------------
// Placement.

struct CasoPosicion {
    const char* nombre;
    QRect caja;
    QRect pantalla;
    QPoint esperada;
};

std::ostream& operator<<(std::ostream& os, const CasoPosicion& c) {
    return os << c.nombre;
}

class Posicion : public ::testing::TestWithParam<CasoPosicion> {};

TEST_P(Posicion, DebajoEncimaYDentroDeLaPantalla) {
    const CasoPosicion& c = GetParam();
    const QPoint p = PosicionDesplegable(c.caja, QSize(220, 175), c.pantalla);
    EXPECT_EQ(p, c.esperada);
}

const QRect kPantalla(0, 0, 1024, 768);

const CasoPosicion kPosiciones[] = {
    {"Debajo", QRect(100, 100, 120, 21), kPantalla, QPoint(100, 121)},
    // 572 + 21 + 175 = 768: it just fits below.
    {"CabeJustoDebajo", QRect(100, 572, 120, 21), kPantalla, QPoint(100, 593)},
    {"EncimaCercaDelFondo", QRect(100, 573, 120, 21), kPantalla, QPoint(100, 398)},
    {"EncimaEnElFondo", QRect(100, 740, 120, 21), kPantalla, QPoint(100, 565)},
    {"AjustadaALaDerecha", QRect(900, 100, 120, 21), kPantalla, QPoint(804, 121)},
    {"CabeJustoALaDerecha", QRect(804, 100, 120, 21), kPantalla, QPoint(804, 121)},
    {"EncimaYALaDerecha", QRect(950, 700, 60, 21), kPantalla, QPoint(804, 525)},
    {"NuncaAIzquierdaDeCero", QRect(50, 100, 120, 21), QRect(0, 0, 200, 768),
     QPoint(0, 121)},
    {"SegundaPantalla", QRect(1950, 100, 120, 21), QRect(1920, 0, 1280, 1024),
     QPoint(1950, 121)},
    {"SegundaPantallaAjustada", QRect(3150, 900, 40, 21), QRect(1920, 0, 1280, 1024),
     QPoint(2980, 725)},
};

INSTANTIATE_TEST_SUITE_P(Desplegable, Posicion, ::testing::ValuesIn(kPosiciones),
                         [](const auto& info) { return std::string(info.param.nombre); });

// ---------------------------------------------------------------------------------------
// The window and its keypad, alone.

// Clicks the keys of a sequence: digits, ",", "+-*/=%", "C" clear, "<" delete, "n" sign,
// "r" square root, "i" reciprocal, "P" "S" "R" "X" for MP MS MR MC, "A" accept, "K" cancel.
void Teclear(TCalculatorPanel* panel, const char* teclas) {
    for (const char* t = teclas; *t; ++t) {
        int kind = 0;
        if (*t >= '0' && *t <= '9') {
            kind = *t - '0' + 1;
        } else {
            switch (*t) {
            case 'n': kind = TCalculatorPanel::KindSigno; break;
            case ',': kind = TCalculatorPanel::KindComa; break;
            case '/': kind = TCalculatorPanel::KindDividir; break;
            case '*': kind = TCalculatorPanel::KindMultiplicar; break;
            case '-': kind = TCalculatorPanel::KindRestar; break;
            case '+': kind = TCalculatorPanel::KindSumar; break;
            case 'r': kind = TCalculatorPanel::KindRaiz; break;
            case '%': kind = TCalculatorPanel::KindPorcentaje; break;
            case 'i': kind = TCalculatorPanel::KindReciproco; break;
            case '=': kind = TCalculatorPanel::KindIgual; break;
            case '<': kind = TCalculatorPanel::KindRetroceso; break;
            case 'C': kind = TCalculatorPanel::KindLimpiar; break;
            case 'P': kind = TCalculatorPanel::KindMP; break;
            case 'S': kind = TCalculatorPanel::KindMS; break;
            case 'R': kind = TCalculatorPanel::KindMR; break;
            case 'X': kind = TCalculatorPanel::KindMC; break;
            case 'A': kind = TCalculatorPanel::KindAceptar; break;
            case 'K': kind = TCalculatorPanel::KindCancelar; break;
            default: ADD_FAILURE() << "unknown key " << *t; continue;
            }
        }
        TCalcButton* boton = panel->Boton(kind);
        ASSERT_NE(boton, nullptr) << kind;
        QTest::mouseClick(boton, Qt::LeftButton);
    }
}

TEST(VentanaDesplegable, EsUnaHerramientaSinMarcoQueNoSeActiva) {
    TPopupCalculatorForm v;
    EXPECT_TRUE(v.isWindow());
    EXPECT_TRUE(v.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(v.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_TRUE(v.testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(v.size(), QSize(220, 175));

    const QLabel* pantalla = v.Pantalla();
    EXPECT_EQ(pantalla->geometry(), QRect(0, 0, 220, 20));
    EXPECT_EQ(pantalla->frameShadow(), QFrame::Sunken);
    EXPECT_TRUE(pantalla->alignment().testFlag(Qt::AlignRight));
    EXPECT_EQ(pantalla->text(), QStringLiteral("0"));

    const TCalculatorPanel* panel = v.Panel();
    EXPECT_EQ(panel->size(), QSize(215, 150));
    EXPECT_GE(panel->y(), 20);
    EXPECT_LE(panel->geometry().bottom() + 1, 175);
    EXPECT_EQ(panel->Indicador()->geometry(), QRect(6, 7, 34, 20));
    EXPECT_TRUE(panel->Indicador()->text().isEmpty());
}

struct CasoBoton {
    int kind;
    const char* caption; // "" for the image keys
    QRect geometria;
};

TEST(VentanaDesplegable, LasVeintiochoTeclasEnSuSitio) {
    const CasoBoton kBotones[] = {
        {1, "0", {43, 120, 30, 22}},    {2, "1", {43, 92, 30, 22}},
        {3, "2", {76, 92, 30, 22}},     {4, "3", {109, 92, 30, 22}},
        {5, "4", {43, 64, 30, 22}},     {6, "5", {76, 64, 30, 22}},
        {7, "6", {109, 64, 30, 22}},    {8, "7", {43, 36, 30, 22}},
        {9, "8", {76, 36, 30, 22}},     {10, "9", {109, 36, 30, 22}},
        {11, "+/-", {76, 120, 30, 22}}, {12, ",", {109, 120, 30, 22}},
        {13, "/", {142, 36, 30, 22}},   {14, "*", {142, 64, 30, 22}},
        {15, "-", {142, 92, 30, 22}},   {16, "+", {142, 120, 30, 22}},
        {17, "sqrt", {175, 36, 30, 22}}, {18, "%", {175, 64, 30, 22}},
        {19, "1/x", {175, 92, 30, 22}}, {20, "=", {175, 120, 30, 22}},
        {21, "", {109, 6, 46, 22}},     {22, "", {159, 6, 46, 22}},
        {23, "MP", {10, 120, 30, 22}},  {24, "MS", {10, 92, 30, 22}},
        {25, "MR", {10, 64, 30, 22}},   {26, "MC", {10, 36, 30, 22}},
        {27, "", {43, 6, 30, 22}},      {28, "", {76, 6, 30, 22}},
    };
    TCalculatorPanel panel;
    EXPECT_EQ(panel.findChildren<TCalcButton*>().size(), 28);
    for (const CasoBoton& b : kBotones) {
        SCOPED_TRACE(b.kind);
        const TCalcButton* boton = panel.Boton(b.kind);
        ASSERT_NE(boton, nullptr);
        EXPECT_EQ(boton->Kind(), b.kind);
        EXPECT_EQ(boton->geometry(), b.geometria);
        EXPECT_EQ(boton->text(), QString::fromUtf8(b.caption));
        // The image keys carry images of their own, and a hint saying what they do.
        if (*b.caption == 0) {
            EXPECT_FALSE(boton->icon().isNull());
            EXPECT_FALSE(boton->toolTip().isEmpty());
        }
        EXPECT_EQ(boton->focusPolicy(), Qt::NoFocus);
    }
    EXPECT_EQ(panel.Boton(0), nullptr);
    EXPECT_EQ(panel.Boton(29), nullptr);
}

TEST(VentanaDesplegable, LasTeclasPulsadasLleganALaPantalla) {
    TPopupCalculatorForm v;
    TCalculatorPanel* panel = v.Panel();
    Teclear(panel, "2+3*4=");
    EXPECT_EQ(v.Pantalla()->text(), QStringLiteral("20"));
    Teclear(panel, "5/0=");
    EXPECT_EQ(v.Pantalla()->text(), QStringLiteral("Error"));
    Teclear(panel, "7");
    EXPECT_EQ(v.Pantalla()->text(), QStringLiteral("Error"));
    Teclear(panel, "C12S");
    EXPECT_EQ(panel->Indicador()->text(), QStringLiteral("M"));
    Teclear(panel, "CR3");
    EXPECT_EQ(v.Pantalla()->text(), QStringLiteral("123"));
    Teclear(panel, "X");
    EXPECT_TRUE(panel->Indicador()->text().isEmpty());
}

TEST(VentanaDesplegable, AceptarAvisaConElValorYSeCierra) {
    TPopupCalculatorForm v;
    v.show();
    double recibido = -1;
    int avisos = 0;
    QObject::connect(&v, &TPopupCalculatorForm::Aceptado, &v, [&](double valor) {
        recibido = valor;
        ++avisos;
    });
    Teclear(v.Panel(), "3+4A");
    EXPECT_EQ(avisos, 1);
    EXPECT_EQ(recibido, 7.0);
    EXPECT_FALSE(v.isVisible());
    EXPECT_EQ(v.Pantalla()->text(), QStringLiteral("7"));
}

TEST(VentanaDesplegable, AceptarEnErrorNoHaceNada) {
    TPopupCalculatorForm v;
    v.show();
    int avisos = 0;
    QObject::connect(&v, &TPopupCalculatorForm::Aceptado, &v, [&](double) { ++avisos; });
    Teclear(v.Panel(), "5/0A");
    EXPECT_EQ(avisos, 0);
    EXPECT_TRUE(v.isVisible());
    EXPECT_EQ(v.Pantalla()->text(), QStringLiteral("Error"));
}

// ---------------------------------------------------------------------------------------
// With a numeric edit box in a dialog.

class ConCaja : public ::testing::Test {
protected:
    void SetUp() override {
        dialogo = std::make_unique<QDialog>();
        dialogo->resize(300, 120);
        caja = new TSkinCalcEdit(dialogo.get());
        caja->setGeometry(20, 20, 120, 21);
        otra = new QLineEdit(dialogo.get());
        otra->setGeometry(20, 60, 120, 21);
        enlace = AdjuntarCalculadora(caja);
        dialogo->show();
        dialogo->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialogo.get()));
        caja->setFocus();
    }

    TPopupCalculatorForm* Desplegable() const { return enlace->Desplegable(); }
    QString Pantalla() const { return Desplegable()->Pantalla()->text(); }
    void PulsarBotonCaja() const { QTest::mouseClick(caja->BotonDesplegar(), Qt::LeftButton); }

    std::unique_ptr<QDialog> dialogo;
    TSkinCalcEdit* caja = nullptr;
    QLineEdit* otra = nullptr;
    EnlaceCalculadora* enlace = nullptr;
};

TEST_F(ConCaja, ElBotonAbreYCierra) {
    EXPECT_EQ(AdjuntarCalculadora(caja), enlace); // one drop-down per box
    EXPECT_FALSE(Desplegable()->isVisible());
    PulsarBotonCaja();
    EXPECT_TRUE(Desplegable()->isVisible());
    EXPECT_TRUE(caja->hasFocus()); // shown without taking the focus from the box
    PulsarBotonCaja();
    EXPECT_FALSE(Desplegable()->isVisible());
}

TEST_F(ConCaja, AbreDebajoDeLaCaja) {
    PulsarBotonCaja();
    const QPoint esquina = caja->mapToGlobal(QPoint(0, caja->height()));
    EXPECT_EQ(Desplegable()->pos(), esquina);
}

TEST_F(ConCaja, CercaDelFondoAbreEncima) {
    const QRect area = caja->screen()->availableGeometry();
    dialogo->move(area.x() + 10, area.y() + area.height() - 60);
    QCoreApplication::processEvents();
    PulsarBotonCaja();
    const QPoint arriba = caja->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(Desplegable()->pos(), QPoint(arriba.x(), arriba.y() - 175));
}

TEST_F(ConCaja, ValorCeroMuestraLoQueQuedo) {
    PulsarBotonCaja();
    Teclear(Desplegable()->Panel(), "3+4");
    PulsarBotonCaja(); // closed without accepting
    ASSERT_EQ(caja->Value(), 0.0);
    PulsarBotonCaja();
    EXPECT_EQ(Pantalla(), QStringLiteral("4"));
    // The pending "+" survived the closing too.
    Teclear(Desplegable()->Panel(), "=");
    EXPECT_EQ(Pantalla(), QStringLiteral("7"));
}

TEST_F(ConCaja, ValorDeLaCajaSeMuestraAlAbrir) {
    caja->setValue(7.5);
    PulsarBotonCaja();
    EXPECT_EQ(Pantalla(), QStringLiteral("7,5"));
    // Shown as a result: the next digit starts a new number.
    Teclear(Desplegable()->Panel(), "2");
    EXPECT_EQ(Pantalla(), QStringLiteral("2"));
}

TEST_F(ConCaja, AceptarEscribeEnCajaReal) {
    PulsarBotonCaja();
    Teclear(Desplegable()->Panel(), "3+4A");
    EXPECT_EQ(caja->text(), QStringLiteral("7,00"));
    EXPECT_EQ(caja->Value(), 7.0);
    EXPECT_FALSE(Desplegable()->isVisible());
}

TEST_F(ConCaja, AceptarEscribeEnCajaEntera) {
    caja->setValueType(vtInteger);
    PulsarBotonCaja();
    Teclear(Desplegable()->Panel(), "3+4A");
    EXPECT_EQ(caja->text(), QStringLiteral("7"));
    EXPECT_EQ(caja->Value(), 7.0);
    EXPECT_FALSE(Desplegable()->isVisible());
}

TEST_F(ConCaja, AceptarRedondeaEnCajaEntera) {
    caja->setValueType(vtInteger);
    PulsarBotonCaja();
    Teclear(Desplegable()->Panel(), "7/2A");
    EXPECT_EQ(caja->text(), QStringLiteral("4"));
}

TEST_F(ConCaja, AceptarRespetaLosLimites) {
    caja->setMinValue(1);
    caja->setMaxValue(100);
    PulsarBotonCaja();
    Teclear(Desplegable()->Panel(), "250A");
    EXPECT_EQ(caja->text(), QStringLiteral("100,00"));
}

TEST_F(ConCaja, AceptarConErrorNoTocaLaCaja) {
    caja->setValue(12.5);
    PulsarBotonCaja();
    Teclear(Desplegable()->Panel(), "5/0A");
    EXPECT_EQ(caja->text(), QStringLiteral("12,50"));
    EXPECT_TRUE(Desplegable()->isVisible());
}

TEST_F(ConCaja, CancelarDejaLaCaja) {
    caja->setValue(12.5);
    PulsarBotonCaja();
    Teclear(Desplegable()->Panel(), "3+4K");
    EXPECT_EQ(caja->text(), QStringLiteral("12,50"));
    EXPECT_EQ(caja->Value(), 12.5);
    EXPECT_FALSE(Desplegable()->isVisible());
}

TEST_F(ConCaja, EscCierraSoloElDesplegable) {
    PulsarBotonCaja();
    QTest::keyClick(caja, Qt::Key_Escape);
    EXPECT_FALSE(Desplegable()->isVisible());
    EXPECT_TRUE(dialogo->isVisible()); // the dialog was not rejected by the same key
    EXPECT_EQ(dialogo->result(), 0);
}

TEST_F(ConCaja, LasTeclasVanALaCaja) {
    caja->clear();
    PulsarBotonCaja();
    QTest::keyClicks(caja, QStringLiteral("58"));
    EXPECT_EQ(caja->text(), QStringLiteral("58"));
    EXPECT_EQ(Pantalla(), QStringLiteral("0"));
    EXPECT_TRUE(Desplegable()->isVisible());
}

TEST_F(ConCaja, ElFocoFueraLoCierra) {
    PulsarBotonCaja();
    otra->setFocus();
    EXPECT_FALSE(Desplegable()->isVisible());
}

TEST_F(ConCaja, AlOcultarElDialogoSeCierra) {
    PulsarBotonCaja();
    dialogo->hide();
    EXPECT_FALSE(Desplegable()->isVisible());
}

TEST_F(ConCaja, LaMemoriaEmpiezaVaciaEnCadaApertura) {
    PulsarBotonCaja();
    Teclear(Desplegable()->Panel(), "12S");
    EXPECT_EQ(Desplegable()->Panel()->Indicador()->text(), QStringLiteral("M"));
    PulsarBotonCaja();
    PulsarBotonCaja();
    EXPECT_TRUE(Desplegable()->Panel()->Indicador()->text().isEmpty());
    Teclear(Desplegable()->Panel(), "R");
    EXPECT_EQ(Pantalla(), QStringLiteral("0"));
}

TEST_F(ConCaja, PrecisionDeLaCaja) {
    caja->setPrecision(4);
    PulsarBotonCaja();
    Teclear(Desplegable()->Panel(), "C123456");
    EXPECT_EQ(Pantalla(), QStringLiteral("1234"));
    PulsarBotonCaja();
    caja->setPrecision(0); // the calculator never goes below 2 digits
    PulsarBotonCaja();
    Teclear(Desplegable()->Panel(), "C123");
    EXPECT_EQ(Pantalla(), QStringLiteral("12"));
}

TEST_F(ConCaja, ElDesplegableMuereConLaCaja) {
    QPointer<TPopupCalculatorForm> desplegable = Desplegable();
    PulsarBotonCaja();
    delete caja;
    caja = nullptr;
    EXPECT_TRUE(desplegable.isNull());
}

} // namespace
