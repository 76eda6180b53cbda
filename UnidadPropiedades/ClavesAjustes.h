// Every key of the settings file: its section, its name, its type, what it reads as when it is
// missing or unreadable and, where the Properties dialog holds it to one, its range. Whoever
// reads or writes a key goes through here, so that its spelling and default exist once.
#pragma once

#include "ArchivoIni.h"

#include <QString>
#include <QStringView>

#include <algorithm>
#include <array>

namespace ClavesAjustes {

// T is the type the program holds: bool, int, long double, or QStringView for a text (which
// reads as a QString).
template <typename T> struct Clave {
    QStringView Seccion;
    QStringView Nombre;
    T Defecto;
};

// The dialog shows and stores the value brought into [Minimo, Maximo]; the main window takes
// the stored value as it is.
template <typename T> struct ClaveAcotada : Clave<T> {
    T Minimo;
    T Maximo;

    constexpr T Acotar(T valor) const { return std::clamp(valor, Minimo, Maximo); }
    constexpr bool Contiene(T valor) const { return valor >= Minimo && valor <= Maximo; }
};

inline constexpr QStringView SeccionOpciones = u"Opciones";
inline constexpr QStringView SeccionImprimir = u"Imprimir";
inline constexpr QStringView SeccionConversion = u"Conversion";

// The number format of the tape and the registers; true is "General", false "Fijo".
inline constexpr Clave<bool> Formato{SeccionOpciones, u"Formato", true};
inline constexpr ClaveAcotada<int> Decimales{{SeccionOpciones, u"Decimales", 3}, 0, 9};
inline constexpr Clave<bool> SeparadorMiles{SeccionOpciones, u"Separador Miles", false};
// The percentage of the IVA keys.
inline constexpr ClaveAcotada<long double> IVA{{u"Tipo de IVA", u"IVA", 16.0L}, 0.0L, 25.0L};
// The print header: whether it is printed, and its four lines.
inline constexpr Clave<bool> IncluirCabecera{SeccionImprimir, u"Incluir Cabecera", false};
inline constexpr std::array<Clave<QStringView>, 4> LineasCabecera{{
    {SeccionImprimir, u"L1", {}},
    {SeccionImprimir, u"L2", {}},
    {SeccionImprimir, u"L3", {}},
    {SeccionImprimir, u"L4", {}},
}};
// The row of the skin chooser: 0 the plain look, 1 to 7 the stored skins.
inline constexpr ClaveAcotada<int> Skin{{u"Skin", u"Tipo", 1}, 0, 7};
// The angle unit: the first of the three stored true wins.
inline constexpr Clave<bool> Grados{SeccionConversion, u"DEG", true};
inline constexpr Clave<bool> Radianes{SeccionConversion, u"RAD", false};
inline constexpr Clave<bool> Centesimales{SeccionConversion, u"GRAD", false};

// A missing key or an unreadable value reads as the default.
bool Leer(const ArchivoIni& ini, const Clave<bool>& clave);
int Leer(const ArchivoIni& ini, const Clave<int>& clave);
long double Leer(const ArchivoIni& ini, const Clave<long double>& clave);
QString Leer(const ArchivoIni& ini, const Clave<QStringView>& clave);

// The text stored, as it is; empty when the key is missing.
template <typename T> QString LeerTexto(const ArchivoIni& ini, const Clave<T>& clave) {
    return ini.LeerTexto(clave.Seccion.toString(), clave.Nombre.toString(), QString());
}

// A write of the key, in the text the file keeps for its type.
ArchivoIni::Escritura Escritura(const Clave<bool>& clave, bool valor);
ArchivoIni::Escritura Escritura(const Clave<int>& clave, int valor);
ArchivoIni::Escritura Escritura(const Clave<long double>& clave, long double valor);
ArchivoIni::Escritura Escritura(const Clave<QStringView>& clave, const QString& valor);

// A write of any text, readable or not, in the key.
template <typename T>
ArchivoIni::Escritura EscrituraTexto(const Clave<T>& clave, const QString& texto) {
    return {clave.Seccion.toString(), clave.Nombre.toString(), texto};
}

} // namespace ClavesAjustes
