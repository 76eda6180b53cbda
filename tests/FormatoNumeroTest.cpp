// Number texts: the independent vectors of tests/datos/formatos.tsv, the described cases the
// vectors lack, and a round-trip property of the general format over random values.
#include "FormatoNumero.h"
#include "ArchivosPrueba.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

int Digitos(int numDigits) {
    return std::clamp(numDigits, 2, 18);
}
std::string Cortar20(std::string s) {
    return s.substr(0, 20);
}

// The text a vector's format key asks for (see tests/datos/formatos.tsv's README).
bool TextoDeFormato(const std::string& formato, long double v, std::string* texto) {
    int a = 0, b = 0;
    char tipo = 0;
    if (std::sscanf(formato.c_str(), "reg:g:%d", &a) == 1)
        *texto = Cortar20(TextoGeneral(v, Digitos(a)));
    else if (std::sscanf(formato.c_str(), "reg:%c:%d:%d", &tipo, &a, &b) == 3 &&
             (tipo == 'f' || tipo == 'n'))
        *texto = Cortar20(TextoFijo(v, b, Digitos(a), tipo == 'n'));
    else if (std::sscanf(formato.c_str(), "tape:g:%d", &a) == 1)
        *texto = FormatoG(v, a, 18);
    else if (std::sscanf(formato.c_str(), "tape:f:%d:%d", &a, &b) == 2)
        *texto = FormatoF(v, a, b);
    else if (std::sscanf(formato.c_str(), "tape:n:%d:%d", &a, &b) == 2)
        *texto = FormatoN(v, a, b);
    else if (std::sscanf(formato.c_str(), "%%%d.%dn", &a, &b) == 2)
        *texto = FormatoN(v, a, b);
    else
        return false;
    return true;
}

TEST(FormatoNumero, CadaFilaDeLosVectores) {
    std::ifstream archivo(RutaDatos(u"formatos.tsv"_s).toStdString());
    ASSERT_TRUE(archivo) << "tests/datos/formatos.tsv missing";
    std::string linea;
    int numero = 0, filas = 0;
    while (std::getline(archivo, linea)) {
        ++numero;
        if (linea.empty() || linea[0] == '#')
            continue;
        std::vector<std::string> campos;
        std::stringstream ss(linea);
        for (std::string c; std::getline(ss, c, '\t');)
            campos.push_back(c);
        ASSERT_EQ(campos.size(), 4u) << "line " << numero;
        const long double v = std::strtold(campos[1].c_str(), nullptr);
        std::string obtenido;
        ASSERT_TRUE(TextoDeFormato(campos[0], v, &obtenido))
            << "line " << numero << ": unknown format " << campos[0];
        EXPECT_EQ(obtenido, campos[3]) << "line " << numero << " " << campos[0] << " " << campos[1]
                                       << " (" << campos[2] << ")";
        ++filas;
    }
    EXPECT_GT(filas, 3000);
}

struct Caso {
    const char* nombre;
    std::string obtenido;
    const char* esperado;
};

TEST(FormatoNumero, CasosDescritos) {
    const long double tercio = 1.0L / 3;
    // 1000 x 1.05^3 in 80 bits is 1157.625 - 2^-52: only the 18-digit step makes it ",63".
    const long double capital = std::strtold("0x4859ffffffffffffp-52", nullptr);
    const Caso casos[] = {
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
        {"mitad a entero negativa", TextoFijo(-2.5L, 0, 18, false), "-3"},
        {"media milesima", TextoFijo(-0.0005L, 3, 18, false), "-0,001"},
        {"doble redondeo", FormatoN(capital, 0, 2), "1.157,63"},
        {"empate en la ultima cifra de un registro de 10", TextoFijo(24923768.625L, 2, 10, false),
         "24923768,63"},
        {"empate en la cifra 18 de la cinta", FormatoN(-1327993293.408203125L, 0, 8),
         "-1.327.993.293,40820313"},
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
        {"alinear rellena", AlinearDerecha("5", 3), "  5"},
        {"alinear nunca corta", AlinearDerecha("12345", 3), "12345"},
        {"numero de mes", FormatoD(7, 3), "  7"},
        {"numero de mes mas ancho", FormatoD(-1234, 3), "-1234"},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(c.obtenido, c.esperado) << c.nombre;
}

// A tie whose last shown decimal is the 18th significant digit: the rounding to 18 digits is
// the one that shows, and it goes away from zero like any other. v = M / 2^(D+1) is exactly
// N / 10^(D+1) with N = M x 5^(D+1) of 19 digits ending in 5, its 18th digit even so that
// rounding half to even would keep it.
TEST(FormatoNumero, EmpateEnLaCifra18SeAlejaDeCero) {
    for (int d = 0; d <= 9; ++d) {
        unsigned long long cinco = 1;
        for (int i = 0; i <= d; ++i)
            cinco *= 5;
        unsigned long long m = (1000000000000000000ull / cinco) | 1;
        while (m * cinco < 1000000000000000000ull || (m * cinco / 10) % 2 != 0)
            m += 2;
        const long double v = std::ldexp((long double)m, -(d + 1));
        std::string esperado = std::to_string(m * cinco / 10 + 1);
        if (d > 0)
            esperado.insert(esperado.size() - size_t(d), ",");
        for (const long double signo : {1.0L, -1.0L}) {
            const std::string con = signo < 0 ? "-" + esperado : esperado;
            EXPECT_EQ(TextoFijo(signo * v, d, 18, false), con) << "register, D=" << d;
            EXPECT_EQ(FormatoF(signo * v, 0, d), con) << "tape, D=" << d;
        }
    }
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

// Reading the general text back gives the value rounded to P significant digits, and the
// notation follows the exponent rule.
TEST(FormatoNumero, ElTextoGeneralSeLeeComoElValorRedondeado) {
    std::mt19937_64 azar(20240531);
    std::uniform_int_distribution<int> exponente2(-80, 80), exponenteTotal(-16300, 16380);
    std::uniform_int_distribution<int> clase(0, 9), potencia(0, 6);
    const long double diezMilesima = std::strtold("1e-4", nullptr);
    for (int i = 0; i < 20000; ++i) {
        long double v;
        const int k = clase(azar);
        if (k < 3) // short decimals and integers, where trailing zeros matter
            v = (long double)(azar() % 100000000) / std::pow(10.0L, potencia(azar));
        else
            v = std::ldexp((long double)(azar() | (1ull << 63)),
                           (k == 9 ? exponenteTotal(azar) : exponente2(azar)) - 63);
        if (azar() & 1)
            v = -v;
        for (int p : {2, 7, 15, 18}) {
            char buf[64];
            const auto r =
                std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, p - 1);
            long double redondeado = 0;
            std::from_chars(buf, r.ptr, redondeado);

            std::string texto = TextoGeneral(v, p);
            std::replace(texto.begin(), texto.end(), ',', '.');
            long double leido = -1;
            const auto l = std::from_chars(texto.data(), texto.data() + texto.size(), leido);
            ASSERT_TRUE(l.ptr == texto.data() + texto.size()) << texto;
            ASSERT_EQ(leido, redondeado) << texto << " P=" << p << " from " << buf;

            const bool cientifica = texto.find('E') != std::string::npos;
            const long double m = std::fabs(redondeado);
            ASSERT_EQ(cientifica, m != 0 && (m >= std::pow(10.0L, p) || m < diezMilesima))
                << texto << " P=" << p;
            const std::string mantisa = texto.substr(0, texto.find('E'));
            if (mantisa.find('.') != std::string::npos) {
                ASSERT_NE(mantisa.back(), '0') << texto;
            }
            ASSERT_NE(mantisa.back(), '.') << texto;
        }
    }
}

} // namespace
