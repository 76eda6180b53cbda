// The calculator's single-value functions in 80-bit long double, free of any widget. Each
// returns the mathematical result, or a non-finite value (NaN for a domain error, infinity
// for a pole or an overflow) that callers turn into "ERROR" or an arithmetic error.
#pragma once

enum TAngularConversion : unsigned char { acDEG = 0, acRAD = 1, acGRAD = 2 };

namespace cientificas {

constexpr long double Pi = 3.14159265358979323846264338327950288L;

// The argument a trigonometric or hyperbolic function receives: degrees and grads are
// turned into radians; radians pass unchanged. Results are never converted back.
long double ArgumentoAngular(long double valor, TAngularConversion unidad);

// x raised to y: y = 0 gives 1; x = 0 with y > 0 gives 0; a whole y within the 32-bit range
// is done by repeated squaring and multiplication (a negative x allowed, 0 with a negative y
// fails); otherwise e^(y ln x), failing for a negative x.
long double Potencia(long double x, long double y);
// n! for n = valor truncated toward zero; 1 for n <= 0; NaN for n > 16 or outside 64 bits.
long double Factorial(long double valor);
long double Inverso(long double x);
long double LogaritmoBase10(long double x);
long double LogaritmoNatural(long double x);
long double RaizCuadrada(long double x);

// a is the argument after ArgumentoAngular.
long double Seno(long double a);
long double Coseno(long double a);
long double Tangente(long double a);
long double Cotangente(long double a);
long double ArcoSeno(long double a);
long double ArcoCoseno(long double a);
long double ArcoTangente(long double a);
long double SenoHiperbolico(long double a);
long double CosenoHiperbolico(long double a);
long double TangenteHiperbolica(long double a);
long double ArcoSenoHiperbolico(long double a);
long double ArcoCosenoHiperbolico(long double a);
long double ArcoTangenteHiperbolica(long double a);

} // namespace cientificas
