// One key of the drop-down calculator's keypad.
#include "TCalcButton.h"

TCalcButton::TCalcButton(int kind, QWidget* padre) : QPushButton(padre), FKind(kind) {
    // The keypad never takes the focus: keys typed while it is open belong to the edit box.
    setFocusPolicy(Qt::NoFocus);
    setAutoDefault(false);
    setObjectName(QStringLiteral("TCalcButton%1").arg(kind));
}
