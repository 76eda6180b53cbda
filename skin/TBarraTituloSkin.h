// The caption bar of a skinned frame: system-menu button, title, and the minimise, roll-up
// and close buttons; dragging it moves the window. Its look comes from the style sheet
// (#BarraTituloSkin, #TituloSkin, #BotonMenuSistema, #BotonMinimizar, #BotonEnrollar,
// #BotonCerrarSkin).
#pragma once

#include <QPoint>
#include <QToolButton>
#include <QWidget>

class QLabel;
class TMarcoSkin;

// A caption button that draws its glyph with the button text colour of the style sheet.
class TBotonTituloSkin final : public QToolButton {
    Q_OBJECT
public:
    enum Glifo { GlifoMenu, GlifoMinimizar, GlifoEnrollar, GlifoDesenrollar, GlifoCerrar };
    TBotonTituloSkin(Glifo glifo, QWidget* padre);
    void setGlifo(Glifo glifo);
    Glifo GlifoActual() const { return FGlifo; }

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    Glifo FGlifo;
};

class TBarraTituloSkin final : public QWidget {
    Q_OBJECT
public:
    TBarraTituloSkin(TMarcoSkin* marco, QWidget* ventana);

    QLabel* Titulo() const { return FTitulo; }
    TBotonTituloSkin* BotonMenu() const { return FMenu; }
    TBotonTituloSkin* BotonMinimizar() const { return FMinimizar; }
    TBotonTituloSkin* BotonEnrollar() const { return FEnrollar; }
    TBotonTituloSkin* BotonCerrar() const { return FCerrar; }
    void ActualizarTitulo();

protected:
    void paintEvent(QPaintEvent* evento) override;
    void mousePressEvent(QMouseEvent* evento) override;
    void mouseMoveEvent(QMouseEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;
    void mouseDoubleClickEvent(QMouseEvent* evento) override;

private:
    TMarcoSkin* FMarco;
    QLabel* FTitulo;
    TBotonTituloSkin* FMenu;
    TBotonTituloSkin* FMinimizar;
    TBotonTituloSkin* FEnrollar;
    TBotonTituloSkin* FCerrar;
    bool FArrastrando = false;
    QPoint FDesplazamiento; // pointer position relative to the window's frame corner
};
