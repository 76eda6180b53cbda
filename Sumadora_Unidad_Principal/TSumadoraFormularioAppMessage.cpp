// The keyboard hook: every key press of every window of the program, looked up in the plain
// or the shifted key table, with the hook's own one-shot Shift latch.
#include "TSumadoraFormulario.h"

#include "CodigosVirtuales.h"
#include "GuardiaErrores.h"
#include "TraduccionTeclas.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScopeGuard>
#include <QWindow>

#include <iterator>

namespace {

using Forma = Ui::TSumadoraFormulario;
using Ventana = TSumadoraFormulario;

// A row of a key table: the codes Desde..Hasta and what they do; `n` is the code's distance
// from Desde (the digit, or the memory's row).
struct Atajo {
    int Desde;
    int Hasta;
    void (*Hacer)(Ventana& v, int n);
};

QPushButton* Forma::*const SumarMemoria[] = {&Forma::BotonM1Sumar, &Forma::BotonM2Sumar,
                                             &Forma::BotonM3Sumar, &Forma::BotonM4Sumar,
                                             &Forma::BotonM5Sumar};
QPushButton* Forma::*const RestarMemoria[] = {&Forma::BotonM1Restar, &Forma::BotonM2Restar,
                                              &Forma::BotonM3Restar, &Forma::BotonM4Restar,
                                              &Forma::BotonM5Restar};

void Digito(Ventana& v, int n) {
    v.Datos->AgregarDigito(n);
}
void Decimal(Ventana& v, int) {
    v.Datos->PuntoDecimal();
}
void Sumar(Ventana& v, int) {
    v.Cuenta->Sumar();
}
void Restar(Ventana& v, int) {
    v.Cuenta->Restar();
}
void Multiplicar(Ventana& v, int) {
    v.Cuenta->Multiplicar();
}
void Dividir(Ventana& v, int) {
    v.Cuenta->Dividir();
}
void Intro(Ventana& v, int) {
    v.Cuenta->Intro();
}
void Porcentaje(Ventana& v, int) {
    v.OpcionesOperadores(v.OperadorPorcentage);
}

// Digits and operators go straight to the register and the tape; clear, function and memory
// keys go through the dispatchers with their button, exactly as a click.
const Atajo TablaNormal[] = {
    {VK_BACK, VK_BACK, [](Ventana& v, int) { v.Opciones(v.BorrarOperando); }},
    {VK_RETURN, VK_RETURN, Intro},
    {VK_SHIFT, VK_SHIFT, [](Ventana& v, int) { v.PendienteMayusculas = 1; }},
    {VK_DELETE, VK_DELETE, [](Ventana& v, int) { v.Opciones(v.BorrarOperacion); }},
    {VK_0, VK_0 + 9, Digito},
    {VK_NUMPAD0, VK_NUMPAD0 + 9, Digito},
    {VK_MULTIPLY, VK_MULTIPLY, Multiplicar},
    {VK_ADD, VK_ADD, Sumar},
    {VK_SUBTRACT, VK_SUBTRACT, Restar},
    {VK_DECIMAL, VK_DECIMAL, Decimal},
    {VK_DIVIDE, VK_DIVIDE, Dividir},
    {VK_F1, VK_F5, [](Ventana& v, int n) { v.OpcionesMemoria(v.*SumarMemoria[n]); }},
    {VK_F8, VK_F8, [](Ventana& v, int) { v.Opciones(v.BotonNIF); }},
    {VK_F9, VK_F9, Porcentaje},
    {VK_F11, VK_F11, [](Ventana& v, int) { v.Opciones(v.BotonEurosPTS); }},
    {VK_F12, VK_F12, [](Ventana& v, int) { v.Opciones(v.BotonMasIVA); }},
    {VK_OEM_PLUS, VK_OEM_PLUS, Sumar},
    {VK_OEM_COMMA, VK_OEM_COMMA, Decimal},
    {VK_OEM_MINUS, VK_OEM_MINUS, Restar},
    {VK_OEM_PERIOD, VK_OEM_PERIOD, Decimal},
};

// What a Spanish keyboard types with Shift: "=" on 0, "%" on 5, "/" on 7, "*" on the plus key.
const Atajo TablaMayusculas[] = {
    {VK_0, VK_0, Intro},
    {VK_5, VK_5, Porcentaje},
    {VK_7, VK_7, Dividir},
    {VK_F1, VK_F5, [](Ventana& v, int n) { v.OpcionesMemoria(v.*RestarMemoria[n]); }},
    {VK_F11, VK_F11, [](Ventana& v, int) { v.Opciones(v.BotonPTSEuros); }},
    {VK_F12, VK_F12, [](Ventana& v, int) { v.Opciones(v.BotonMenosIVA); }},
    {VK_OEM_PLUS, VK_OEM_PLUS, Multiplicar},
};

// Keys of another layout act by the character they type, the latch aside.
struct AtajoPorCaracter {
    char16_t caracter;
    void (*Hacer)(Ventana& v, int n);
};
const AtajoPorCaracter TablaCaracteres[] = {
    {u'+', Sumar}, {u'-', Restar},     {u'*', Multiplicar}, {u'/', Dividir},
    {u'=', Intro}, {u'%', Porcentaje}, {u',', Decimal},     {u'.', Decimal},
};

template <std::size_t N> const Atajo* Buscar(const Atajo (&tabla)[N], int codigo) {
    for (const Atajo& a : tabla)
        if (codigo >= a.Desde && codigo <= a.Hasta)
            return &a;
    return nullptr;
}

// Keys the hook never sees as key presses: those typed with Alt, and Alt itself, are
// system keys where the key tables come from. Control with Alt is AltGr there, and the
// keys typed with it are ordinary ones. F10 is an ordinary key that does nothing, so it
// disarms the Shift latch like any other.
bool EsTeclaDeSistema(const QKeyEvent& evento) {
    if (evento.modifiers().testFlag(Qt::ControlModifier))
        return false;
    return evento.modifiers().testFlag(Qt::AltModifier) || evento.key() == Qt::Key_Alt;
}

} // namespace

bool TSumadoraFormulario::eventFilter(QObject* Objeto, QEvent* Evento) {
    const QEvent::Type tipo = Evento->type();
    if (tipo != QEvent::KeyPress && tipo != QEvent::KeyRelease)
        return false;
    // Keys typed into a modal window belong to it: a dialog, or the message of the error
    // guard, which Enter closes and which must not total the tape on its way out. Keys that
    // arrive while the hook is still acting on one are for such a window too.
    if (ActuandoTecla || QApplication::activeModalWidget())
        return false;
    if (tipo == QEvent::KeyRelease) {
        PulsacionEnCurso = nullptr;
        ReceptorEnCurso = nullptr;
        return false;
    }
    const auto* tecla = static_cast<const QKeyEvent*>(Evento);
    if (!EsNuevaPulsacion(Objeto, *tecla))
        return false;
    ActuandoTecla = true;
    const auto fin = qScopeGuard([this] { ActuandoTecla = false; });
    AppMessage(*tecla);
    return false;
}

// Qt hands one press to the platform window, then to its focus widget, then up the parents
// that leave it unhandled, as one and the same event object. Any release ends a press, so
// an event object the stack reuses for a later press is not mistaken for the earlier one.
bool TSumadoraFormulario::EsNuevaPulsacion(QObject* Receptor, const QKeyEvent& Evento) {
    bool misma = false;
    if (&Evento == PulsacionEnCurso && ReceptorEnCurso) {
        auto* widget = qobject_cast<QWidget*>(Receptor);
        QObject* anterior = ReceptorEnCurso.data();
        if (qobject_cast<QWindow*>(anterior))
            misma = widget != nullptr;
        else if (auto* hijo = qobject_cast<QWidget*>(anterior))
            misma = widget && widget != hijo && widget->isAncestorOf(hijo);
    }
    PulsacionEnCurso = &Evento;
    ReceptorEnCurso = Receptor;
    return !misma;
}

void TSumadoraFormulario::AppMessage(const QKeyEvent& Evento) {
    if (!TecladoActivo || EsTeclaDeSistema(Evento))
        return;
    const TeclaPulsada pulsada = TeclaDeEvento(Evento);
    const QChar caracter = CaracterDeOtraDisposicion(pulsada);
    if (!caracter.isNull()) {
        // The character is what the user meant, Shift included: the latch has no say.
        PendienteMayusculas = 0;
        if (caracter >= u'0' && caracter <= u'9') {
            ConGuardia(this, [this, caracter] { Digito(*this, caracter.unicode() - u'0'); });
            return;
        }
        for (const AtajoPorCaracter& a : TablaCaracteres)
            if (caracter == a.caracter)
                ConGuardia(this, [this, &a] { a.Hacer(*this, 0); });
        return;
    }
    const int codigo = CodigoVirtual(pulsada);
    // No code: NumLock, which xdotool presses before the pad's digits, and keys no PC
    // keyboard has; they are no key presses for the tables and leave the latch alone.
    if (codigo == 0)
        return;
    const bool mayusculas = PendienteMayusculas != 0;
    // Disarmed before acting, so that a key whose action fails does not leave it armed.
    if (mayusculas)
        PendienteMayusculas = 0;
    const Atajo* atajo = mayusculas ? Buscar(TablaMayusculas, codigo) : Buscar(TablaNormal, codigo);
    if (atajo)
        ConGuardia(this, [this, atajo, codigo] { atajo->Hacer(*this, codigo - atajo->Desde); });
}
