// Caption bar of the skinned frame: buttons, title and dragging.
#include "TBarraTituloSkin.h"

#include "TMarcoSkin.h"
#include "TextosSkin.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOption>
#include <QStylePainter>

using namespace Qt::StringLiterals;

TBotonTituloSkin::TBotonTituloSkin(Glifo glifo, QWidget* padre)
    : QToolButton(padre), FGlifo(glifo) {
    setFixedSize(18, 18);
    setFocusPolicy(Qt::NoFocus);
    setAutoRaise(true);
}

void TBotonTituloSkin::setGlifo(Glifo glifo) {
    if (glifo == FGlifo)
        return;
    FGlifo = glifo;
    update();
}

void TBotonTituloSkin::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionToolButton opcion;
    initStyleOption(&opcion);
    opcion.text.clear();
    opcion.icon = QIcon();
    p.drawComplexControl(QStyle::CC_ToolButton, opcion);

    p.setRenderHint(QPainter::Antialiasing);
    QPen pluma(opcion.palette.color(QPalette::ButtonText), 1.6);
    pluma.setCapStyle(Qt::RoundCap);
    pluma.setJoinStyle(Qt::RoundJoin);
    p.setPen(pluma);
    const QRectF r = QRectF(rect()).adjusted(5, 5, -5, -5);
    const QPointF c = r.center();
    switch (FGlifo) {
    case GlifoMenu: {
        const QIcon icono = window()->windowIcon();
        if (!icono.isNull()) {
            icono.paint(&p, rect().adjusted(1, 1, -1, -1));
            break;
        }
        for (int i = -1; i <= 1; ++i)
            p.drawLine(QPointF(r.left(), c.y() + i * 3.0), QPointF(r.right(), c.y() + i * 3.0));
        break;
    }
    case GlifoMinimizar:
        p.drawLine(QPointF(r.left(), r.bottom()), QPointF(r.right(), r.bottom()));
        break;
    case GlifoEnrollar:
    case GlifoDesenrollar: {
        const double s = FGlifo == GlifoEnrollar ? -1.0 : 1.0;
        QPainterPath flecha;
        flecha.moveTo(r.left(), c.y() - s * 2.0);
        flecha.lineTo(c.x(), c.y() + s * 2.0);
        flecha.lineTo(r.right(), c.y() - s * 2.0);
        p.drawPath(flecha);
        break;
    }
    case GlifoCerrar:
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomLeft());
        break;
    }
}

TBarraTituloSkin::TBarraTituloSkin(TMarcoSkin* marco, QWidget* ventana)
    : QWidget(ventana), FMarco(marco) {
    setObjectName(u"BarraTituloSkin"_s);
    setAttribute(Qt::WA_StyledBackground);
    auto* fila = new QHBoxLayout(this);
    fila->setContentsMargins(4, 3, 4, 3);
    fila->setSpacing(2);

    FMenu = new TBotonTituloSkin(TBotonTituloSkin::GlifoMenu, this);
    FMenu->setObjectName(u"BotonMenuSistema"_s);
    FMenu->setToolTip(TextosSkin::PistaMenu());
    FTitulo = new QLabel(this);
    FTitulo->setObjectName(u"TituloSkin"_s);
    FTitulo->setAttribute(Qt::WA_TransparentForMouseEvents);
    FMinimizar = new TBotonTituloSkin(TBotonTituloSkin::GlifoMinimizar, this);
    FMinimizar->setObjectName(u"BotonMinimizar"_s);
    FMinimizar->setToolTip(TextosSkin::Minimizar().remove(QLatin1Char('&')));
    FEnrollar = new TBotonTituloSkin(TBotonTituloSkin::GlifoEnrollar, this);
    FEnrollar->setObjectName(u"BotonEnrollar"_s);
    FEnrollar->setToolTip(TextosSkin::PistaEnrollar());
    FCerrar = new TBotonTituloSkin(TBotonTituloSkin::GlifoCerrar, this);
    FCerrar->setObjectName(u"BotonCerrarSkin"_s);
    FCerrar->setToolTip(TextosSkin::PistaCerrar());
    for (QToolButton* boton : {FMenu, FMinimizar, FEnrollar, FCerrar})
        boton->setAccessibleName(boton->toolTip());

    fila->addWidget(FMenu);
    fila->addSpacing(2);
    fila->addWidget(FTitulo, 1);
    fila->addWidget(FMinimizar);
    fila->addWidget(FEnrollar);
    fila->addWidget(FCerrar);

    const auto botones = marco->BotonesVisibles();
    FMenu->setVisible(botones.testFlag(TMarcoSkin::BotonMenu));
    FMinimizar->setVisible(botones.testFlag(TMarcoSkin::BotonMinimizar));
    FEnrollar->setVisible(botones.testFlag(TMarcoSkin::BotonEnrollar));
    FCerrar->setVisible(botones.testFlag(TMarcoSkin::BotonCerrar));

    connect(FMenu, &QToolButton::clicked, this, [this] {
        QMenu* menu = FMarco->CrearMenuSistema(this);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(FMenu->mapToGlobal(QPoint(0, FMenu->height())));
    });
    connect(FMinimizar, &QToolButton::clicked, this, [this] { window()->showMinimized(); });
    connect(FEnrollar, &QToolButton::clicked, this, [this] {
        if (FMarco->Enrollada())
            FMarco->Desenrollar();
        else
            FMarco->Enrollar();
    });
    connect(FCerrar, &QToolButton::clicked, this, [this] { window()->close(); });
    ActualizarTitulo();
}

void TBarraTituloSkin::ActualizarTitulo() {
    FTitulo->setText(window()->windowTitle());
    FEnrollar->setGlifo(FMarco->Enrollada() ? TBotonTituloSkin::GlifoDesenrollar
                                            : TBotonTituloSkin::GlifoEnrollar);
}

void TBarraTituloSkin::paintEvent(QPaintEvent*) {
    // Lets the style sheet's background, border and gradient reach this plain widget.
    QStyleOption opcion;
    opcion.initFrom(this);
    QPainter p(this);
    style()->drawPrimitive(QStyle::PE_Widget, &opcion, &p, this);
}

void TBarraTituloSkin::mousePressEvent(QMouseEvent* evento) {
    if (evento->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(evento);
    // The window manager moves the window where it can, so it may snap and tile it too.
    FArrastrando = !FMarco->MoverPorSistema();
    FDesplazamiento = evento->globalPosition().toPoint() - window()->frameGeometry().topLeft();
    evento->accept();
}

void TBarraTituloSkin::mouseMoveEvent(QMouseEvent* evento) {
    if (!FArrastrando || !(evento->buttons() & Qt::LeftButton))
        return QWidget::mouseMoveEvent(evento);
    FMarco->MoverA(evento->globalPosition().toPoint() - FDesplazamiento);
    evento->accept();
}

void TBarraTituloSkin::mouseReleaseEvent(QMouseEvent* evento) {
    if (FArrastrando && evento->button() == Qt::LeftButton) {
        FArrastrando = false;
        FMarco->MoverA(evento->globalPosition().toPoint() - FDesplazamiento);
        evento->accept();
        return;
    }
    QWidget::mouseReleaseEvent(evento);
}

void TBarraTituloSkin::mouseDoubleClickEvent(QMouseEvent* evento) {
    if (evento->button() == Qt::LeftButton &&
        FMarco->BotonesVisibles().testFlag(TMarcoSkin::BotonEnrollar)) {
        if (FMarco->Enrollada())
            FMarco->Desenrollar();
        else
            FMarco->Enrollar();
        evento->accept();
        return;
    }
    QWidget::mouseDoubleClickEvent(evento);
}
