// The recovery copy of the tape: a signature, a line with the number of lines, of bytes and
// the CRC-32 of those bytes, then the lines as a tape file. A copy cut short or damaged is
// told apart from a whole one, and never passes for a tape.
#pragma once

#include "ArchivoCuenta.h"

#include <QByteArray>

QByteArray CodificarRecuperacion(const TextoLineas& texto);

// The lines of a whole copy, decoded as Open would; throws ErrorSumadora when the copy is not
// one, is incomplete or damaged.
TextoCuenta DecodificarRecuperacion(QByteArray datos);
