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

QByteArray B(const char* s) {
    return QByteArray(s);
}

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

// ---- Decoding: line ends and code pages ------------------------------------------------------

struct CasoLectura {
    const char* Nombre;
    QByteArray Datos;
    QStringList Lineas;
    CodificacionCuenta Codificacion = CodificacionCuenta::Windows1252;
};

std::ostream& operator<<(std::ostream& os, const CasoLectura& c) {
    return os << c.Nombre;
}

class Decodificar : public ::testing::TestWithParam<CasoLectura> {};

TEST_P(Decodificar, DaLasLineasYLaCodificacion) {
    const ContenidoCuenta c = DecodificarCuenta(GetParam().Datos);
    EXPECT_EQ(c.Lineas, GetParam().Lineas);
    EXPECT_EQ(c.Codificacion, GetParam().Codificacion);
}

const CasoLectura kLecturas[] = {
    {"CrLf", B("a\r\nb\r\n"), {u"a"_s, u"b"_s}},
    {"LfSolo", B("a\nb\n"), {u"a"_s, u"b"_s}},
    {"CrSolo", B("a\rb\r"), {u"a"_s, u"b"_s}},
    {"SinSaltoFinal", B("a\r\nb"), {u"a"_s, u"b"_s}},
    {"Mezclados", B("a\r\nb\nc\rd"), {u"a"_s, u"b"_s, u"c"_s, u"d"_s}},
    {"LineasVaciasAlFinal", B("a\r\n\r\n\r\n"), {u"a"_s, QString(), QString()}},
    {"LfSeguidoDeCrSonDosSaltos", B("a\n\rb"), {u"a"_s, QString(), u"b"_s}},
    {"CrSeguidoDeCrLf", B("a\r\r\nb"), {u"a"_s, QString(), u"b"_s}},
    {"ArchivoVacio", QByteArray(), {}},
    {"SoloUnSalto", B("\r\n"), {QString()}},
    {"BlancosConservados", B("   5 +\r\n\t x \r\n"), {u"   5 +"_s, u"\t x "_s}},
    // Octal escapes: Windows-1252 "ñ" is \361; UTF-8 "ñ" is \303\261, its byte order mark
    // \357\273\277.
    {"Windows1252", B("Pe\361a 5\x80\r\n"), {u"Peña 5€"_s}},
    {"Utf8", B("Pe\303\261a 5\xE2\x82\xAC\r\n"), {u"Peña 5€"_s}, CodificacionCuenta::Utf8},
    {"Utf8ConBom", B("\357\273\277Pe\303\261a"), {u"Peña"_s}, CodificacionCuenta::Utf8ConBom},
    // Not valid UTF-8 anywhere in the file: the whole file is Windows-1252.
    {"Utf8SobrelargoEsWindows1252", B("\xC0\xAF"), {u"À¯"_s}},
    {"Utf8CortadoEsWindows1252", B("Pe\xC3"), {u"PeÃ"_s}},
    // The bytes Windows-1252 leaves undefined still come back as something.
    {"SinDefinirEn1252", B("\x81\x8D\x8F\x90\x9D"), {u"\u0081\u008D\u008F\u0090\u009D"_s}},
};

INSTANTIATE_TEST_SUITE_P(ArchivoCuenta, Decodificar, ::testing::ValuesIn(kLecturas),
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

// ---- Round trips: a file loaded and saved again gives back its bytes, with CR LF ends -------

TEST(ArchivoCuenta, GuardarLoCargadoDevuelveLosMismosBytes) {
    QByteArray todos; // every byte but the line ends
    for (int b = 1; b < 256; ++b)
        if (b != '\r' && b != '\n')
            todos += char(b);
    const struct {
        const char* nombre;
        QByteArray datos, guardado;
    } casos[] = {
        {"CadaByteDeWindows1252", todos + "\r\n", todos + "\r\n"},
        {"Utf8", B("a\xC3\xB1o\r\n\xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80\r\n"),
         B("a\xC3\xB1o\r\n\xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80\r\n")},
        {"Utf8ConBom", B("\xEF\xBB\xBFuno\r\ndos\xC2\xB2\r\n"),
         B("\xEF\xBB\xBFuno\r\ndos\xC2\xB2\r\n")},
        {"Windows1252ConFinesLf", B("uno\n\x80 dos\n\n"), B("uno\r\n\x80 dos\r\n\r\n")},
        {"SinSaltoFinalLoGana", B("  5 +\r\n  5 T"), B("  5 +\r\n  5 T\r\n")},
    };
    for (const auto& c : casos) {
        ContenidoCuenta leido = DecodificarCuenta(c.datos);
        EXPECT_EQ(CodificarCuenta(leido.Lineas, leido.Codificacion).toHex(' '),
                  c.guardado.toHex(' '))
            << c.nombre;
    }
}

TEST(ArchivoCuenta, SinCargarEsWindows1252YFueraDeEllaUtf8SinPerderNada) {
    CodificacionCuenta cod = CodificacionCuenta::Windows1252;
    EXPECT_EQ(CodificarCuenta({u"Año 5€"_s, QString()}, cod), B("A\xF1o 5\x80\r\n\r\n"));
    EXPECT_EQ(cod, CodificacionCuenta::Windows1252);

    const QStringList lineas = {u"año"_s, u"→ 日本"_s};
    const QByteArray datos = CodificarCuenta(lineas, cod);
    EXPECT_EQ(cod, CodificacionCuenta::Utf8);
    EXPECT_EQ(datos, (u"año\r\n→ 日本\r\n"_s).toUtf8());
    EXPECT_EQ(DecodificarCuenta(datos).Lineas, lineas);
}

// ---- Files on disk -----------------------------------------------------------------------

class ArchivoCuentaDisco : public ::testing::Test {
protected:
    QString Ruta(const QString& nombre) const { return dir_.filePath(nombre); }
    QTemporaryDir dir_;
};

TEST_F(ArchivoCuentaDisco, GuardarReemplazaElArchivoYLeerDevuelveLasLineas) {
    const QStringList lineas = {u"                     5 +"_s, u" ---------------------"_s,
                                u"                     5 T"_s, QString(), QString()};
    const QString ruta = Ruta(u"cuenta.SUMA"_s);
    Escribir(ruta, QByteArray(10000, 'x'));
    EXPECT_EQ(GuardarArchivoCuenta(ruta, lineas, CodificacionCuenta::Windows1252),
              CodificacionCuenta::Windows1252);
    EXPECT_EQ(Leer(ruta), B("                     5 +\r\n ---------------------\r\n"
                            "                     5 T\r\n\r\n\r\n"));
    EXPECT_EQ(LeerArchivoCuenta(ruta).Lineas, lineas);
}

TEST_F(ArchivoCuentaDisco, UnaCintaDeVariosMegasYUnaLineaEnormeVuelvenEnteras) {
    // Written in blocks: lines that straddle a block, and one longer than a block.
    QStringList lineas;
    for (int i = 0; i < 60000; ++i)
        lineas << QString::number(i).rightJustified(22) + (i % 7 ? u" +"_s : u" €"_s);
    lineas << QString(3 * 1024 * 1024, u'ñ') << u"fin"_s;
    for (const CodificacionCuenta cod :
         {CodificacionCuenta::Windows1252, CodificacionCuenta::Utf8}) {
        const QString ruta = Ruta(u"grande.SUMA"_s);
        GuardarArchivoCuenta(ruta, lineas, cod);
        const ContenidoCuenta leido = LeerArchivoCuenta(ruta);
        EXPECT_EQ(leido.Codificacion, cod);
        EXPECT_TRUE(leido.Lineas == lineas);
    }
}

TEST_F(ArchivoCuentaDisco, GuardarDondeNoSePuedeAvisaYNoDejaNada) {
    // Tests run as root, who may write anywhere: a parent that is a plain file stops anyone.
    const QString fichero = Ruta(u"no_es_carpeta"_s);
    Escribir(fichero, B("sigo igual"));
    const QString ruta = fichero + u"/cuenta.SUMA"_s;
    const QString m =
        Mensaje([&] { GuardarArchivoCuenta(ruta, {u"1"_s}, CodificacionCuenta::Windows1252); });
    EXPECT_TRUE(m.startsWith(u"No se puede guardar la cuenta en «"_s)) << m.toStdString();
    EXPECT_TRUE(m.contains(QDir::toNativeSeparators(ruta))) << m.toStdString();
    EXPECT_EQ(Leer(fichero), B("sigo igual"));

    // A folder in the way is left as it was, and no temporary file is left beside it.
    const QString carpeta = Ruta(u"carpeta.SUMA"_s);
    ASSERT_TRUE(QDir().mkdir(carpeta));
    Escribir(carpeta + u"/dentro"_s, B("x"));
    EXPECT_FALSE(Mensaje([&] {
                     GuardarArchivoCuenta(carpeta, {u"1"_s}, CodificacionCuenta::Windows1252);
                 }).isEmpty());
    EXPECT_EQ(Leer(carpeta + u"/dentro"_s), B("x"));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{u"carpeta.SUMA"_s, u"no_es_carpeta"_s}));
}

TEST_F(ArchivoCuentaDisco, NoSeCarganNulosNiArchivosGrandesYSeDicePorQue) {
    const struct {
        QByteArray datos;
        qint64 limite;
        const char* aviso; // a piece of the Spanish message
    } casos[] = {{QByteArray("5 +\r\n\0\r\n", 8), LimiteArchivoCuenta, "caracteres nulos"},
                 {QByteArray("5 +\0", 4), LimiteArchivoCuenta, "caracteres nulos"},
                 {QByteArray(101, 'x'), 100, "demasiado grande"}};
    const QString ruta = Ruta(u"raro.SUMA"_s);
    for (const auto& c : casos) {
        Escribir(ruta, c.datos);
        const QString m = Mensaje([&] { LeerArchivoCuenta(ruta, c.limite); });
        EXPECT_TRUE(m.contains(QString::fromUtf8(c.aviso))) << m.toStdString();
        EXPECT_TRUE(m.contains(QDir::toNativeSeparators(ruta))) << m.toStdString();
    }
    // Just at the limit it loads.
    Escribir(ruta, QByteArray(98, 'x') + "\r\n");
    EXPECT_EQ(LeerArchivoCuenta(ruta, 100).Lineas, QStringList{QString(98, u'x')});

    const QString falta = Ruta(u"no_hay.SUMA"_s);
    EXPECT_EQ(Mensaje([&] { LeerArchivoCuenta(falta); }),
              u"El archivo «%1» no existe."_s.arg(QDir::toNativeSeparators(falta)));
}

} // namespace
