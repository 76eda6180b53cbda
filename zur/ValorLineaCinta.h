// The exact value behind a tape line whose text shows fewer than 18 significant digits.
#pragma once

struct ValorLineaCinta {
    int Linea;
    long double Valor;
};
