// The skin engine's own Spanish texts: system menu, caption hints, edit menus, message boxes.
#pragma once

#include <QString>

namespace TextosSkin {
inline QString Minimizar() {
    return QStringLiteral("Mi&nimizar");
}
inline QString Maximizar() {
    return QStringLiteral("Ma&ximizar");
}
inline QString CerrarMenu() {
    return QStringLiteral("&Cerrar");
}
inline QString Restaurar() {
    return QStringLiteral("&Restaurar");
}
inline QString Enrollar() {
    return QStringLiteral("Enro&llar");
}
inline QString PistaCerrar() {
    return QStringLiteral("Cerrar");
}
inline QString PistaEnrollar() {
    return QStringLiteral("Enrollar");
}
inline QString PistaMenu() {
    return QStringLiteral("Menu Sistema");
}
inline QString Deshacer() {
    return QStringLiteral("Deshacer");
}
inline QString Copiar() {
    return QStringLiteral("Copiar");
}
inline QString Cortar() {
    return QStringLiteral("Cortar");
}
inline QString Pegar() {
    return QStringLiteral("Pegar");
}
inline QString Borrar() {
    return QStringLiteral("Borrar");
}
inline QString SeleccionarTodo() {
    return QStringLiteral("Seleccionar Todo");
}
// Caption of the edit box's drop-down calculator.
inline QString TituloCalculadora() {
    return QStringLiteral("Sumadora");
}
} // namespace TextosSkin
