// Number texts: the independent vectors of tests/datos/formatos.tsv and the described cases the
// vectors lack.
#include "FormatoNumero.h"

#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string Cortar20(std::string s) {
    return s.substr(0, 20);
}

// The text a vector's format key asks for (see tests/datos/formatos.tsv's README).
bool TextoDeFormato(const std::string& formato, long double v, std::string* texto) {
    int a = 0, b = 0;
    char tipo = 0;
    if (std::sscanf(formato.c_str(), "reg:g:%d", &a) == 1)
        *texto = Cortar20(TextoGeneral(v, std::clamp(a, 2, 18)));
    else if (std::sscanf(formato.c_str(), "reg:%c:%d:%d", &tipo, &a, &b) == 3 &&
             (tipo == 'f' || tipo == 'n'))
        *texto = Cortar20(TextoFijo(v, b, std::clamp(a, 2, 18), tipo == 'n'));
    else if (std::sscanf(formato.c_str(), "tape:g:%d", &a) == 1)
        *texto = FormatoG(v, a, 18);
    else if (std::sscanf(formato.c_str(), "tape:f:%d:%d", &a, &b) == 2)
        *texto = FormatoF(v, a, b);
    else if (std::sscanf(formato.c_str(), "tape:n:%d:%d", &a, &b) == 2 ||
             std::sscanf(formato.c_str(), "%%%d.%dn", &a, &b) == 2)
        *texto = FormatoN(v, a, b);
    else
        return false;
    return true;
}

TEST(FormatoNumero, CadaFilaDeLosVectores) {
    QFile archivo(QStringLiteral(DATOS_PRUEBA "/formatos.tsv"));
    ASSERT_TRUE(archivo.open(QIODevice::ReadOnly)) << "tests/datos/formatos.tsv missing";
    int numero = 0, filas = 0;
    for (const QByteArray& linea : archivo.readAll().split('\n')) {
        ++numero;
        if (linea.isEmpty() || linea.startsWith('#'))
            continue;
        const QList<QByteArray> campos = linea.split('\t');
        ASSERT_EQ(campos.size(), 4) << "line " << numero;
        const long double v = std::strtold(campos[1].constData(), nullptr);
        std::string obtenido;
        ASSERT_TRUE(TextoDeFormato(campos[0].toStdString(), v, &obtenido))
            << "line " << numero << ": unknown format " << campos[0].toStdString();
        EXPECT_EQ(obtenido, campos[3].toStdString())
            << "line " << numero << ": " << linea.toStdString();
        ++filas;
    }
    EXPECT_GT(filas, 3000);
}

TEST(FormatoNumero, CasosDescritos) {
    const long double tercio = 1.0L / 3;
    // 1000 x 1.05^3 in 80 bits is 1157.625 - 2^-52: only the 18-digit step makes it ",63".
    const long double capital = std::strtold("0x4859ffffffffffffp-52", nullptr);
    const struct {
        const char* nombre;
        std::string obtenido;
        const char* esperado;
    } casos[] = {
        {"cero negativo general", TextoGeneral(-0.0L, 18), "0"},
        {"cero negativo con miles", TextoFijo(-0.0L, 3, 18, true), "0,000"},
        {"negativo redondeado a cero sin signo", TextoFijo(-0.0004L, 3, 18, false), "0,000"},
        {"menos un tercio cortado a 20", Cortar20(TextoGeneral(-tercio, 18)),
         "-0,33333333333333333"},
        {"18 cifras enteras sin exponente", TextoGeneral(123456789012345678.0L, 18),
         "123456789012345678"},
        {"el redondeo llega a 19 cifras", TextoGeneral(999999999999999999.7L, 18), "1E18"},
        {"el redondeo sube el exponente", TextoGeneral(9995, 3), "1E4"},
        {"el redondeo quita el exponente", TextoGeneral(0.000099999L, 3), "0,0001"},
        {"tres cifras enteras sin grupo", TextoFijo(-123, 2, 18, true), "-123,00"},
        {"mitad lejos de cero", TextoFijo(-0.125L, 2, 18, false), "-0,13"},
        {"mitad a entero", TextoFijo(2.5L, 0, 18, false), "3"},
        {"media milesima", TextoFijo(-0.0005L, 3, 18, false), "-0,001"},
        {"doble redondeo", FormatoN(capital, 0, 2), "1.157,63"},
        {"empate en la ultima cifra de un registro de 10", TextoFijo(24923768.625L, 2, 10, false),
         "24923768,63"},
        // Ties at the 18th significant digit go away from zero too, not to the even digit.
        {"empate en la cifra 18 de la cinta", FormatoN(-1327993293.408203125L, 0, 8),
         "-1.327.993.293,40820313"},
        {"empate en la cifra 18 del registro", TextoFijo(-1000000000000000.125L, 2, 18, false),
         "-1000000000000000,13"},
        {"acarreo a un grupo nuevo", TextoFijo(999.996L, 2, 18, true), "1.000,00"},
        {"cifras tras P son ceros", TextoFijo(tercio, 20, 18, false), "0,33333333333333333300"},
        {"fijo con mas de P cifras enteras", TextoFijo(1e20L, 2, 18, true), "1E20"},
        {"las celdas limitan el fijo", TextoFijo(123456.0L, 2, 4, false), "1,235E5"},
        {"no finito", TextoGeneral(INFINITY, 18), "ERROR"},
        {"no es numero", TextoFijo(NAN, 2, 18, true), "ERROR"},
        {"informe de mas de 18 cifras sigue fijo", FormatoN(1e20L, 0, 2),
         "100.000.000.000.000.000.000,00"},
        {"cinta general", FormatoG(-8, 22, 18), "                    -8"},
        {"cinta fijo", FormatoF(1.5L, 8, 3), "   1,500"},
        {"informe mas ancho que su anchura", FormatoN(-1234567890.125L, 15, 2),
         "-1.234.567.890,13"},
        {"pieza de porcentaje", FormatoN(3.5L, 2, 2), "3,50"},
        {"numero de mes", FormatoD(7, 3), "  7"},
        {"numero de mes mas ancho", FormatoD(-1234, 3), "-1234"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(c.obtenido, c.esperado) << c.nombre;
}

// An 80-bit pattern from memory that arithmetic never makes (found by fuzz/fuzz_numeros): a
// pseudo-denormal shows the value the processor computes with, an unnormal is no number.
long double Patron(quint64 mantisa, quint16 exponente) {
    unsigned char b[sizeof(long double)] = {};
    std::memcpy(b, &mantisa, 8);
    std::memcpy(b + 8, &exponente, 2);
    long double v;
    std::memcpy(&v, b, sizeof v);
    return v;
}

TEST(FormatoNumero, PatronesQueElProcesadorNoHace) {
    const long double seudo = Patron(0xC007010000000000ULL, 0);
    EXPECT_EQ(TextoGeneral(seudo, 9), "5,04387334E-4932");
    EXPECT_EQ(TextoFijo(Patron(0x4000000000000000ULL, 16383), 2, 18, false), "ERROR");
}

TEST(FormatoNumero, NoLeAfectaElLocaleDeC) {
    const char* anterior = std::setlocale(LC_NUMERIC, nullptr);
    const std::string guardado = anterior ? anterior : "C";
    if (!std::setlocale(LC_NUMERIC, "es_ES.UTF-8") && !std::setlocale(LC_NUMERIC, "es_ES"))
        GTEST_SKIP() << "no Spanish locale on this machine";
    const std::string general = TextoGeneral(1234.5L, 18);
    const std::string numero = TextoFijo(1234.5L, 2, 18, true);
    std::setlocale(LC_NUMERIC, guardado.c_str());
    EXPECT_EQ(general, "1234,5");
    EXPECT_EQ(numero, "1.234,50");
}

} // namespace
