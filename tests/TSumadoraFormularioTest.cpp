// The main window as a user works it: key sequences on the keypad and the tape they print,
// the memories, the side panel, the settings read and written at start, and a tape named on
// the command line.
#include "VentanaPrueba.h"

#include "AyudasPrueba.h"

#include <QAbstractButton>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

#include <cfloat>

using namespace Qt::StringLiterals;

namespace {

using VentanaTest = VentanaPrueba;

TEST_P(SecuenciaPrueba, ImprimeLaCintaYMuestraLosRegistros) {
    Pulsar(QString::fromUtf16(GetParam().teclas));
    ComprobarResultado();
}

const Secuencia Secuencias[] = {
    {"PorcentajeDelTotal", u"200 + 15 %", u"200 +|200 =|15 %", u"15", u"30"},
    {"ProductoYPorcentaje", u"4 + 50 * 10 %", u"4 +|4 =|50 *|200 =|10 %", u"10", u"20"},
    {"ElevarALaY", u"2 + 3 X^Y", u"2 +|2 =|3 ^", u"3", u"8"},
    {"BorrarOperacionGuardaElOperador", u"5 + 2 * C 3 +", u"5 +|5 =|2 *|0 =|3 +", u"3", u"3"},
    {"RestaYDivision", u"9 + 4 - 2 ÷ Total", u"9 +|4 -|5 =|2 /|---|2,5 T||", u"2,5", u"2,5"},
    {"CuboTrasDosCuadrados", u"4 + X² X² X³", u"4 +|4 =|2 ^|2 ^|256 =|3 ^", u"4", u"16777216"},
    {"NumerosConDecimales", u"1 . 5 + 2 . 2 5 + Total", u"1,5 +|2,25 +|---|3,75 T||", u"3,75",
     u"3,75"},
    {"BorrarDatoNoTocaLaCuenta", u"5 + 7 CE 3 + Total", u"5 +|3 +|---|8 T||", u"8", u"8"},
    {"SegundoPorcentajeEscribeElSubtotal", u"15 % %", u"15 %|0 =|15 %", u"15", u"0"},
    {"PorcentajeDelTotalImpreso", u"200 = = 10 %", u"200 +|---|200 T|||10 %", u"10", u"20"},
    // "%" neither opens nor closes the calculation.
    {"PorcentajeDejaLaCuentaCerrada", u"200 = = 10 % 5 +", u"200 +|---|200 T|||10 %|5 +", u"5",
     u"5"},
    {"PorcentajeDejaLaCuentaAbierta", u"200 + 10 % 5 +", u"200 +|200 =|10 %|5 +", u"5", u"25"},
    {"CuadradoTrasUnTotalPoneElTotalACero", u"5 = = X² 10 %", u"5 +|---|5 T|||10 %", u"10", u"0"},
    {"DobleCero", u"5 00 +", u"500 +", u"500", u"500"},
    {"TripleCeroSoloHastaElLimite", u"1234567890123456 000", u"", u"123456789012345600", u"TOTAL"},
    // The memories never touch the tape or the total.
    {"SumarAMemoriaNoTerminaLaEntrada", u"12 BotonM1Sumar 3", u"", u"123", u"TOTAL", u"12"},
    {"LeerMemoriaReemplazaElNumeroTecleado", u"7 BotonM1Sumar CE 45 BotonM1Leer", u"", u"7",
     u"TOTAL", u"7"},
    {"TrasLeerUnDigitoEmpiezaNumero", u"7 BotonM1Sumar CE 45 BotonM1Leer 9", u"", u"9", u"TOTAL",
     u"7"},
    {"BorrarMemoriaNoTocaElDato", u"8 BotonM1Sumar BotonM1Borrar", u"", u"8", u"TOTAL", u"0"},
    {"MemoriaEnMediaCuenta", u"5 + 8 BotonM1Sumar BotonM1Leer", u"5 +", u"8", u"5", u"8"},
};

INSTANTIATE_TEST_SUITE_P(Teclado, SecuenciaPrueba, ::testing::ValuesIn(Secuencias),
                         NombreSecuencia);

TEST_F(VentanaTest, SinArchivoEmpiezaEnGradosYCreaSoloLaSeccionConversion) {
    EXPECT_EQ((QStringList{Texto(V().Datos), Texto(V().Operandos), Texto(V().M5)}),
              (QStringList{u"DATO"_s, u"TOTAL"_s, u"0"_s}));
    EXPECT_EQ(LeerArchivo(Ajustes.Ruta()), "[Conversion]\r\nDEG=1\r\nRAD=0\r\nGRAD=0\r\n");
}

// A tape named on the command line opens as the toolbar's Open would open it (the message for
// a missing file is ArchivoCuenta's).
TEST_F(VentanaTest, LaCintaDeLaLineaDeOrdenesSeMuestra) {
    const QString ruta = FCarpeta.filePath(u"dia.SUMA"_s);
    EscribirArchivo(ruta, QByteArray(21, ' ') + "5 +\r\n" + QByteArray(21, ' ') + "3 +\r\n");
    V().AbrirCuenta(ruta);
    EXPECT_EQ(Cinta(), Lineas(u"5 +|3 +"_s));
}

// The program's window takes its icon's large sizes only after its first frame.
TEST_F(VentanaTest, LaVentanaLlevaElIconoDelPrograma) {
    ComoPrograma = true;
    const auto tiene = [this](int lado) {
        return V().windowIcon().availableSizes().contains(QSize(lado, lado));
    };
    EXPECT_TRUE(tiene(16) && tiene(48) && !tiene(256));
    EXPECT_TRUE(QTest::qWaitFor([&] { return tiene(256); }));
}

TEST_F(VentanaTest, ElPanelSeAbreYCierraSoloConElAncho) {
    const QSize sinPanel = V().size();
    EXPECT_LT(V().width(), V().Notebook->x());
    Pulsar(u"FIN"_s);
    EXPECT_EQ(V().Notebook->currentWidget(), V().PaginaFinancieras);
    EXPECT_GE(V().width(), V().Notebook->geometry().right());
    // Both tabs side by side, without scroll arrows.
    const QTabBar* pestanas = V().Notebook->tabBar();
    EXPECT_LE(pestanas->tabRect(0).width() + pestanas->tabRect(1).width(), V().Notebook->width());
    const int conPanel = V().width();
    Pulsar(u"TRIG"_s); // while shown, only the page changes
    EXPECT_EQ(V().width(), conPanel);
    EXPECT_EQ(V().Notebook->currentWidget(), V().PaginaTrigonometria);
    Pulsar(u"BotonCerrarOpciones"_s);
    EXPECT_EQ(V().size(), sinPanel);
}

TEST_F(VentanaTest, LasMemoriasSonIndependientes) {
    for (int k = 1; k <= 5; ++k)
        Pulsar(u"CE %1 BotonM%2Sumar"_s.arg(k * 11).arg(k));
    Pulsar(u"BotonM2Borrar CE 3 BotonM4Restar"_s);
    EXPECT_EQ(
        (QStringList{Texto(V().M1), Texto(V().M2), Texto(V().M3), Texto(V().M4), Texto(V().M5)}),
        (QStringList{u"11"_s, u"0"_s, u"33"_s, u"41"_s, u"55"_s}));
    Pulsar(u"BotonM5Leer"_s);
    EXPECT_EQ(Texto(V().Datos), u"55"_s);
}

TEST_F(VentanaTest, DesbordamientoEnMemoriaLaDejaComoEstaba) {
    V().Datos->MostrarResultado(LDBL_MAX);
    Pulsar(u"BotonM1Sumar"_s);
    ASSERT_EQ(V().M1->Valor(), LDBL_MAX);
    const QString texto = Texto(V().M1);
    QString mensaje;
    EsperarMensaje(&mensaje);
    Pulsar(u"BotonM1Sumar"_s);
    EXPECT_EQ(mensaje, Desbordamiento);
    EXPECT_EQ(V().M1->Valor(), LDBL_MAX);
    EXPECT_EQ(Texto(V().M1), texto);
}

// A screen reader finds every button of the calculator by its hint or caption.
TEST_F(VentanaTest, CadaBotonTieneNombreAccesible) {
    for (const QAbstractButton* b : V().Cableado().Conectados)
        EXPECT_FALSE(b->accessibleName().isEmpty()) << b->objectName().toStdString();
}

} // namespace
