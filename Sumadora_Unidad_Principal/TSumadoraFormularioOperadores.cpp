// The keypad: digits, arithmetic and power operators, percentage, totals and clear keys.
#include "TSumadoraFormulario.h"

#include "ErrorSumadora.h"
#include "GuardiaErrores.h"

#include <QAbstractButton>

using namespace Qt::StringLiterals;

namespace {

using Forma = Ui::TSumadoraFormulario;

struct TeclaDigito {
    QPushButton* Forma::*Boton;
    int Digito;
    int Veces; // "00" and "000" are two and three zero digits, each checked against the limit
};

const TeclaDigito TeclasDigito[] = {
    {&Forma::CeroSimple, 0, 1}, {&Forma::CeroDoble, 0, 2}, {&Forma::TripleCero, 0, 3},
    {&Forma::Numero1, 1, 1},    {&Forma::Numero2, 2, 1},   {&Forma::Numero3, 3, 1},
    {&Forma::Numero4, 4, 1},    {&Forma::Numero5, 5, 1},   {&Forma::Numero6, 6, 1},
    {&Forma::Numero7, 7, 1},    {&Forma::Numero8, 8, 1},   {&Forma::Numero9, 9, 1},
};

// Operators that are one operation of the tape, which reads the entry and refreshes both
// registers itself.
struct TeclaCuenta {
    QPushButton* Forma::*Boton;
    void (TZURCuenta::*Operacion)();
};

const TeclaCuenta TeclasCuenta[] = {
    {&Forma::OperadorSuma, &TZURCuenta::Sumar},
    {&Forma::OperadorResta, &TZURCuenta::Restar},
    {&Forma::OperadorMultiplicacion, &TZURCuenta::Multiplicar},
    {&Forma::OperadorDivision, &TZURCuenta::Dividir},
    {&Forma::OperadorAlCuadrado, &TZURCuenta::AlCuadrado},
    {&Forma::BotonElevarAlCubo, &TZURCuenta::AlCubo},
};

// Keys that total, clear or edit the entry.
struct TeclaEdicion {
    QPushButton* Forma::*Boton;
    void (*Accion)(TSumadoraFormulario& v);
};

const TeclaEdicion TeclasEdicion[] = {
    {&Forma::OperadorIgual, [](TSumadoraFormulario& v) { v.Cuenta->Intro(); }},
    {&Forma::OperadorTotal, [](TSumadoraFormulario& v) { v.Cuenta->Intro(); }},
    {&Forma::BorrarOperando, [](TSumadoraFormulario& v) { v.Datos->Borrar(); }},
    // The calculation stays open, now from a total of 0; no line is written or removed.
    {&Forma::BorrarOperacion,
     [](TSumadoraFormulario& v) {
         v.Cuenta->Inicializar();
         v.Operandos->Borrar();
         v.Datos->Borrar();
     }},
    {&Forma::OperadorCambioSigno, [](TSumadoraFormulario& v) { v.Datos->CambioSigno(); }},
    {&Forma::OperadorDecimal, [](TSumadoraFormulario& v) { v.Datos->PuntoDecimal(); }},
};

} // namespace

QList<QAbstractButton*> TSumadoraFormulario::BotonesOperadores() const {
    QList<QAbstractButton*> botones;
    for (const TeclaDigito& t : TeclasDigito)
        botones.append(this->*t.Boton);
    for (const TeclaCuenta& t : TeclasCuenta)
        botones.append(this->*t.Boton);
    botones.append(BotonElevarAN);
    botones.append(OperadorPorcentage);
    return botones;
}

void TSumadoraFormulario::OpcionesOperadores(QObject* Sender) {
    ConGuardia(this, [this, Sender] {
        for (const TeclaDigito& t : TeclasDigito) {
            if (Sender == this->*t.Boton) {
                for (int i = 0; i < t.Veces; ++i)
                    Datos->AgregarDigito(t.Digito);
                return;
            }
        }
        for (const TeclaCuenta& t : TeclasCuenta) {
            if (Sender == this->*t.Boton) {
                (Cuenta->*t.Operacion)();
                return;
            }
        }
        if (Sender == BotonElevarAN) {
            Cuenta->ElevarA(Datos->Valor());
            // The tape leaves both registers alone when it stops early; the key always
            // ends the entry and shows the total.
            Datos->MostrarResultado(Datos->Valor());
            Operandos->MostrarResultado(Cuenta->Valor());
        } else if (Sender == OperadorPorcentage) {
            Porcentaje();
        }
    });
}

// Replaces the running total by the keyed percentage of it, without opening or closing
// a calculation.
void TSumadoraFormulario::Porcentaje() {
    if (Cuenta->Operador() != u" "_s)
        Cuenta->AgregarLinea(u" ="_s, Cuenta->Valor());
    Cuenta->AgregarLinea(u" %"_s, Datos->Valor());
    // Multiplied first, then divided, as an adding machine does; an overflow of the product
    // stops here with the lines already printed.
    const long double producto = ComprobarResultado(Cuenta->Valor() * Datos->Valor());
    Cuenta->setValor(producto / 100);
    Cuenta->setOperador(u"%"_s);
    Datos->MostrarResultado(Datos->Valor());
    Operandos->MostrarResultado(Cuenta->Valor());
}

void TSumadoraFormulario::Opciones(QObject* Sender) {
    ConGuardia(this, [this, Sender] {
        if (OpcionesTeclado(Sender) || OpcionesVentana(Sender) || OpcionesBarra(Sender))
            return;
        OpcionesFunciones(Sender);
    });
}

bool TSumadoraFormulario::OpcionesTeclado(QObject* Sender) {
    for (const TeclaEdicion& t : TeclasEdicion) {
        if (Sender == this->*t.Boton) {
            t.Accion(*this);
            return true;
        }
    }
    return false;
}

QList<QAbstractButton*> TSumadoraFormulario::BotonesTeclado() const {
    QList<QAbstractButton*> botones;
    for (const TeclaEdicion& t : TeclasEdicion)
        botones.append(this->*t.Boton);
    return botones;
}
