// Simple interest dialog: results, the cleaning of the boxes, the message and the silent zero.
#include "TInteresSimple.h"
#include "AyudasPrueba.h"
#include "DialogoInteresPrueba.h"
#include "EnlaceCalculadora.h"
#include "ErrorSumadora.h"
#include "ReglaEntrada.h"

#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class InteresSimpleTest : public DialogoInteresPrueba<TInteresSimple> {
protected:
    QString I() const { return dialogo.I->Text().trimmed(); }
};

TEST_F(InteresSimpleTest, CadaCajaDespliegaSuCalculadora) {
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

TEST_F(InteresSimpleTest, MuestraCapitalFinalEInteresesConLasCajasLimpias) {
    const struct {
        QString ci, ip, np, cf, i;
    } casos[] = {
        {u"1000"_s, u"5"_s, u"3"_s, u"1.150,00"_s, u"150,00"_s},
        {u"1000"_s, u"5"_s, u"2,5"_s, u"1.125,00"_s, u"125,00"_s}, // periods are not truncated
        {u"-1000"_s, u"5"_s, u"-3"_s, u"-850,00"_s, u"150,00"_s},
        {u"0,333"_s, u"1,5"_s, u"1"_s, u"0,34"_s, u"0,00"_s}, // no rounding before the end
        {u"1000"_s, u"2.5"_s, u"1"_s, u"1.025,00"_s, u"25,00"_s},
        {u"1.000"_s, u"10"_s, u"1"_s, u"1,10"_s, u"0,10"_s}, // 1.000 is one, not a thousand
    };
    for (const auto& c : casos) {
        Calcular(c.ci, c.ip, c.np);
        EXPECT_EQ(CF(), c.cf) << c.ci.toStdString();
        EXPECT_EQ(I(), c.i) << c.ci.toStdString();
        EXPECT_EQ(dialogo.CI->text() + u' ' + dialogo.IP->text(),
                  QString(c.ci + u' ' + c.ip).replace(u'.', u','));
    }
}

TEST_F(InteresSimpleTest, UnCeroNoCambiaResultadosPeroLimpia) {
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

TEST_F(InteresSimpleTest, TextoNoNumericoODesbordamientoDaMensajeYConservaResultados) {
    Calcular(u"1000"_s, u"5"_s, u"3"_s);
    const struct {
        QString ci, ip, np, mensaje;
    } casos[] = {{u"1000"_s, u"5"_s, u""_s, MensajeErrorFormato()},
                 {u"-"_s, u"5"_s, u"3"_s, MensajeErrorFormato()},
                 {u"1000"_s, u","_s, u"3"_s, MensajeErrorFormato()},
                 {u"1.000.000"_s, u"5"_s, u"3"_s, MensajeErrorFormato()},
                 {u"1E4900"_s, u"1E100"_s, u"3"_s, MensajeDesbordamiento()}};
    for (const auto& c : casos) {
        QString mensaje;
        EsperarMensaje(&mensaje);
        Calcular(c.ci, c.ip, c.np);
        EXPECT_EQ(DialogosPendientes(), 0);
        EXPECT_EQ(mensaje, c.mensaje);
        EXPECT_EQ(CF(), u"1.150,00"_s);
        EXPECT_EQ(I(), u"150,00"_s);
    }
}

TEST_F(InteresSimpleTest, IntroNoCalcula) {
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
