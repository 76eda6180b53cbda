// Loan amortisation by the French method: the constant monthly payment and the month-by-month
// schedule as an editable, printable report.
#pragma once

#include "DialogoFinanciero.h"
#include "DialogoGuardarComo.h"
#include "ui_TPrestamoFrances.h"

#include <QString>

#include <functional>
#include <memory>

class QMenu;
class QPoint;
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

    // The report box's own context menu plus "Guardar como CSV…" and "Guardar como PDF…".
    std::unique_ptr<QMenu> MenuInforme(const QPoint& punto);
    // The schedule of the last calculation as a spreadsheet; the report as its printout.
    void GuardarComoCsv();
    void GuardarComoPdf();

    // Replaceable so tests need no dialog or printer; empty means the real one: the save
    // dialog (an empty name when cancelled), the default printer (none when not installed).
    std::function<QString()> PreguntarArchivoGuardar;
    std::function<std::unique_ptr<QPrinter>()> ObtenerImpresora;

private:
    void FormCreate();
    QString PreguntarArchivo(FormatoArchivo formato);

    // The inputs of the last schedule written, for its spreadsheet.
    bool HayCuadro = false;
    long double UltimoCapital = 0;
    long double UltimoInteres = 0;
    int UltimosAnios = 0;
};
