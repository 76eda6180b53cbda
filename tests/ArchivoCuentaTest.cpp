// Tape files: line ends, the Windows-1252 / UTF-8 rule, byte-for-byte round trips, and the
// files that are refused or cannot be written.
#include "ArchivoCuenta.h"

#include "ErrorSumadora.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

using namespace Qt::StringLiterals;

namespace {

QByteArray B(const char* s) { return QByteArray(s); }

QString Mensaje(const std::function<void()>& accion) {
    try {
        accion();
    } catch (const ErrorSumadora& e) {
        return e.Mensaje();
    }
    return QString();
}

QByteArray Leer(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no se pudo leer>");
}

void Escribir(const QString& ruta, const QByteArray& datos) {
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(datos), datos.size());
}

// ---- Line ends ---------------------------------------------------------------------------

struct CasoFinLinea {
    const char* Nombre;
    QByteArray Datos;
    QStringList Lineas;
};

std::ostream& operator<<(std::ostream& os, const CasoFinLinea& c) { return os << c.Nombre; }

class FinesDeLinea : public ::testing::TestWithParam<CasoFinLinea> {};

TEST_P(FinesDeLinea, CadaSaltoTerminaUnaLinea) {
    const ContenidoCuenta c = DecodificarCuenta(GetParam().Datos);
    EXPECT_EQ(c.Lineas, GetParam().Lineas);
}

INSTANTIATE_TEST_SUITE_P(
    ArchivoCuenta, FinesDeLinea,
    ::testing::Values(
        CasoFinLinea{"CrLf", B("a\r\nb\r\n"), {u"a"_s, u"b"_s}},
        CasoFinLinea{"LfSolo", B("a\nb\n"), {u"a"_s, u"b"_s}},
        CasoFinLinea{"CrSolo", B("a\rb\r"), {u"a"_s, u"b"_s}},
        CasoFinLinea{"SinSaltoFinal", B("a\r\nb"), {u"a"_s, u"b"_s}},
        CasoFinLinea{"Mezclados", B("a\r\nb\nc\rd"), {u"a"_s, u"b"_s, u"c"_s, u"d"_s}},
        CasoFinLinea{"LineasVaciasAlFinal", B("a\r\n\r\n\r\n"), {u"a"_s, QString(), QString()}},
        CasoFinLinea{"LfSeguidoDeCrSonDosSaltos", B("a\n\rb"), {u"a"_s, QString(), u"b"_s}},
        CasoFinLinea{"CrSeguidoDeCrLf", B("a\r\r\nb"), {u"a"_s, QString(), u"b"_s}},
        CasoFinLinea{"ArchivoVacio", QByteArray(), {}},
        CasoFinLinea{"SoloUnSalto", B("\r\n"), {QString()}},
        CasoFinLinea{"BlancosConservados", B("   5 +\r\n\t x \r\n"), {u"   5 +"_s, u"\t x "_s}}),
    [](const auto& info) { return std::string(info.param.Nombre); });

TEST(ArchivoCuenta, MuchosCrSolosSeLeenTodos) {
    // Lone CRs with no LF anywhere: every line found, none swallowed into the next.
    QByteArray datos;
    for (int i = 0; i < 5000; ++i)
        datos += QByteArray::number(i) + '\r';
    const ContenidoCuenta c = DecodificarCuenta(datos);
    ASSERT_EQ(c.Lineas.size(), 5000);
    EXPECT_EQ(c.Lineas.first(), u"0"_s);
    EXPECT_EQ(c.Lineas.last(), u"4999"_s);
}

// ---- Code pages --------------------------------------------------------------------------

struct CasoCodificacion {
    const char* Nombre;
    QByteArray Datos;
    QString Linea;
    CodificacionCuenta Codificacion;
};

std::ostream& operator<<(std::ostream& os, const CasoCodificacion& c) { return os << c.Nombre; }

class Codificaciones : public ::testing::TestWithParam<CasoCodificacion> {};

TEST_P(Codificaciones, SeLeeEnLaQueCorresponde) {
    const ContenidoCuenta c = DecodificarCuenta(GetParam().Datos);
    ASSERT_EQ(c.Lineas.size(), 1);
    EXPECT_EQ(c.Lineas.first(), GetParam().Linea);
    EXPECT_EQ(c.Codificacion, GetParam().Codificacion);
}

INSTANTIATE_TEST_SUITE_P(
    ArchivoCuenta, Codificaciones,
    ::testing::Values(
        CasoCodificacion{"Ascii", B("  16 T\r\n"), u"  16 T"_s, CodificacionCuenta::Windows1252},
        CasoCodificacion{"Windows1252", B("Pe\xF1" "a 5\x80\r\n"), u"Peña 5€"_s,
                         CodificacionCuenta::Windows1252},
        CasoCodificacion{"Utf8", B("Pe\xC3\xB1" "a 5\xE2\x82\xAC\r\n"), u"Peña 5€"_s,
                         CodificacionCuenta::Utf8},
        CasoCodificacion{"Utf8ConBomSinBomEnLaLinea", B("\xEF\xBB\xBF" "Pe\xC3\xB1" "a"),
                         u"Peña"_s, CodificacionCuenta::Utf8ConBom},
        // Not valid UTF-8 anywhere in the file: the whole file is Windows-1252.
        CasoCodificacion{"Utf8SobrelargoEsWindows1252", B("\xC0\xAF"), u"À¯"_s,
                         CodificacionCuenta::Windows1252},
        CasoCodificacion{"Utf8CortadoEsWindows1252", B("Pe\xC3"), u"PeÃ"_s,
                         CodificacionCuenta::Windows1252},
        // The bytes Windows-1252 leaves undefined still come back as something.
        CasoCodificacion{"BytesSinDefinirEnWindows1252", B("\x81\x8D\x8F\x90\x9D"),
                         u"\u0081\u008D\u008F\u0090\u009D"_s, CodificacionCuenta::Windows1252}),
    [](const auto& info) { return std::string(info.param.Nombre); });

// ---- Round trips: a file loaded and saved again gives back its bytes -------------------

QByteArray TodosLosBytes() {
    QByteArray d;
    for (int b = 1; b < 256; ++b)
        if (b != '\r' && b != '\n')
            d += char(b);
    return d + "\r\n";
}

struct CasoIdaYVuelta {
    const char* Nombre;
    QByteArray Datos;
    QByteArray Guardado; // what the save writes: the same bytes with CR LF ends
};

std::ostream& operator<<(std::ostream& os, const CasoIdaYVuelta& c) { return os << c.Nombre; }

class IdaYVuelta : public ::testing::TestWithParam<CasoIdaYVuelta> {};

TEST_P(IdaYVuelta, GuardarDevuelveLosMismosBytes) {
    ContenidoCuenta c = DecodificarCuenta(GetParam().Datos);
    const QByteArray guardado = CodificarCuenta(c.Lineas, c.Codificacion);
    EXPECT_EQ(guardado.toHex(' '), GetParam().Guardado.toHex(' '));
}

INSTANTIATE_TEST_SUITE_P(
    ArchivoCuenta, IdaYVuelta,
    ::testing::Values(
        CasoIdaYVuelta{"CadaByteDeWindows1252", TodosLosBytes(), TodosLosBytes()},
        CasoIdaYVuelta{"Utf8", B("a\xC3\xB1o\r\n\xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80\r\n"),
                       B("a\xC3\xB1o\r\n\xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80\r\n")},
        CasoIdaYVuelta{"Utf8ConBom", B("\xEF\xBB\xBFuno\r\ndos\xC2\xB2\r\n"),
                       B("\xEF\xBB\xBFuno\r\ndos\xC2\xB2\r\n")},
        CasoIdaYVuelta{"Windows1252ConFinesLf", B("uno\n\x80 dos\n\n"),
                       B("uno\r\n\x80 dos\r\n\r\n")},
        CasoIdaYVuelta{"SinSaltoFinalLoGana", B("  5 +\r\n  5 T"), B("  5 +\r\n  5 T\r\n")},
        CasoIdaYVuelta{"CintaTipica",
                       B("                     5 +\r\n ---------------------\r\n"
                         "                     5 T\r\n\r\n\r\n"),
                       B("                     5 +\r\n ---------------------\r\n"
                         "                     5 T\r\n\r\n\r\n")}),
    [](const auto& info) { return std::string(info.param.Nombre); });

TEST(ArchivoCuenta, GuardarSinCargarEsWindows1252) {
    CodificacionCuenta cod = CodificacionCuenta::Windows1252;
    EXPECT_EQ(CodificarCuenta({u"Año 5€"_s, QString()}, cod), B("A\xF1o 5\x80\r\n\r\n"));
    EXPECT_EQ(cod, CodificacionCuenta::Windows1252);
}

TEST(ArchivoCuenta, UnCaracterFueraDeWindows1252PasaElArchivoAUtf8SinPerderNada) {
    CodificacionCuenta cod = CodificacionCuenta::Windows1252;
    const QStringList lineas = {u"año"_s, u"→ 日本"_s};
    const QByteArray datos = CodificarCuenta(lineas, cod);
    EXPECT_EQ(cod, CodificacionCuenta::Utf8);
    EXPECT_FALSE(datos.contains('?'));
    EXPECT_EQ(datos, (u"año\r\n→ 日本\r\n"_s).toUtf8());
    EXPECT_EQ(DecodificarCuenta(datos).Lineas, lineas);
}

// ---- Files on disk -----------------------------------------------------------------------

class ArchivoCuentaDisco : public ::testing::Test {
protected:
    QString Ruta(const QString& nombre) const { return dir_.filePath(nombre); }
    QTemporaryDir dir_;
};

TEST_F(ArchivoCuentaDisco, GuardarYLeerDevuelveLasLineas) {
    const QStringList lineas = {u"                     5 +"_s, u" ---------------------"_s,
                                u"                     5 T"_s, QString(), QString()};
    const QString ruta = Ruta(u"cuenta.SUMA"_s);
    EXPECT_EQ(GuardarArchivoCuenta(ruta, lineas, CodificacionCuenta::Windows1252),
              CodificacionCuenta::Windows1252);
    EXPECT_TRUE(Leer(ruta).endsWith("5 T\r\n\r\n\r\n"));
    EXPECT_EQ(LeerArchivoCuenta(ruta).Lineas, lineas);
}

TEST_F(ArchivoCuentaDisco, UnaCintaDeVariosMegasYUnaLineaEnormeVuelvenEnteras) {
    // Written in blocks: lines that straddle a block, and one longer than a block.
    QStringList lineas;
    for (int i = 0; i < 60000; ++i)
        lineas << QString::number(i).rightJustified(22) + (i % 7 ? u" +"_s : u" €"_s);
    lineas << QString(3 * 1024 * 1024, u'ñ') << u"fin"_s;
    for (const CodificacionCuenta cod : {CodificacionCuenta::Windows1252, CodificacionCuenta::Utf8}) {
        const QString ruta = Ruta(u"grande.SUMA"_s);
        GuardarArchivoCuenta(ruta, lineas, cod);
        const ContenidoCuenta leido = LeerArchivoCuenta(ruta);
        EXPECT_EQ(leido.Codificacion, cod);
        EXPECT_TRUE(leido.Lineas == lineas);
    }
}

TEST_F(ArchivoCuentaDisco, GuardarReemplazaElArchivoEntero) {
    const QString ruta = Ruta(u"cuenta.SUMA"_s);
    Escribir(ruta, QByteArray(10000, 'x'));
    GuardarArchivoCuenta(ruta, {u"1"_s}, CodificacionCuenta::Windows1252);
    EXPECT_EQ(Leer(ruta), B("1\r\n"));
}

TEST_F(ArchivoCuentaDisco, GuardarEnUnaCarpetaImposibleAvisaYNoDejaNada) {
    // Tests run as root, who may write anywhere: a parent that is a plain file stops anyone.
    const QString fichero = Ruta(u"no_es_carpeta"_s);
    Escribir(fichero, B("sigo igual"));
    const QString ruta = fichero + u"/cuenta.SUMA"_s;
    const QString m = Mensaje([&] { GuardarArchivoCuenta(ruta, {u"1"_s}, CodificacionCuenta::Windows1252); });
    EXPECT_TRUE(m.startsWith(u"No se puede guardar la cuenta en «"_s)) << m.toStdString();
    EXPECT_TRUE(m.contains(QDir::toNativeSeparators(ruta))) << m.toStdString();
    EXPECT_EQ(Leer(fichero), B("sigo igual"));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"no_es_carpeta"_s});
}

TEST_F(ArchivoCuentaDisco, GuardarSobreUnaCarpetaLaDejaComoEstaba) {
    const QString ruta = Ruta(u"carpeta.SUMA"_s);
    ASSERT_TRUE(QDir().mkdir(ruta));
    Escribir(ruta + u"/dentro"_s, B("x"));
    EXPECT_FALSE(Mensaje([&] { GuardarArchivoCuenta(ruta, {u"1"_s}, CodificacionCuenta::Windows1252); })
                     .isEmpty());
    EXPECT_EQ(Leer(ruta + u"/dentro"_s), B("x"));
    // No temporary file left beside it.
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{u"carpeta.SUMA"_s});
}

struct CasoRechazo {
    const char* Nombre;
    QByteArray Datos;
    qint64 Limite;
    const char* Aviso; // a piece of the Spanish message
};

std::ostream& operator<<(std::ostream& os, const CasoRechazo& c) { return os << c.Nombre; }

class Rechazos : public ArchivoCuentaDisco, public ::testing::WithParamInterface<CasoRechazo> {};

TEST_P(Rechazos, NoSeCargaYSeDicePorQue) {
    const QString ruta = Ruta(u"raro.SUMA"_s);
    Escribir(ruta, GetParam().Datos);
    const QString m = Mensaje([&] { LeerArchivoCuenta(ruta, GetParam().Limite); });
    EXPECT_TRUE(m.contains(QString::fromUtf8(GetParam().Aviso))) << m.toStdString();
    EXPECT_TRUE(m.contains(QDir::toNativeSeparators(ruta))) << m.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    ArchivoCuenta, Rechazos,
    ::testing::Values(
        CasoRechazo{"ByteNulo", QByteArray("5 +\r\n\0\r\n", 8), LimiteArchivoCuenta, "caracteres nulos"},
        CasoRechazo{"NuloAlFinal", QByteArray("5 +\0", 4), LimiteArchivoCuenta, "caracteres nulos"},
        CasoRechazo{"UnByteDeMas", QByteArray(101, 'x'), 100, "demasiado grande"}),
    [](const auto& info) { return std::string(info.param.Nombre); });

TEST_F(ArchivoCuentaDisco, UnArchivoJustoEnElLimiteSeCarga) {
    const QString ruta = Ruta(u"justo.SUMA"_s);
    Escribir(ruta, QByteArray(98, 'x') + "\r\n");
    EXPECT_EQ(LeerArchivoCuenta(ruta, 100).Lineas, QStringList{QString(98, u'x')});
}

TEST_F(ArchivoCuentaDisco, UnArchivoQueNoExisteSeDiceAsi) {
    const QString ruta = Ruta(u"no_hay.SUMA"_s);
    EXPECT_EQ(Mensaje([&] { LeerArchivoCuenta(ruta); }),
              u"El archivo «%1» no existe."_s.arg(QDir::toNativeSeparators(ruta)));
}

} // namespace
