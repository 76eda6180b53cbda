// The command line as a user types it, and a tape named on it opening in the window as the
// toolbar's Open would open it.
#include "VentanaPrueba.h"

#include "AyudasPrueba.h"
#include "LineaOrdenes.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(LineaOrdenesTest, RespuestasYCodigos) {
    const struct {
        const char16_t* linea; // arguments after the program's name, split at blanks
        bool terminar;
        int codigo;
        const char16_t* mensaje; // how the message starts
        const char16_t* cinta;   // relative to the current folder
    } casos[] = {
        {u"", false, 0, u"", u""},
        {u"dia.SUMA", false, 0, u"", u"dia.SUMA"},
        {u"-platform offscreen -- -raro.SUMA", false, 0, u"", u"-raro.SUMA"},
        {u"--help", true, 0, u"Uso: sumadora [OPCIÓN…] [CINTA.SUMA]\n", u""},
        {u"dia.SUMA -h", true, 0, u"Uso: sumadora", u""},
        {u"--version", true, 0, u"Sumadora 3.2.0.405\n", u""},
        {u"-x dia.SUMA", true, 2, u"sumadora: opción desconocida «-x»; «sumadora --help»", u""},
        {u"--nada=1", true, 2, u"sumadora: opción desconocida «--nada»;", u""},
        {u"a.SUMA b.SUMA", true, 2, u"sumadora: se abre una sola cinta, sobra «b.SUMA»;", u""},
    };
    for (const auto& c : casos) {
        const QString linea = QString::fromUtf16(c.linea);
        const LineaOrdenes o =
            LeerLineaOrdenes(QStringList{u"sumadora"_s} + linea.split(u' ', Qt::SkipEmptyParts));
        EXPECT_EQ(o.Terminar, c.terminar) << linea.toStdString();
        EXPECT_EQ(o.Codigo, c.codigo) << linea.toStdString();
        const QString mensaje = QString::fromUtf16(c.mensaje);
        EXPECT_EQ(o.Mensaje.left(mensaje.size()), mensaje);
        if (c.codigo == 2) {
            EXPECT_EQ(o.Mensaje.count(u'\n'), 1) << o.Mensaje.toStdString();
        }
        const QString cinta = QString::fromUtf16(c.cinta);
        EXPECT_EQ(o.Cinta, cinta.isEmpty() ? QString() : QDir::current().absoluteFilePath(cinta))
            << linea.toStdString();
    }
}

class CintaInicialTest : public VentanaPrueba {
protected:
    QTemporaryDir dir_;
};

TEST_F(CintaInicialTest, UnaCintaGuardadaSeMuestraEntera) {
    const QString ruta = dir_.filePath(u"dia.SUMA"_s);
    EscribirArchivo(ruta, QByteArray(21, ' ') + "5 +\r\n" + QByteArray(21, ' ') + "3 +\r\n");
    V().AbrirCuenta(ruta);
    EXPECT_EQ(Cinta(), Lineas(u"5 +|3 +"_s));
    EXPECT_TRUE(V().TecladoActivo);
}

TEST_F(CintaInicialTest, UnaCintaRechazadaLoDiceYEmpiezaVacia) {
    const QString ruta = dir_.filePath(u"imagen.SUMA"_s);
    EscribirArchivo(ruta, QByteArray("PNG\0\0\x01", 6));
    for (const QString& r : {ruta, dir_.filePath(u"no_existe.SUMA"_s)}) {
        QString texto;
        EsperarMensaje(&texto);
        V().AbrirCuenta(r);
        EXPECT_EQ(DialogosPendientes(), 0);
        EXPECT_TRUE(texto.contains(r == ruta ? u"caracteres nulos"_s : u"no existe"_s))
            << texto.toStdString();
        EXPECT_EQ(Cinta(), QStringList());
    }
}

TEST_F(CintaInicialTest, LaVentanaLlevaElIconoDelPrograma) {
    const QList<QSize> tamanos = V().windowIcon().availableSizes();
    for (const int lado : {16, 48, 256})
        EXPECT_TRUE(tamanos.contains(QSize(lado, lado))) << lado;
}

} // namespace
