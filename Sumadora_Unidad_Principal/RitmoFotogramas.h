// Paints a window at most once per screen frame: a burst of changes faster than the screen
// refreshes (keys typed or repeated quicker than that) is painted once per frame, showing the
// last state. Only the painting waits; every change is made at once and none is lost.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <chrono>

class QWidget;

class RitmoFotogramas final : public QObject {
    Q_OBJECT
public:
    // Watches the top-level `ventana`, whose child it becomes. The frame lasts as the
    // screen's refresh says (60 Hz when it says nothing).
    explicit RitmoFotogramas(QWidget* ventana);

    void setPeriodo(std::chrono::nanoseconds periodo) { FPeriodo = periodo; }
    bool HayPendiente() const { return FEspera.isActive(); }
    // Paints now what is being held back.
    void PintarPendiente();

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    QWidget* FVentana;
    QElapsedTimer FDesdeUltimo;
    QTimer FEspera;
    std::chrono::nanoseconds FPeriodo;
    bool FPintando = false;
};
