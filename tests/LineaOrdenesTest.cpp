// The command line as a user types it: the answers, the exit codes and the tape it names.
#include "LineaOrdenes.h"

#include "ArchivosPrueba.h"

#include <QDir>

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

} // namespace
