// The tape as a spreadsheet: one row per line that carries a number, the number and the
// operation (the line's symbol: "+", "-", "*", "/", "=", "%", "T", "^") in columns of their own.
#pragma once

#include "TablaCsv.h"
#include "TextoLineas.h"
#include "ValorLineaCinta.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>
#include <vector>

struct LineaNumerica {
    QByteArray Numero;        // for the spreadsheet: no groups, "1,5E+20"
    QByteArrayView Operacion; // within the line's bytes
};

// A tape line's bytes read as number and symbol ("  1.234,5 +", "1,5E20 T"); none for
// separators, empty lines and any other text.
std::optional<LineaNumerica> LeerLineaNumerica(QByteArrayView linea);

// The spreadsheet. `exactos`, ascending by line, give the values of lines whose text was
// rounded (the fixed formats); every other number is read from its line.
TablaCsv CsvCinta(const TextoLineas& texto, const std::vector<ValorLineaCinta>& exactos);
