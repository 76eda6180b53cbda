// One key of the drop-down calculator's keypad.
#include "TCalcButton.h"

using namespace Qt::StringLiterals;

TCalcButton::TCalcButton(int kind, QWidget* padre) : QPushButton(padre), FKind(kind) {
    // The keypad never takes the focus: keys typed while it is open belong to the edit box.
    setFocusPolicy(Qt::NoFocus);
    setAutoDefault(false);
    setObjectName(u"TCalcButton%1"_s.arg(kind));
}
