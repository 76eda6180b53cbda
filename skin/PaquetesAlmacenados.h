// The stored skins compiled into the program, in chooser order (index 1 first).
#pragma once

#include <cstddef>

struct TPaqueteAlmacenado {
    const char* Componente;       // CSS_Ampix, CSS_SmoothGreen, ...
    const unsigned char* Datos;   // the zlib stream
    std::size_t Tamano;
};

extern const TPaqueteAlmacenado PaquetesAlmacenados[];
extern const int NumeroPaquetesAlmacenados;
