// Compound interest dialog: the power is the result register's own ElevarA.
#include "TInteresCompuesto.h"

#include "CajasEntrada.h"
#include "GuardiaErrores.h"
#include "RegistrosFinancieros.h"

#include <cmath>

using namespace Qt::StringLiterals;

TInteresCompuesto::TInteresCompuesto(QWidget* parent) : DialogoFinanciero(parent) {
    setupUi(this);
    NP->setValueType(vtInteger);
    FormCreate();
    FijarVentana({{BotonCalcular, [this] { BotonCalcularClick(); }}}, {CI, IP, NP});
}

void TInteresCompuesto::FormCreate() {
    PrepararRegistroResultado(CF, 18);
}

void TInteresCompuesto::BotonCalcularClick() {
    ConGuardia(this, [this] {
        if (!AplicarReglaEntrada(this, {CI, NP, IP}, {CI, IP, NP}))
            return;
        const long double C = ValorCaja(CI);
        const long double N = ValorCaja(NP);
        const long double R = ValorCaja(IP) / 100;

        const long double base = R + 1;
        // After a failed power the register still holds its base and keeps "ERROR" on an
        // equal write; a different value first makes it show this calculation.
        if (MuestraError(CF))
            CF->setValor(base == 0 ? 1 : 0);
        CF->MostrarResultado(base);
        CF->ElevarA(std::trunc(N));
        // A failed power leaves the base in the register: multiplying it by the capital would
        // pass for a final capital. "ERROR" stays on view instead.
        if (MuestraError(CF))
            return;
        const long double capitalFinal = CF->Valor() * C;
        if (!std::isfinite(capitalFinal)) {
            CF->setText(u"ERROR"_s);
            CF->TerminarEntrada();
            return;
        }
        CF->MostrarResultado(capitalFinal);
    });
}
