// The files the program reads besides the user's own: found relative to the running program,
// so one binary works from the build tree and from any installation prefix.
#pragma once

#include <QString>

// The desktop's name for the program: its desktop entry, icon and metadata carry it.
inline QString IdentificadorPrograma() {
    return QStringLiteral("io.github.sumadora.Sumadora");
}

// The Spanish help manual: beside the program in the build tree, under the data folder of the
// prefix once installed. When neither exists, the build tree's, so the viewer names a path.
QString RutaManualAyuda();
