// Magnetic snapping: for each axis, the nearest candidate position within the distance.
#include "AjusteMagnetico.h"

#include <cstdlib>

namespace {

struct Eje {
    int Pos;   // current start coordinate
    int Largo; // window extent on this axis
    int Mejor;
    int MejorDistancia;
    void Proponer(int candidato) {
        const int d = std::abs(candidato - Pos);
        if (d < MejorDistancia) {
            Mejor = candidato;
            MejorDistancia = d;
        }
    }
};

// Whether the ranges [a, a+la) and [b, b+lb) overlap or come within `distancia`.
bool Cercanos(int a, int la, int b, int lb, int distancia) {
    return a <= b + lb + distancia && b <= a + la + distancia;
}

} // namespace

QPoint AjusteMagnetico(const QRect& ventana, const QRect& pantalla, const QList<QRect>& otras,
                       int distancia) {
    Eje x{ventana.x(), ventana.width(), ventana.x(), distancia + 1};
    Eje y{ventana.y(), ventana.height(), ventana.y(), distancia + 1};

    x.Proponer(pantalla.x());
    x.Proponer(pantalla.x() + pantalla.width() - x.Largo);
    y.Proponer(pantalla.y());
    y.Proponer(pantalla.y() + pantalla.height() - y.Largo);

    for (const QRect& o : otras) {
        if (Cercanos(ventana.y(), ventana.height(), o.y(), o.height(), distancia)) {
            x.Proponer(o.x() + o.width()); // to the right of the other window
            x.Proponer(o.x() - x.Largo);   // to its left
            x.Proponer(o.x());             // left edges aligned
            x.Proponer(o.x() + o.width() - x.Largo);
        }
        if (Cercanos(ventana.x(), ventana.width(), o.x(), o.width(), distancia)) {
            y.Proponer(o.y() + o.height()); // below the other window
            y.Proponer(o.y() - y.Largo);    // above it
            y.Proponer(o.y());
            y.Proponer(o.y() + o.height() - y.Largo);
        }
    }
    return {x.Mejor, y.Mejor};
}
