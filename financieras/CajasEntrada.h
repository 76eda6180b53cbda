// The input rule applied to a financial dialog's boxes: the message over the dialog, the values
// read back.
#pragma once

#include <initializer_list>

class QLineEdit;
class QWidget;

// Cleans every box of `orden` and puts the cleaned text back; converts them in that order and,
// on the first that fails, shows the fixed message over `padre` and returns false. Then
// converts the boxes of `ordenCero` in their order and returns false, silently, on the first
// that holds zero. True when the calculation may go on.
bool AplicarReglaEntrada(QWidget* padre, std::initializer_list<QLineEdit*> orden,
                         std::initializer_list<QLineEdit*> ordenCero);

// The value of a box that passed the rule.
long double ValorCaja(const QLineEdit* caja);
