// Compound interest: final capital of a capital whose interest is added to it at the end of
// every period.
#pragma once

#include "DialogoFinanciero.h"
#include "ui_TInteresCompuesto.h"

// The form's components (CI, IP, NP, BotonCalcular, CF) are public, as the dialog's parts.
class TInteresCompuesto final : public DialogoFinanciero, public Ui::TInteresCompuesto {
    Q_OBJECT
public:
    // Created once at start and shown with exec() at every opening; inputs and result stay.
    explicit TInteresCompuesto(QWidget* parent = nullptr);

    void BotonCalcularClick();

private:
    void FormCreate();
};
