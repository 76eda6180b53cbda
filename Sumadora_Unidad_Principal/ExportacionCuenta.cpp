#include "ExportacionCuenta.h"

#include "ArchivoIni.h"
#include "CsvCinta.h"
#include "ExportacionPdf.h"
#include "ImpresionCuenta.h"
#include "TSumadoraFormulario.h"

using namespace Qt::StringLiterals;

QString& CarpetaCuentas() {
    static QString carpeta;
    return carpeta;
}

DestinoArchivo PreguntarDestinoCuenta(TSumadoraFormulario& v,
                                      const QList<FormatoArchivo>& formatos) {
    if (!v.PreguntarArchivoGuardar)
        return PreguntarDestino(&v, u"Guardar cuenta"_s, formatos, CarpetaCuentas());
    const QString ruta = v.PreguntarArchivoGuardar();
    return {ruta, formatos.size() == 1 ? formatos.constFirst() : FormatoPorNombre(ruta)};
}

void GuardarCuentaComo(TSumadoraFormulario& v, const DestinoArchivo& destino) {
    switch (destino.Formato) {
    case FormatoArchivo::Suma:
        v.CodificacionArchivo =
            GuardarArchivoCuenta(destino.Ruta, v.Cuenta->Texto(), v.CodificacionArchivo);
        break;
    case FormatoArchivo::Csv:
        CsvCinta(v.Cuenta->Texto(), v.Cuenta->ValoresExactos()).Guardar(destino.Ruta);
        break;
    case FormatoArchivo::Pdf: {
        const QStringList lineas =
            LineasImpresion(v.Cuenta->Lineas(), LeerCabeceraImpresion(ArchivoIni()));
        GuardarPdf(destino.Ruta, NombreImpresion(), lineas.join(u'\n'), LetraImpresion());
        break;
    }
    }
}
