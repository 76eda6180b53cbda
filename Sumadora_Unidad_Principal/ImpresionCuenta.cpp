// The printed tape: its lines, its font and its work file.
#include "ImpresionCuenta.h"

#include "ArchivoIni.h"
#include "ClavesAjustes.h"
#include "ErrorSumadora.h"

#include <QDir>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

const QString Espacio = u" "_s;

} // namespace

CabeceraImpresion LeerCabeceraImpresion(const ArchivoIni& archivo) {
    // One read of the file for the five keys.
    const ArchivoIni ini = archivo.Instantanea();
    CabeceraImpresion cabecera;
    cabecera.Incluir = ClavesAjustes::Leer(ini, ClavesAjustes::IncluirCabecera);
    if (cabecera.Incluir)
        for (const auto& clave : ClavesAjustes::LineasCabecera)
            cabecera.Lineas << ClavesAjustes::Leer(ini, clave);
    return cabecera;
}

QStringList LineasImpresion(const QStringList& cinta, const CabeceraImpresion& cabecera) {
    QStringList lineas{Espacio};
    if (cabecera.Incluir) {
        for (const QString& l : cabecera.Lineas)
            lineas << Espacio + l;
        lineas << Espacio + QString(23, u'-') << Espacio;
    }
    lineas += cinta;
    return lineas;
}

QFont LetraImpresion() {
    QFont letra(u"Courier New"_s);
    letra.setStyleHint(QFont::TypeWriter);
    letra.setFixedPitch(true);
    letra.setPixelSize(15);
    return letra;
}

QString EscribirArchivoImpresion(const TextoLineas& cinta, CodificacionCuenta codificacion) {
    // A deleted working directory has no path: a relative name would land at the root.
    const QString actual = QDir::currentPath();
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    for (const QString& carpeta : {actual, cache}) {
        if (!QDir::isAbsolutePath(carpeta) || (carpeta == cache && !QDir().mkpath(cache)))
            continue;
        const QString ruta = QDir(carpeta).absoluteFilePath(NombreImpresion());
        try {
            GuardarArchivoCuenta(ruta, cinta, codificacion);
            return ruta;
        } catch (const ErrorSumadora&) {
            // The next place, or none: the printout does not depend on the work file.
        }
    }
    return QString();
}
