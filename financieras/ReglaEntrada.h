// The input rule the three financial dialogs share: clean the boxes, check that they hold
// numbers written the Spanish way, then stop silently on a zero.
#pragma once

#include <QString>

#include <initializer_list>
#include <optional>

class QLineEdit;
class QWidget;

// The one message of a box that does not hold a number (206 characters).
QString MensajeErrorFormato();

// Every "." becomes ",": a point typed out of habit is read as the decimal separator.
QString LimpiarTexto(const QString& texto);

// A real written the Spanish way: blanks around it, an optional sign, digits with at most one
// "," as decimal separator, an optional exponent ("E" or "e", optional sign, digits); no
// thousands separator. Nothing when the text is not such a number or lies beyond the range
// of long double. The C library's locale plays no part.
std::optional<long double> ConvertirReal(const QString& texto);

// Cleans every box of `orden` and puts the cleaned text back; converts them in that order and,
// on the first that fails, shows the fixed message over `padre` and returns false. Then
// converts the boxes of `ordenCero` in their order and returns false, silently, on the first
// that holds zero. True when the calculation may go on.
bool AplicarReglaEntrada(QWidget* padre, std::initializer_list<QLineEdit*> orden,
                         std::initializer_list<QLineEdit*> ordenCero);

// The value of a box that passed the rule.
long double ValorCaja(const QLineEdit* caja);
