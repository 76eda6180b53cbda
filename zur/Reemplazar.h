// Text replacement used to clean the financial dialogs' inputs.
#pragma once

#include <QString>

// Returns Texto with every occurrence of Buscado replaced by Reemplazo. An occurrence that a
// replacement forms with the text around it is replaced too, except when Reemplazo itself
// contains Buscado: then the search goes on after each inserted Reemplazo, so it ends. When
// the re-formed occurrences would make the text grow without end, every occurrence in Texto
// is replaced once, left to right. An empty Buscado leaves Texto unchanged.
QString Reemplazar(const QString& Buscado, const QString& Texto, const QString& Reemplazo);
