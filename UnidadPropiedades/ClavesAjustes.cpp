// Reads and writes of one key, through the file's typed functions.
#include "ClavesAjustes.h"

namespace ClavesAjustes {

bool Leer(const ArchivoIni& ini, const Clave<bool>& clave) {
    return ini.LeerBooleano(clave.Seccion.toString(), clave.Nombre.toString(), clave.Defecto);
}

int Leer(const ArchivoIni& ini, const Clave<int>& clave) {
    return ini.LeerEntero(clave.Seccion.toString(), clave.Nombre.toString(), clave.Defecto);
}

long double Leer(const ArchivoIni& ini, const Clave<long double>& clave) {
    return ini.LeerReal(clave.Seccion.toString(), clave.Nombre.toString(), clave.Defecto);
}

QString Leer(const ArchivoIni& ini, const Clave<QStringView>& clave) {
    return ini.LeerTexto(clave.Seccion.toString(), clave.Nombre.toString(),
                         clave.Defecto.toString());
}

ArchivoIni::Escritura Escritura(const Clave<bool>& clave, bool valor) {
    return EscrituraTexto(clave, ArchivoIni::TextoBooleano(valor));
}

ArchivoIni::Escritura Escritura(const Clave<int>& clave, int valor) {
    return EscrituraTexto(clave, ArchivoIni::TextoEntero(valor));
}

ArchivoIni::Escritura Escritura(const Clave<long double>& clave, long double valor) {
    return EscrituraTexto(clave, ArchivoIni::TextoReal(valor));
}

ArchivoIni::Escritura Escritura(const Clave<QStringView>& clave, const QString& valor) {
    return EscrituraTexto(clave, valor);
}

} // namespace ClavesAjustes
