// Number texts of the calculator, built from the exact decimal digits that std::to_chars
// gives: one correctly rounded conversion, then shape, decimals and groups as string work,
// so the C locale never decides the separators.
#include "FormatoNumero.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

static_assert(LDBL_MANT_DIG == 64, "the calculator computes in the 80-bit extended format");

namespace {

constexpr int kMaxDigitos = 64;     // far beyond the 21 digits an 80-bit value can tell apart
constexpr int kMaxDecimales = 4950; // the smallest subnormal needs about 4951
constexpr char kTextoError[] = "ERROR";

// |valor| rounded to `digitos` significant digits: valor = 0.d1d2...dn x 10^exponente.
struct Cifras {
    bool negativo = false;
    int n = 0;
    int exponente = 0;
    char d[kMaxDigitos];
};

// `valor` must be finite and not zero.
Cifras Redondear(long double valor, int digitos) {
    char buf[kMaxDigitos + 16];
    const auto r =
        std::to_chars(buf, buf + sizeof buf, valor, std::chars_format::scientific, digitos - 1);
    Cifras c;
    const char* p = buf;
    if (*p == '-') {
        c.negativo = true;
        ++p;
    }
    for (; p < r.ptr && *p != 'e'; ++p)
        if (*p != '.')
            c.d[c.n++] = *p;
    ++p; // 'e'
    const bool negExp = *p == '-';
    ++p;
    int x = 0;
    for (; p < r.ptr; ++p)
        x = x * 10 + (*p - '0');
    c.exponente = (negExp ? -x : x) + 1;
    return c;
}

// Whether |valor| is exactly the decimal N x 10^j, N odd and below 2^127: compares the odd
// parts and the powers of two of both sides, so no rounding can blur a tie.
bool EsExactamente(long double valor, unsigned __int128 n, int j) {
    int exp2 = 0;
    const long double fraccion = std::frexp(std::fabs(valor), &exp2);
    auto m = (unsigned long long)std::ldexp(fraccion, 64);
    const int ceros = __builtin_ctzll(m);
    m >>= ceros;
    if (exp2 - 64 + ceros != j) // N x 5^j is odd: 2^j is all the power of two
        return false;
    // N x 5^j == m when j >= 0, N == m x 5^-j otherwise.
    unsigned __int128 pequeno = j >= 0 ? n : m;
    const unsigned __int128 grande = j >= 0 ? m : n;
    for (int k = std::abs(j); k > 0; --k) {
        if (pequeno > grande / 5)
            return false;
        pequeno *= 5;
    }
    return pequeno == grande;
}

// std::to_chars rounds a tie at the last digit kept to even; where that digit is shown, a
// calculator rounds it away from zero. A tie rounded down always leaves an even digit.
void AlejarEmpate(Cifras& c, long double valor) {
    if (c.n > 37 || (c.d[c.n - 1] - '0') % 2 != 0)
        return;
    unsigned __int128 n = 0;
    for (int i = 0; i < c.n; ++i)
        n = n * 10 + unsigned(c.d[i] - '0');
    if (EsExactamente(valor, n * 10 + 5, c.exponente - c.n - 1))
        ++c.d[c.n - 1]; // an even digit: no carry
}

int Limitar(int v, int lo, int hi) {
    return std::min(std::max(v, lo), hi);
}

// Two kinds of bit pattern the processor never makes, which may still come in from memory:
// a pseudo-denormal (exponent field 0, integer bit set) is worth what the arithmetic makes of
// it, the same pattern with exponent field 1; an unnormal (integer bit clear) is no number.
long double Canonico(long double valor) {
    unsigned char b[sizeof valor];
    std::memcpy(b, &valor, sizeof b);
    const int exponente = (b[9] & 0x7F) << 8 | b[8];
    const bool entero = b[7] & 0x80;
    if (exponente == 0 && entero) {
        b[8] = 1;
        std::memcpy(&valor, b, sizeof b);
    } else if (exponente != 0 && !entero) {
        return std::numeric_limits<long double>::quiet_NaN();
    }
    return valor;
}

// General text into `out` (room for kMaxDigitos + 16 characters); returns its length.
int EscribirGeneral(char* out, long double valor, int digitos) {
    valor = Canonico(valor);
    if (!std::isfinite(valor)) {
        std::copy_n(kTextoError, sizeof kTextoError - 1, out);
        return int(sizeof kTextoError - 1);
    }
    if (valor == 0) { // also -0: a negative zero shows as zero
        out[0] = '0';
        return 1;
    }
    digitos = Limitar(digitos, 1, kMaxDigitos);
    const Cifras c = Redondear(valor, digitos);
    int n = c.n;
    while (n > 1 && c.d[n - 1] == '0')
        --n;
    const int e = c.exponente;

    char* q = out;
    if (c.negativo)
        *q++ = '-';
    if (e >= -3 && e <= digitos) {
        if (e <= 0) {
            *q++ = '0';
            *q++ = ',';
            q = std::fill_n(q, -e, '0');
            q = std::copy_n(c.d, n, q);
        } else if (n <= e) {
            q = std::copy_n(c.d, n, q);
            q = std::fill_n(q, e - n, '0');
        } else {
            q = std::copy_n(c.d, e, q);
            *q++ = ',';
            q = std::copy_n(c.d + e, n - e, q);
        }
    } else {
        *q++ = c.d[0];
        if (n > 1) {
            *q++ = ',';
            q = std::copy_n(c.d + 1, n - 1, q);
        }
        *q++ = 'E';
        q = std::to_chars(q, q + 8, e - 1).ptr;
    }
    return int(q - out);
}

} // namespace

std::string TextoGeneral(long double valor, int digitos) {
    char buf[kMaxDigitos + 16];
    return std::string(buf, EscribirGeneral(buf, valor, digitos));
}

namespace {

// With `cientificaSiGrande` an integer part of more than `digitos` digits gives the general
// text instead (the register); without it the digits beyond them are zeros, as printf's %f.
std::string EscribirFijo(long double valor, int decimales, int digitos, bool miles,
                         bool cientificaSiGrande) {
    valor = Canonico(valor);
    if (!std::isfinite(valor))
        return kTextoError;
    decimales = Limitar(decimales, 0, kMaxDecimales);
    digitos = Limitar(digitos, 1, kMaxDigitos);

    // Integer digits, then the decimals, as one digit string; `enteras` of them before the
    // separator. The digit after the last decimal decides the rounding.
    std::string cifras;
    int enteras = 1;
    bool negativo = false;
    if (valor == 0) {
        cifras.assign(size_t(1 + decimales), '0');
    } else {
        Cifras c = Redondear(valor, digitos);
        if (c.exponente + decimales >= digitos) // the last significant digit is shown
            AlejarEmpate(c, valor);
        if (cientificaSiGrande && c.exponente > digitos)
            return TextoGeneral(valor, digitos);
        negativo = c.negativo;
        // Position i of the fixed string (0 = first integer digit) holds d[i + desplazamiento].
        const int e = c.exponente;
        enteras = std::max(e, 1);
        const int desplazamiento = e - enteras;
        const int total = enteras + decimales;
        cifras.resize(size_t(total));
        auto digito = [&](int i) {
            const int k = i + desplazamiento;
            return k >= 0 && k < c.n ? c.d[k] : '0';
        };
        for (int i = 0; i < total; ++i)
            cifras[size_t(i)] = digito(i);
        if (digito(total) >= '5') { // halves away from zero: the sign is applied afterwards
            int i = total - 1;
            while (i >= 0 && cifras[size_t(i)] == '9')
                cifras[size_t(i--)] = '0';
            if (i >= 0) {
                ++cifras[size_t(i)];
            } else {
                cifras.insert(cifras.begin(), '1');
                ++enteras;
            }
        }
        // A value that rounds to zero shows no sign.
        if (cifras.find_first_not_of('0') == std::string::npos)
            negativo = false;
    }

    std::string texto;
    texto.reserve(size_t(enteras + enteras / 3 + decimales + 2));
    if (negativo)
        texto += '-';
    for (int i = 0; i < enteras; ++i) {
        if (miles && i > 0 && (enteras - i) % 3 == 0)
            texto += '.';
        texto += cifras[size_t(i)];
    }
    if (decimales > 0) {
        texto += ',';
        texto.append(cifras, size_t(enteras), std::string::npos);
    }
    return texto;
}

} // namespace

std::string TextoFijo(long double valor, int decimales, int digitos, bool miles) {
    return EscribirFijo(valor, decimales, digitos, miles, true);
}

std::string AlinearDerecha(std::string texto, int ancho) {
    if (ancho > 0 && texto.size() < size_t(ancho))
        texto.insert(0, size_t(ancho) - texto.size(), ' ');
    return texto;
}

std::string FormatoG(long double valor, int ancho, int precision) {
    char buf[kMaxDigitos + 16];
    const int largo = EscribirGeneral(buf, valor, precision);
    const int relleno = std::max(ancho - largo, 0);
    std::string texto;
    texto.reserve(size_t(relleno + largo));
    texto.append(size_t(relleno), ' ');
    texto.append(buf, size_t(largo));
    return texto;
}

std::string FormatoF(long double valor, int ancho, int decimales) {
    return AlinearDerecha(EscribirFijo(valor, decimales, 18, false, false), ancho);
}

std::string FormatoN(long double valor, int ancho, int decimales) {
    return AlinearDerecha(EscribirFijo(valor, decimales, 18, true, false), ancho);
}

std::string FormatoD(long long valor, int ancho) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, valor);
    return AlinearDerecha(std::string(buf, r.ptr), ancho);
}
