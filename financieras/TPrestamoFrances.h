// Loan amortisation by the French method: the constant monthly payment and the month-by-month
// schedule as an editable, printable report.
#pragma once

#include "DialogoFinanciero.h"
#include "ui_TPrestamoFrances.h"

class QPrinter;

// The form's components (C, IA, NA, BotonCalcular, BotonImprimir, CuotaMensual, Informe) are
// public, as the dialog's parts.
class TPrestamoFrances final : public DialogoFinanciero, public Ui::TPrestamoFrances {
    Q_OBJECT
public:
    // Created once at start and shown with exec() at every opening; inputs, payment and
    // report stay.
    explicit TPrestamoFrances(QWidget* parent = nullptr);

    void BotonCalcularClick();
    // Prints the report on the default printer, or says that there is none.
    void BotonImprimirClick();
    // Prints the report as it now reads, edits included, on `impresora`.
    void Imprimir(QPrinter& impresora);

private:
    void FormCreate();
};
