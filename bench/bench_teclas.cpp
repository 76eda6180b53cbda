// Cost of one key on the main window: digits, operators and totals through the window's
// dispatchers, with every register repaint and tape line that a click causes.
#include "TSumadoraFormulario.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// One calculation as a user keys it: 12 + 7,5 * 3 - 4 Total, repeated.
void TeclasDeUnaCuenta(benchmark::State& estado) {
    TSumadoraFormulario ventana;
    ventana.show();
    QCoreApplication::processEvents();

    struct Tecla {
        QObject* boton;
        bool operador; // OpcionesOperadores; otherwise Opciones
    };
    const std::vector<Tecla> teclas = {
        {ventana.Numero1, true},
        {ventana.Numero2, true},
        {ventana.OperadorSuma, true},
        {ventana.Numero7, true},
        {ventana.OperadorDecimal, false},
        {ventana.Numero5, true},
        {ventana.OperadorMultiplicacion, true},
        {ventana.Numero3, true},
        {ventana.OperadorResta, true},
        {ventana.Numero4, true},
        {ventana.OperadorTotal, false},
    };
    size_t i = 0;
    for (auto _ : estado) {
        const Tecla& t = teclas[i];
        if (t.operador)
            ventana.OpcionesOperadores(t.boton);
        else
            ventana.Opciones(t.boton);
        if (++i == teclas.size())
            i = 0;
    }
    estado.counters["lineas"] = ventana.Cuenta->CantidadLineas();
}

// One key typed at the program's window and everything it costs until the screen shows it:
// the tape line reaching the list, the repaint of the window. Kept out of line so that
// `valgrind --tool=callgrind --toggle-collect='*PulsarYPintar*'` counts the keys alone.
[[gnu::noinline]] void PulsarYPintar(TSumadoraFormulario& ventana, Qt::Key tecla,
                                     const QString& texto) {
    QKeyEvent pulsada(QEvent::KeyPress, tecla, Qt::KeypadModifier, texto);
    QCoreApplication::sendEvent(&ventana, &pulsada);
    QKeyEvent soltada(QEvent::KeyRelease, tecla, Qt::KeypadModifier, texto);
    QCoreApplication::sendEvent(&ventana, &soltada);
    const QAbstractItemModel* lista = ventana.Cuenta->model();
    while (lista->rowCount() != ventana.Cuenta->CantidadLineas())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();
}

// Three digits and pad "+" over and over, as bench/arranque.sh types them, each key painted
// before the next (as when keys come slower than the screen's frames).
void TeclasPintadas(benchmark::State& estado) {
    TSumadoraFormulario ventana(nullptr, true);
    ventana.show();
    QCoreApplication::processEvents();
    int i = 0;
    for (auto _ : estado) {
        const int k = i / 4 + 1;
        const int digito = (i % 4 == 0)   ? k % 9 + 1
                           : (i % 4 == 1) ? (k + 4) % 9 + 1
                                          : (k + 7) % 9 + 1;
        if (i % 4 == 3)
            PulsarYPintar(ventana, Qt::Key_Plus, u"+"_s);
        else
            PulsarYPintar(ventana, Qt::Key(Qt::Key_0 + digito), QString::number(digito));
        ++i;
    }
    estado.counters["lineas"] = ventana.Cuenta->CantidadLineas();
}

} // namespace

BENCHMARK(TeclasPintadas)->Iterations(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK(TeclasDeUnaCuenta)->Iterations(100000)->Unit(benchmark::kNanosecond);
