// Number texts of the calculator: registers, tape lines and reports. Decimal separator ","
// and thousands separator "." always, whatever the system locale. All in long double.
#pragma once

#include <string>

// General format with `digitos` significant digits (the caller limits it to 2..18): shortest
// form, plain notation while -3 <= e <= digitos (V = 0.d1d2... x 10^e), else "1E20", "1E-5",
// "-2,5E-7". Zero (also a negative zero) is "0"; a value that is not finite is "ERROR".
std::string TextoGeneral(long double valor, int digitos);

// Fixed format with `decimales` decimals, first rounded to `digitos` significant digits, then
// to the decimals, halves away from zero. With `miles` the integer part is grouped by ".".
// An integer part of more than `digitos` digits falls back to the general text. A value that
// rounds to zero shows no sign ("0,000", never "-0,000").
std::string TextoFijo(long double valor, int decimales, int digitos, bool miles);

// Pads on the left with blanks to `ancho` characters; a longer text is never cut.
std::string AlinearDerecha(std::string texto, int ancho);

// The printf-like forms of the tape and the reports, right-aligned and never cut. The fixed
// ones round to 18 significant digits first and never turn scientific: digits beyond the
// 18th show as 0, as printf's %f does.
std::string FormatoG(long double valor, int ancho, int precision); // %W.Pg
std::string FormatoF(long double valor, int ancho, int decimales); // %W.Df
std::string FormatoN(long double valor, int ancho, int decimales); // %W.Dn
std::string FormatoD(long long valor, int ancho);                  // %Wd
