// The command line: "sumadora [CINTA.SUMA]", --help and --version, read before any window
// exists so that the answers also work without a display.
#pragma once

#include <QString>
#include <QStringList>

struct LineaOrdenes {
    // Whether the program ends at once, printing Mensaje, with the code Codigo: 0 after
    // --help or --version (on the standard output), 2 after a wrong command line (on the
    // error output).
    bool Terminar = false;
    int Codigo = 0;
    QString Mensaje;
    // The tape file to open once the window shows, as an absolute path; empty for none.
    QString Cinta;

    // Prints Mensaje where it belongs and returns Codigo.
    int Responder() const;
};

// `argumentos` as main receives them, the program's name first. Qt's own options
// (-platform, -style…) are let through for the application object to take.
LineaOrdenes LeerLineaOrdenes(const QStringList& argumentos);

// argv decoded as file names are.
QStringList ArgumentosPrograma(int argc, char** argv);
