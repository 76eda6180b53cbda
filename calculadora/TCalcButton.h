// One key of the drop-down calculator's keypad, known by its kind (1 to 28).
#pragma once

#include <QPushButton>

class TCalcButton final : public QPushButton {
    Q_OBJECT
public:
    explicit TCalcButton(int kind, QWidget* padre = nullptr);

    int Kind() const { return FKind; }

private:
    int FKind;
};
