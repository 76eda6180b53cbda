// Text replacement used to clean the financial dialogs' inputs.
#pragma once

#include <QString>

// Returns Texto with every occurrence of Buscado replaced by Reemplazo. An occurrence that a
// replacement forms with the text around it is replaced too, except when Reemplazo itself
// contains Buscado: then the search goes on after each inserted Reemplazo, so it ends.
QString Reemplazar(const QString& Buscado, const QString& Texto, const QString& Reemplazo);
