// Tests of the settings file: defaults, the exact bytes written, hand-edited files kept as
// they were, value encodings, encodings of the file and refused writes.
#include "ArchivoIni.h"
#include "ErrorSumadora.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// A byte literal that may hold NULs.
#define CRUDO(s) QByteArray((s), sizeof(s) - 1)

namespace {

QByteArray Bytes(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no existe>");
}

void Poner(const QString& ruta, const QByteArray& bytes) {
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

class ArchivoIniTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString Ruta(const QString& nombre = u"Sumadora.ini"_s) const { return dir_.filePath(nombre); }
    QTemporaryDir dir_;
};

TEST_F(ArchivoIniTest, LaRutaPredeterminadaEsLaCarpetaDeConfiguracion) {
    const QString ruta = ArchivoIni::RutaPredeterminada();
    EXPECT_EQ(ruta, QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                        u"/Sumadora.ini"_s);
    EXPECT_EQ(ArchivoIni().Ruta(), ruta);
}

TEST_F(ArchivoIniTest, SinArchivoTodoEsElValorPorDefectoYNadaSeCrea) {
    const ArchivoIni ini(Ruta());
    EXPECT_TRUE(ini.LeerBooleano(u"Opciones"_s, u"Formato"_s, true));
    EXPECT_FALSE(ini.LeerBooleano(u"Opciones"_s, u"Separador Miles"_s, false));
    EXPECT_EQ(ini.LeerEntero(u"Opciones"_s, u"Decimales"_s, 3), 3);
    EXPECT_EQ(ini.LeerReal(u"Tipo de IVA"_s, u"IVA"_s, 16.0L), 16.0L);
    EXPECT_EQ(ini.LeerTexto(u"Imprimir"_s, u"L1"_s, u"x"_s), u"x"_s);
    EXPECT_FALSE(QFile::exists(Ruta()));
}

TEST_F(ArchivoIniTest, LaPrimeraEscrituraCreaCarpetaYArchivoConFinesDeLineaDeWindows) {
    const QString ruta = Ruta(u"a/b/Sumadora.ini"_s);
    const ArchivoIni ini(ruta);
    ini.EscribirBooleano(u"Conversion"_s, u"DEG"_s, true);
    ini.EscribirBooleano(u"Conversion"_s, u"RAD"_s, false);
    ini.EscribirBooleano(u"Conversion"_s, u"GRAD"_s, false);
    EXPECT_EQ(Bytes(ruta), QByteArray("[Conversion]\r\nDEG=1\r\nRAD=0\r\nGRAD=0\r\n"));

    ini.EscribirEntero(u"Opciones"_s, u"Decimales"_s, 9);
    ini.EscribirReal(u"Tipo de IVA"_s, u"IVA"_s, 7.5);
    EXPECT_EQ(Bytes(ruta), QByteArray("[Conversion]\r\nDEG=1\r\nRAD=0\r\nGRAD=0\r\n"
                                      "\r\n[Opciones]\r\nDecimales=9\r\n"
                                      "\r\n[Tipo de IVA]\r\nIVA=7,5\r\n"));
    // Nothing is cached: every read goes to the file as it is now.
    EXPECT_EQ(ini.LeerEntero(u"Opciones"_s, u"Decimales"_s, 3), 9);
    Poner(ruta, "[Opciones]\nDecimales=4\n");
    EXPECT_EQ(ArchivoIni(ruta).LeerEntero(u"Opciones"_s, u"Decimales"_s, 3), 4);
    EXPECT_EQ(ini.LeerEntero(u"Opciones"_s, u"Decimales"_s, 3), 4);
}

// One write into an existing file: only the key's value, or the lines the write adds, change.
struct CasoEscritura {
    const char* nombre;
    QByteArray antes;
    QString seccion, clave, valor;
    QByteArray despues;
};

class EscrituraEnArchivo : public ArchivoIniTest,
                           public ::testing::WithParamInterface<CasoEscritura> {};

TEST_P(EscrituraEnArchivo, CambiaSoloLoQueEscribe) {
    const CasoEscritura& c = GetParam();
    Poner(Ruta(), c.antes);
    ArchivoIni(Ruta()).EscribirTexto(c.seccion, c.clave, c.valor);
    EXPECT_EQ(Bytes(Ruta()), c.despues);
    EXPECT_EQ(ArchivoIni(Ruta()).LeerTexto(c.seccion, c.clave, u"?"_s), c.valor.trimmed());
}

const QByteArray kMano = "; Sumadora, editado a mano\r\n"
                         "[Opciones]\r\n"
                         "  Formato = 0\r\n"
                         "# comentario=1\r\n"
                         "Decimales=2\r\n"
                         "\r\n"
                         "[Otra cosa]\r\n"
                         "clave rara =  valor con  espacios  \r\n"
                         "línea sin igual\r\n";

INSTANTIATE_TEST_SUITE_P(
    ArchivoIni, EscrituraEnArchivo,
    ::testing::Values(
        CasoEscritura{"ClaveExistenteReescritaEnSuSitio", kMano, u"Opciones"_s, u"Formato"_s,
                      u"1"_s, QByteArray(kMano).replace("Formato = 0", "Formato = 1")},
        CasoEscritura{
            "ClaveNuevaTrasLaUltimaClaveDeSuSeccion", kMano, u"Opciones"_s, u"Separador Miles"_s,
            u"1"_s,
            QByteArray(kMano).replace("Decimales=2\r\n", "Decimales=2\r\nSeparador Miles=1\r\n")},
        CasoEscritura{"SeccionNuevaAlFinalTrasUnaLineaEnBlanco", kMano, u"Skin"_s, u"Tipo"_s,
                      u"3"_s, kMano + "\r\n[Skin]\r\nTipo=3\r\n"},
        CasoEscritura{"NombresSinDistinguirMayusculas", "[OPCIONES]\r\nformato=0\r\n",
                      u"Opciones"_s, u"FORMATO"_s, u"1"_s, "[OPCIONES]\r\nformato=1\r\n"},
        CasoEscritura{"MayusculasAcentuadas", "[SECCIÓN]\nÑANDÚ=a\n", u"sección"_s, u"ñandú"_s,
                      u"b"_s, "[SECCIÓN]\nÑANDÚ=b\n"},
        CasoEscritura{"EspaciosDentroDeLosCorchetes", "[ Tipo de IVA ]\nIVA=16\n", u"Tipo de IVA"_s,
                      u"IVA"_s, u"21"_s, "[ Tipo de IVA ]\nIVA=21\n"},
        CasoEscritura{"ArchivoConFinesDeLineaUnix", "[A]\nx=1\n\n[B]\ny=2\n", u"A"_s, u"z"_s,
                      u"3"_s, "[A]\nx=1\nz=3\n\n[B]\ny=2\n"},
        CasoEscritura{"SeccionSinFinDeLineaAlFinal", "[A]", u"A"_s, u"x"_s, u"1"_s,
                      "[A]\r\nx=1\r\n"},
        CasoEscritura{"UltimaLineaSinFinDeLinea", "[A]\nx=1", u"B"_s, u"y"_s, u"2"_s,
                      "[A]\nx=1\n\n[B]\ny=2\n"},
        CasoEscritura{"SinLineaEnBlancoDobleSiYaLaHay", "[A]\nx=1\n\n", u"B"_s, u"y"_s, u"2"_s,
                      "[A]\nx=1\n\n[B]\ny=2\n"},
        CasoEscritura{"SeccionRepetidaValeLaPrimera", "[A]\nx=1\nx=2\n[a]\nx=3\n", u"A"_s, u"x"_s,
                      u"9"_s, "[A]\nx=9\nx=2\n[a]\nx=3\n"},
        CasoEscritura{"ClaveComentadaNoCuenta", "[A]\n;x=1\n", u"A"_s, u"x"_s, u"2"_s,
                      "[A]\nx=2\n;x=1\n"},
        CasoEscritura{"MarcaDeOrdenUtf8", "\xEF\xBB\xBF[A]\r\nx=1\r\n", u"A"_s, u"x"_s, u"2"_s,
                      "\xEF\xBB\xBF[A]\r\nx=2\r\n"},
        CasoEscritura{"TextoExactoSinRecortar", "", u"Imprimir"_s, u"L1"_s, u"  Café «Ñu» €  "_s,
                      QByteArray("[Imprimir]\r\nL1=  Café «Ñu» €  \r\n")},
        CasoEscritura{"LineaConNulSeReescribeYLasDemasQuedan",
                      CRUDO("[A]\r\n\0\0\r\nx=5\0basura\r\n"), u"A"_s, u"x"_s, u"7"_s,
                      CRUDO("[A]\r\n\0\0\r\nx=7\r\n")}),
    [](const ::testing::TestParamInfo<CasoEscritura>& i) { return std::string(i.param.nombre); });

TEST_F(ArchivoIniTest, UnSaltoDeLineaEnElValorNoPartirLaLinea) {
    const ArchivoIni ini(Ruta());
    ini.EscribirTexto(u"Imprimir"_s, u"L1"_s, u"uno\r\n[Opciones]\nFormato=0"_s);
    EXPECT_EQ(ini.LeerTexto(u"Imprimir"_s, u"L1"_s, u""_s), u"uno  [Opciones] Formato=0"_s);
    EXPECT_TRUE(ini.LeerBooleano(u"Opciones"_s, u"Formato"_s, true));
}

// How each kind of value reads back from the text a hand may have left in the file.
enum class Tipo { Booleano, Entero, Real };
struct CasoLectura {
    const char* nombre;
    Tipo tipo;
    QByteArray texto;
    long double esperado; // the default is 42 for integers and reals, true for booleans
};

class LecturaDeValores : public ArchivoIniTest,
                         public ::testing::WithParamInterface<CasoLectura> {};

TEST_P(LecturaDeValores, DaElValorOElDefecto) {
    const CasoLectura& c = GetParam();
    Poner(Ruta(), "[S]\r\nK=" + c.texto + "\r\n");
    const ArchivoIni ini(Ruta());
    switch (c.tipo) {
    case Tipo::Booleano:
        EXPECT_EQ(ini.LeerBooleano(u"S"_s, u"K"_s, true), c.esperado != 0);
        break;
    case Tipo::Entero:
        EXPECT_EQ(ini.LeerEntero(u"S"_s, u"K"_s, 42), static_cast<int>(c.esperado));
        break;
    case Tipo::Real:
        EXPECT_EQ(ini.LeerReal(u"S"_s, u"K"_s, 42.0L), c.esperado);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    ArchivoIni, LecturaDeValores,
    ::testing::Values(CasoLectura{"BooleanoCero", Tipo::Booleano, "0", 0},
                      CasoLectura{"BooleanoDosEsVerdadero", Tipo::Booleano, "2", 1},
                      CasoLectura{"BooleanoNegativoEsVerdadero", Tipo::Booleano, "-1", 1},
                      CasoLectura{"BooleanoConBlancos", Tipo::Booleano, " \t0  ", 0},
                      CasoLectura{"BooleanoTextoDaDefecto", Tipo::Booleano, "abc", 1},
                      CasoLectura{"BooleanoFalseDaDefecto", Tipo::Booleano, "false", 1},
                      CasoLectura{"BooleanoVacioDaDefecto", Tipo::Booleano, "", 1},
                      CasoLectura{"Entero", Tipo::Entero, "15", 15},
                      CasoLectura{"EnteroConSigno", Tipo::Entero, "-3", -3},
                      CasoLectura{"EnteroConMas", Tipo::Entero, "+4", 4},
                      CasoLectura{"EnteroConDecimalesDaDefecto", Tipo::Entero, "1,5", 42},
                      CasoLectura{"EnteroConBasuraDaDefecto", Tipo::Entero, "7x", 42},
                      CasoLectura{"EnteroDesbordadoDaDefecto", Tipo::Entero, "99999999999", 42},
                      CasoLectura{"EnteroHastaElNul", Tipo::Entero, CRUDO("5\0basura"), 5},
                      CasoLectura{"RealConComa", Tipo::Real, "7,5", 7.5L},
                      CasoLectura{"RealConPunto", Tipo::Real, "7.5", 7.5L},
                      CasoLectura{"RealEntero", Tipo::Real, "16", 16.0L},
                      CasoLectura{"RealNegativo", Tipo::Real, "-2,25", -2.25L},
                      CasoLectura{"RealConMas", Tipo::Real, "+0,5", 0.5L},
                      CasoLectura{"RealConExponente", Tipo::Real, "1e+20", 1e20L},
                      CasoLectura{"RealVacioDaDefecto", Tipo::Real, "", 42},
                      CasoLectura{"RealTextoDaDefecto", Tipo::Real, "dieciséis", 42},
                      CasoLectura{"RealConMilesDaDefecto", Tipo::Real, "1.234,5", 42},
                      CasoLectura{"RealDosComasDaDefecto", Tipo::Real, "1,2,3", 42},
                      CasoLectura{"RealDosSignosDaDefecto", Tipo::Real, "+-1", 42},
                      CasoLectura{"RealInfinitoDaDefecto", Tipo::Real, "inf", 42},
                      CasoLectura{"RealNanDaDefecto", Tipo::Real, "nan", 42}),
    [](const ::testing::TestParamInfo<CasoLectura>& i) { return std::string(i.param.nombre); });

TEST_F(ArchivoIniTest, RealesEnSuFormaMasCortaConComaDecimal) {
    const ArchivoIni ini(Ruta());
    struct {
        double valor;
        const char* texto;
    } casos[] = {{7.5, "7,5"}, {16.0, "16"}, {0.1, "0,1"}, {-3.25, "-3,25"}, {1e20, "1e+20"}};
    for (const auto& c : casos) {
        ini.EscribirReal(u"Tipo de IVA"_s, u"IVA"_s, c.valor);
        EXPECT_EQ(Bytes(Ruta()), "[Tipo de IVA]\r\nIVA=" + QByteArray(c.texto) + "\r\n");
        EXPECT_EQ(static_cast<double>(ini.LeerReal(u"Tipo de IVA"_s, u"IVA"_s, 42)), c.valor)
            << c.texto;
    }
    ini.EscribirBooleano(u"Opciones"_s, u"Formato"_s, false);
    ini.EscribirEntero(u"Opciones"_s, u"Decimales"_s, -1);
    EXPECT_FALSE(ini.LeerBooleano(u"Opciones"_s, u"Formato"_s, true));
    EXPECT_EQ(ini.LeerEntero(u"Opciones"_s, u"Decimales"_s, 3), -1);
}

TEST_F(ArchivoIniTest, UnArchivoWindows1252SigueSiendoloTrasEscribir) {
    Poner(Ruta(), "[Imprimir]\r\nL1=Espa\xf1"
                  "a \x80\r\n");
    const ArchivoIni ini(Ruta());
    EXPECT_EQ(ini.LeerTexto(u"Imprimir"_s, u"L1"_s, u""_s), u"España €"_s);

    ini.EscribirTexto(u"Imprimir"_s, u"L2"_s, u"Año"_s);
    EXPECT_EQ(Bytes(Ruta()), QByteArray("[Imprimir]\r\nL1=Espa\xf1"
                                        "a \x80\r\nL2=A\xf1o\r\n"));
    EXPECT_EQ(ini.LeerTexto(u"Imprimir"_s, u"L2"_s, u""_s), u"Año"_s);

    // A character Windows-1252 has not: the whole file moves to UTF-8, nothing is lost.
    ini.EscribirTexto(u"Imprimir"_s, u"L3"_s, u"Łódź"_s);
    EXPECT_EQ(Bytes(Ruta()), u"[Imprimir]\r\nL1=España €\r\nL2=Año\r\nL3=Łódź\r\n"_s.toUtf8());
    EXPECT_EQ(ini.LeerTexto(u"Imprimir"_s, u"L1"_s, u""_s), u"España €"_s);
    EXPECT_EQ(ini.LeerTexto(u"Imprimir"_s, u"L3"_s, u""_s), u"Łódź"_s);
}

TEST_F(ArchivoIniTest, UnArchivoBinarioDaDefectosYSobreviveAUnaEscritura) {
    QByteArray basura;
    for (int vuelta = 0; vuelta < 2; ++vuelta)
        for (int b = 0; b < 256; ++b)
            basura.append(static_cast<char>(b ^ (vuelta * 0x5a)));
    Poner(Ruta(), basura);
    const ArchivoIni ini(Ruta());
    EXPECT_TRUE(ini.LeerBooleano(u"Conversion"_s, u"DEG"_s, true));
    EXPECT_EQ(ini.LeerEntero(u"Opciones"_s, u"Decimales"_s, 3), 3);
    EXPECT_EQ(ini.LeerReal(u"Tipo de IVA"_s, u"IVA"_s, 16), 16.0L);

    ini.EscribirBooleano(u"Conversion"_s, u"DEG"_s, false);
    const QByteArray despues = Bytes(Ruta());
    ASSERT_TRUE(despues.startsWith(basura));
    // Its first line end is a bare LF, so the new lines take it.
    EXPECT_EQ(despues.mid(basura.size()), QByteArray("\n\n[Conversion]\nDEG=0\n"));
    EXPECT_FALSE(ini.LeerBooleano(u"Conversion"_s, u"DEG"_s, true));
}

TEST_F(ArchivoIniTest, UnaEscrituraImposibleAvisaYNoTocaNada) {
    // The folder of the file is a regular file: neither the folder nor the file can be made.
    Poner(Ruta(u"archivo"_s), "no soy una carpeta");
    const ArchivoIni bajoArchivo(Ruta(u"archivo/Sumadora.ini"_s));
    EXPECT_EQ(bajoArchivo.LeerEntero(u"Opciones"_s, u"Decimales"_s, 3), 3);
    try {
        bajoArchivo.EscribirEntero(u"Opciones"_s, u"Decimales"_s, 5);
        ADD_FAILURE() << "no error";
    } catch (const ErrorSumadora& e) {
        EXPECT_TRUE(e.Mensaje().startsWith(u"No se puede escribir el archivo de configuración «"_s))
            << e.what();
        EXPECT_TRUE(e.Mensaje().contains(QDir::toNativeSeparators(Ruta(u"archivo/Sumadora.ini"_s))))
            << e.what();
    }
    EXPECT_EQ(Bytes(Ruta(u"archivo"_s)), QByteArray("no soy una carpeta"));

    // An existing file in a folder where nothing can be created beside it.
    const ArchivoIni enProc(u"/proc/self/comm"_s);
    const QByteArray antes = Bytes(u"/proc/self/comm"_s);
    EXPECT_THROW(enProc.EscribirTexto(u"A"_s, u"x"_s, u"1"_s), ErrorSumadora);
    EXPECT_EQ(Bytes(u"/proc/self/comm"_s), antes);

    // A folder where the file should be is neither read as settings nor replaced.
    QDir(dir_.path()).mkdir(u"Sumadora.ini"_s);
    const ArchivoIni carpeta(Ruta());
    EXPECT_EQ(carpeta.LeerTexto(u"A"_s, u"x"_s, u"d"_s), u"d"_s);
    EXPECT_THROW(carpeta.EscribirTexto(u"A"_s, u"x"_s, u"1"_s), ErrorSumadora);
    EXPECT_TRUE(QFileInfo(Ruta()).isDir());
}

} // namespace
