// The input rule of the financial dialogs: Spanish number texts, the cleaning of the boxes,
// the fixed message and the silent stop on a zero.
#include "ReglaEntrada.h"
#include "AyudasPrueba.h"
#include "CajasEntrada.h"

#include <QLineEdit>

#include <gtest/gtest.h>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

struct CasoReal {
    const char* nombre;
    QString texto;
    std::optional<long double> valor;
};

class ConvertirRealTest : public ::testing::TestWithParam<CasoReal> {};

TEST_P(ConvertirRealTest, LeeElTextoConLasReglasEspanolas) {
    const CasoReal& caso = GetParam();
    const std::optional<long double> valor = ConvertirReal(caso.texto);
    ASSERT_EQ(valor.has_value(), caso.valor.has_value()) << caso.texto.toStdString();
    if (valor) {
        EXPECT_EQ(*valor, *caso.valor) << caso.texto.toStdString();
    }
}

const std::nullopt_t No = std::nullopt;
const CasoReal kCasos[] = {{"Entero", u"1000"_s, 1000.0L},
                           {"DecimalesExactosEnLongDouble", u"0,1"_s, 0.1L},
                           {"BlancosAlrededor", u"  12,25  "_s, 12.25L},
                           {"SignoMenos", u"-3"_s, -3.0L},
                           {"SignoMas", u"+3"_s, 3.0L},
                           {"ComaAlPrincipio", u",5"_s, 0.5L},
                           {"ComaAlFinal", u"5,"_s, 5.0L},
                           {"Exponente", u"1,5E3"_s, 1500.0L},
                           {"ExponenteMinusculaNegativo", u"25e-1"_s, 2.5L},
                           {"Vacio", u""_s, No},
                           {"MenosSolo", u"-"_s, No},
                           {"ComaSola", u","_s, No},
                           {"DosComas", u"1,000,5"_s, No},
                           {"PuntoDeMiles", u"1.000"_s, No},
                           {"BlancoEnMedio", u"1 000"_s, No},
                           {"ExponenteSinCifras", u"1E"_s, No},
                           {"Infinito", u"inf"_s, No},
                           {"NoEsNumero", u"nan"_s, No},
                           {"Hexadecimal", u"0x10"_s, No},
                           {"FueraDeRango", u"1E5000"_s, No}};
INSTANTIATE_TEST_SUITE_P(Textos, ConvertirRealTest, ::testing::ValuesIn(kCasos),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST(MensajeErrorFormatoTest, EsElTextoFijoDe206Caracteres) {
    const QString m = MensajeErrorFormato();
    EXPECT_EQ(m.size(), 206);
    EXPECT_TRUE(
        m.startsWith(u"Error en el formato de números.\r\n\rCompruebe que se ha escrito"_s));
    EXPECT_TRUE(m.endsWith(u"generalmente suele ser el caracter <coma>."_s));
}

// Three plain boxes standing for a dialog's inputs.
class AplicarReglaEntradaTest : public ::testing::Test {
protected:
    QWidget ventana;
    QLineEdit* a = new QLineEdit(&ventana);
    QLineEdit* b = new QLineEdit(&ventana);
    QLineEdit* c = new QLineEdit(&ventana);

    void Escribir(const QString& ta, const QString& tb, const QString& tc) {
        a->setText(ta);
        b->setText(tb);
        c->setText(tc);
    }
};

// Sound numbers go on; any bad text stops with one message, before a zero is looked at; a zero
// stops silently (a stray message fails the test).
TEST_F(AplicarReglaEntradaTest, SigueParaConUnMensajeOParaEnSilencio) {
    const struct {
        const char16_t *a, *b, *c;
        bool sigue, mensaje;
    } casos[] = {{u"1000", u"3", u"5", true, false},
                 {u"", u"-", u",", false, true},
                 {u"0", u"abc", u"5", false, true},
                 {u"1000", u"0,0", u"5", false, false},
                 {u"1000", u"3", u"-0", false, false}};
    for (const auto& caso : casos) {
        Escribir(QString::fromUtf16(caso.a), QString::fromUtf16(caso.b),
                 QString::fromUtf16(caso.c));
        if (caso.mensaje)
            EsperarMensaje(nullptr);
        EXPECT_EQ(AplicarReglaEntrada(&ventana, {a, b, c}, {a, c, b}), caso.sigue);
        EXPECT_EQ(DialogosPendientes(), 0);
    }
}

TEST_F(AplicarReglaEntradaTest, LimpiaTodasLasCajasAntesDeComprobar) {
    // The first box fails, yet the later ones are cleaned and put back all the same.
    Escribir(u"x.1.2"_s, u"2.5"_s, u"1.000"_s);
    QString texto;
    QMessageBox::Icon icono = QMessageBox::NoIcon;
    EsperarMensaje(&texto, &icono);
    EXPECT_FALSE(AplicarReglaEntrada(&ventana, {a, b, c}, {a, b, c}));
    EXPECT_EQ(DialogosPendientes(), 0);
    EXPECT_EQ(texto, MensajeErrorFormato());
    EXPECT_EQ(icono, QMessageBox::Warning);
    EXPECT_EQ(a->text(), u"x,1,2"_s);
    EXPECT_EQ(b->text(), u"2,5"_s);
    EXPECT_EQ(c->text(), u"1,000"_s);
    EXPECT_EQ(ValorCaja(c), 1.0L);
}

} // namespace
