// The box side of the drop-down calculator.
#include "EnlaceCalculadora.h"

#include "TPopupCalculatorForm.h"
#include "TSkinCalcEdit.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLibrary>
#include <QScreen>

#include <optional>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>

#include <cstdlib>
#endif

using namespace Qt::StringLiterals;

EnlaceCalculadora::EnlaceCalculadora(TSkinCalcEdit* caja) : QObject(caja), FCaja(caja) {
    setObjectName(u"EnlaceCalculadora"_s);
    connect(caja, &TSkinCalcEdit::BotonPulsado, this, &EnlaceCalculadora::Alternar);
    caja->installEventFilter(this);
}

TPopupCalculatorForm* EnlaceCalculadora::Desplegable() {
    if (!FDesplegable) {
        FDesplegable = new TPopupCalculatorForm(FCaja);
        connect(FDesplegable, &TPopupCalculatorForm::Aceptado, this,
                [this](double valor) { FCaja->setValue(valor); });
        connect(FDesplegable, &TPopupCalculatorForm::Cancelado, this, &EnlaceCalculadora::Cerrar);
    }
    return FDesplegable;
}

EnlaceCalculadora* EnlaceCalculadora::De(TSkinCalcEdit* caja) {
    if (!caja)
        return nullptr;
    auto* enlace = caja->findChild<EnlaceCalculadora*>(QString(), Qt::FindDirectChildrenOnly);
    return enlace ? enlace : new EnlaceCalculadora(caja);
}

bool EnlaceCalculadora::Abierto() const {
    return FDesplegable && FDesplegable->isVisible();
}

void EnlaceCalculadora::Alternar() {
    if (Abierto())
        Cerrar();
    else
        Abrir();
}

namespace {

// Where the X server has the window's top-left, or nothing off X. Qt keeps the position the
// X window manager last announced, and Weston's XWayland window manager does not announce
// where the compositor put a window, so under Weston Qt's idea is wrong while the X server's
// is right. The X functions come from the library the X platform already loaded, so the
// program links no X library of its own.
std::optional<QPoint> EsquinaSegunX(const QWidget* ventana) {
#if !QT_CONFIG(xcb)
    Q_UNUSED(ventana);
    return std::nullopt;
#else
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection() || !ventana->internalWinId())
        return std::nullopt;
    using Geometria = xcb_get_geometry_cookie_t (*)(xcb_connection_t*, xcb_drawable_t);
    using RespuestaGeometria =
        xcb_get_geometry_reply_t* (*)(xcb_connection_t*, xcb_get_geometry_cookie_t,
                                      xcb_generic_error_t**);
    using Traducir = xcb_translate_coordinates_cookie_t (*)(xcb_connection_t*, xcb_window_t,
                                                            xcb_window_t, int16_t, int16_t);
    using RespuestaTraducir =
        xcb_translate_coordinates_reply_t* (*)(xcb_connection_t*,
                                               xcb_translate_coordinates_cookie_t,
                                               xcb_generic_error_t**);
    QLibrary xcb(u"xcb"_s, 1);
    const auto geometria = reinterpret_cast<Geometria>(xcb.resolve("xcb_get_geometry"));
    const auto respuestaGeometria =
        reinterpret_cast<RespuestaGeometria>(xcb.resolve("xcb_get_geometry_reply"));
    const auto traducir = reinterpret_cast<Traducir>(xcb.resolve("xcb_translate_coordinates"));
    const auto respuestaTraducir =
        reinterpret_cast<RespuestaTraducir>(xcb.resolve("xcb_translate_coordinates_reply"));
    if (!geometria || !respuestaGeometria || !traducir || !respuestaTraducir)
        return std::nullopt;
    xcb_connection_t* conexion = x11->connection();
    const auto id = static_cast<xcb_window_t>(ventana->internalWinId());
    xcb_get_geometry_reply_t* g = respuestaGeometria(conexion, geometria(conexion, id), nullptr);
    if (!g)
        return std::nullopt;
    const xcb_window_t raiz = g->root;
    std::free(g);
    xcb_translate_coordinates_reply_t* t =
        respuestaTraducir(conexion, traducir(conexion, id, raiz, 0, 0), nullptr);
    if (!t)
        return std::nullopt;
    // Qt's coordinates are device-independent pixels; X's are the device's.
    const QPoint esquina = QPoint(t->dst_x, t->dst_y) / ventana->devicePixelRatioF();
    std::free(t);
    return esquina;
#endif
}

QRect RectanguloGlobal(const QWidget* w) {
    const QWidget* ventana = w->window();
    const std::optional<QPoint> esquina = EsquinaSegunX(ventana);
    const QPoint origen =
        esquina ? *esquina + w->mapTo(ventana, QPoint(0, 0)) : w->mapToGlobal(QPoint(0, 0));
    return QRect(origen, w->size());
}

QRect AreaPantalla(const QWidget* w) {
    const QScreen* pantalla = w->screen();
    if (!pantalla)
        pantalla = QGuiApplication::primaryScreen();
    return pantalla ? pantalla->availableGeometry() : QRect(0, 0, 1 << 16, 1 << 16);
}

} // namespace

void EnlaceCalculadora::Abrir() {
    if (Abierto() || !FCaja->isVisible() || !FCaja->isEnabled())
        return;
    // The skin is the application's style sheet, which the window already follows.
    // Keys typed while it is open belong to the box, so the box has the focus.
    if (!FCaja->hasFocus())
        FCaja->setFocus(Qt::OtherFocusReason);
    Desplegable()->Abrir(RectanguloGlobal(FCaja), AreaPantalla(FCaja), FMemoriaGuardada,
                         FCaja->Precision(), FCaja->Value());
    FVentana = FCaja->window();
    if (FVentana && FVentana != FCaja)
        FVentana->installEventFilter(this);
    qApp->installEventFilter(this);
}

void EnlaceCalculadora::Cerrar() {
    qApp->removeEventFilter(this);
    if (FVentana)
        FVentana->removeEventFilter(this);
    FVentana = nullptr;
    if (FDesplegable)
        FDesplegable->hide();
}

void EnlaceCalculadora::Recolocar() {
    FDesplegable->Recolocar(RectanguloGlobal(FCaja), AreaPantalla(FCaja));
}

bool EnlaceCalculadora::eventFilter(QObject* objeto, QEvent* evento) {
    if (!Abierto())
        return false;
    // A press anywhere but on the drop-down or its box closes it, as a drop-down list does.
    // Pressing the window's caption thus closes it before a move the program may never hear
    // of (Weston's XWayland tells no window it moved), which would leave it behind.
    if (evento->type() == QEvent::MouseButtonPress ||
        evento->type() == QEvent::NonClientAreaMouseButtonPress) {
        const auto* w = qobject_cast<QWidget*>(objeto);
        if (w && w != FDesplegable && !FDesplegable->isAncestorOf(w) && w != FCaja &&
            !FCaja->isAncestorOf(w))
            Cerrar();
        return false;
    }
    if (objeto == FCaja) {
        switch (evento->type()) {
        case QEvent::KeyPress:
        case QEvent::ShortcutOverride:
            // Esc closes the drop-down only; it must not also close the dialog.
            if (static_cast<QKeyEvent*>(evento)->key() == Qt::Key_Escape) {
                evento->accept();
                if (evento->type() == QEvent::KeyPress)
                    Cerrar();
                return true;
            }
            break;
        case QEvent::FocusOut: {
            const QWidget* foco = QApplication::focusWidget();
            if (!(foco && FDesplegable->isAncestorOf(foco)))
                Cerrar();
            break;
        }
        case QEvent::Hide:
        case QEvent::EnabledChange:
            Cerrar();
            break;
        default:
            break;
        }
    } else if (objeto == FVentana) {
        if (evento->type() == QEvent::Move || evento->type() == QEvent::Resize)
            Recolocar();
        else if (evento->type() == QEvent::Hide)
            Cerrar();
    }
    return false;
}
