// The one guard around every handler: an error of the program becomes a Spanish message
// box and the program goes on; no exception crosses the event loop.
#pragma once

#include "ErrorSumadora.h"

#include <QMessageBox>
#include <QString>

#include <exception>
#include <new>
#include <utility>

class QWidget;

// A message box titled "Sumadora" with one "Aceptar" button: a warning for the user's own
// input, an error for what the program could not do.
void MostrarMensaje(QWidget* padre, const QString& texto,
                    QMessageBox::Icon icono = QMessageBox::Warning);

// Runs accion(); returns false after reporting an error it threw.
template <class F> bool ConGuardia(QWidget* padre, F&& accion) {
    try {
        std::forward<F>(accion)();
        return true;
    } catch (const ErrorSumadora& e) {
        MostrarMensaje(padre, e.Mensaje(), QMessageBox::Critical);
    } catch (const std::bad_alloc&) {
        MostrarMensaje(padre,
                       QStringLiteral("No hay memoria suficiente para completar la operación."),
                       QMessageBox::Critical);
    } catch (const std::exception& e) {
        MostrarMensaje(padre, QString::fromLocal8Bit(e.what()), QMessageBox::Critical);
    }
    return false;
}
