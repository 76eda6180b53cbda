// The program's version, from the one the build names (the About box, --version, the package).
#pragma once

#include <QString>

inline QString VersionSumadora() {
    return QStringLiteral(SUMADORA_VERSION);
}
