// Nothing lost in a crash: while the program runs its tape is kept in a recovery copy of its
// own in the user's state folder, rewritten whole and atomically at most about once a second
// while lines come (from a timer, never while a key is handled) and removed at a normal exit.
// At start, the copies of programs that did not end normally are offered back. Each program's
// copy is guarded by a lock file, so a copy is only offered once its program is gone.
#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

class TSumadoraFormulario;

class RecuperacionCinta final : public QObject {
    Q_OBJECT
public:
    // Keeps the window's tape in `carpeta`; owned by the window.
    RecuperacionCinta(TSumadoraFormulario& ventana, const QString& carpeta);
    // A normal exit: the copy and its lock go.
    ~RecuperacionCinta() override;

    // The program's one call at start, once the window is shown: keeping the tape begins and
    // the copies left behind are offered as soon as the event loop runs.
    static void Iniciar(TSumadoraFormulario& ventana);
    // $XDG_STATE_HOME/Sumadora, or ~/.local/state/Sumadora.
    static QString CarpetaPredeterminada();

    // Asks, newest first, whether to recover each copy whose program is gone, until one is
    // recovered (the others wait for the next start); a copy not wanted is deleted, a damaged
    // one is refused with a message and set aside.
    void OfrecerRecuperacion();
    // This program's copy (it exists only while the tape has lines).
    QString RutaCopia() const { return Carpeta + u'/' + Nombre + QStringLiteral(".cinta"); }

private:
    void Programar();
    void Escribir();
    // This program's lock, taken when missing; false, after a message, when it cannot be.
    bool Bloquear();
    // Tells once, until a write succeeds again, that the tape is not being kept.
    void Avisar(const QString& texto);

    TSumadoraFormulario& v;
    const QString Carpeta;
    const QString Nombre; // Sumadora-<process>-<start time in ms>, never reused
    std::unique_ptr<QLockFile> Cerrojo;
    QTimer Temporizador;
    bool Avisado = false;
};
