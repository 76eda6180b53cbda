// Simple interest dialog: results, and the input rule it shares with the other financial
// dialogs: the cleaning of every box, the message and its order, the silent zero.
#include "TInteresSimple.h"
#include "AyudasPrueba.h"
#include "DialogoInteresPrueba.h"
#include "EnlaceCalculadora.h"
#include "ErrorSumadora.h"
#include "ReglaEntrada.h"

#include <QMessageBox>
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
        caja->BotonDesplegar()->click();
        EXPECT_TRUE(AdjuntarCalculadora(caja)->Abierto()) << caja->objectName().toStdString();
    }
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

// A text that is no number or a result out of range gives a message; a zero in any box stops
// silently. Either way the results stay and every box is cleaned.
TEST_F(InteresSimpleTest, EntradaRechazadaConservaResultadosYLimpia) {
    Calcular(u"1000"_s, u"5"_s, u"3"_s);
    const struct {
        QString ci, ip, np, mensaje; // no message: silent
    } casos[] = {{u"0"_s, u"7"_s, u"4"_s, {}},
                 {u"2.000"_s, u"0.0"_s, u"4"_s, {}},
                 {u"2.000"_s, u"7"_s, u"0"_s, {}},
                 {u"1000"_s, u"5"_s, u""_s, MensajeErrorFormato()},
                 // The later boxes are cleaned too, and a bad text counts before a zero.
                 {u"-"_s, u"5.5"_s, u"3"_s, MensajeErrorFormato()},
                 {u"0"_s, u"abc"_s, u"3"_s, MensajeErrorFormato()},
                 {u"1E4900"_s, u"1E100"_s, u"3"_s, MensajeDesbordamiento()}};
    for (const auto& c : casos) {
        QString mensaje;
        QMessageBox::Icon icono = QMessageBox::NoIcon;
        if (!c.mensaje.isEmpty())
            EsperarMensaje(&mensaje, &icono);
        Calcular(c.ci, c.ip, c.np);
        EXPECT_EQ(mensaje, c.mensaje);
        EXPECT_EQ(icono, c.mensaje.isEmpty()                  ? QMessageBox::NoIcon
                         : c.mensaje == MensajeErrorFormato() ? QMessageBox::Warning
                                                              : QMessageBox::Critical);
        EXPECT_EQ(dialogo.CI->text() + u' ' + dialogo.IP->text(),
                  QString(c.ci + u' ' + c.ip).replace(u'.', u','));
        EXPECT_EQ(CF(), u"1.150,00"_s);
        EXPECT_EQ(I(), u"150,00"_s);
    }
}

} // namespace
