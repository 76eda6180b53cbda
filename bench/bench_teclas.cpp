// Cost of one key on the main window: digits, operators and totals through the window's
// dispatchers, with every register repaint and tape line that a click causes.
#include "TSumadoraFormulario.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

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

} // namespace

BENCHMARK(TeclasDeUnaCuenta)->Iterations(100000)->Unit(benchmark::kNanosecond);
