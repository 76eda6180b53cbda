// The settings file: the exact bytes written, hand-edited files kept as they were, refused
// writes, a full disk and two programs writing at once.
#include "ArchivoIni.h"
#include "ArchivosPrueba.h"
#include "ErrorSumadora.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <map>
#include <optional>
#include <utility>

using namespace Qt::StringLiterals;

// A byte literal that may hold NULs.
#define CRUDO(s) QByteArray((s), sizeof(s) - 1)

namespace {

class ArchivoIniTest : public ::testing::Test {
protected:
    QString Ruta(const QString& nombre = u"Sumadora.ini"_s) const {
        return FCarpeta.filePath(nombre);
    }
    QTemporaryDir FCarpeta;
};

TEST_F(ArchivoIniTest, SinArchivoDaLosDefectosYLaPrimeraEscrituraCreaCarpetaYArchivo) {
    EXPECT_EQ(ArchivoIni().Ruta(),
              QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                  u"/Sumadora.ini"_s);
    const QString ruta = Ruta(u"a/b/Sumadora.ini"_s);
    const ArchivoIni ini(ruta);
    EXPECT_TRUE(ini.LeerBooleano(u"Conversion"_s, u"DEG"_s, true));
    EXPECT_EQ(ini.LeerEntero(u"Opciones"_s, u"Decimales"_s, 3), 3);
    EXPECT_EQ(ini.LeerReal(u"Tipo de IVA"_s, u"IVA"_s, 16.0L), 16.0L);
    EXPECT_EQ(ini.LeerTexto(u"Imprimir"_s, u"L1"_s, u"x"_s), u"x"_s);
    EXPECT_FALSE(QFile::exists(ruta));

    ini.EscribirBooleano(u"Conversion"_s, u"DEG"_s, false);
    ini.EscribirBooleano(u"Conversion"_s, u"RAD"_s, true);
    ini.EscribirEntero(u"Opciones"_s, u"Decimales"_s, 9);
    ini.EscribirReal(u"Tipo de IVA"_s, u"IVA"_s, 7.5L);
    EXPECT_EQ(LeerArchivo(ruta), QByteArray("[Conversion]\r\nDEG=0\r\nRAD=1\r\n"
                                            "\r\n[Opciones]\r\nDecimales=9\r\n"
                                            "\r\n[Tipo de IVA]\r\nIVA=7,5\r\n"));
    // Nothing is cached: every read goes to the file as it is now.
    EscribirArchivo(ruta, "[Opciones]\nDecimales=4\n");
    EXPECT_EQ(ini.LeerEntero(u"Opciones"_s, u"Decimales"_s, 3), 4);
}

// One write into an existing file: only the key's value, or the lines the write adds, change.
struct CasoEscritura {
    const char* nombre;
    QByteArray antes;
    const char *seccion, *clave;
    const char16_t* valor;
    QByteArray despues;
};

class EscrituraEnArchivo : public ArchivoIniTest,
                           public ::testing::WithParamInterface<CasoEscritura> {};

TEST_P(EscrituraEnArchivo, CambiaSoloLoQueEscribe) {
    const CasoEscritura& c = GetParam();
    const QString seccion = QString::fromUtf8(c.seccion), clave = QString::fromUtf8(c.clave);
    EscribirArchivo(Ruta(), c.antes);
    ArchivoIni(Ruta()).EscribirTexto(seccion, clave, QStringView(c.valor).toString());
    EXPECT_EQ(LeerArchivo(Ruta()), c.despues);
    EXPECT_EQ(ArchivoIni(Ruta()).LeerTexto(seccion, clave, u"?"_s),
              QStringView(c.valor).trimmed().toString());
}

const QByteArray kMano = "; Sumadora, editado a mano\r\n[Opciones]\r\n  Formato = 0\r\n"
                         "# comentario=1\r\nDecimales=2\r\n\r\n[Otra cosa]\r\n"
                         "clave rara =  valor con  espacios  \r\nlínea sin igual\r\n";

// Every byte value, twice: no text at all. Its first line end is a bare LF, so new lines take it.
const QByteArray kBinario = [] {
    QByteArray b;
    for (int i = 0; i < 512; ++i)
        b.append(char(i < 256 ? i : i ^ 0x5a));
    return b;
}();

const CasoEscritura kEscrituras[] = {
    {"ClaveExistenteEnSuSitio", kMano, "Opciones", "Formato", u"1",
     QByteArray(kMano).replace("Formato = 0", "Formato = 1")},
    {"ClaveNuevaTrasLaUltimaDeSuSeccion", kMano, "Opciones", "Separador Miles", u"1",
     QByteArray(kMano).replace("Decimales=2\r\n", "Decimales=2\r\nSeparador Miles=1\r\n")},
    {"SeccionNuevaAlFinal", kMano, "Skin", "Tipo", u"3", kMano + "\r\n[Skin]\r\nTipo=3\r\n"},
    {"MayusculasAcentuadas", "[SECCIÓN]\nÑANDÚ=a\n", "sección", "ñandú", u"b",
     "[SECCIÓN]\nÑANDÚ=b\n"},
    {"EspaciosEnCorchetes", "[ Tipo de IVA ]\nIVA=16\n", "Tipo de IVA", "IVA", u"21",
     "[ Tipo de IVA ]\nIVA=21\n"},
    {"FinesDeLineaUnix", "[A]\nx=1\n\n[B]\ny=2\n", "A", "z", u"3", "[A]\nx=1\nz=3\n\n[B]\ny=2\n"},
    {"SeccionSinFinDeLinea", "[A]", "A", "x", u"1", "[A]\r\nx=1\r\n"},
    {"UltimaLineaSinFin", "[A]\nx=1", "B", "y", u"2", "[A]\nx=1\n\n[B]\ny=2\n"},
    {"SinBlancoDoble", "[A]\nx=1\n\n", "B", "y", u"2", "[A]\nx=1\n\n[B]\ny=2\n"},
    {"SeccionRepetidaValeLaPrimera", "[A]\nx=1\nx=2\n[a]\nx=3\n", "A", "x", u"9",
     "[A]\nx=9\nx=2\n[a]\nx=3\n"},
    {"ClaveComentadaNoCuenta", "[A]\n;x=1\n", "A", "x", u"2", "[A]\nx=2\n;x=1\n"},
    {"MarcaDeOrdenUtf8", "\xEF\xBB\xBF[A]\r\nx=1\r\n", "A", "x", u"2",
     "\xEF\xBB\xBF[A]\r\nx=2\r\n"},
    {"TextoExactoSinRecortar", "", "Imprimir", "L1", u"  Café «Ñu» €  ",
     "[Imprimir]\r\nL1=  Café «Ñu» €  \r\n"},
    {"LineaConNul", CRUDO("[A]\r\n\0\0\r\nx=5\0basura\r\n"), "A", "x", u"7",
     CRUDO("[A]\r\n\0\0\r\nx=7\r\n")},
    {"ArchivoBinario", kBinario, "Conversion", "DEG", u"0", kBinario + "\n\n[Conversion]\nDEG=0\n"},
    // A Windows-1252 file stays so; with a character it has not, it all becomes UTF-8, as it
    // does when its bytes would pass for UTF-8 once the others are gone.
    {"Windows1252", "[I]\r\nL1=\xf1\r\n", "I", "L2", u"Año €",
     "[I]\r\nL1=\xf1\r\nL2=A\xf1o \x80\r\n"},
    {"FueraDeWindows1252", "[I]\r\nL1=\xf1\x80\r\n", "I", "L2", u"Łódź",
     "[I]\r\nL1=ñ€\r\nL2=Łódź\r\n"},
    {"SoloPareceUtf8", "[I]\r\nL1=\xC3\xA9\r\nL2=\xE9\r\n", "I", "L2", u"e",
     "[I]\r\nL1=Ã©\r\nL2=e\r\n"},
    // A value that begins with U+FEFF keeps it.
    {"MarcaEnUnValor", "", "I", "L2", u"\uFEFFhola", "[I]\r\nL2=\uFEFFhola\r\n"},
    {"MarcaEnUnValorDe1252", "[I]\r\nL1=\xf1\r\n", "I", "L2", u"\uFEFFhola",
     "[I]\r\nL1=ñ\r\nL2=\uFEFFhola\r\n"}};
INSTANTIATE_TEST_SUITE_P(ArchivoIni, EscrituraEnArchivo, ::testing::ValuesIn(kEscrituras),
                         [](const auto& i) { return std::string(i.param.nombre); });

TEST_F(ArchivoIniTest, UnSaltoDeLineaEnElValorNoPartirLaLinea) {
    const ArchivoIni ini(Ruta());
    ini.EscribirTexto(u"Imprimir"_s, u"L1"_s, u"uno\r\n[Opciones]\nFormato=0"_s);
    EXPECT_EQ(ini.LeerTexto(u"Imprimir"_s, u"L1"_s, u""_s), u"uno  [Opciones] Formato=0"_s);
}

// How each kind of value reads back from the text a hand may have left in the file: its
// value, or the default (true for booleans, 42 for the others).
TEST_F(ArchivoIniTest, CadaTipoDaSuValorOElDefecto) {
    const auto ini = [this](const QByteArray& texto) {
        EscribirArchivo(Ruta(), "[S]\r\nK=" + texto + "\r\n");
        return ArchivoIni(Ruta());
    };
    for (const auto& [texto, esperado] :
         {std::pair<QByteArray, bool>{"-1", true}, {" \t0  ", false}, {"false", true}})
        EXPECT_EQ(ini(texto).LeerBooleano(u"S"_s, u"K"_s, true), esperado) << texto.constData();
    for (const auto& [texto, esperado] :
         {std::pair<QByteArray, int>{"7x", 42}, {"99999999999", 42}, {CRUDO("5\0basura"), 5}})
        EXPECT_EQ(ini(texto).LeerEntero(u"S"_s, u"K"_s, 42), esperado) << texto.constData();
    const std::pair<QByteArray, long double> reales[] = {
        {"7.5", 7.5L}, {"+2,25", 2.25L}, {"dieciséis", 42}, {"1.234,5", 42}, {"inf", 42}};
    for (const auto& [texto, esperado] : reales)
        EXPECT_EQ(ini(texto).LeerReal(u"S"_s, u"K"_s, 42), esperado) << texto.constData();
}

TEST_F(ArchivoIniTest, RealesEnSuFormaMasCortaConComaDecimal) {
    const ArchivoIni ini(Ruta());
    const std::pair<long double, const char*> casos[] = {
        {7.5L, "7,5"},        {16.0L, "16"},
        {0.1L, "0,1"},        {-3.25L, "-3,25"},
        {1e4000L, "1e+4000"}, {4.1790147315913304e+252L, "4,1790147315913304e+252"}};
    for (const auto& [valor, texto] : casos) {
        ini.EscribirReal(u"Tipo de IVA"_s, u"IVA"_s, valor);
        EXPECT_EQ(LeerArchivo(Ruta()), "[Tipo de IVA]\r\nIVA=" + QByteArray(texto) + "\r\n");
        EXPECT_EQ(ini.LeerReal(u"Tipo de IVA"_s, u"IVA"_s, 42), valor) << texto;
    }
}

TEST_F(ArchivoIniTest, UnaEscrituraImposibleAvisaYNoTocaNada) {
    // The folder of the file is a regular file: neither the folder nor the file can be made.
    EscribirArchivo(Ruta(u"archivo"_s), "no soy una carpeta");
    const ArchivoIni bajoArchivo(Ruta(u"archivo/Sumadora.ini"_s));
    EXPECT_EQ(bajoArchivo.LeerEntero(u"Opciones"_s, u"Decimales"_s, 3), 3);
    const QString m =
        MensajeDeError([&] { bajoArchivo.EscribirEntero(u"Opciones"_s, u"Decimales"_s, 5); });
    EXPECT_TRUE(m.startsWith(u"No se puede escribir el archivo de configuración «%1»: "_s.arg(
        QDir::toNativeSeparators(Ruta(u"archivo/Sumadora.ini"_s)))))
        << m.toStdString();
    EXPECT_EQ(LeerArchivo(Ruta(u"archivo"_s)), QByteArray("no soy una carpeta"));

    // An existing file in a folder where nothing can be created beside it.
    const QByteArray antes = LeerArchivo(u"/proc/self/comm"_s);
    EXPECT_THROW(ArchivoIni(u"/proc/self/comm"_s).EscribirTexto(u"A"_s, u"x"_s, u"1"_s),
                 ErrorSumadora);
    EXPECT_EQ(LeerArchivo(u"/proc/self/comm"_s), antes);

    // A folder where the file should be is neither read as settings nor replaced.
    QDir(FCarpeta.path()).mkdir(u"Sumadora.ini"_s);
    const ArchivoIni carpeta(Ruta());
    EXPECT_EQ(carpeta.LeerTexto(u"A"_s, u"x"_s, u"d"_s), u"d"_s);
    EXPECT_THROW(carpeta.EscribirTexto(u"A"_s, u"x"_s, u"1"_s), ErrorSumadora);
    EXPECT_TRUE(QFileInfo(Ruta()).isDir());
}

TEST_F(ArchivoIniTest, UnaEscrituraQueNoCambiaNadaNoTocaElDisco) {
    EscribirArchivo(Ruta(), "[Opciones]\nFormato = 1\n");
    const QDateTime antes = QFileInfo(Ruta()).lastModified();
    const ArchivoIni ini(Ruta());
    ini.Escribir({{u"opciones"_s, u"formato"_s, u"1"_s}});
    EXPECT_EQ(QFileInfo(Ruta()).lastModified(), antes);
    // Not even the lock file is made.
    EXPECT_EQ(QDir(FCarpeta.path()).entryList(QDir::Files), QStringList{u"Sumadora.ini"_s});

    // Several keys in one write, all or none.
    ini.Escribir({{u"Opciones"_s, u"Formato"_s, u"0"_s}, {u"Skin"_s, u"Tipo"_s, u"3"_s}});
    EXPECT_EQ(LeerArchivo(Ruta()), QByteArray("[Opciones]\nFormato = 0\n\n[Skin]\nTipo=3\n"));
    const ArchivoIni copia = ini.Instantanea();
    EXPECT_EQ(copia.LeerEntero(u"Skin"_s, u"Tipo"_s, 1), 3);
    EXPECT_FALSE(copia.LeerBooleano(u"Opciones"_s, u"Formato"_s, true));
}

TEST_F(ArchivoIniTest, ConElDiscoLlenoAvisaYDejaElArchivoComoEstaba) {
    const QByteArray antes = "[Imprimir]\r\nL1=" + QByteArray(3000, 'a') + "\r\n";
    EscribirArchivo(Ruta(), antes);
    const QString mensaje = MensajeConDiscoLleno(5000, [&] {
        ArchivoIni(Ruta()).EscribirTexto(u"Imprimir"_s, u"L2"_s, QString(3000, u'b'));
    });
    EXPECT_TRUE(mensaje.startsWith(u"No se puede escribir el archivo de configuración"_s))
        << mensaje.toStdString();
    EXPECT_EQ(LeerArchivo(Ruta()), antes);
    EXPECT_EQ(QDir(FCarpeta.path()).entryList(QDir::Files),
              (QStringList{u"Sumadora.ini"_s, u"Sumadora.ini.lock"_s}));
}

// ---- Two programs at once -------------------------------------------------------------------
// This test program started again as a writer of 1,000 keys of one section, one write each.

constexpr int EscriturasPorHijo = 1000;

[[maybe_unused]] const bool kEsHijo = [] {
    const QString seccion = qEnvironmentVariable("ARCHIVOINI_SECCION");
    if (seccion.isEmpty())
        return false;
    try {
        for (int i = 0; i < EscriturasPorHijo; ++i)
            ArchivoIni(qEnvironmentVariable("ARCHIVOINI_RUTA"))
                .EscribirEntero(seccion, u"K%1"_s.arg(i), i);
    } catch (const ErrorSumadora& e) {
        std::cerr << e.what() << '\n';
        std::_Exit(2);
    }
    std::_Exit(0);
}();

// A file as the writers leave it at any instant: a comment, then for each section, after a
// blank line, the keys K0, K1, ... in order with their numbers; how many per section, or
// nothing if it is not so.
std::optional<std::map<QByteArray, int>> Estado(const QByteArray& datos) {
    static const QRegularExpression seccion(u"\r\n\\[([AB])\\]\r\n((?:K[0-9]+=[0-9]+\r\n)*)"_s);
    std::map<QByteArray, int> cuentas;
    QByteArray rehecho = "; inicial\r\n";
    for (auto it = seccion.globalMatch(QString::fromLatin1(datos)); it.hasNext();) {
        const auto m = it.next();
        const QByteArray nombre = m.captured(1).toLatin1();
        rehecho += "\r\n[" + nombre + "]\r\n";
        for (int& n = cuentas[nombre]; n < m.captured(2).count(u'\n'); ++n)
            rehecho += "K" + QByteArray::number(n) + "=" + QByteArray::number(n) + "\r\n";
    }
    return rehecho == datos ? std::optional(cuentas) : std::nullopt;
}

// While both write, this program reads the file without the lock: it is whole every time, and
// no key it has seen goes away.
TEST(ArchivoIniDosProgramas, NadieSePierdeYElArchivoEstaSiempreEntero) {
    // In memory where there is a tmpfs, so the thousands of writes do not wait for a disk.
    QTemporaryDir dir(QDir(u"/dev/shm"_s).exists() ? u"/dev/shm/sumadora-XXXXXX"_s : QString());
    ASSERT_TRUE(dir.isValid());
    const QString ruta = dir.filePath(u"Sumadora.ini"_s);
    EscribirArchivo(ruta, "; inicial\r\n");
    QProcess escritores[2];
    for (int i = 0; i < 2; ++i) {
        QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
        entorno.insert(u"ARCHIVOINI_RUTA"_s, ruta);
        entorno.insert(u"ARCHIVOINI_SECCION"_s, i == 0 ? u"A"_s : u"B"_s);
        escritores[i].setProcessEnvironment(entorno);
        escritores[i].start(u"/proc/self/exe"_s, {});
        ASSERT_TRUE(escritores[i].waitForStarted());
    }
    std::map<QByteArray, int> visto;
    int lecturas = 0;
    const QDeadlineTimer limite(240000);
    while (escritores[0].state() != QProcess::NotRunning ||
           escritores[1].state() != QProcess::NotRunning) {
        ASSERT_FALSE(limite.hasExpired());
        const QByteArray datos = LeerArchivo(ruta);
        const auto estado = Estado(datos);
        ASSERT_TRUE(estado) << "archivo a medias:\n" << datos.toStdString();
        for (const auto& [seccion, n] : *estado) {
            ASSERT_GE(n, visto[seccion]) << "claves perdidas en " << seccion.toStdString();
            visto[seccion] = n;
        }
        ++lecturas;
        for (QProcess& p : escritores)
            p.waitForFinished(1);
    }
    EXPECT_GT(lecturas, 10);
    for (QProcess& p : escritores)
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_EQ(Estado(LeerArchivo(ruta)),
              (std::map<QByteArray, int>{{"A", EscriturasPorHijo}, {"B", EscriturasPorHijo}}));
}

} // namespace
