// The About box's picture: a printing adding machine with its paper roll, drawn by us.
#pragma once

#include <QImage>
#include <QSize>

// The picture at `tamano` pixels (portrait, about 1 : 1.9 looks best).
QImage DibujoSumadora(QSize tamano = QSize(328, 628));
