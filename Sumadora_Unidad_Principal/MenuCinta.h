// The tape's context menu: copy the selected lines, save the tape as a spreadsheet or a PDF.
#pragma once

#include "DialogoGuardarComo.h"

#include <QObject>

#include <memory>

class QMenu;
class TSumadoraFormulario;

class MenuCinta final : public QObject {
    Q_OBJECT
public:
    // Shown on a right click on the window's tape; owned by the window.
    explicit MenuCinta(TSumadoraFormulario& ventana);

    // The menu as it would open now ("Copiar" only with lines selected).
    std::unique_ptr<QMenu> Menu();
    // The selected lines, one text line each, on the system clipboard.
    void Copiar();

private:
    void Guardar(FormatoArchivo formato);
    TSumadoraFormulario& v;
};
