// The box side of the drop-down calculator.
#include "EnlaceCalculadora.h"

#include "TPopupCalculatorForm.h"
#include "TSkinCalcEdit.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QScreen>

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

QRect RectanguloGlobal(const QWidget* w) {
    return QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
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
}

void EnlaceCalculadora::Cerrar() {
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
