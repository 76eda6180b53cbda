// The main window's function keys as a user presses them: IVA on the running total, the NIF
// letter, the entry's functions, constants and currency conversions, the trigonometric page
// and its angle unit, and the overflows that end up in a message box.
#include "VentanaPrueba.h"

#include "AyudasPrueba.h"
#include "ClavesAjustes.h"
#include "FuncionesCientificas.h"

#include <QAbstractButton>

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

using FuncionesTest = VentanaPrueba;

TEST_P(SecuenciaPrueba, EscribeLasLineasYCambiaElTotal) {
    Pulsar(QString::fromUtf16(GetParam().teclas));
    ComprobarResultado();
}

const Secuencia Casos[] = {
    {"MenosIVA", u"116 + BotonMenosIVA", u"116 +|116 =|-16 %|16 -", u"116", u"100"},
    // The words at start give way to the values shown.
    {"MasIVAEnVentanaNueva", u"BotonMasIVA", u"16 %|0 +", u"0", u"0"},
    {"MasIVATrasUnTotal", u"100 = = BotonMasIVA", u"100 +|---|100 T|||16 %|16 +", u"100", u"116"},
    {"SegundoIVAEscribeElSubtotal", u"100 + BotonMasIVA BotonMasIVA",
     u"100 +|100 =|16 %|16 +|116 =|16 %|18,56 +", u"100", u"134,56"},
    // The number keyed after the operator is not used, but its entry ends.
    {"NoUsaElDato", u"100 + 50 BotonMasIVA", u"100 +|100 =|16 %|16 +", u"50", u"116"},
    {"LaCuentaSigueAbierta", u"100 + BotonMasIVA 4 + Total",
     u"100 +|100 =|16 %|16 +|4 +|---|120 T||", u"120", u"120"},
    // Neither key opens or closes the calculation: "+" after them starts anew or goes on.
    {"TrasUnTotalLaCuentaSigueCerrada", u"100 = = BotonMasIVA 4 +",
     u"100 +|---|100 T|||16 %|16 +|4 +", u"4", u"4"},
    {"Pi", u"12 BotonValorPI", u"", u"3,14159265358979324", u"TOTAL"},
    {"E", u"BotonValorE", u"", u"2,71828182845905", u"TOTAL"},
    // The NIF line and an empty one, the digits ending in the 22nd column, or "ERROR" and
    // nothing printed; an open calculation goes on.
    {"NIFOchoCifras", u"12345678 BotonNIF", u"12345678-Z|", u"12345678", u"0"},
    {"NIFVeintidos", u"22 BotonNIF", u"22-E|", u"22", u"0"},
    {"NIFVeintitresEsComoCero", u"23 BotonNIF", u"23-T|", u"23", u"0"},
    {"NIFSoloLaParteEntera", u"1234567 . 9 BotonNIF", u"1234567-L|", u"1234567,9", u"0"},
    {"NIFElMayorConLetra", u"2147483647 BotonNIF", u"2147483647-M|", u"2147483647", u"0"},
    // Truncation towards zero makes any entry above -1 the number 0.
    {"NIFMenosMedioEsCero", u"0 . 5 ± BotonNIF", u"0-T|", u"-0,5", u"0"},
    {"NIFDosALaTreintaYUno", u"2147483648 BotonNIF", u"", u"ERROR", u"TOTAL"},
    {"NIFEnMediaCuenta", u"5 + 12345678 BotonNIF 3 + Total", u"5 +|12345678-Z||3 +|---|8 T||", u"8",
     u"8"},
    // A NIF "ERROR" keeps the old value, and the next operation uses it.
    {"NIFSinLetraDejaElValor", u"5 ± BotonNIF +", u"-5 +", u"ERROR", u"-5"},
};

INSTANTIATE_TEST_SUITE_P(Teclas, SecuenciaPrueba, ::testing::ValuesIn(Casos), NombreSecuencia);

// An arithmetic fault stops the key at the step where it happens: the lines printed before
// stay, the total, its code and the total register do not change, and an error message tells
// why.
TEST_F(FuncionesTest, FalloEnElIVAOElPorcentajeAvisaYDejaElTotal) {
    const struct {
        const char* nombre;
        long double tipo, total;
        const char16_t *operador, *teclas;
        int lineas;                        // printed before the fault
        const char16_t* mensaje = nullptr; // the overflow's unless given
    } casos[] = {{"MasIVADesbordaElTotal", 16, LDBL_MAX / 1.1L, u"+", u"BotonMasIVA", 3},
                 {"MasIVADesbordaLaCuota", 1000, LDBL_MAX / 2, u"+", u"BotonMasIVA", 2},
                 {"MenosIVAConTipoMenos100", -100, 50, u"+", u"BotonMenosIVA", 2},
                 {"PorcentajeDesbordaElProducto", 16, LDBL_MAX / 2, u"+", u"50 %", 2},
                 {"MenosIVAConTipoMenos100YTotalCero", -100, 0, u" ", u"BotonMenosIVA", 1,
                  u"Operación de coma flotante no válida."}};
    for (const auto& f : casos) {
        SCOPED_TRACE(f.nombre);
        Reiniciar();
        const QString operador = QString::fromUtf16(f.operador);
        V().TipoIVA = f.tipo;
        V().Cuenta->setValor(f.total);
        V().Cuenta->setOperador(operador);
        V().Cuenta->setOperadorActivo(operador != u" "_s);
        V().Operandos->MostrarResultado(f.total);
        const QString textoTotal = Texto(V().Operandos);
        QString mensaje;
        QMessageBox::Icon icono = QMessageBox::NoIcon;
        EsperarMensaje(&mensaje, &icono);
        Pulsar(QString::fromUtf16(f.teclas));
        EXPECT_EQ(mensaje, f.mensaje ? QString::fromUtf16(f.mensaje) : Desbordamiento);
        EXPECT_EQ(icono, QMessageBox::Critical);
        EXPECT_EQ(Cinta().size(), f.lineas);
        EXPECT_EQ(V().Cuenta->Valor(), f.total);
        EXPECT_EQ(V().Cuenta->Operador(), operador);
        EXPECT_EQ(Texto(V().Operandos), textoTotal);
    }
}

// Each function key applies its own function to the entry, in the angle unit for the
// trigonometric ones, and leaves the tape alone; the functions are tested where they are written.
TEST_F(FuncionesTest, CadaTeclaDeFuncionLaSuya) {
    namespace F = cientificas;
    const struct {
        const char* boton;
        long double (*funcion)(long double);
        bool angular = true;
    } teclas[] = {{"BotonFactorial", F::Factorial, false},
                  {"BotonInverso", F::Inverso, false},
                  {"BotonRaizCuadrada", F::RaizCuadrada, false},
                  {"BotonLogaritmoBase10", F::LogaritmoBase10, false},
                  {"BotonLogaritmoNatural", F::LogaritmoNatural, false},
                  {"BotonSeno", F::Seno},
                  {"BotonCoseno", F::Coseno},
                  {"BotonTangente", F::Tangente},
                  {"BotonCotangente", F::Cotangente},
                  {"BotonArcoSeno", F::ArcoSeno},
                  {"BotonArcoCoseno", F::ArcoCoseno},
                  {"BotonArcoTangente", F::ArcoTangente},
                  {"BotonSenoHiperbolico", F::SenoHiperbolico},
                  {"BotonCosenoHiperbolico", F::CosenoHiperbolico},
                  {"BotonTangenteHiperbolica", F::TangenteHiperbolica},
                  {"BotonArcoSenoHiperbolico", F::ArcoSenoHiperbolico},
                  {"BotonArcoCosenoHiperbolico", F::ArcoCosenoHiperbolico},
                  {"BotonArcoTangenteHiperbolica", F::ArcoTangenteHiperbolica}};
    for (const auto& t : teclas) {
        SCOPED_TRACE(t.boton);
        Reiniciar();
        Pulsar(u"TRIG 0 . 7"_s);
        const long double entrada = V().Datos->Valor();
        Pulsar(QString::fromUtf8(t.boton));
        const long double r = t.funcion(t.angular ? F::ArgumentoAngular(entrada, acDEG) : entrada);
        if (std::isfinite(r))
            EXPECT_EQ(V().Datos->Valor(), r);
        else
            EXPECT_EQ(Texto(V().Datos), u"ERROR"_s);
        EXPECT_TRUE(Cinta().isEmpty());
        EXPECT_EQ(Texto(V().Operandos), u"TOTAL"_s);
    }
}

// At start the first unit stored true wins (with none, degrees): its box is checked and the
// file is left with it alone. A unit box then rewrites the stored section and governs the next
// sine (of the entry in the new unit) but leaves the entry as it was.
TEST_F(FuncionesTest, UnidadAlEmpezarYCambioDeUnidad) {
    namespace C = ClavesAjustes;
    const struct {
        bool deg, rad, grad; // stored before the start
        TAngularConversion conversion;
        const C::Clave<bool>&inicial, &nueva;
        const char* entrada;
        long double seno;
    } casos[] = {{false, false, true, acGRAD, C::Centesimales, C::Grados, "90", 1},
                 {false, true, true, acRAD, C::Radianes, C::Centesimales, "50", std::sqrt(0.5L)},
                 {true, true, true, acDEG, C::Grados, C::Radianes, "30", std::sin(30.0L)},
                 {false, true, false, acRAD, C::Radianes, C::Grados, "30", 0.5L},
                 {false, false, false, acDEG, C::Grados, C::Grados, "30", 0.5L}};
    for (const auto& c : casos) {
        SCOPED_TRACE(::testing::Message() << c.deg << c.rad << c.grad);
        const QString inicial = c.inicial.Nombre.toString(), nueva = c.nueva.Nombre.toString();
        Ajustes.Escribir({C::Escritura(C::Grados, c.deg), C::Escritura(C::Radianes, c.rad),
                          C::Escritura(C::Centesimales, c.grad)});
        Reiniciar();
        EXPECT_EQ(V().Datos->ConversionAngular(), c.conversion);
        EXPECT_TRUE(V().findChild<QAbstractButton*>(u"Check"_s + inicial)->isChecked());
        EXPECT_EQ(UnidadGuardada(), inicial);
        Pulsar(u"TRIG "_s + QString::fromUtf8(c.entrada));
        const QStringList antes = Estado(V());
        Clic(u"Check"_s + nueva);
        EXPECT_EQ(Estado(V()), antes);
        EXPECT_EQ(UnidadGuardada(), nueva);
        Pulsar(u"BotonSeno"_s);
        EXPECT_NEAR(double(V().Datos->Valor()), double(c.seno), 1e-15);
    }
}

} // namespace
