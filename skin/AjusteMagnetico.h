// Magnetic snapping of a window being moved: pure geometry, so it can be tested alone.
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

inline constexpr int DistanciaMagnetica = 10;

// Where a window with the frame rectangle `ventana` should rest. Each axis snaps on its own
// to the nearest edge within `distancia` pixels: the edges of `pantalla` (from inside) and
// the edges of the `otras` windows that lie beside it on the other axis (touching from
// outside or aligned). A window farther than `distancia` from every edge keeps its place.
QPoint AjusteMagnetico(const QRect& ventana, const QRect& pantalla, const QList<QRect>& otras,
                       int distancia = DistanciaMagnetica);
