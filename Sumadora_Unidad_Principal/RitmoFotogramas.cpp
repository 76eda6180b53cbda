// Repaint pacing. A widget's update() leaves one UpdateRequest for its window, and no other
// until that one is served; holding it back until the frame is due lets every change made
// meanwhile join the same paint.
#include "RitmoFotogramas.h"

#include <QCoreApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>

RitmoFotogramas::RitmoFotogramas(QWidget* ventana) : QObject(ventana), FVentana(ventana) {
    const QScreen* pantalla = ventana->screen();
    const double hz = pantalla && pantalla->refreshRate() >= 1 ? pantalla->refreshRate() : 60;
    FPeriodo = std::chrono::nanoseconds(qint64(1e9 / hz));
    FEspera.setSingleShot(true);
    FEspera.setTimerType(Qt::PreciseTimer);
    connect(&FEspera, &QTimer::timeout, this, &RitmoFotogramas::PintarPendiente);
    ventana->installEventFilter(this);
}

void RitmoFotogramas::PintarPendiente() {
    FEspera.stop();
    FPintando = true;
    FDesdeUltimo.start();
    QEvent pedido(QEvent::UpdateRequest);
    QCoreApplication::sendEvent(FVentana, &pedido);
    FPintando = false;
}

bool RitmoFotogramas::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto != FVentana || evento->type() != QEvent::UpdateRequest || FPintando)
        return QObject::eventFilter(objeto, evento);
    if (FEspera.isActive())
        return true; // that frame will paint this change too
    const qint64 pasado = FDesdeUltimo.isValid() ? FDesdeUltimo.nsecsElapsed() : FPeriodo.count();
    if (pasado >= FPeriodo.count()) {
        FDesdeUltimo.start();
        return QObject::eventFilter(objeto, evento);
    }
    FEspera.start(
        std::chrono::ceil<std::chrono::milliseconds>(FPeriodo - std::chrono::nanoseconds(pasado)));
    return true;
}
