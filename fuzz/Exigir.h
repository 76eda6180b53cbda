// What a fuzz target asserts: a property that fails stops the run with the input saved.
#pragma once

#include <cstdio>
#include <cstdlib>

#define EXIGIR(condicion)                                                                          \
    do {                                                                                           \
        if (!(condicion)) {                                                                        \
            std::fprintf(stderr, "%s:%d: no se cumple %s\n", __FILE__, __LINE__, #condicion);      \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)
