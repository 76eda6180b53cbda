// Reemplazar: any three texts. It ends; an empty or absent Buscado leaves the text as it was;
// when Reemplazo is shorter and holds no Buscado, no Buscado is left.
#include "Exigir.h"
#include "Reemplazar.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider entrada(data, size);
    const QString buscado = QString::fromStdString(entrada.ConsumeRandomLengthString(8));
    const QString reemplazo = QString::fromStdString(entrada.ConsumeRandomLengthString(8));
    const QString texto = QString::fromStdString(entrada.ConsumeRemainingBytesAsString());
    const QString r = Reemplazar(buscado, texto, reemplazo);
    if (buscado.isEmpty() || !texto.contains(buscado))
        EXIGIR(r == texto);
    if (!buscado.isEmpty() && reemplazo.size() < buscado.size() && !reemplazo.contains(buscado))
        EXIGIR(!r.contains(buscado));
    return 0;
}
