#include "MenuCinta.h"

#include "ExportacionCuenta.h"
#include "GuardiaErrores.h"
#include "TSumadoraFormulario.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QMenu>

#include <algorithm>

using namespace Qt::StringLiterals;

MenuCinta::MenuCinta(TSumadoraFormulario& ventana) : QObject(&ventana), v(ventana) {
    v.Cuenta->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(v.Cuenta, &QWidget::customContextMenuRequested, this, [this](const QPoint& punto) {
        // The keys that work the menu (arrows, Enter) are not the calculator's.
        const TecladoSuspendido suspension(v.TecladoActivo);
        Menu()->exec(v.Cuenta->viewport()->mapToGlobal(punto));
    });
}

std::unique_ptr<QMenu> MenuCinta::Menu() {
    auto menu = std::make_unique<QMenu>(v.Cuenta);
    QAction* copiar = menu->addAction(u"Copiar"_s, this, &MenuCinta::Copiar);
    copiar->setEnabled(v.Cuenta->selectionModel()->hasSelection());
    menu->addSeparator();
    menu->addAction(u"Guardar como CSV…"_s, this, [this] { Guardar(FormatoArchivo::Csv); });
    menu->addAction(u"Guardar como PDF…"_s, this, [this] { Guardar(FormatoArchivo::Pdf); });
    return menu;
}

void MenuCinta::Copiar() {
    QModelIndexList filas = v.Cuenta->selectionModel()->selectedRows();
    std::sort(filas.begin(), filas.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QStringList lineas;
    for (const QModelIndex& f : filas)
        lineas << v.Cuenta->Linea(f.row());
    if (!lineas.isEmpty())
        QGuiApplication::clipboard()->setText(lineas.join(u'\n'));
}

void MenuCinta::Guardar(FormatoArchivo formato) {
    const TecladoSuspendido suspension(v.TecladoActivo);
    ConGuardia(&v, [this, formato] {
        const DestinoArchivo destino = PreguntarDestinoCuenta(v, {formato});
        if (!destino.Ruta.isEmpty())
            GuardarCuentaComo(v, destino);
    });
}
