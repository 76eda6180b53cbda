// Simple interest: final capital and interest of a capital lent for a number of periods at a
// fixed interest per period, without compounding.
#pragma once

#include "DialogoFinanciero.h"
#include "ui_TInteresSimple.h"

// The form's components (CI, IP, NP, BotonCalcular, CF, I) are public, as the dialog's parts.
class TInteresSimple final : public DialogoFinanciero, public Ui::TInteresSimple {
    Q_OBJECT
public:
    // Created once at start and shown with exec() at every opening; inputs and results stay.
    explicit TInteresSimple(QWidget* parent = nullptr);

    void BotonCalcularClick();

private:
    void FormCreate();
};
