// The settings file read and written one key at a time. The file is handled as bytes: only
// the line a write changes (or the lines it adds) is new, every other byte stays as it was,
// so a hand-edited file, in whatever encoding or state, is never spoilt by a write.
#include "ArchivoIni.h"

#include "ErrorSumadora.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// A hand-edited file may be UTF-8 (any editor on this system) or Windows-1252 (one that came
// from Windows); it is written back in the encoding it was read in.
enum class Codificacion { Utf8, Windows1252 };

bool EsUtf8Valido(const QByteArray& datos) {
    QStringDecoder decodificador(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    QString texto = decodificador(datos);
    Q_UNUSED(texto);
    return !decodificador.hasError();
}

QString Decodificar(const QByteArray& bytes, Codificacion cod) {
    if (cod == Codificacion::Utf8)
        return QString::fromUtf8(bytes);
    QStringDecoder decodificador("windows-1252");
    return decodificador(bytes);
}

// Empty when the text has a character Windows-1252 cannot hold.
std::optional<QByteArray> Codificar(const QString& texto, Codificacion cod) {
    if (cod == Codificacion::Utf8)
        return texto.toUtf8();
    QStringEncoder codificador("windows-1252");
    QByteArray bytes = codificador(texto);
    if (codificador.hasError())
        return std::nullopt;
    return bytes;
}

// Blanks as the profile functions of Windows skip them (Ctrl-Z included, an old end-of-file
// mark some editors leave).
bool EsBlanco(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f' || c == '\x1a';
}

// One line of the file. [inicio, fin) is the text without its line end, [fin, siguiente) the
// line end ("\n", "\r\n" or nothing on a last line without one). Parsing looks only at
// [inicio, finUtil): the text stops at a NUL byte, as it did for the C string functions.
struct Linea {
    qsizetype inicio = 0;
    qsizetype fin = 0;
    qsizetype siguiente = 0;
    qsizetype finUtil = 0;
};

std::vector<Linea> PartirLineas(const QByteArray& datos) {
    std::vector<Linea> lineas;
    const char* p = datos.constData();
    const qsizetype n = datos.size();
    // A UTF-8 byte-order mark is not part of the first line's text.
    qsizetype inicio = datos.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (inicio < n) {
        qsizetype nl = datos.indexOf('\n', inicio);
        Linea l;
        l.inicio = inicio;
        l.siguiente = nl < 0 ? n : nl + 1;
        l.fin = nl < 0 ? n : (nl > inicio && p[nl - 1] == '\r' ? nl - 1 : nl);
        l.finUtil = l.fin;
        for (qsizetype i = l.inicio; i < l.fin; ++i) {
            if (p[i] == '\0') {
                l.finUtil = i;
                break;
            }
        }
        lineas.push_back(l);
        inicio = l.siguiente;
    }
    return lineas;
}

// Bounds [a, b) narrowed to the text without surrounding blanks.
void Recortar(const QByteArray& datos, qsizetype& a, qsizetype& b) {
    while (a < b && EsBlanco(datos[a]))
        ++a;
    while (b > a && EsBlanco(datos[b - 1]))
        --b;
}

struct Analisis {
    Codificacion cod = Codificacion::Utf8;
    QByteArray finLinea = "\r\n";
    std::vector<Linea> lineas;
};

// The name of a section header ("[Name]", blanks around and inside the brackets ignored), or
// nothing for any other line.
std::optional<QString> NombreSeccion(const QByteArray& datos, const Linea& l, Codificacion cod) {
    qsizetype a = l.inicio, b = l.finUtil;
    Recortar(datos, a, b);
    if (a >= b || datos[a] != '[')
        return std::nullopt;
    qsizetype cierre = -1;
    for (qsizetype i = b - 1; i > a; --i) {
        if (datos[i] == ']') {
            cierre = i;
            break;
        }
    }
    if (cierre < 0)
        return std::nullopt;
    qsizetype na = a + 1, nb = cierre;
    Recortar(datos, na, nb);
    return Decodificar(datos.mid(na, nb - na), cod);
}

// Where a "Key=value" line keeps its parts: the key's name and where its value starts.
struct LineaClave {
    QString nombre;
    qsizetype inicioValor = 0;
};

std::optional<LineaClave> AnalizarClave(const QByteArray& datos, const Linea& l, Codificacion cod) {
    qsizetype a = l.inicio, b = l.finUtil;
    Recortar(datos, a, b);
    if (a >= b || datos[a] == ';' || datos[a] == '#' || datos[a] == '[')
        return std::nullopt;
    qsizetype igual = -1;
    for (qsizetype i = a; i < b; ++i) {
        if (datos[i] == '=') {
            igual = i;
            break;
        }
    }
    if (igual < 0)
        return std::nullopt;
    qsizetype na = a, nb = igual;
    Recortar(datos, na, nb);
    if (na == nb)
        return std::nullopt;
    LineaClave c;
    c.nombre = Decodificar(datos.mid(na, nb - na), cod);
    c.inicioValor = igual + 1;
    while (c.inicioValor < l.finUtil && EsBlanco(datos[c.inicioValor]))
        ++c.inicioValor;
    return c;
}

Analisis Analizar(const QByteArray& datos) {
    Analisis r;
    r.cod = EsUtf8Valido(datos) ? Codificacion::Utf8 : Codificacion::Windows1252;
    r.lineas = PartirLineas(datos);
    // New lines take the file's own line end; a file without any takes the Windows one.
    for (const Linea& l : r.lineas) {
        if (l.siguiente > l.fin) {
            r.finLinea = datos.mid(l.fin, l.siguiente - l.fin);
            break;
        }
    }
    return r;
}

bool MismoNombre(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

// What a search for one key found: the section's header (-1 when the file has no such
// section), its last key line, and the key's own line (-1 when missing). Only the first
// section of that name counts, and in it the first key of that name, as on Windows.
struct Busqueda {
    int seccion = -1;
    int ultimaClave = -1;
    int clave = -1;
    qsizetype inicioValor = 0;
};

Busqueda Buscar(const QByteArray& datos, const Analisis& an, const QString& seccion,
                const QString& clave) {
    Busqueda r;
    const int n = static_cast<int>(an.lineas.size());
    for (int i = 0; i < n; ++i) {
        std::optional<QString> nombre = NombreSeccion(datos, an.lineas[i], an.cod);
        if (!nombre || !MismoNombre(*nombre, seccion))
            continue;
        r.seccion = i;
        r.ultimaClave = i;
        for (int j = i + 1; j < n && !NombreSeccion(datos, an.lineas[j], an.cod); ++j) {
            std::optional<LineaClave> c = AnalizarClave(datos, an.lineas[j], an.cod);
            if (!c)
                continue;
            r.ultimaClave = j;
            if (r.clave < 0 && MismoNombre(c->nombre, clave)) {
                r.clave = j;
                r.inicioValor = c->inicioValor;
            }
        }
        break;
    }
    return r;
}

// The whole file, or nothing when it does not exist. A file that exists but cannot be read
// counts as missing for reading; `paraEscribir` makes it an error instead, because writing
// over it would lose whatever it holds.
std::optional<QByteArray> LeerArchivo(const QString& ruta, bool paraEscribir) {
    QFile archivo(ruta);
    if (!archivo.exists())
        return std::nullopt;
    if (!archivo.open(QIODevice::ReadOnly)) {
        if (!paraEscribir)
            return std::nullopt;
        throw ErrorSumadora(u"No se puede leer el archivo de configuración «%1»: %2"_s.arg(
            QDir::toNativeSeparators(ruta), archivo.errorString()));
    }
    return archivo.readAll();
}

// Line breaks or NULs in a value would split it into lines of their own (or cut it), so a
// written value keeps one line: they become spaces.
QString UnaLinea(QString texto) {
    for (QChar& c : texto) {
        if (c == u'\n' || c == u'\r' || c == QChar(0))
            c = u' ';
    }
    return texto;
}

QByteArray NuevoContenido(QByteArray datos, const QString& seccion, const QString& clave,
                          const QString& valor) {
    Analisis an = Analizar(datos);
    std::optional<QByteArray> bSeccion = Codificar(seccion, an.cod);
    std::optional<QByteArray> bClave = Codificar(clave, an.cod);
    std::optional<QByteArray> bValor = Codificar(valor, an.cod);
    if (!bSeccion || !bClave || !bValor) {
        // A character Windows-1252 cannot hold: the whole file moves to UTF-8, which holds
        // every character of the old one.
        datos = Decodificar(datos, an.cod).toUtf8();
        an = Analizar(datos);
        bSeccion = seccion.toUtf8();
        bClave = clave.toUtf8();
        bValor = valor.toUtf8();
    }
    const Busqueda b = Buscar(datos, an, seccion, clave);
    const QByteArray& fl = an.finLinea;

    if (b.clave >= 0) {
        // Only the value changes; the name as spelt in the file, blanks and line end stay.
        const Linea& l = an.lineas[b.clave];
        return datos.left(b.inicioValor) + *bValor + datos.mid(l.fin);
    }
    const QByteArray nuevaClave = *bClave + '=' + *bValor + fl;
    if (b.seccion >= 0) {
        const Linea& l = an.lineas[b.ultimaClave];
        const QByteArray antes = datos.left(l.siguiente);
        const QByteArray cierre = l.siguiente == l.fin ? fl : QByteArray();
        return antes + cierre + nuevaClave + datos.mid(l.siguiente);
    }
    // A new section at the end, parted from what is there by a blank line.
    QByteArray salida = datos;
    if (!an.lineas.empty()) {
        const Linea& ultima = an.lineas.back();
        if (ultima.siguiente == ultima.fin)
            salida += fl;
        qsizetype a = ultima.inicio, z = ultima.fin;
        Recortar(datos, a, z);
        if (a < z)
            salida += fl;
    }
    return salida + '[' + *bSeccion + ']' + fl + nuevaClave;
}

std::optional<QString> Valor(const QString& ruta, const QString& seccion, const QString& clave) {
    std::optional<QByteArray> datos = LeerArchivo(ruta, false);
    if (!datos)
        return std::nullopt;
    const Analisis an = Analizar(*datos);
    const Busqueda b = Buscar(*datos, an, seccion, clave);
    if (b.clave < 0)
        return std::nullopt;
    qsizetype a = b.inicioValor, z = an.lineas[b.clave].finUtil;
    Recortar(*datos, a, z);
    return Decodificar(datos->mid(a, z - a), an.cod);
}

std::optional<qlonglong> ComoEntero(const std::optional<QString>& texto) {
    if (!texto)
        return std::nullopt;
    bool ok = false;
    const qlonglong v = texto->toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return v;
}

} // namespace

QString ArchivoIni::RutaPredeterminada() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           u"/Sumadora.ini"_s;
}

ArchivoIni::ArchivoIni(QString ruta) : ruta_(std::move(ruta)) {}

QString ArchivoIni::LeerTexto(const QString& seccion, const QString& clave,
                              const QString& defecto) const {
    return Valor(ruta_, seccion, clave).value_or(defecto);
}

int ArchivoIni::LeerEntero(const QString& seccion, const QString& clave, int defecto) const {
    const std::optional<qlonglong> v = ComoEntero(Valor(ruta_, seccion, clave));
    if (!v || *v < std::numeric_limits<int>::min() || *v > std::numeric_limits<int>::max())
        return defecto;
    return static_cast<int>(*v);
}

bool ArchivoIni::LeerBooleano(const QString& seccion, const QString& clave, bool defecto) const {
    const std::optional<qlonglong> v = ComoEntero(Valor(ruta_, seccion, clave));
    return v ? *v != 0 : defecto;
}

long double ArchivoIni::LeerReal(const QString& seccion, const QString& clave,
                                 long double defecto) const {
    const std::optional<QString> texto = Valor(ruta_, seccion, clave);
    if (!texto || texto->isEmpty())
        return defecto;
    // The decimal comma is ours; a point, as another program may have written, is taken too
    // (a number with both then has two points and is refused).
    QByteArray t = texto->toLatin1();
    t.replace(',', '.');
    const char* p = t.constData();
    const char* fin = p + t.size();
    // from_chars takes no plus sign; one is allowed, but not before another sign.
    const bool mas = p != fin && *p == '+';
    if (mas)
        ++p;
    if (p == fin || (mas && (*p == '+' || *p == '-')))
        return defecto;
    long double v = 0;
    const std::from_chars_result r = std::from_chars(p, fin, v, std::chars_format::general);
    if (r.ec != std::errc() || r.ptr != fin || !std::isfinite(v))
        return defecto;
    return v;
}

void ArchivoIni::EscribirTexto(const QString& seccion, const QString& clave,
                               const QString& valor) const {
    const QString nombre = QDir::toNativeSeparators(ruta_);
    auto fallo = [&](const QString& motivo) {
        return ErrorSumadora(
            u"No se puede escribir el archivo de configuración «%1»: %2"_s.arg(nombre, motivo));
    };
    const QFileInfo info(ruta_);
    if (!QDir().mkpath(info.absolutePath()))
        throw fallo(u"no se puede crear la carpeta «%1»."_s.arg(
            QDir::toNativeSeparators(info.absolutePath())));

    const QByteArray actual = LeerArchivo(ruta_, true).value_or(QByteArray());
    const QByteArray nuevo = NuevoContenido(actual, seccion, clave, UnaLinea(valor));

    QSaveFile archivo(ruta_);
    if (!archivo.open(QIODevice::WriteOnly))
        throw fallo(archivo.errorString());
    if (archivo.write(nuevo) != nuevo.size()) {
        const QString motivo = archivo.errorString();
        archivo.cancelWriting();
        throw fallo(motivo);
    }
    // commit() does not notice a failed final flush (a full disk) and would put a torn file
    // in place of the old one: flush first and check.
    if (!archivo.flush()) {
        const QString motivo = archivo.errorString();
        archivo.cancelWriting();
        throw fallo(motivo);
    }
    if (!archivo.commit())
        throw fallo(archivo.errorString());
}

void ArchivoIni::EscribirEntero(const QString& seccion, const QString& clave, int valor) const {
    EscribirTexto(seccion, clave, QString::number(valor));
}

void ArchivoIni::EscribirBooleano(const QString& seccion, const QString& clave, bool valor) const {
    EscribirTexto(seccion, clave, valor ? u"1"_s : u"0"_s);
}

void ArchivoIni::EscribirReal(const QString& seccion, const QString& clave, double valor) const {
    char buf[64];
    const std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, valor);
    QString texto = QString::fromLatin1(buf, r.ptr - buf);
    texto.replace(u'.', u',');
    EscribirTexto(seccion, clave, texto);
}
