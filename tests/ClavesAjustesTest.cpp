// The settings keys as a file holds them: every key at its default, in the spelling and the
// value texts that files written by earlier runs already have.
#include "ClavesAjustes.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

namespace C = ClavesAjustes;

TEST(ClavesAjustes, CadaClaveConSuValorPorDefecto) {
    std::vector<ArchivoIni::Escritura> claves = {
        C::Escritura(C::Formato, C::Formato.Defecto),
        C::Escritura(C::Decimales, C::Decimales.Defecto),
        C::Escritura(C::SeparadorMiles, C::SeparadorMiles.Defecto),
        C::Escritura(C::IVA, C::IVA.Defecto),
        C::Escritura(C::IncluirCabecera, C::IncluirCabecera.Defecto)};
    for (const auto& linea : C::LineasCabecera)
        claves.push_back(C::Escritura(linea, linea.Defecto.toString()));
    for (const C::Clave<bool>* clave : {&C::Grados, &C::Radianes, &C::Centesimales})
        claves.push_back(C::Escritura(*clave, clave->Defecto));
    claves.push_back(C::Escritura(C::Skin, C::Skin.Defecto));

    const QByteArray archivo = ArchivoIni::ConEscrituras({}, claves);
    EXPECT_EQ(archivo, "[Opciones]\r\nFormato=1\r\nDecimales=3\r\nSeparador Miles=0\r\n\r\n"
                       "[Tipo de IVA]\r\nIVA=16\r\n\r\n"
                       "[Imprimir]\r\nIncluir Cabecera=0\r\nL1=\r\nL2=\r\nL3=\r\nL4=\r\n\r\n"
                       "[Conversion]\r\nDEG=1\r\nRAD=0\r\nGRAD=0\r\n\r\n"
                       "[Skin]\r\nTipo=1\r\n");
}

} // namespace
