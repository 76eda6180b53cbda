// Loan amortisation dialog.
#include "TPrestamoFrances.h"

#include "CalculosFinancieros.h"
#include "GuardiaErrores.h"
#include "ImpresionTexto.h"
#include "RegistrosFinancieros.h"
#include "ReglaEntrada.h"

#include <QPrinter>
#include <QPrinterInfo>

using namespace Qt::StringLiterals;

TPrestamoFrances::TPrestamoFrances(QWidget* parent) : DialogoFinanciero(parent) {
    setupUi(this);
    NA->setValueType(vtInteger);
    FormCreate();
    FijarVentana();
    connect(BotonCalcular, &QPushButton::clicked, this, &TPrestamoFrances::BotonCalcularClick);
    connect(BotonImprimir, &QPushButton::clicked, this, &TPrestamoFrances::BotonImprimirClick);
}

void TPrestamoFrances::FormCreate() {
    PrepararRegistroResultado(CuotaMensual, 10);
    CuotaMensual->MostrarResultado(0);
}

void TPrestamoFrances::BotonCalcularClick() {
    ConGuardia(this, [this] {
        if (!AplicarReglaEntrada(this, {C, IA, NA}, {C, IA, NA}))
            return;
        const long double P = ValorCaja(C);
        const long double A = ValorCaja(IA);
        const int Y = AniosPrestamo(NA->text());
        // Everything is computed before anything is shown, so a failure changes nothing.
        const long double q = CuotaPrestamo(P, A, Y);
        const QStringList lineas = InformePrestamo(P, A, Y, CuotaMensual->ValorATexto(q));
        CuotaMensual->MostrarResultado(q);
        // One document for the whole schedule: 12 000 rows appended one by one would freeze
        // the window.
        Informe->setPlainText(lineas.join(u'\n'));
    });
}

void TPrestamoFrances::BotonImprimirClick() {
    ConGuardia(this, [this] {
        const QPrinterInfo predeterminada = QPrinterInfo::defaultPrinter();
        if (predeterminada.isNull())
            throw ErrorSumadora(u"No hay ninguna impresora instalada."_s);
        QPrinter impresora(predeterminada, QPrinter::HighResolution);
        Imprimir(impresora);
    });
}

void TPrestamoFrances::Imprimir(QPrinter& impresora) {
    Informe->ensurePolished();
    ImprimirTexto(impresora, u"Informe Prestamo."_s, Informe->toPlainText(), Informe->font());
}
