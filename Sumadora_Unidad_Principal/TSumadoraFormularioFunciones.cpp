// The function keys: IVA, NIF, single-value functions of the entry, constants, conversions
// and the trigonometric page.
#include "TSumadoraFormulario.h"

bool TSumadoraFormulario::OpcionesFunciones(QObject* Sender) {
    (void)Sender;
    return false;
}
