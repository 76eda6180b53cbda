// The main window as a user works it: key sequences on the keypad and the tape they print,
// the memories, the side panel, and what the window reads and writes in the settings file
// when it starts.
#include "TBarraTituloSkin.h"
#include "TSumadoraFormulario.h"

#include "ArchivoIni.h"
#include "AyudasPrueba.h"
#include "ErrorSumadora.h"

#include <QAbstractButton>
#include <QFile>
#include <QHash>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

#include <cfloat>
#include <memory>
#include <ostream>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// A tape number line: the number right-aligned in 22 columns, then the suffix.
QString Linea(const QString& numero, const QString& sufijo) {
    return numero.rightJustified(22, QLatin1Char(' ')) + sufijo;
}

const QString Separador = u" "_s + QString(21, QLatin1Char('-'));

// "5 +|---|8 T||" -> the number line "5" + " +", the separator, "8" + " T", two empty lines.
QStringList Lineas(const QString& descripcion) {
    QStringList lineas;
    if (descripcion.isEmpty())
        return lineas;
    for (const QString& d : descripcion.split(QLatin1Char('|'))) {
        if (d == u"---"_s) {
            lineas << Separador;
        } else if (d.isEmpty()) {
            lineas << QString();
        } else {
            const qsizetype espacio = d.lastIndexOf(QLatin1Char(' '));
            lineas << Linea(d.left(espacio), d.mid(espacio));
        }
    }
    return lineas;
}

class VentanaTest : public ::testing::Test {
protected:
    void SetUp() override { QFile::remove(ArchivoIni::RutaPredeterminada()); }
    void TearDown() override { EXPECT_EQ(DialogosPendientes(), 0) << "an expected dialog never came"; }

    // The window is created on first use, so a test can prepare the settings file before.
    TSumadoraFormulario& V() {
        if (!ventana_) {
            ventana_ = std::make_unique<TSumadoraFormulario>();
            ventana_->show();
        }
        return *ventana_;
    }

    QAbstractButton* Boton(const QString& nombre) {
        auto* boton = V().findChild<QAbstractButton*>(nombre);
        EXPECT_NE(boton, nullptr) << nombre.toStdString();
        return boton;
    }

    // Keys as written on the buttons, separated by blanks; a run of digits is typed one digit
    // at a time ("200" is 2, 0, 0) except "00" and "000", which are those keys. Any other word
    // is a button's name.
    void Pulsar(const QString& teclas) {
        static const QHash<QString, QString> nombres = {
            {u"+"_s, u"OperadorSuma"_s},          {u"-"_s, u"OperadorResta"_s},
            {u"*"_s, u"OperadorMultiplicacion"_s}, {u"÷"_s, u"OperadorDivision"_s},
            {u"="_s, u"OperadorIgual"_s},         {u"Total"_s, u"OperadorTotal"_s},
            {u"CE"_s, u"BorrarOperando"_s},       {u"C"_s, u"BorrarOperacion"_s},
            {u"±"_s, u"OperadorCambioSigno"_s},   {u"."_s, u"OperadorDecimal"_s},
            {u"%"_s, u"OperadorPorcentage"_s},    {u"X²"_s, u"OperadorAlCuadrado"_s},
            {u"X³"_s, u"BotonElevarAlCubo"_s},    {u"X^Y"_s, u"BotonElevarAN"_s},
            {u"00"_s, u"CeroDoble"_s},            {u"000"_s, u"TripleCero"_s},
            {u"TRIG"_s, u"BotonTrigonometria"_s}, {u"FIN"_s, u"BotonFinancieras"_s},
        };
        for (const QString& tecla : teclas.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            bool esNumero = false;
            tecla.toLongLong(&esNumero);
            if (esNumero && !nombres.contains(tecla)) {
                for (QChar c : tecla)
                    Clic(c == QLatin1Char('0') ? u"CeroSimple"_s : u"Numero"_s + c);
            } else {
                Clic(nombres.value(tecla, tecla));
            }
        }
    }

    void Clic(const QString& nombre) {
        QAbstractButton* boton = Boton(nombre);
        ASSERT_NE(boton, nullptr);
        if (boton->isVisible())
            QTest::mouseClick(boton, Qt::LeftButton);
        else
            boton->click();
    }

    QString Texto(TZURDigit* registro) { return registro->Text().trimmed(); }
    QStringList Cinta() { return V().Cuenta->Lineas(); }

    ArchivoIni Ajustes;

private:
    std::unique_ptr<TSumadoraFormulario> ventana_;
};

// ---- Key sequences on a fresh window ----

struct Secuencia {
    const char* nombre;
    const char* teclas;
    const char* lineas; // as for Lineas()
    const char* dato;
    const char* total;
    long double valor; // the tape's running total afterwards
};

void PrintTo(const Secuencia& s, std::ostream* os) { *os << s.nombre << ": " << s.teclas; }

class SecuenciaTest : public VentanaTest, public ::testing::WithParamInterface<Secuencia> {};

TEST_P(SecuenciaTest, ImprimeLaCintaYMuestraLosRegistros) {
    const Secuencia& s = GetParam();
    Pulsar(QString::fromUtf8(s.teclas));
    EXPECT_EQ(Cinta(), Lineas(QString::fromUtf8(s.lineas)));
    EXPECT_EQ(Texto(V().Datos), QString::fromUtf8(s.dato));
    EXPECT_EQ(Texto(V().Operandos), QString::fromUtf8(s.total));
    EXPECT_EQ(V().Cuenta->Valor(), s.valor);
}

const Secuencia Secuencias[] = {
    {"SumaYTotal", "5 + 3 + Total", "5 +|3 +|---|8 T||", "8", "8", 8},
    {"IgualDescartaElNumeroTecleado", "5 + 3 =", "5 +|---|5 T||", "5", "5", 5},
    {"IgualSinCuentaAbiertaSuma", "5 =", "5 +", "5", "5", 5},
    {"SegundoIgualImprimeElTotal", "5 = =", "5 +|---|5 T||", "5", "5", 5},
    {"IgualTrasUnTotalLoLlevaAUnaCuentaNueva", "5 = = =", "5 +|---|5 T|||5 +", "5", "5", 5},
    {"PorcentajeDelTotal", "200 + 15 %", "200 +|200 =|15 %", "15", "30", 30},
    {"ProductoYPorcentaje", "4 + 50 * 10 %", "4 +|4 =|50 *|200 =|10 %", "10", "20", 20},
    {"MultiplicarConLaCuentaCerrada", "6 *", "6 *", "6", "0", 0},
    {"ElevarALaY", "2 + 3 X^Y", "2 +|2 =|3 ^", "3", "8", 8},
    {"CuadradoDelTotal", "5 + X²", "5 +|5 =|2 ^", "5", "25", 25},
    {"BorrarOperacionDejaLaCuentaAbierta", "5 + C 3 + Total", "5 +|3 +|---|3 T||", "3", "3", 3},
    {"SubtotalAlPasarAMultiplicar", "5 + 3 + 2 * Total", "5 +|3 +|8 =|2 *|---|16 T||", "16", "16", 16},
    {"RestaYDivision", "9 + 4 - 2 ÷ Total", "9 +|4 -|5 =|2 /|---|2,5 T||", "2,5", "2,5", 2.5L},
    {"RestaConLaCuentaCerrada", "7 - Total", "7 -|---|-7 T||", "-7", "-7", -7},
    {"CuboTrasDosCuadrados", "4 + X² X² X³", "4 +|4 =|2 ^|2 ^|256 =|3 ^", "4", "16777216", 16777216},
    {"NumerosConDecimales", "1 . 5 + 2 . 2 5 + Total", "1,5 +|2,25 +|---|3,75 T||", "3,75", "3,75", 3.75L},
    {"BorrarDatoNoTocaLaCuenta", "5 + 7 CE 3 + Total", "5 +|3 +|---|8 T||", "8", "8", 8},
    {"SumarCeroConLaCuentaCerradaNoEscribe", "5 = = CE +", "5 +|---|5 T||", "0", "0", 0},
    {"CeroEnVentanaNuevaMuestraCero", "0 +", "", "0", "0", 0},
    {"PorcentajeEnVentanaNueva", "15 %", "15 %", "15", "0", 0},
    {"SegundoPorcentajeEscribeElSubtotal", "15 % %", "15 %|0 =|15 %", "15", "0", 0},
    {"PorcentajeDelTotalImpreso", "200 = = 10 %", "200 +|---|200 T|||10 %", "10", "20", 20},
    {"CuadradoTrasUnTotalSoloPoneACero", "5 = = X²", "5 +|---|5 T||", "5", "5", 0},
    {"DividirPorCeroNoHaceNada", "5 + 0 ÷", "5 +", "0", "5", 5},
    {"CambioDeSigno", "5 ±", "", "-5", "TOTAL", 0},
    {"CambioDeSignoTerminaLaEntrada", "5 ± 3", "", "3", "TOTAL", 0},
    {"TripleCeroSoloHastaElLimite", "1234567890123456 000", "", "123456789012345600", "TOTAL", 0},
};

INSTANTIATE_TEST_SUITE_P(Teclado, SecuenciaTest, ::testing::ValuesIn(Secuencias),
                         [](const auto& info) { return std::string(info.param.nombre); });

// ---- State of the calculation and arithmetic faults ----

TEST_F(VentanaTest, BorrarOperacionNoCierraLaCuenta) {
    Pulsar(u"5 + 2 * C"_s);
    EXPECT_TRUE(V().Cuenta->OperadorActivo());
    EXPECT_EQ(V().Cuenta->Operador(), u"*"_s);
    EXPECT_EQ(Texto(V().Operandos), u"0"_s);
    EXPECT_EQ(Texto(V().Datos), u"0"_s);
}

TEST_F(VentanaTest, PorcentajeNoAbreNiCierraLaCuenta) {
    Pulsar(u"200 = = 10 %"_s);
    EXPECT_FALSE(V().Cuenta->OperadorActivo());
    EXPECT_EQ(V().Cuenta->Operador(), u"%"_s);
    Pulsar(u"200 + 10 %"_s);
    EXPECT_TRUE(V().Cuenta->OperadorActivo());
}

TEST_F(VentanaTest, DesbordamientoAlElevarAlCuadradoAvisaYDejaElTotal) {
    // 4,2E9 squared nine times is about 1E4927; once more leaves the 80-bit range.
    Pulsar(u"4200000000 + X² X² X² X² X² X² X² X² X²"_s);
    const QStringList antes = Cinta();
    const long double total = V().Cuenta->Valor();
    const QString textoTotal = Texto(V().Operandos);
    ASSERT_EQ(antes.size(), 11);
    ASSERT_TRUE(textoTotal.startsWith(u"1,2695"_s)) << textoTotal.toStdString();

    QString mensaje;
    EsperarMensaje(&mensaje);
    Pulsar(u"X²"_s);
    EXPECT_EQ(mensaje, u"Desbordamiento en operación de coma flotante."_s);
    EXPECT_EQ(Cinta(), antes);
    EXPECT_EQ(V().Cuenta->Valor(), total);
    EXPECT_EQ(Texto(V().Operandos), textoTotal);
    EXPECT_EQ(V().Cuenta->Operador(), u"2"_s);

    // The calculator goes on: the total printed is the last good one.
    Pulsar(u"Total"_s);
    const QStringList bloque = Cinta().mid(11);
    ASSERT_EQ(bloque.size(), 4);
    EXPECT_EQ(bloque[0], Separador);
    EXPECT_TRUE(bloque[1].endsWith(u" T"_s));
    EXPECT_EQ(V().Cuenta->Valor(), total);
    EXPECT_FALSE(V().Cuenta->OperadorActivo());
}

TEST_F(VentanaTest, DesbordamientoEnXALaYDejaElSubtotalYaEscrito) {
    Pulsar(u"999999999 + 600"_s);
    QString mensaje;
    EsperarMensaje(&mensaje);
    Pulsar(u"X^Y"_s);
    EXPECT_EQ(mensaje, u"Desbordamiento en operación de coma flotante."_s);
    EXPECT_EQ(Cinta(), Lineas(u"999999999 +|999999999 ="_s));
    EXPECT_EQ(V().Cuenta->Valor(), 999999999);
    EXPECT_EQ(V().Cuenta->Operador(), u"+"_s);
    EXPECT_EQ(Texto(V().Operandos), u"999999999"_s);

    Pulsar(u"Total"_s);
    EXPECT_EQ(Cinta().mid(2), Lineas(u"---|999999999 T||"_s));
}

TEST_F(VentanaTest, DesbordamientoEnElProductoDelPorcentaje) {
    V().Cuenta->setValor(LDBL_MAX / 2);
    V().Cuenta->setOperador(u"+"_s);
    V().Cuenta->setOperadorActivo(true);
    QString mensaje;
    EsperarMensaje(&mensaje);
    Pulsar(u"50 %"_s);
    EXPECT_EQ(mensaje, u"Desbordamiento en operación de coma flotante."_s);
    EXPECT_EQ(V().Cuenta->Valor(), LDBL_MAX / 2);
    EXPECT_EQ(V().Cuenta->Operador(), u"+"_s);
    EXPECT_EQ(Cinta().size(), 2); // the subtotal and the percentage line stay
}

// ---- Start-up ----

TEST_F(VentanaTest, AlEmpezarMuestraLasPalabrasYLasMemoriasACero) {
    EXPECT_EQ(Texto(V().Datos), u"DATO"_s);
    EXPECT_EQ(Texto(V().Operandos), u"TOTAL"_s);
    for (TZURLabelNumber* m : {V().M1, V().M2, V().M3, V().M4, V().M5}) {
        EXPECT_EQ(Texto(m), u"0"_s);
        EXPECT_EQ(m->NumDigits(), TSumadoraFormulario::DigitosRegistro);
    }
    EXPECT_TRUE(Cinta().isEmpty());
    EXPECT_EQ(V().Cuenta->CaracteresLinea(), 22);
    EXPECT_EQ(V().TipoIVA, 16);
    EXPECT_TRUE(V().TecladoActivo);
    EXPECT_EQ(V().PendienteMayusculas, 0);
    Pulsar(u"7"_s);
    EXPECT_EQ(Texto(V().Datos), u"7"_s);
}

TEST_F(VentanaTest, SinArchivoEmpiezaEnGradosYCreaSoloLaSeccionConversion) {
    ASSERT_FALSE(QFile::exists(Ajustes.Ruta()));
    V();
    EXPECT_TRUE(V().CheckDEG->isChecked());
    EXPECT_EQ(V().Datos->ConversionAngular(), acDEG);
    QFile archivo(Ajustes.Ruta());
    ASSERT_TRUE(archivo.open(QIODevice::ReadOnly));
    QStringList secciones;
    for (const QByteArray& l : archivo.readAll().split('\n'))
        if (l.trimmed().startsWith('['))
            secciones << QString::fromUtf8(l.trimmed());
    EXPECT_EQ(secciones, QStringList{u"[Conversion]"_s});
    EXPECT_TRUE(Ajustes.LeerBooleano(u"Conversion"_s, u"DEG"_s, false));
    EXPECT_FALSE(Ajustes.LeerBooleano(u"Conversion"_s, u"RAD"_s, true));
    EXPECT_FALSE(Ajustes.LeerBooleano(u"Conversion"_s, u"GRAD"_s, true));
}

struct ArranqueUnidad {
    const char* nombre;
    bool deg, rad, grad; // as stored
    TAngularConversion unidad;
};

class UnidadAlEmpezarTest : public VentanaTest,
                            public ::testing::WithParamInterface<ArranqueUnidad> {};

TEST_P(UnidadAlEmpezarTest, GanaLaPrimeraYElArchivoQuedaConEllaSola) {
    const ArranqueUnidad& a = GetParam();
    Ajustes.EscribirBooleano(u"Conversion"_s, u"DEG"_s, a.deg);
    Ajustes.EscribirBooleano(u"Conversion"_s, u"RAD"_s, a.rad);
    Ajustes.EscribirBooleano(u"Conversion"_s, u"GRAD"_s, a.grad);
    V();
    EXPECT_EQ(V().Datos->ConversionAngular(), a.unidad);
    EXPECT_EQ(V().CheckDEG->isChecked(), a.unidad == acDEG);
    EXPECT_EQ(V().CheckRAD->isChecked(), a.unidad == acRAD);
    EXPECT_EQ(V().CheckGRAD->isChecked(), a.unidad == acGRAD);
    EXPECT_EQ(Ajustes.LeerBooleano(u"Conversion"_s, u"DEG"_s, false), a.unidad == acDEG);
    EXPECT_EQ(Ajustes.LeerBooleano(u"Conversion"_s, u"RAD"_s, false), a.unidad == acRAD);
    EXPECT_EQ(Ajustes.LeerBooleano(u"Conversion"_s, u"GRAD"_s, false), a.unidad == acGRAD);
}

const ArranqueUnidad Arranques[] = {
    {"Grados", true, false, false, acDEG},
    {"Radianes", false, true, false, acRAD},
    {"Centesimales", false, false, true, acGRAD},
    {"RadianesAntesQueCentesimales", false, true, true, acRAD},
    {"GradosAntesQueTodo", true, true, true, acDEG},
    {"NingunaEsGrados", false, false, false, acDEG},
};

INSTANTIATE_TEST_SUITE_P(Ajustes, UnidadAlEmpezarTest, ::testing::ValuesIn(Arranques),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST_F(VentanaTest, ElegirUnidadReescribeLaSeccionYCambiaLaUnidad) {
    Ajustes.EscribirBooleano(u"Conversion"_s, u"DEG"_s, false);
    Ajustes.EscribirBooleano(u"Conversion"_s, u"RAD"_s, true);
    ASSERT_EQ(V().Datos->ConversionAngular(), acRAD);
    Pulsar(u"TRIG"_s);
    QTest::mouseClick(V().CheckGRAD, Qt::LeftButton);
    EXPECT_EQ(V().Datos->ConversionAngular(), acGRAD);
    EXPECT_FALSE(Ajustes.LeerBooleano(u"Conversion"_s, u"RAD"_s, true));
    EXPECT_TRUE(Ajustes.LeerBooleano(u"Conversion"_s, u"GRAD"_s, false));
    QTest::mouseClick(V().CheckDEG, Qt::LeftButton);
    EXPECT_EQ(V().Datos->ConversionAngular(), acDEG);
    EXPECT_TRUE(Ajustes.LeerBooleano(u"Conversion"_s, u"DEG"_s, false));
    EXPECT_FALSE(Ajustes.LeerBooleano(u"Conversion"_s, u"RAD"_s, true));
    EXPECT_FALSE(Ajustes.LeerBooleano(u"Conversion"_s, u"GRAD"_s, true));
}

TEST_F(VentanaTest, LeeElFormatoYElIVADelArchivo) {
    Ajustes.EscribirBooleano(u"Opciones"_s, u"Formato"_s, false);
    Ajustes.EscribirEntero(u"Opciones"_s, u"Decimales"_s, 2);
    Ajustes.EscribirBooleano(u"Opciones"_s, u"Separador Miles"_s, true);
    Ajustes.EscribirReal(u"Tipo de IVA"_s, u"IVA"_s, 7.5);
    EXPECT_EQ(V().TipoIVA, 7.5L);
    for (TZURLabelNumber* m : {V().M1, V().M2, V().M3, V().M4, V().M5})
        EXPECT_EQ(Texto(m), u"0,00"_s);
    EXPECT_EQ(Texto(V().Datos), u"DATO"_s);
    Pulsar(u"1234 + Total"_s);
    EXPECT_EQ(Cinta(), Lineas(u"1.234,00 +|---|1.234,00 T||"_s));
    EXPECT_EQ(Texto(V().Operandos), u"1.234,00"_s);
}

// ---- Side panel ----

TEST_F(VentanaTest, ElPanelSeAbreYCierraSoloConElAncho) {
    EXPECT_EQ(V().width(), TSumadoraFormulario::AnchoSinPanel);
    EXPECT_LT(V().width(), V().Notebook->x());
    const int alto = V().height();

    Pulsar(u"FIN"_s);
    EXPECT_EQ(V().width(), TSumadoraFormulario::AnchoConPanel);
    EXPECT_EQ(V().Notebook->currentWidget(), V().PaginaFinancieras);
    EXPECT_GE(V().width(), V().Notebook->geometry().right());

    Pulsar(u"TRIG"_s); // while shown, only the page changes
    EXPECT_EQ(V().width(), TSumadoraFormulario::AnchoConPanel);
    EXPECT_EQ(V().Notebook->currentWidget(), V().PaginaTrigonometria);

    Pulsar(u"BotonCerrarOpciones"_s);
    EXPECT_EQ(V().width(), TSumadoraFormulario::AnchoSinPanel);
    EXPECT_EQ(V().height(), alto);
    EXPECT_EQ(V().Notebook->currentWidget(), V().PaginaTrigonometria);
}

TEST_F(VentanaTest, LasDosPestanasCabenEnElPanel) {
    Pulsar(u"TRIG"_s);
    const QTabBar* pestanas = V().Notebook->tabBar();
    ASSERT_EQ(pestanas->count(), 2);
    EXPECT_EQ(pestanas->tabText(0), u"Trigonometria"_s);
    EXPECT_EQ(pestanas->tabText(1), u"Financieras"_s);
    // Both tabs side by side, without scroll arrows.
    EXPECT_LE(pestanas->tabRect(0).width() + pestanas->tabRect(1).width(), V().Notebook->width());
}

// ---- Memories ----

TEST_F(VentanaTest, SumarAMemoriaNoTerminaLaEntrada) {
    Pulsar(u"12 BotonM1Sumar 3"_s);
    EXPECT_EQ(Texto(V().M1), u"12"_s);
    EXPECT_EQ(Texto(V().Datos), u"123"_s);
}

TEST_F(VentanaTest, SumarYRestarEnMemoria) {
    Pulsar(u"5 BotonM1Sumar BotonM1Sumar"_s);
    EXPECT_EQ(Texto(V().M1), u"10"_s);
    Pulsar(u"CE 15 BotonM1Restar"_s);
    EXPECT_EQ(Texto(V().M1), u"-5"_s);
    EXPECT_EQ(V().M1->Valor(), -5);
}

TEST_F(VentanaTest, LeerMemoriaReemplazaElNumeroTecleado) {
    Pulsar(u"7 BotonM2Sumar CE 45 BotonM2Leer"_s);
    EXPECT_EQ(Texto(V().Datos), u"7"_s);
    EXPECT_EQ(Texto(V().M2), u"7"_s);
    Pulsar(u"9"_s);
    EXPECT_EQ(Texto(V().Datos), u"9"_s);
}

TEST_F(VentanaTest, BorrarMemoria) {
    Pulsar(u"BotonM3Borrar"_s);
    EXPECT_EQ(Texto(V().M3), u"0"_s);
    Pulsar(u"8 BotonM3Sumar BotonM3Borrar"_s);
    EXPECT_EQ(Texto(V().M3), u"0"_s);
    EXPECT_EQ(V().M3->Valor(), 0);
    EXPECT_EQ(Texto(V().Datos), u"8"_s);
}

TEST_F(VentanaTest, LasMemoriasSonIndependientesYNoTocanLaCuenta) {
    TZURLabelNumber* memorias[] = {V().M1, V().M2, V().M3, V().M4, V().M5};
    for (int k = 1; k <= 5; ++k)
        Pulsar(u"CE "_s + QString::number(k * 11) + u" BotonM%1Sumar"_s.arg(k));
    for (int k = 1; k <= 5; ++k)
        EXPECT_EQ(memorias[k - 1]->Valor(), k * 11) << "M" << k;
    Pulsar(u"BotonM2Borrar CE 3 BotonM4Restar"_s);
    const long double esperado[] = {11, 0, 33, 41, 55};
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(memorias[k]->Valor(), esperado[k]) << "M" << k + 1;
    Pulsar(u"BotonM5Leer"_s);
    EXPECT_EQ(Texto(V().Datos), u"55"_s);
    EXPECT_TRUE(Cinta().isEmpty());
    EXPECT_EQ(Texto(V().Operandos), u"TOTAL"_s);
    EXPECT_EQ(V().Cuenta->Valor(), 0);
}

TEST_F(VentanaTest, DesbordamientoEnMemoriaLaDejaComoEstaba) {
    V().Datos->MostrarResultado(LDBL_MAX);
    Pulsar(u"BotonM1Sumar"_s);
    ASSERT_EQ(V().M1->Valor(), LDBL_MAX);
    const QString texto = Texto(V().M1);
    QString mensaje;
    EsperarMensaje(&mensaje);
    Pulsar(u"BotonM1Sumar"_s);
    EXPECT_EQ(mensaje, u"Desbordamiento en operación de coma flotante."_s);
    EXPECT_EQ(V().M1->Valor(), LDBL_MAX);
    EXPECT_EQ(Texto(V().M1), texto);
}

// ---- The buttons themselves ----

TEST_F(VentanaTest, CadaBotonTieneNombreAccesibleYLosDigitosNoMuestranAyuda) {
    int botones = 0;
    for (QAbstractButton* b : V().findChildren<QAbstractButton*>()) {
        if (qobject_cast<QTabBar*>(b->parentWidget()))
            continue;
        const QString nombre = b->objectName();
        EXPECT_FALSE(b->accessibleName().isEmpty()) << nombre.toStdString();
        // The skinned frame's caption buttons are the frame's, not the calculator's.
        if (qobject_cast<TBarraTituloSkin*>(b->parentWidget()))
            continue;
        ++botones;
        const bool digito = nombre.startsWith(u"Numero"_s) || nombre.contains(u"Cero"_s);
        if (digito) {
            EXPECT_TRUE(b->toolTip().isEmpty()) << nombre.toStdString();
            EXPECT_EQ(b->accessibleName(), b->text());
        }
        if (!qobject_cast<QRadioButton*>(b) && !nombre.startsWith(u"BotonM"_s)) {
            EXPECT_EQ(b->cursor().shape(), Qt::PointingHandCursor) << nombre.toStdString();
        }
    }
    // keypad and function keys 40, memories 20, toolbar 8, close 1, trigonometry 13 + 3
    // boxes, financial 3
    EXPECT_EQ(botones, 88);
    EXPECT_EQ(Boton(u"BotonCopiar"_s)->toolTip(), u"Copiar el RESULTADO\nen el Portapapeles."_s);
    EXPECT_EQ(Boton(u"BotonM2Restar"_s)->toolTip(), u"resta dato de memoria. [Shift+F2]"_s);
    EXPECT_EQ(Boton(u"OperadorCambioSigno"_s)->text(), u"±"_s);
    EXPECT_EQ(Boton(u"BotonRaizCuadrada"_s)->text(), u"√"_s);
}

// Every key of the calculator itself, in the order of the form; the toolbar and the
// financial page open windows of their own and are left out.
TEST_F(VentanaTest, PulsarCadaTeclaNoRompeNada) {
    for (QAbstractButton* b : V().findChildren<QAbstractButton*>()) {
        const QWidget* padre = b->parentWidget();
        if (qobject_cast<const QTabBar*>(padre) || padre == V().BarraHerramientas ||
            padre == V().PaginaFinancieras)
            continue;
        b->click();
    }
    EXPECT_TRUE(V().TecladoActivo);
}

TEST_F(VentanaTest, TecladoSuspendidoVuelveAunqueHayaUnaExcepcion) {
    bool teclado = true;
    try {
        const TecladoSuspendido suspension(teclado);
        EXPECT_FALSE(teclado);
        throw ErrorSumadora(u"prueba"_s);
    } catch (const ErrorSumadora&) {
    }
    EXPECT_TRUE(teclado);
}

} // namespace
