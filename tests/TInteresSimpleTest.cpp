// Simple interest dialog: results, the cleaning of the boxes, the message and the silent zero.
#include "TInteresSimple.h"
#include "AyudasPrueba.h"
#include "EnlaceCalculadora.h"
#include "ReglaEntrada.h"
#include "TMarcoSkin.h"
#include "TSkinData.h"

#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

void PrintTo(const QString& texto, std::ostream* salida) {
    *salida << '"' << texto.toStdString() << '"';
}

namespace {

// A fresh dialog for every test, as created at start.
class TInteresSimpleTest : public ::testing::Test {
protected:
    TInteresSimple dialogo;

    void Calcular(const QString& ci, const QString& ip, const QString& np) {
        dialogo.CI->setText(ci);
        dialogo.IP->setText(ip);
        dialogo.NP->setText(np);
        dialogo.BotonCalcular->click();
    }
    QString CF() const { return dialogo.CF->Text().trimmed(); }
    QString I() const { return dialogo.I->Text().trimmed(); }
};

TEST_F(TInteresSimpleTest, AlCrearse) {
    EXPECT_EQ(dialogo.windowTitle(), u"Interés Simple"_s);
    EXPECT_EQ(dialogo.size(), QSize(382, 248));
    for (const TSkinCalcEdit* caja : {dialogo.CI, dialogo.IP, dialogo.NP})
        EXPECT_EQ(caja->text(), u"0"_s);
    EXPECT_EQ(dialogo.NP->ValueType(), vtInteger);
    EXPECT_EQ(dialogo.CI->ValueType(), vtFloat);
    EXPECT_EQ(dialogo.CF->NumDigits(), 18);
    EXPECT_EQ(dialogo.I->NumDigits(), 18);
    EXPECT_EQ(CF(), u"0,00"_s);
    EXPECT_EQ(I(), u"0,00"_s);
    EXPECT_EQ(dialogo.CF->Color(), QColor(166, 202, 240));
    EXPECT_EQ(dialogo.CF->FontColor(), QColor(Qt::black));
    EXPECT_EQ(dialogo.BotonCalcular->text(), u"Calcular"_s);
    EXPECT_FALSE(dialogo.BotonCalcular->isDefault());
    EXPECT_FALSE(dialogo.BotonCalcular->autoDefault());
    EXPECT_NE(TMarcoSkin::De(&dialogo), nullptr);
}

TEST(TInteresSimpleSkinTest, ConUnSkinSeEnmarcaYCalcula) {
    TSkinData motor;
    ASSERT_TRUE(motor.AplicarSkin(1));
    {
        TInteresSimple dialogo;
        EXPECT_TRUE(TMarcoSkin::De(&dialogo)->Activo());
        EXPECT_EQ(dialogo.size(), QSize(382, 248 + TMarcoSkin::AltoTitulo));
        dialogo.CI->setText(u"1000"_s);
        dialogo.IP->setText(u"5"_s);
        dialogo.NP->setText(u"3"_s);
        dialogo.BotonCalcular->click();
        EXPECT_EQ(dialogo.CF->Text().trimmed(), u"1.150,00"_s);
    }
    motor.AplicarSkin(0);
}

TEST_F(TInteresSimpleTest, CadaCajaDespliegaSuCalculadora) {
    dialogo.show();
    for (TSkinCalcEdit* caja : {dialogo.CI, dialogo.IP, dialogo.NP}) {
        const auto* enlace = caja->findChild<EnlaceCalculadora*>();
        ASSERT_NE(enlace, nullptr) << caja->objectName().toStdString();
        caja->BotonDesplegar()->click();
        EXPECT_TRUE(enlace->Abierto()) << caja->objectName().toStdString();
        caja->BotonDesplegar()->click();
        EXPECT_FALSE(enlace->Abierto()) << caja->objectName().toStdString();
    }
    dialogo.hide();
}

struct CasoSimple {
    const char* nombre;
    QString ci, ip, np;
    QString cf, i;
};

class CalculoSimpleTest : public TInteresSimpleTest,
                          public ::testing::WithParamInterface<CasoSimple> {};

TEST_P(CalculoSimpleTest, MuestraCapitalFinalEIntereses) {
    const CasoSimple& caso = GetParam();
    Calcular(caso.ci, caso.ip, caso.np);
    EXPECT_EQ(CF(), caso.cf);
    EXPECT_EQ(I(), caso.i);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, CalculoSimpleTest,
    ::testing::Values(
        CasoSimple{"MilAlCincoTresPeriodos", u"1000"_s, u"5"_s, u"3"_s, u"1.150,00"_s, u"150,00"_s},
        CasoSimple{"PeriodosConDecimalesNoSeTruncan", u"1000"_s, u"5"_s, u"2,5"_s, u"1.125,00"_s,
                   u"125,00"_s},
        CasoSimple{"Negativos", u"-1000"_s, u"5"_s, u"-3"_s, u"-850,00"_s, u"150,00"_s},
        CasoSimple{"SinRedondeoPrevio", u"0,333"_s, u"1,5"_s, u"1"_s, u"0,34"_s, u"0,00"_s},
        CasoSimple{"GrandesConMiles", u"123456789"_s, u"10"_s, u"10"_s, u"246.913.578,00"_s,
                   u"123.456.789,00"_s}),
    [](const ::testing::TestParamInfo<CasoSimple>& info) {
        return std::string(info.param.nombre);
    });

TEST_F(TInteresSimpleTest, ElPuntoPasaAComaEnLaCaja) {
    Calcular(u"1000"_s, u"2.5"_s, u"1"_s);
    EXPECT_EQ(dialogo.IP->text(), u"2,5"_s);
    EXPECT_EQ(I(), u"25,00"_s);

    // 1.000 is not a thousand: the point becomes the decimal comma.
    Calcular(u"1.000"_s, u"10"_s, u"1"_s);
    EXPECT_EQ(dialogo.CI->text(), u"1,000"_s);
    EXPECT_EQ(CF(), u"1,10"_s);
}

TEST_F(TInteresSimpleTest, UnCeroNoCambiaResultadosPeroLimpia) {
    Calcular(u"1000"_s, u"5"_s, u"3"_s);
    for (int caja = 0; caja < 3; ++caja) {
        Calcular(caja == 0 ? u"0"_s : u"2.000"_s, caja == 1 ? u"0.0"_s : u"7"_s,
                 caja == 2 ? u"0"_s : u"4"_s);
        EXPECT_EQ(CF(), u"1.150,00"_s) << "box " << caja;
        EXPECT_EQ(I(), u"150,00"_s) << "box " << caja;
    }
    EXPECT_EQ(dialogo.CI->text(), u"2,000"_s);
    EXPECT_EQ(dialogo.IP->text(), u"7"_s);
}

TEST_F(TInteresSimpleTest, TextoNoNumericoDaElMensajeYConservaResultados) {
    Calcular(u"1000"_s, u"5"_s, u"3"_s);
    const QString casos[][3] = {{u"1000"_s, u"5"_s, u""_s},
                                {u"-"_s, u"5"_s, u"3"_s},
                                {u"1000"_s, u","_s, u"3"_s},
                                {u"1.000.000"_s, u"5"_s, u"3"_s}};
    for (const auto& caso : casos) {
        QString mensaje;
        EsperarMensaje(&mensaje);
        Calcular(caso[0], caso[1], caso[2]);
        EXPECT_EQ(DialogosPendientes(), 0);
        EXPECT_EQ(mensaje, MensajeErrorFormato());
        EXPECT_EQ(mensaje.size(), 206);
        EXPECT_EQ(CF(), u"1.150,00"_s);
        EXPECT_EQ(I(), u"150,00"_s);
    }
}

TEST_F(TInteresSimpleTest, DesbordamientoSeAvisaYNoCambiaNada) {
    Calcular(u"1000"_s, u"5"_s, u"3"_s);
    EsperarMensaje(nullptr);
    Calcular(u"1E4900"_s, u"1E100"_s, u"3"_s);
    EXPECT_EQ(DialogosPendientes(), 0);
    EXPECT_EQ(CF(), u"1.150,00"_s);
    EXPECT_EQ(I(), u"150,00"_s);
}

TEST_F(TInteresSimpleTest, IntroNoCalcula) {
    dialogo.show();
    dialogo.CI->setText(u"1000"_s);
    dialogo.IP->setText(u"5"_s);
    dialogo.NP->setText(u"3"_s);
    for (TSkinCalcEdit* caja : {dialogo.CI, dialogo.IP, dialogo.NP}) {
        caja->setFocus();
        QTest::keyClick(caja, Qt::Key_Return);
        QTest::keyClick(caja, Qt::Key_Enter);
    }
    EXPECT_EQ(CF(), u"0,00"_s);
    dialogo.hide();
}

} // namespace
