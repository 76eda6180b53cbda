#include "AyudasPrueba.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

#include <gtest/gtest.h>

#include <deque>

namespace {
std::deque<std::function<void(QWidget*)>>& Pendientes() {
    static std::deque<std::function<void(QWidget*)>> cola;
    return cola;
}

void Cerrar(QWidget* w) {
    if (auto* d = qobject_cast<QDialog*>(w))
        d->reject();
    else
        w->close();
}
} // namespace

// Polled by a timer of the test main while nested event loops (exec) run.
void AtenderDialogosModales() {
    QWidget* w = QApplication::activeModalWidget();
    if (!w || !w->isVisible())
        return;
    if (Pendientes().empty()) {
        QString texto;
        if (auto* m = qobject_cast<QMessageBox*>(w))
            texto = m->text();
        ADD_FAILURE() << "Unexpected modal dialog: " << w->metaObject()->className() << " "
                      << w->windowTitle().toStdString() << " " << texto.toStdString();
        Cerrar(w);
        return;
    }
    auto accion = std::move(Pendientes().front());
    Pendientes().pop_front();
    accion(w);
    if (w->isVisible() && QApplication::activeModalWidget() == w)
        Cerrar(w);
}

void AlAparecerDialogo(std::function<void(QWidget*)> accion) {
    Pendientes().push_back(std::move(accion));
}

int DialogosPendientes() {
    return static_cast<int>(Pendientes().size());
}

void EsperarMensaje(QString* texto, QMessageBox::Icon* icono) {
    AlAparecerDialogo([texto, icono](QWidget* w) {
        auto* m = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(m, nullptr) << "expected a message box";
        if (texto)
            *texto = m->text();
        if (icono)
            *icono = m->icon();
    });
}
