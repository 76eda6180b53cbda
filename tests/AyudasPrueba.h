// Helpers shared by the window tests: intercepting the modal dialogs a test expects, counting
// paints, and everything ArchivosPrueba.h offers.
#pragma once

#include "ArchivosPrueba.h"

#include <QEvent>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QWidget>

#include <functional>

// Registers what to do with the next modal dialog that appears (read its text, press a
// button, close it). A modal dialog that appears with nothing registered fails the test and
// is closed, so a stray dialog never hangs the run.
void AlAparecerDialogo(std::function<void(QWidget* dialogo)> accion);
// Number of expected dialogs still waiting to appear.
int DialogosPendientes();

// Convenience: expects one message box, records its text into *texto (and its icon into
// *icono) and closes it.
void EsperarMensaje(QString* texto, QMessageBox::Icon* icono = nullptr);

// Counts the paints of the widgets it filters.
class ContadorPintadas final : public QObject {
public:
    int n = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        n += e->type() == QEvent::Paint;
        return false;
    }
};
