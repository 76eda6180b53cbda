// The program's own errors: reported to the user in a Spanish message box, after which
// the program goes on.
#pragma once

#include <QString>

#include <cmath>
#include <stdexcept>

class ErrorSumadora : public std::runtime_error {
public:
    explicit ErrorSumadora(const QString& mensaje)
        : std::runtime_error(mensaje.toStdString()), FMensaje(mensaje) {}
    const QString& Mensaje() const { return FMensaje; }

private:
    QString FMensaje;
};

inline QString MensajeDesbordamiento() {
    return QStringLiteral("Desbordamiento en operación de coma flotante.");
}
inline QString MensajeOperacionNoValida() {
    return QStringLiteral("Operación de coma flotante no válida.");
}

// Returns v when it is a finite number; otherwise throws the arithmetic error, so callers
// check a result before they change any state.
inline long double ComprobarResultado(long double v) {
    if (std::isnan(v))
        throw ErrorSumadora(MensajeOperacionNoValida());
    if (std::isinf(v))
        throw ErrorSumadora(MensajeDesbordamiento());
    return v;
}
