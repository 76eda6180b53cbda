// Tests of the paper tape: the lines each key sequence prints, the running total and its
// state, the registers it refreshes, arithmetic faults, and the list that shows the lines.
#include "TZURCuenta.h"
#include "ErrorSumadora.h"
#include "FuncionesCientificas.h"
#include "TZURLabelNumber.h"

#include "AyudasPrueba.h"

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <map>
#include <memory>
#include <sstream>
#include <string>

using namespace Qt::StringLiterals;

namespace {

constexpr long double N = std::numeric_limits<long double>::quiet_NaN(); // not checked

struct Caso {
    const char* nombre;
    // Keys, blank-separated: a number is a finished value shown in the entry register;
    // "d7" types the digit 7 and "," the decimal point; "+ - * /" the operators, "=" Intro,
    // "x2" "x3" the square and cube, "^" the power of the entry; "I" Inicializar, "L"
    // Limpiar; "fG", "fF3", "fN2" switch to general, fixed and grouped formats.
    const char* teclas;
    const char16_t* lineas; // as for Lineas()
    long double valor;
    const char* operador;
    bool activo;
    long double dato = N;        // value of the entry register afterwards
    long double total = N;       // value of the total register afterwards
    int editando = -1;           // entry register still keying a number (0/1)
    const char* error = nullptr; // message the last key must throw
};

class PruebaCuenta : public ::testing::Test {
protected:
    PruebaCuenta() {
        cuenta.setXDato(&datos);
        cuenta.setXTotal(&total);
        cuenta.setCaracteresLinea(22);
    }

    void Pulsar(const std::string& t) {
        static const std::map<std::string, void (TZURCuenta::*)()> operaciones = {
            {"+", &TZURCuenta::Sumar},       {"-", &TZURCuenta::Restar},
            {"*", &TZURCuenta::Multiplicar}, {"/", &TZURCuenta::Dividir},
            {"=", &TZURCuenta::Intro},       {"x2", &TZURCuenta::AlCuadrado},
            {"x3", &TZURCuenta::AlCubo},     {"I", &TZURCuenta::Inicializar},
            {"L", &TZURCuenta::Limpiar}};
        if (const auto op = operaciones.find(t); op != operaciones.end())
            (cuenta.*op->second)();
        else if (t == "^")
            cuenta.ElevarA(datos.Valor());
        else if (t == ",")
            datos.PuntoDecimal();
        else if (t == "fG")
            cuenta.setFormatoGeneral(true);
        else if (t[0] == 'd')
            datos.AgregarDigito(t[1] - '0');
        else if (t[0] == 'f') {
            cuenta.setFormatoGeneral(false);
            cuenta.setSeparadorMiles(t[1] == 'N');
            cuenta.setDecimales(std::atoi(t.c_str() + 2));
        } else {
            char* fin = nullptr;
            const long double v = std::strtold(t.c_str(), &fin);
            ASSERT_EQ(*fin, '\0') << "unknown key " << t;
            datos.MostrarResultado(v);
        }
    }

    // Runs the event loop until the list shows every line, scrolled to the newest.
    bool EsperarLista() {
        const QScrollBar* barra = cuenta.verticalScrollBar();
        return QTest::qWaitFor(
            [&] {
                return cuenta.model()->rowCount() == cuenta.CantidadLineas() &&
                       barra->value() == barra->maximum();
            },
            60'000);
    }

    TZURLabelNumber datos;
    TZURLabelNumber total;
    TZURCuenta cuenta;
};

class SecuenciasCuenta : public PruebaCuenta, public ::testing::WithParamInterface<Caso> {};

TEST_P(SecuenciasCuenta, LineasTotalYEstado) {
    const Caso& c = GetParam();
    std::istringstream teclas(c.teclas);
    QString mensaje; // only the last key may throw
    try {
        for (std::string t; teclas >> t;)
            Pulsar(t);
    } catch (const ErrorSumadora& e) {
        mensaje = teclas.eof() ? e.Mensaje() : u"not on the last key"_s;
    }
    EXPECT_EQ(mensaje, QString::fromUtf8(c.error ? c.error : ""));

    EXPECT_EQ(cuenta.Lineas(), Lineas(QString::fromUtf16(c.lineas)));
    EXPECT_EQ(cuenta.Valor(), c.valor);
    EXPECT_EQ(cuenta.Operador(), QString::fromUtf8(c.operador));
    EXPECT_EQ(cuenta.OperadorActivo(), c.activo);
    EXPECT_TRUE(std::isnan(c.dato) || datos.Valor() == c.dato) << "entry " << datos.Valor();
    EXPECT_TRUE(std::isnan(c.total) || total.Valor() == c.total) << "total " << total.Valor();
    EXPECT_TRUE(c.editando < 0 || datos.Editando() == (c.editando == 1)) << "entry state";
}

const char* const Desbordamiento = "Desbordamiento en operación de coma flotante.";
const char* const NoValida = "Operación de coma flotante no válida.";

const Caso Casos[] = {
    // Adding-machine logic and totals.
    {"EjemploCompleto", "5 + 3 + 2 * =", u"5 +|3 +|8 =|2 *|---|16 T||", 16, " ", false, 16, 16},
    {"MultiplicarPrimeroConCintaParada", "5 *", u"5 *", 0, "*", true, 5, 0},
    {"ProductoTecleadoComoSumaYPor", "5 + 3 *", u"5 +|5 =|3 *", 15, "*", true, 3, 15},
    {"RestaYDivision", "10 + 4 - 2 /", u"10 +|4 -|6 =|2 /", 3, "/", true, 2, 3},
    {"DivisionesSeguidasSinSubtotal", "10 + 2 / 5 /", u"10 +|10 =|2 /|5 /", 1, "/", true},
    {"SumaTrasProductoEscribeSubtotal", "2 + 3 * 1 -", u"2 +|2 =|3 *|6 =|1 -", 5, "-", true},
    {"IgualNoTomaElNumeroTecleado", "5 + d3 =", u"5 +|---|5 T||", 5, " ", false, 5, 5, 0},
    {"TotalEntraComoPrimerSumando", "7 = = =", u"7 +|---|7 T|||7 +", 7, "+", true, 7, 7},
    {"IgualConCintaParadaYDatoCeroNoEscribe", "0 =", u"", 0, " ", false, 0, 0},

    // Zero operands.
    {"CeroConCintaParadaSoloPoneACero", "5 + = 0 +", u"5 +|---|5 T||", 0, " ", false, 0, 0},
    {"CeroEnMitadNoEscribeNiDivide", "5 + 0 * 0 /", u"5 +", 5, "+", true, 0, 5},

    // Powers.
    {"CuadradoConCintaParadaNoRefresca", "5 + = d7 x2", u"5 +|---|5 T||", 0, " ", false, 7, 5, 1},
    {"CuadradosYCubo", "4 + x2 x2 x3", u"4 +|4 =|2 ^|2 ^|256 =|3 ^", 16777216, "3", true, 4,
     16777216},
    {"DosPotenciasSeguidas", "2 + 3 ^ 2 ^", u"2 +|2 =|3 ^|8 =|2 ^", 64, "^", true, 2, 64},
    {"PotenciaDeExponenteCeroNoHaceNada", "2 + d0 ^", u"2 +", 2, "+", true, 0, 2, 1},
    {"CuboDeUnNegativo", "-2 + x3", u"-2 +|-2 =|3 ^", -8, "3", true, -2, -8},
    // Through logarithms the root need not be exactly 3: the tape keeps what Potencia gives.
    {"PotenciaFraccionaria", "9 + 0.5 ^", u"9 +|9 =|0,5 ^", cientificas::Potencia(9, 0.5L), "^",
     true, 0.5L, cientificas::Potencia(9, 0.5L)},
    {"SumaTrasCuadradoEscribeSubtotal", "3 + x2 4 +", u"3 +|3 =|2 ^|9 =|4 +", 13, "+", true},
    {"SumaTrasCuboNoEscribeSubtotal", "2 + x3 1 +", u"2 +|2 =|3 ^|1 +", 9, "+", true},
    {"CuadradoTrasProductoEscribeSubtotal", "2 + 3 * x2", u"2 +|2 =|3 *|6 =|2 ^", 36, "2", true},

    // Clearing.
    {"LimpiarEnMitadDeProducto", "4 + 5 * L 5 +", u"0 =|5 +", 5, "+", true, 5, 5},
    {"InicializarMantieneLaCuentaAbierta", "5 + I 3 + =", u"5 +|3 +|---|3 T||", 3, " ", false, 3,
     3},

    // Number formats.
    {"NumeroAnchoNoSeCorta", "fF6 12345678901234567 +", u"12345678901234567,000000 +",
     12345678901234567.0L, "+", true},
    {"FijoConMiles", "fN3 1234567.5 + -2000 +", u"1.234.567,500 +|-2.000,000 +", 1232567.5L, "+",
     true},
    {"CambioDeFormatoSoloParaLineasNuevas", "1.5 + fF2 2 + fG 3 +", u"1,5 +|2,00 +|3 +", 6.5L, "+",
     true},
    {"MilesNoCuentanEnFormatoGeneral", "fN2 fG 1234.5 +", u"1234,5 +", 1234.5L, "+", true},

    // Arithmetic faults: nothing changes but a subtotal line already printed.
    {"DesbordamientoAlSumar", "1e4932 + 1e4932 +", u"1E4932 +", 1e4932L, "+", true, N, 1e4932L, -1,
     Desbordamiento},
    {"DesbordamientoNoTerminaElNumeroTecleado", "1e4932 + d9 *", u"1E4932 +|1E4932 =", 1e4932L, "+",
     true, 9, 1e4932L, 1, Desbordamiento},
    {"DesbordamientoAlCuadrado", "5 + = 1e3000 + x2", u"5 +|---|5 T|||1E3000 +|1E3000 =", 1e3000L,
     "+", true, 1e3000L, 1e3000L, -1, Desbordamiento},
    {"PotenciaFraccionariaDeNegativo", "-8 + d0 , d5 ^", u"-8 +|-8 =", -8, "+", true, 0.5L, -8, 1,
     NoValida},
    {"DesbordamientoTrasCuadradoYaHecho", "1e2000 + x2 x3", u"1E2000 +|1E2000 =|2 ^|1E4000 =",
     1e2000L * 1e2000L, "2", true, N, 1e2000L * 1e2000L, -1, Desbordamiento},
};

INSTANTIATE_TEST_SUITE_P(Cuenta, SecuenciasCuenta, ::testing::ValuesIn(Casos),
                         [](const ::testing::TestParamInfo<Caso>& info) {
                             return std::string(info.param.nombre);
                         });

// The short forms pinned once against a literal line; the separator at any width; free
// text and blank lines leave the total alone.
TEST_F(PruebaCuenta, LineasLiteralesSeparadorYTextoLibre) {
    EXPECT_EQ(Lineas(u"16 T"_s), QStringList{u"                    16 T"_s});
    for (int ancho : {3, 1, 0}) {
        cuenta.setCaracteresLinea(ancho);
        cuenta.AgregarSeparador();
    }
    cuenta.setCaracteresLinea(22);
    cuenta.AgregarTexto(u"  NIF: 12345678Z"_s);
    cuenta.AgregarLineasEnBlanco(-3);
    cuenta.AgregarLineasEnBlanco(2);
    cuenta.AgregarLinea(u" %"_s, 15);
    cuenta.AgregarSeparador();
    EXPECT_EQ(cuenta.Lineas().join(u'|'),
              u" --| | |  NIF: 12345678Z|||                    15 %| ---------------------"_s);
    EXPECT_EQ(cuenta.Valor(), 0);
    EXPECT_EQ(cuenta.Operador(), u" "_s);
}

TEST_F(PruebaCuenta, ValoresDirectosYRegistroDestruido) {
    cuenta.setXDato(nullptr);
    cuenta.setXTotal(nullptr);
    cuenta.setValor(99);
    cuenta.Sumar(); // no operand source: nothing applied, not even the reset
    cuenta.Intro(); // idle: acts as Sumar, which has nothing to apply
    EXPECT_EQ(cuenta.Valor(), 99);
    cuenta.SumarValor(6);
    cuenta.AlCuadrado();
    cuenta.DividirValor(4);
    cuenta.Intro();
    EXPECT_EQ(cuenta.Lineas(), Lineas(u"6 +|6 =|2 ^|36 =|4 /|---|9 T||"_s));
    EXPECT_EQ(cuenta.Valor(), 9);

    auto efimero = std::make_unique<TZURLabelNumber>();
    efimero->MostrarResultado(3);
    cuenta.setXDato(efimero.get());
    cuenta.Sumar();
    efimero.reset();
    EXPECT_EQ(cuenta.XDato(), nullptr);
    cuenta.Sumar();
    cuenta.Intro();
    EXPECT_EQ(cuenta.Lineas().mid(9), Lineas(u"3 +|---|3 T||"_s));
}

TEST_F(PruebaCuenta, CargarTextoNoTocaTotalNiEstado) {
    for (const char* t : {"4", "+", "5", "*"})
        Pulsar(t);
    const QStringList archivo = {u"texto cualquiera"_s, QString(), u"   12 +"_s, QString()};
    cuenta.CargarTexto(TextoLineas(archivo));
    cuenta.show(); // the list shows the loaded lines, then the new ones
    Pulsar("=");   // the total of the open product, 4 * 5
    EXPECT_EQ(cuenta.Lineas(), archivo + Lineas(u"---|20 T||"_s));
    ASSERT_TRUE(EsperarLista());
    EXPECT_EQ(cuenta.model()->data(cuenta.model()->index(0, 0), Qt::AccessibleTextRole),
              archivo[0]);
    cuenta.CargarTexto(TextoLineas());
    EXPECT_EQ(cuenta.model()->rowCount(), 0);
}

// Lines typed one by one repaint only what changed: what the screen then shows is the list
// painted whole, also under a look whose rounded border reaches into the list. The newest
// line is in view after each append, also after a total's several lines and on a long tape,
// which is laid out less often.
TEST_F(PruebaCuenta, LaUltimaLineaALaVistaYLoPintadoEsLaListaEntera) {
    cuenta.setStyleSheet(u"TZURCuenta { background: #1b1224; color: #f0ffd0; "
                         "border: 1px solid #7d55a3; border-radius: 6px; }"_s);
    cuenta.resize(240, 160);
    cuenta.show();
    auto enPantalla = [this] {
        return cuenta.screen()
            ->grabWindow(cuenta.winId())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    };
    auto entera = [this] { return cuenta.grab().toImage().convertToFormat(QImage::Format_RGB32); };
    auto ultimaVisible = [this] {
        const int n = cuenta.CantidadLineas();
        return EsperarLista() && cuenta.viewport()->rect().contains(
                                     cuenta.visualRect(cuenta.model()->index(n - 1, 0)));
    };
    for (int i = 1; i <= 30; ++i) {
        cuenta.AgregarLinea(u" +"_s, i);
        ASSERT_TRUE(EsperarLista());
        QCoreApplication::processEvents();
        if (i == 5 || i == 30) {
            EXPECT_EQ(enPantalla(), entera()) << i << " lines";
        }
    }
    for (int i = 31; i <= 300; ++i)
        cuenta.AgregarLinea(u" +"_s, i);
    EXPECT_TRUE(ultimaVisible());
    cuenta.Intro();
    EXPECT_TRUE(ultimaVisible());
    cuenta.setAlturaLinea(20);
    EXPECT_EQ(cuenta.visualRect(cuenta.model()->index(1, 0)).top() -
                  cuenta.visualRect(cuenta.model()->index(0, 0)).top(),
              20);

    for (int i = 0; i < 200'000; ++i)
        cuenta.AgregarTexto(u"                  1234 +"_s);
    ASSERT_TRUE(EsperarLista());
    for (int tecla = 1; tecla <= 3; ++tecla) {
        cuenta.AgregarLinea(u" +"_s, tecla);
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(ultimaVisible());
    EXPECT_EQ(cuenta.Linea(cuenta.CantidadLineas() - 1), u"                     3 +"_s);
}

// The pointer picks tape lines for the tape's menu: a click one line, Shift+click the lines
// from it, a drag the lines it crosses.
TEST_F(PruebaCuenta, ElPunteroEligeLineas) {
    cuenta.resize(240, 160);
    cuenta.show();
    for (int i = 1; i <= 30; ++i)
        cuenta.AgregarLinea(u" +"_s, i);
    ASSERT_TRUE(EsperarLista());
    const auto centro = [this](int fila) {
        return cuenta.visualRect(cuenta.model()->index(fila, 0)).center();
    };
    const auto elegidas = [this] {
        QList<int> filas;
        for (const QModelIndex& i : cuenta.selectionModel()->selectedRows())
            filas << i.row();
        std::sort(filas.begin(), filas.end());
        return filas;
    };
    QTest::mouseClick(cuenta.viewport(), Qt::LeftButton, {}, centro(25));
    EXPECT_EQ(elegidas(), QList<int>{25});
    QTest::mouseClick(cuenta.viewport(), Qt::LeftButton, Qt::ShiftModifier, centro(28));
    EXPECT_EQ(elegidas(), (QList<int>{25, 26, 27, 28}));
    QTest::mousePress(cuenta.viewport(), Qt::LeftButton, {}, centro(22));
    QMouseEvent arrastre(QEvent::MouseMove, centro(24), cuenta.viewport()->mapToGlobal(centro(24)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(cuenta.viewport(), &arrastre);
    QTest::mouseRelease(cuenta.viewport(), Qt::LeftButton, {}, centro(24));
    EXPECT_EQ(elegidas(), (QList<int>{22, 23, 24}));
    // Scrolling to a line, as the view does for the line under the pointer.
    const auto aLaVista = [this](int fila, QAbstractItemView::ScrollHint como) {
        cuenta.scrollTo(cuenta.model()->index(fila, 0), como);
        return cuenta.viewport()->rect().contains(
            cuenta.visualRect(cuenta.model()->index(fila, 0)));
    };
    EXPECT_TRUE(aLaVista(0, QAbstractItemView::EnsureVisible));
    EXPECT_TRUE(aLaVista(29, QAbstractItemView::EnsureVisible));
    EXPECT_TRUE(aLaVista(3, QAbstractItemView::PositionAtTop));
    EXPECT_TRUE(aLaVista(15, QAbstractItemView::PositionAtCenter));
}

} // namespace
