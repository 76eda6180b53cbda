// The five memories: add the entry to a memory, subtract it, recall a memory, clear it.
#include "TSumadoraFormulario.h"

#include "ErrorSumadora.h"
#include "GuardiaErrores.h"

#include <QAbstractButton>

namespace {

using Forma = Ui::TSumadoraFormulario;

struct FilaMemoria {
    TZURLabelNumber* Forma::*Memoria;
    QPushButton* Forma::*Sumar;
    QPushButton* Forma::*Restar;
    QPushButton* Forma::*Leer;
    QPushButton* Forma::*Borrar;
};

const FilaMemoria FilasMemoria[] = {
    {&Forma::M1, &Forma::BotonM1Sumar, &Forma::BotonM1Restar, &Forma::BotonM1Leer,
     &Forma::BotonM1Borrar},
    {&Forma::M2, &Forma::BotonM2Sumar, &Forma::BotonM2Restar, &Forma::BotonM2Leer,
     &Forma::BotonM2Borrar},
    {&Forma::M3, &Forma::BotonM3Sumar, &Forma::BotonM3Restar, &Forma::BotonM3Leer,
     &Forma::BotonM3Borrar},
    {&Forma::M4, &Forma::BotonM4Sumar, &Forma::BotonM4Restar, &Forma::BotonM4Leer,
     &Forma::BotonM4Borrar},
    {&Forma::M5, &Forma::BotonM5Sumar, &Forma::BotonM5Restar, &Forma::BotonM5Leer,
     &Forma::BotonM5Borrar},
};

} // namespace

QList<QAbstractButton*> TSumadoraFormulario::BotonesMemoria() const {
    QList<QAbstractButton*> botones;
    for (const FilaMemoria& f : FilasMemoria)
        botones << this->*f.Sumar << this->*f.Restar << this->*f.Leer << this->*f.Borrar;
    return botones;
}

void TSumadoraFormulario::OpcionesMemoria(QObject* Sender) {
    ConGuardia(this, [this, Sender] {
        for (const FilaMemoria& f : FilasMemoria) {
            TZURLabelNumber* memoria = this->*f.Memoria;
            // Add and subtract read the entry as it stands, also half typed, and leave its
            // entry going on; an overflow leaves the memory as it was.
            if (Sender == this->*f.Sumar)
                memoria->MostrarResultado(ComprobarResultado(memoria->Valor() + Datos->Valor()));
            else if (Sender == this->*f.Restar)
                memoria->MostrarResultado(ComprobarResultado(memoria->Valor() - Datos->Valor()));
            else if (Sender == this->*f.Leer)
                Datos->MostrarResultado(memoria->Valor());
            else if (Sender == this->*f.Borrar)
                memoria->MostrarResultado(0);
            else
                continue;
            return;
        }
    });
}
