// Simple interest dialog.
#include "TInteresSimple.h"

#include "CajasEntrada.h"
#include "CalculosFinancieros.h"
#include "GuardiaErrores.h"
#include "RegistrosFinancieros.h"

TInteresSimple::TInteresSimple(QWidget* parent) : DialogoFinanciero(parent) {
    setupUi(this);
    NP->setValueType(vtInteger);
    FormCreate();
    FijarVentana({{BotonCalcular, [this] { BotonCalcularClick(); }}}, {CI, IP, NP});
}

void TInteresSimple::FormCreate() {
    PrepararRegistroResultado(CF, 18);
    PrepararRegistroResultado(I, 18);
}

void TInteresSimple::BotonCalcularClick() {
    ConGuardia(this, [this] {
        if (!AplicarReglaEntrada(this, {CI, NP, IP}, {CI, IP, NP}))
            return;
        const long double C = ValorCaja(CI);
        const long double N = ValorCaja(NP);
        const long double R = ValorCaja(IP) / 100;
        const ResultadoInteresSimple r = InteresSimple(C, N, R);
        CF->MostrarResultado(r.CapitalFinal);
        I->MostrarResultado(r.Intereses);
    });
}
