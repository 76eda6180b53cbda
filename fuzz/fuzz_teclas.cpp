// The key translation: any key, modifiers, scan code and text. The code is a virtual-key code
// (0 to 255), and Shift, Control, Alt and Meta never change it.
#include "Exigir.h"
#include "TraduccionTeclas.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider entrada(data, size);
    TeclaPulsada p;
    p.tecla = entrada.ConsumeBool() ? entrada.ConsumeIntegralInRange(0x20, 0x7e)
                                    : entrada.ConsumeIntegral<int>();
    p.modificadores = Qt::KeyboardModifiers::fromInt(entrada.ConsumeIntegral<int>());
    p.codigoNativo = entrada.ConsumeBool() ? entrada.ConsumeIntegralInRange<quint32>(0, 255)
                                           : entrada.ConsumeIntegral<quint32>();
    p.texto = QString::fromStdString(entrada.ConsumeRemainingBytesAsString());
    const int codigo = CodigoVirtual(p);
    EXIGIR(codigo >= 0 && codigo <= 255);
    TeclaPulsada otra = p;
    otra.modificadores ^=
        Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    EXIGIR(CodigoVirtual(otra) == codigo);
    return 0;
}
