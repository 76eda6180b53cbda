// Tape files: line ends, the Windows-1252 / UTF-8 rule, byte-for-byte round trips, and the
// files that are refused or cannot be written.
#include "ArchivoCuenta.h"
#include "ArchivosPrueba.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <future>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray B(const char* s) {
    return QByteArray(s);
}

#define MARCA "\357\273\277" // UTF-8's byte order mark

// ---- Loaded and saved again: the lines, the code page, and CR LF line ends ------------------

struct CasoLectura {
    const char* Nombre;
    QByteArray Datos;
    QStringList Lineas;
    QByteArray Guardado;
    CodificacionCuenta Codificacion = CodificacionCuenta::Windows1252;
};

class Decodificar : public ::testing::TestWithParam<CasoLectura> {};

TEST_P(Decodificar, DaLasLineasYLaCodificacionYSeGuardaIgual) {
    const TextoCuenta c = DecodificarCuenta(GetParam().Datos);
    EXPECT_EQ(c.Texto.Lineas(), GetParam().Lineas);
    EXPECT_EQ(c.Codificacion, GetParam().Codificacion);
    EXPECT_EQ(CodificarCuenta(c.Texto, c.Codificacion).toHex(' '), GetParam().Guardado.toHex(' '));
}

constexpr CodificacionCuenta U8 = CodificacionCuenta::Utf8, Bom = CodificacionCuenta::Utf8ConBom;
const CasoLectura kLecturas[] = {
    {"CrLf", B("a\r\nb\r\n"), {u"a"_s, u"b"_s}, B("a\r\nb\r\n")},
    {"SinSaltoFinal", B("a\r\nb"), {u"a"_s, u"b"_s}, B("a\r\nb\r\n")},
    {"Mezclados", B("a\r\nb\nc\rd"), {u"a"_s, u"b"_s, u"c"_s, u"d"_s}, B("a\r\nb\r\nc\r\nd\r\n")},
    {"LineasVaciasAlFinal", B("a\r\n\r\n\r\n"), {u"a"_s, QString(), QString()}, B("a\r\n\r\n\r\n")},
    {"LfSeguidoDeCrSonDosSaltos", B("a\n\rb"), {u"a"_s, QString(), u"b"_s}, B("a\r\n\r\nb\r\n")},
    {"CrSeguidoDeCrLf", B("a\r\r\nb"), {u"a"_s, QString(), u"b"_s}, B("a\r\n\r\nb\r\n")},
    {"ArchivoVacio", QByteArray(), {}, QByteArray()},
    {"SoloUnSalto", B("\r\n"), {QString()}, B("\r\n")},
    {"BlancosConservados", B(" 5 +\r\n\tx \r\n"), {u" 5 +"_s, u"\tx "_s}, B(" 5 +\r\n\tx \r\n")},
    // Octal escapes: Windows-1252 "ñ" is \361, UTF-8 "ñ" is \303\261.
    {"Windows1252", B("Pe\361a 5\x80\r\n"), {u"Peña 5€"_s}, B("Pe\361a 5\x80\r\n")},
    {"Utf8", B("\303\261 \xE2\x82\xAC\n"), {u"ñ €"_s}, B("\303\261 \xE2\x82\xAC\r\n"), U8},
    {"Utf8ConBom", B(MARCA "\303\261"), {u"ñ"_s}, B(MARCA "\303\261\r\n"), Bom},
    {"SoloLaMarca", B(MARCA), {}, B(MARCA), Bom},
    // Only the first is the file's mark; the others are text.
    {"SegundaMarcaEsTexto", B(MARCA MARCA "x"), {u"\uFEFFx"_s}, B(MARCA MARCA "x\r\n"), Bom},
    {"MarcaDentro", B("a\n" MARCA "x"), {u"a"_s, u"\uFEFFx"_s}, B("a\r\n" MARCA "x\r\n"), U8},
    // Not valid UTF-8 anywhere in the file: the whole file is Windows-1252.
    {"Utf8SobrelargoEsWindows1252", B("\xC0\xAF"), {u"À¯"_s}, B("\xC0\xAF\r\n")},
    // The bytes Windows-1252 leaves undefined still come back as something, and as themselves.
    {"SinDefinir",
     B("\x81\x8D\x8F\x90\x9D"),
     {u"\x81\x8D\x8F\x90\x9D"_s},
     B("\x81\x8D\x8F\x90\x9D\r\n")},
};

INSTANTIATE_TEST_SUITE_P(ArchivoCuenta, Decodificar, ::testing::ValuesIn(kLecturas),
                         [](const auto& info) { return std::string(info.param.Nombre); });

TEST(ArchivoCuenta, LoQueSeEscribeTrasCargarSeGuardaConFinesCrLf) {
    // The last line loaded without its break, then lines typed after it. (A cleared UTF-8 tape
    // stays UTF-8: TextoLineasTest; its mark stays with the file's code page: row SoloLaMarca.)
    TextoCuenta leido = DecodificarCuenta(B("uno\ndos"));
    leido.Texto.Agregar(u"5 +"_s);
    leido.Texto.AgregarVacias(1);
    EXPECT_EQ(CodificarCuenta(leido.Texto, leido.Codificacion), B("uno\r\ndos\r\n5 +\r\n\r\n"));
}

// ---- Files on disk -----------------------------------------------------------------------

class ArchivoCuentaDisco : public ::testing::Test {
protected:
    QString Ruta(const QString& nombre) const { return FCarpeta.filePath(nombre); }
    QTemporaryDir FCarpeta;
};

TEST_F(ArchivoCuentaDisco, GuardarReemplazaUnArchivoMasLargoYLeerDevuelveLasLineas) {
    const QStringList lineas = {u"  5 +"_s, QString(), QString()};
    const QString ruta = Ruta(u"cuenta.SUMA"_s);
    EscribirArchivo(ruta, QByteArray(10000, 'x'));
    EXPECT_EQ(GuardarArchivoCuenta(ruta, TextoLineas(lineas), CodificacionCuenta::Windows1252),
              CodificacionCuenta::Windows1252);
    EXPECT_EQ(LeerArchivo(ruta), B("  5 +\r\n\r\n\r\n"));
    EXPECT_EQ(LeerArchivoCuenta(ruta).Texto.Lineas(), lineas);
}

TEST_F(ArchivoCuentaDisco, UnaCintaDeVariosMegasYUnaLineaEnormeVuelvenEnteras) {
    // Read and written in blocks: lines that straddle a block, one longer than a block, the
    // first byte beyond ASCII megabytes in, and lone LFs that make the save go line by line.
    QStringList lineas;
    for (int i = 0; i < 60000; ++i)
        lineas << QString::number(i).rightJustified(22) + (i < 50000 || i % 7 ? u" +"_s : u" €"_s);
    lineas << QString(3 * 1024 * 1024, u'ñ') << u"fin"_s;
    const QString ruta = Ruta(u"grande.SUMA"_s);
    for (const bool utf8 : {false, true}) {
        TextoLineas texto(lineas);
        if (utf8)
            texto.Agregar(u"日本"_s);
        const CodificacionCuenta cod =
            utf8 ? CodificacionCuenta::Utf8 : CodificacionCuenta::Windows1252;
        EXPECT_EQ(GuardarArchivoCuenta(ruta, texto, CodificacionCuenta::Windows1252), cod);
        const TextoCuenta leido = LeerArchivoCuenta(ruta);
        EXPECT_EQ(leido.Codificacion, cod);
        EXPECT_TRUE(leido.Texto.Lineas() == texto.Lineas());
    }
    EscribirArchivo(ruta, LeerArchivo(ruta).replace("\r\n", "\n"));
    const QByteArray conLf = LeerArchivo(ruta);
    GuardarArchivoCuenta(ruta, LeerArchivoCuenta(ruta).Texto, CodificacionCuenta::Utf8);
    EXPECT_TRUE(LeerArchivo(ruta) == QByteArray(conLf).replace("\n", "\r\n"));
}

// What is not a regular file is refused before it is opened: a FIFO nobody writes to would
// otherwise hold the program in open() for good. Failing after 2 s instead of hanging.
TEST_F(ArchivoCuentaDisco, LoQueNoEsUnArchivoSeRechazaSinEsperar) {
    const QString tuberia = Ruta(u"tuberia"_s), enchufe = Ruta(u"enchufe"_s);
    ASSERT_EQ(mkfifo(QFile::encodeName(tuberia).constData(), 0600), 0);
    const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un direccion{};
    direccion.sun_family = AF_UNIX;
    std::strncpy(direccion.sun_path, QFile::encodeName(enchufe).constData(),
                 sizeof direccion.sun_path - 1);
    ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&direccion), sizeof direccion), 0);
    const struct {
        QString ruta;
        const char* clase;
    } casos[] = {{tuberia, "una tubería con nombre"},
                 {enchufe, "un socket"},
                 {FCarpeta.path(), "una carpeta"},
                 {u"/dev/zero"_s, "un dispositivo"}};
    for (const auto& c : casos) {
        auto carga = std::async(std::launch::async,
                                [&] { return MensajeDeError([&] { LeerArchivoCuenta(c.ruta); }); });
        if (carga.wait_for(std::chrono::seconds(2)) != std::future_status::ready) {
            ADD_FAILURE() << "bloqueado abriendo " << c.ruta.toStdString();
            // A writer that comes and goes lets the blocked open() end.
            ::close(::open(QFile::encodeName(tuberia).constData(), O_WRONLY | O_NONBLOCK));
        }
        EXPECT_EQ(carga.get(), u"«%1» es %2, no un archivo de cuenta, y no se ha cargado."_s.arg(
                                   QDir::toNativeSeparators(c.ruta), QString::fromUtf8(c.clase)));
    }
    ::close(s);
}

// A full disk: the file is limited to fewer bytes than the tape.
TEST_F(ArchivoCuentaDisco, ConElDiscoLlenoAvisaYDejaElArchivoComoEstaba) {
    const QString ruta = Ruta(u"cuenta.SUMA"_s);
    EscribirArchivo(ruta, B("sigo igual\r\n"));
    QStringList lineas;
    for (int i = 0; i < 400; ++i)
        lineas << QString::number(i).rightJustified(22) + u" +"_s;
    const QString m = MensajeConDiscoLleno(4000, [&] {
        GuardarArchivoCuenta(ruta, TextoLineas(lineas), CodificacionCuenta::Windows1252);
    });
    EXPECT_TRUE(m.startsWith(u"No se puede guardar la cuenta en «"_s)) << m.toStdString();
    EXPECT_EQ(LeerArchivo(ruta), B("sigo igual\r\n"));
    EXPECT_EQ(QDir(FCarpeta.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{u"cuenta.SUMA"_s});
}

// Where the parent is not a folder, the window's save test shows the message.
TEST_F(ArchivoCuentaDisco, UnaCarpetaEnElSitioSeQuedaComoEstabaYNoQuedaNadaAlLado) {
    const QString carpeta = Ruta(u"carpeta.SUMA"_s);
    ASSERT_TRUE(QDir().mkdir(carpeta));
    EscribirArchivo(carpeta + u"/dentro"_s, B("x"));
    EXPECT_FALSE(MensajeDeError([&] {
                     GuardarArchivoCuenta(carpeta, TextoLineas({u"1"_s}),
                                          CodificacionCuenta::Windows1252);
                 }).isEmpty());
    EXPECT_EQ(LeerArchivo(carpeta + u"/dentro"_s), B("x"));
    EXPECT_EQ(
        QDir(FCarpeta.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList{u"carpeta.SUMA"_s});
}

TEST_F(ArchivoCuentaDisco, NoSeCarganNulosNiArchivosGrandesYSeDicePorQue) {
    const struct {
        QByteArray datos;
        qint64 limite;
        const char* aviso; // a piece of the Spanish message
    } casos[] = {{QByteArray("5 +\r\n\0\r\n", 8), LimiteArchivoCuenta, "caracteres nulos"},
                 {QByteArray(101, 'x'), 100, "demasiado grande"}};
    const QString ruta = Ruta(u"raro.SUMA"_s);
    for (const auto& c : casos) {
        EscribirArchivo(ruta, c.datos);
        const QString m = MensajeDeError([&] { LeerArchivoCuenta(ruta, c.limite); });
        EXPECT_TRUE(m.contains(QString::fromUtf8(c.aviso))) << m.toStdString();
        EXPECT_TRUE(m.contains(QDir::toNativeSeparators(ruta))) << m.toStdString();
    }
    // Just at the limit it loads.
    EscribirArchivo(ruta, QByteArray(98, 'x') + "\r\n");
    EXPECT_EQ(LeerArchivoCuenta(ruta, 100).Texto.Lineas(), QStringList{QString(98, u'x')});

    const QString falta = Ruta(u"no_hay.SUMA"_s);
    EXPECT_EQ(MensajeDeError([&] { LeerArchivoCuenta(falta); }),
              u"El archivo «%1» no existe."_s.arg(QDir::toNativeSeparators(falta)));
}

} // namespace
