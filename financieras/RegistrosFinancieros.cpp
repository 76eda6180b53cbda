// The look of the dialogs' result registers.
#include "RegistrosFinancieros.h"

#include "TZURLabelNumber.h"

using namespace Qt::StringLiterals;

void PrepararRegistroResultado(TZURLabelNumber* registro, int digitos) {
    registro->setFormatoGeneral(false);
    registro->setDecimales(2);
    registro->setSeparadorMiles(true);
    registro->setNumDigits(digitos);
    // The register only redraws on a change of value: a different value first forces it.
    const long double valor = registro->Valor();
    registro->setValor(valor == 0 ? 1 : 0);
    registro->MostrarResultado(valor);
}

bool MuestraError(const TZURLabelNumber* registro) {
    return registro->Text().trimmed() == u"ERROR"_s;
}
