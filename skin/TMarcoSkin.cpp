// Skinned frame of a top-level window: caption bar, border, background, roll-up, snapping.
#include "TMarcoSkin.h"

#include "AjusteMagnetico.h"
#include "TBarraTituloSkin.h"
#include "TextosSkin.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QStyleOption>
#include <QTimer>
#include <QWindow>

using namespace Qt::StringLiterals;

namespace {

QList<TMarcoSkin*>& Registro() {
    static QList<TMarcoSkin*> marcos;
    return marcos;
}
bool MarcosActivos = false;

// A plain widget that lets the style sheet paint it: the skinned background of the window.
class TFondoSkin final : public QWidget {
public:
    explicit TFondoSkin(QWidget* padre) : QWidget(padre) {
        setObjectName(u"FondoSkin"_s);
        setAttribute(Qt::WA_StyledBackground);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QStyleOption opcion;
        opcion.initFrom(this);
        QPainter p(this);
        style()->drawPrimitive(QStyle::PE_Widget, &opcion, &p, this);
    }
};

// Holds the controls of a window laid out with absolute geometry, below the caption.
class TClienteSkin final : public QWidget {
public:
    explicit TClienteSkin(QWidget* padre) : QWidget(padre) { setObjectName(u"ClienteSkin"_s); }
};

} // namespace

TMarcoSkin* TMarcoSkin::Instalar(QWidget* ventana, Botones botones) {
    if (ventana == nullptr)
        return nullptr;
    if (TMarcoSkin* existente = De(ventana))
        return existente;
    auto* marco = new TMarcoSkin(ventana, botones);
    if (MarcosActivos)
        marco->setActivo(true);
    return marco;
}

TMarcoSkin* TMarcoSkin::De(const QWidget* ventana) {
    for (TMarcoSkin* m : Registro())
        if (m->FVentana == ventana)
            return m;
    return nullptr;
}

void TMarcoSkin::ActivarTodos(bool activo) {
    MarcosActivos = activo;
    const QList<TMarcoSkin*> marcos = Registro();
    for (TMarcoSkin* m : marcos)
        m->setActivo(activo);
}

QList<QAbstractButton*> TMarcoSkin::BotonesTitulo(const QWidget* ventana) {
    const TMarcoSkin* marco = De(ventana);
    if (!marco)
        return {};
    const TBarraTituloSkin* barra = marco->FBarra;
    return {barra->BotonMenu(), barra->BotonMinimizar(), barra->BotonEnrollar(),
            barra->BotonCerrar()};
}

bool TMarcoSkin::TodosActivos() {
    return MarcosActivos;
}

TMarcoSkin::TMarcoSkin(QWidget* ventana, Botones botones)
    : QObject(ventana), FVentana(ventana), FBotones(botones) {
    setObjectName(u"MarcoSkin"_s);
    if (ventana->layout() == nullptr) {
        // Reparenting keeps each control's position, visibility and tab order.
        auto* cliente = new TClienteSkin(ventana);
        const QObjectList hijos = ventana->children();
        for (QObject* o : hijos) {
            auto* w = qobject_cast<QWidget*>(o);
            if (w == nullptr || w == cliente || w->isWindow())
                continue;
            const bool ocultoAdrede =
                w->isHidden() && w->testAttribute(Qt::WA_WState_ExplicitShowHide);
            const QRect geometria = w->geometry();
            w->setParent(cliente);
            w->setGeometry(geometria);
            w->setVisible(!ocultoAdrede);
        }
        cliente->setGeometry(ventana->rect());
        cliente->show();
        FCliente = cliente;
    }
    FFondo = new TFondoSkin(ventana);
    FFondo->hide();
    FBarra = new TBarraTituloSkin(this, ventana);
    FBarra->hide();
    FBorde = new QFrame(ventana);
    FBorde->setObjectName(u"BordeSkin"_s);
    FBorde->setAttribute(Qt::WA_TransparentForMouseEvents);
    FBorde->setFrameShape(QFrame::Box);
    FBorde->hide();
    ventana->installEventFilter(this);
    Registro().append(this);
}

TMarcoSkin::~TMarcoSkin() {
    Registro().removeAll(this);
}

QWidget* TMarcoSkin::Cliente() const {
    return FCliente ? FCliente.data() : FVentana;
}

void TMarcoSkin::AplicarBanderas(bool sinMarco) {
    Qt::WindowFlags banderas;
    if (sinMarco) {
        FBanderasSistema = FVentana->windowFlags();
        // Qt drops the frameless hint while the customised-caption hint is set.
        banderas = FBanderasSistema;
        banderas.setFlag(Qt::CustomizeWindowHint, false);
        banderas.setFlag(Qt::FramelessWindowHint, true);
    } else {
        banderas = FBanderasSistema;
    }
    if (banderas == FVentana->windowFlags())
        return;
    if (QWindow* nativa = FVentana->windowHandle()) {
        // Telling the native window directly avoids the hide and re-show of setWindowFlags,
        // which would also end a modal dialog's exec() while it is open.
        FVentana->overrideWindowFlags(banderas);
        nativa->setFlags(banderas);
    } else {
        // Not created yet: the flags are taken when it is. setWindowFlags would re-parent
        // the window and restyle every control in it.
        FVentana->overrideWindowFlags(banderas);
    }
}

void TMarcoSkin::CambiarAlto(int delta) {
    QLayout* disposicion = FVentana->layout();
    if (disposicion != nullptr && disposicion->sizeConstraint() == QLayout::SetFixedSize)
        return; // the layout sizes the window itself, margins included
    const int minimo = FVentana->minimumHeight();
    const int maximo = FVentana->maximumHeight();
    if (maximo < QWIDGETSIZE_MAX)
        FVentana->setMaximumHeight(qMax(0, maximo + delta));
    if (minimo > 0)
        FVentana->setMinimumHeight(qMax(0, minimo + delta));
    FVentana->resize(FVentana->width(), FVentana->height() + delta);
}

void TMarcoSkin::setActivo(bool activo) {
    if (activo == FActivo) {
        Colocar(); // another skin may draw a wider border
        return;
    }
    if (!activo && FEnrollada)
        Desenrollar();
    FActivo = activo;
    AplicarBanderas(activo);
    const int delta = activo ? AltoTitulo : -AltoTitulo;
    if (!FCliente) {
        QMargins m = FVentana->contentsMargins();
        m.setTop(m.top() + delta);
        FVentana->setContentsMargins(m);
    }
    CambiarAlto(delta);
    FFondo->setVisible(activo);
    FBarra->setVisible(activo);
    FBorde->setVisible(activo);
    Colocar();
}

void TMarcoSkin::Colocar() {
    const int ancho = FVentana->width();
    const int alto = FVentana->height();
    const int arriba = FActivo ? AltoTitulo : 0;
    if (FCliente)
        FCliente->setGeometry(0, arriba, ancho, qMax(0, alto - arriba));
    FFondo->setGeometry(0, 0, ancho, alto);
    FFondo->lower();
    FBarra->setGeometry(0, 0, ancho, AltoTitulo);
    FBarra->raise();
    FBorde->setGeometry(0, 0, ancho, alto);
    FBorde->raise();
    // The border covers the window only along its edges: a control repainting inside them
    // then repaints alone, not the background and the border above and below it.
    FBorde->ensurePolished();
    const int b = qMax(1, FBorde->frameWidth());
    FBorde->setMask(QRegion(0, 0, ancho, alto) - QRegion(b, b, ancho - 2 * b, alto - 2 * b));
}

void TMarcoSkin::Enrollar() {
    if (!FActivo || FEnrollada)
        return;
    FEnrollada = true;
    FAltoAntes = FVentana->height();
    FMinAltoAntes = FVentana->minimumHeight();
    FMaxAltoAntes = FVentana->maximumHeight();
    if (FCliente)
        FCliente->hide();
    else if (FVentana->layout())
        FVentana->layout()->setEnabled(false);
    FVentana->setMinimumHeight(AltoTitulo);
    FVentana->setMaximumHeight(AltoTitulo);
    FVentana->resize(FVentana->width(), AltoTitulo);
    Colocar();
    FBarra->ActualizarTitulo();
}

void TMarcoSkin::Desenrollar() {
    if (!FEnrollada)
        return;
    FEnrollada = false;
    FVentana->setMinimumHeight(FMinAltoAntes);
    FVentana->setMaximumHeight(FMaxAltoAntes);
    FVentana->resize(FVentana->width(), FAltoAntes);
    if (FCliente)
        FCliente->show();
    else if (FVentana->layout())
        FVentana->layout()->setEnabled(true);
    Colocar();
    FBarra->ActualizarTitulo();
}

void TMarcoSkin::MoverA(QPoint destino) {
    if (FMagnetico) {
        const QRect marco(destino, FVentana->frameGeometry().size());
        QScreen* pantalla = QGuiApplication::screenAt(marco.center());
        if (pantalla == nullptr)
            pantalla = FVentana->screen();
        QList<QRect> otras;
        const QWidgetList ventanas = QApplication::topLevelWidgets();
        for (QWidget* w : ventanas) {
            if (w == FVentana || !w->isVisible() || w->isMinimized())
                continue;
            const Qt::WindowType tipo = w->windowType();
            if (tipo == Qt::Popup || tipo == Qt::ToolTip || tipo == Qt::Desktop)
                continue;
            otras.append(w->frameGeometry());
        }
        destino = AjusteMagnetico(marco, pantalla ? pantalla->availableGeometry() : QRect(), otras,
                                  FDistancia);
    }
    FVentana->move(destino);
}

bool TMarcoSkin::MoverPorSistema() {
    QWindow* nativa = FVentana->windowHandle();
    return nativa != nullptr && nativa->startSystemMove();
}

QMenu* TMarcoSkin::CrearMenuSistema(QWidget* padre) {
    auto* menu = new QMenu(padre);
    menu->setObjectName(u"MenuSistema"_s);
    QAction* restaurar = menu->addAction(TextosSkin::Restaurar(), this, [this] {
        if (FEnrollada)
            Desenrollar();
        else
            FVentana->showNormal();
    });
    restaurar->setEnabled(FEnrollada || FVentana->isMinimized());
    if (FBotones & (BotonMinimizar | MinimizarEnMenu))
        menu->addAction(TextosSkin::Minimizar(), FVentana, &QWidget::showMinimized);
    if (FBotones.testFlag(BotonEnrollar)) {
        QAction* enrollar = menu->addAction(TextosSkin::Enrollar(), this, &TMarcoSkin::Enrollar);
        enrollar->setEnabled(FActivo && !FEnrollada);
    }
    menu->addSeparator();
    menu->addAction(TextosSkin::CerrarMenu(), FVentana, &QWidget::close);
    return menu;
}

bool TMarcoSkin::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == FVentana) {
        switch (evento->type()) {
        case QEvent::Resize:
            Colocar();
            break;
        case QEvent::WindowTitleChange:
        case QEvent::WindowIconChange:
            FBarra->ActualizarTitulo();
            FBarra->update();
            break;
        case QEvent::ChildAdded:
            // A control added later must not cover the border or the caption.
            if (FActivo && !FBordeEnCola) {
                FBordeEnCola = true;
                QTimer::singleShot(0, this, [this] {
                    FBordeEnCola = false;
                    Colocar();
                });
            }
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(objeto, evento);
}

void TMarcoSkin::CentrarEnPantalla(QWidget* ventana) {
    if (const QScreen* pantalla = ventana->screen()) {
        QRect marco = ventana->frameGeometry();
        marco.moveCenter(pantalla->availableGeometry().center());
        ventana->move(marco.topLeft());
    }
}
