// The recovery copy's format: a whole copy gives its lines back; one cut short, altered or
// not a copy at all is refused.
#include "ArchivoRecuperacion.h"

#include "ArchivosPrueba.h"
#include "ErrorSumadora.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QStringList Lineas = {u"                  5 +"_s, QString(), u"   3,5 € *"_s, u" ---"_s};

TEST(ArchivoRecuperacion, UnaCopiaEnteraDevuelveSusLineas) {
    EXPECT_EQ(DecodificarRecuperacion(CodificarRecuperacion(TextoLineas(Lineas))).Texto.Lineas(),
              Lineas);
    EXPECT_EQ(DecodificarRecuperacion(CodificarRecuperacion(TextoLineas())).Texto.Cantidad(), 0);
}

TEST(ArchivoRecuperacion, UnaCopiaDanadaSeRechaza) {
    const QByteArray buena = CodificarRecuperacion(TextoLineas(Lineas));
    QByteArray alterada = buena;
    alterada[alterada.size() - 4] = 'X';
    const struct {
        const char* caso;
        QByteArray datos;
    } casos[] = {
        {"vacia", QByteArray()},
        {"cortada", buena.chopped(3)},
        {"cortadaEnLaCabecera", buena.left(30)},
        {"alterada", alterada},
        {"otroArchivo", "  5 +\r\n  3 +\r\n"},
        {"conMasAlFinal", buena + "  7 +\r\n"},
    };
    for (const auto& c : casos)
        EXPECT_THROW(DecodificarRecuperacion(c.datos), ErrorSumadora) << c.caso;
}

} // namespace
