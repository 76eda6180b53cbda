// The look of the dialogs' result registers: fixed, 2 decimals, thousands grouped.
#pragma once

class TZURLabelNumber;

// Sets the format and the width, and shows the register's value again in it.
void PrepararRegistroResultado(TZURLabelNumber* registro, int digitos);

// Whether the register shows "ERROR" after a failed result operation.
bool MuestraError(const TZURLabelNumber* registro);
