// The input rule the three financial dialogs share: clean the boxes, check that they hold
// numbers written the Spanish way, then stop silently on a zero.
#pragma once

#include <QString>

#include <optional>

// The one message of a box that does not hold a number (206 characters).
QString MensajeErrorFormato();

// Every "." becomes ",": a point typed out of habit is read as the decimal separator.
QString LimpiarTexto(const QString& texto);

// A real written the Spanish way: blanks around it, an optional sign, digits with at most one
// "," as decimal separator, an optional exponent ("E" or "e", optional sign, digits); no
// thousands separator. Nothing when the text is not such a number or lies beyond the range
// of long double. The C library's locale plays no part.
std::optional<long double> ConvertirReal(const QString& texto);
