// The settings file read and written one key at a time. The file is handled as bytes: only
// the line a write changes (or the lines it adds) is new, every other byte stays as it was,
// so a hand-edited file, in whatever encoding or state, is never spoilt by a write.
#include "ArchivoIni.h"

#include "ErrorSumadora.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// A hand-edited file may be UTF-8 (any editor on this system) or Windows-1252 (one that came
// from Windows); it is written back in the encoding it was read in.
enum class Codificacion { Utf8, Windows1252 };

bool EsUtf8Valido(const QByteArray& datos) {
    return QByteArrayView(datos).isValidUtf8();
}

bool TieneAlto(const QByteArray& datos) {
    for (const char c : datos)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five bytes it leaves undefined
// are the control characters of the same number, as Windows reads them (and the tapes do).
constexpr char16_t Windows1252Altos[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString Decodificar(const QByteArray& bytes, Codificacion cod) {
    if (cod == Codificacion::Utf8) {
        // A value may well begin with U+FEFF: it is text here, not a byte-order mark.
        QStringDecoder decodificador(QStringDecoder::Utf8,
                                     QStringConverter::Flag::Stateless |
                                         QStringConverter::Flag::ConvertInitialBom);
        return decodificador(bytes);
    }
    QString texto(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        texto[i] = QChar(b >= 0x80 && b < 0xA0 ? Windows1252Altos[b - 0x80] : char16_t(b));
    }
    return texto;
}

// Empty when the text has a character Windows-1252 cannot hold.
std::optional<QByteArray> Codificar(const QString& texto, Codificacion cod) {
    if (cod == Codificacion::Utf8)
        return texto.toUtf8();
    QByteArray bytes(texto.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const char16_t c = texto[i].unicode();
        int b = c < 0x80 || (c >= 0xA0 && c <= 0xFF) ? c : -1;
        for (int k = 0; b < 0 && k < 32; ++k)
            if (Windows1252Altos[k] == c)
                b = 0x80 + k;
        if (b < 0)
            return std::nullopt;
        bytes[i] = static_cast<char>(b);
    }
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

std::vector<Linea> PartirLineas(const QByteArray& datos, Codificacion cod) {
    std::vector<Linea> lineas;
    const char* p = datos.constData();
    const qsizetype n = datos.size();
    // A UTF-8 byte-order mark is not part of the first line's text (in Windows-1252 the same
    // bytes are text).
    qsizetype inicio = cod == Codificacion::Utf8 && datos.startsWith("\xEF\xBB\xBF") ? 3 : 0;
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
    qsizetype igual = 0;
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
    c.igual = igual;
    c.inicioValor = igual + 1;
    while (c.inicioValor < l.finUtil && EsBlanco(datos[c.inicioValor]))
        ++c.inicioValor;
    return c;
}

Codificacion CodificacionDe(const QByteArray& datos) {
    return EsUtf8Valido(datos) ? Codificacion::Utf8 : Codificacion::Windows1252;
}

Analisis Analizar(const QByteArray& datos, Codificacion cod) {
    Analisis r;
    r.cod = cod;
    r.lineas = PartirLineas(datos, cod);
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

QString Nombre(const QString& ruta) {
    return QDir::toNativeSeparators(ruta);
}

QString MotivoSistema(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
        return u"no hay permiso."_s;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return u"no queda espacio en el disco."_s;
    case EROFS:
        return u"el disco es de solo lectura."_s;
    default:
        return QString::fromLocal8Bit(strerror(error)) + u'.';
    }
}

// The whole file, or nothing when there is no such file (or no such folder): only that, since
// a file being replaced by another program is never missing for an instant. A file that
// cannot be read counts as missing for reading; `paraEscribir` makes it an error instead,
// because writing over it would lose whatever it holds. Whatever is not a regular file (a FIFO
// would block the program) is never read.
std::optional<QByteArray> LeerArchivo(const QString& ruta, bool paraEscribir) {
    auto fallo = [&](const QString& motivo) -> std::optional<QByteArray> {
        if (!paraEscribir)
            return std::nullopt;
        throw ErrorSumadora(
            u"No se puede leer el archivo de configuración «%1»: %2"_s.arg(Nombre(ruta), motivo));
    };
    const int fd = ::open(QFile::encodeName(ruta).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? std::nullopt : fallo(MotivoSistema(errno));
    QFile archivo;
    if (!archivo.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fallo(archivo.errorString());
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return fallo(u"no es un archivo normal."_s);
    QByteArray datos = archivo.readAll();
    if (archivo.error() != QFileDevice::NoError)
        return fallo(archivo.errorString());
    return datos;
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

// After the last line of `s` (whose text starts at `desde`), a new section is parted from what
// is there by a blank line, and a last line without a line end gets one.
void PrepararFinal(QByteArray& s, qsizetype desde, const QByteArray& fl) {
    if (s.size() <= desde)
        return;
    const bool terminada = s.endsWith('\n');
    qsizetype fin = s.size();
    if (terminada) {
        fin = s.size() - 1;
        if (fin > desde && s[fin - 1] == '\r')
            --fin;
    }
    qsizetype inicio = fin > 0 ? s.lastIndexOf('\n', fin - 1) + 1 : 0;
    inicio = std::max(inicio, desde);
    if (!terminada)
        s += fl;
    Recortar(s, inicio, fin);
    if (inicio < fin)
        s += fl;
}

// The writes of one batch, in the file's own encoding; nothing when a name or a value cannot
// be held in it. One pass over the lines finds where each goes, then the new bytes are put
// together at once: the same as the writes one after another (a key written twice keeps the
// last value, a new section gets all its keys), but a big file is looked at only once.
std::optional<QByteArray> TodasLasEscrituras(const QByteArray& datos, Codificacion cod,
                                             const std::vector<ArchivoIni::Escritura>& escrituras) {
    struct Clave {
        QString nombre;
        QByteArray bytes;
        QByteArray valor;
        int linea = -1;
        qsizetype desde = 0;
    };
    struct Grupo {
        QString seccion;
        QByteArray bytes;
        std::vector<Clave> claves;
        int linea = -1;
        int ultimaClave = -1;
    };
    std::vector<Grupo> grupos;
    for (const ArchivoIni::Escritura& e : escrituras) {
        std::optional<QByteArray> bSeccion = Codificar(e.Seccion, cod);
        std::optional<QByteArray> bClave = Codificar(e.Clave, cod);
        std::optional<QByteArray> bValor = Codificar(UnaLinea(e.Valor), cod);
        if (!bSeccion || !bClave || !bValor)
            return std::nullopt;
        auto g = std::find_if(grupos.begin(), grupos.end(),
                              [&](const Grupo& x) { return MismoNombre(x.seccion, e.Seccion); });
        if (g == grupos.end())
            g = grupos.insert(grupos.end(), Grupo{e.Seccion, *bSeccion, {}});
        auto c = std::find_if(g->claves.begin(), g->claves.end(),
                              [&](const Clave& x) { return MismoNombre(x.nombre, e.Clave); });
        if (c == g->claves.end())
            g->claves.push_back(Clave{e.Clave, *bClave, *bValor});
        else
            c->valor = *bValor;
    }

    // Only the first section of a name counts, and in it the first key of a name, as on Windows.
    const Analisis an = Analizar(datos, cod);
    Grupo* activo = nullptr;
    for (int i = 0; i < int(an.lineas.size()); ++i) {
        if (const std::optional<QString> nombre = NombreSeccion(datos, an.lineas[i], cod)) {
            activo = nullptr;
            for (Grupo& g : grupos)
                if (g.linea < 0 && MismoNombre(g.seccion, *nombre)) {
                    g.linea = g.ultimaClave = i;
                    activo = &g;
                }
            continue;
        }
        if (!activo)
            continue;
        const std::optional<LineaClave> lc = AnalizarClave(datos, an.lineas[i], cod);
        if (!lc)
            continue;
        activo->ultimaClave = i;
        for (Clave& c : activo->claves)
            if (c.linea < 0 && MismoNombre(c.nombre, lc->nombre)) {
                c.linea = i;
                // A value that begins with blanks brings its own, so that writing it again
                // changes nothing; otherwise the blanks after "=" stay.
                c.desde = !c.valor.isEmpty() && EsBlanco(c.valor.front()) ? lc->igual + 1
                                                                          : lc->inicioValor;
                break;
            }
    }

    // What changes, in the order of the file: [desde, hasta) becomes `bytes`; at one place a
    // value comes before the keys added after it.
    struct Cambio {
        qsizetype desde, hasta;
        int orden;
        QByteArray bytes;
    };
    std::vector<Cambio> cambios;
    const QByteArray& fl = an.finLinea;
    for (const Grupo& g : grupos) {
        if (g.linea < 0)
            continue;
        QByteArray nuevas;
        for (const Clave& c : g.claves) {
            if (c.linea >= 0)
                cambios.push_back({c.desde, an.lineas[c.linea].fin, 0, c.valor});
            else
                nuevas += c.bytes + '=' + c.valor + fl;
        }
        if (!nuevas.isEmpty()) {
            const Linea& l = an.lineas[g.ultimaClave];
            cambios.push_back(
                {l.siguiente, l.siguiente, 1, (l.siguiente == l.fin ? fl : QByteArray()) + nuevas});
        }
    }
    std::sort(cambios.begin(), cambios.end(), [](const Cambio& a, const Cambio& b) {
        return a.desde != b.desde ? a.desde < b.desde : a.orden < b.orden;
    });
    QByteArray salida;
    qsizetype hecho = 0;
    for (const Cambio& c : cambios) {
        salida += QByteArrayView(datos).sliced(hecho, c.desde - hecho);
        salida += c.bytes;
        hecho = c.hasta;
    }
    salida += QByteArrayView(datos).sliced(hecho);

    // New sections at the end, in the order they were first written.
    const qsizetype desde = an.lineas.empty() ? datos.size() : an.lineas.front().inicio;
    for (const Grupo& g : grupos) {
        if (g.linea >= 0)
            continue;
        PrepararFinal(salida, desde, fl);
        salida += '[' + g.bytes + ']' + fl;
        for (const Clave& c : g.claves)
            salida += c.bytes + '=' + c.valor + fl;
    }
    return salida;
}

std::optional<QString> ValorAnalizado(const QByteArray& datos, const Analisis& an,
                                      const QString& seccion, const QString& clave) {
    const Busqueda b = Buscar(datos, an, seccion, clave);
    if (b.clave < 0)
        return std::nullopt;
    qsizetype a = b.inicioValor, z = an.lineas[b.clave].finUtil;
    Recortar(datos, a, z);
    return Decodificar(datos.mid(a, z - a), an.cod);
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

// The advisory lock of one read-modify-write: flock on "<file>.lock", kept while it lives.
// Only another read-modify-write holds it, and only for as long as that takes; a program that
// dies lets it go.
class Cerrojo {
public:
    explicit Cerrojo(const QString& ruta) {
        const QString nombre = ruta + u".lock"_s;
        FDescriptor =
            ::open(QFile::encodeName(nombre).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (FDescriptor < 0)
            throw Fallo(ruta, MotivoSistema(errno));
        while (::flock(FDescriptor, LOCK_EX) != 0) {
            if (errno != EINTR) {
                const int error = errno;
                ::close(FDescriptor);
                throw Fallo(ruta, MotivoSistema(error));
            }
        }
    }
    ~Cerrojo() { ::close(FDescriptor); }
    Cerrojo(const Cerrojo&) = delete;
    Cerrojo& operator=(const Cerrojo&) = delete;

    static ErrorSumadora Fallo(const QString& ruta, const QString& motivo) {
        return ErrorSumadora(u"No se puede escribir el archivo de configuración «%1»: %2"_s.arg(
            Nombre(ruta), motivo));
    }

private:
    int FDescriptor = -1;
};

} // namespace

struct ArchivoIni::Copia {
    QByteArray datos;
    Analisis an;
};

QString ArchivoIni::RutaPredeterminada() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           u"/Sumadora.ini"_s;
}

ArchivoIni::ArchivoIni(QString ruta) : FRuta(std::move(ruta)) {}

ArchivoIni ArchivoIni::Instantanea() const {
    ArchivoIni r(FRuta);
    auto copia = std::make_shared<Copia>();
    copia->datos = FCopia ? FCopia->datos : LeerArchivo(FRuta, false).value_or(QByteArray());
    copia->an = Analizar(copia->datos, CodificacionDe(copia->datos));
    r.FCopia = std::move(copia);
    return r;
}

std::optional<QString> ArchivoIni::ValorEn(const QByteArray& datos, const QString& seccion,
                                           const QString& clave) {
    return ValorAnalizado(datos, Analizar(datos, CodificacionDe(datos)), seccion, clave);
}

std::optional<QString> ArchivoIni::Valor(const QString& seccion, const QString& clave) const {
    if (FCopia)
        return ValorAnalizado(FCopia->datos, FCopia->an, seccion, clave);
    const std::optional<QByteArray> datos = LeerArchivo(FRuta, false);
    if (!datos)
        return std::nullopt;
    return ValorEn(*datos, seccion, clave);
}

QString ArchivoIni::LeerTexto(const QString& seccion, const QString& clave,
                              const QString& defecto) const {
    return Valor(seccion, clave).value_or(defecto);
}

int ArchivoIni::LeerEntero(const QString& seccion, const QString& clave, int defecto) const {
    const std::optional<qlonglong> v = ComoEntero(Valor(seccion, clave));
    if (!v || *v < std::numeric_limits<int>::min() || *v > std::numeric_limits<int>::max())
        return defecto;
    return static_cast<int>(*v);
}

bool ArchivoIni::LeerBooleano(const QString& seccion, const QString& clave, bool defecto) const {
    const std::optional<qlonglong> v = ComoEntero(Valor(seccion, clave));
    return v ? *v != 0 : defecto;
}

long double ArchivoIni::LeerReal(const QString& seccion, const QString& clave,
                                 long double defecto) const {
    const std::optional<QString> texto = Valor(seccion, clave);
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

QByteArray ArchivoIni::ConEscrituras(const QByteArray& datos,
                                     const std::vector<Escritura>& escrituras) {
    const Codificacion cod = CodificacionDe(datos);
    if (cod == Codificacion::Utf8)
        return *TodasLasEscrituras(datos, cod, escrituras);
    // A Windows-1252 file stays so, unless a value needs a character it has not, or the file
    // would then pass for UTF-8 and its other bytes read differently: then it becomes UTF-8
    // as a whole, which holds every character of the old one.
    const std::optional<QByteArray> nuevo = TodasLasEscrituras(datos, cod, escrituras);
    if (nuevo && !(TieneAlto(*nuevo) && EsUtf8Valido(*nuevo)))
        return *nuevo;
    return *TodasLasEscrituras(Decodificar(datos, cod).toUtf8(), Codificacion::Utf8, escrituras);
}

void ArchivoIni::Escribir(const std::vector<Escritura>& escrituras) const {
    // A write that changes nothing takes no lock and writes nothing (a normal start).
    const std::optional<QByteArray> visto = LeerArchivo(FRuta, true);
    QByteArray nuevo = ConEscrituras(visto.value_or(QByteArray()), escrituras);
    if (visto && nuevo == *visto)
        return;
    const QFileInfo info(FRuta);
    if (!QDir().mkpath(info.absolutePath()))
        throw Cerrojo::Fallo(
            FRuta, u"no se puede crear la carpeta «%1»."_s.arg(Nombre(info.absolutePath())));
    const Cerrojo cerrojo(FRuta);
    // Read again under the lock: what another program wrote meanwhile is kept.
    const std::optional<QByteArray> actual = LeerArchivo(FRuta, true);
    if (actual != visto) {
        nuevo = ConEscrituras(actual.value_or(QByteArray()), escrituras);
        if (actual && nuevo == *actual)
            return;
    }

    QSaveFile archivo(FRuta);
    if (!archivo.open(QIODevice::WriteOnly))
        throw Cerrojo::Fallo(FRuta, archivo.errorString());
    if (archivo.write(nuevo) != nuevo.size()) {
        const QString motivo = archivo.errorString();
        archivo.cancelWriting();
        throw Cerrojo::Fallo(FRuta, motivo);
    }
    // commit() does not notice a failed final flush (a full disk) and would put a torn file
    // in place of the old one: flush first and check.
    if (!archivo.flush()) {
        const QString motivo = archivo.errorString();
        archivo.cancelWriting();
        throw Cerrojo::Fallo(FRuta, motivo);
    }
    if (!archivo.commit())
        throw Cerrojo::Fallo(FRuta, archivo.errorString());
}

void ArchivoIni::EscribirTexto(const QString& seccion, const QString& clave,
                               const QString& valor) const {
    Escribir({{seccion, clave, valor}});
}

void ArchivoIni::EscribirEntero(const QString& seccion, const QString& clave, int valor) const {
    EscribirTexto(seccion, clave, TextoEntero(valor));
}

void ArchivoIni::EscribirBooleano(const QString& seccion, const QString& clave, bool valor) const {
    EscribirTexto(seccion, clave, TextoBooleano(valor));
}

void ArchivoIni::EscribirReal(const QString& seccion, const QString& clave,
                              long double valor) const {
    EscribirTexto(seccion, clave, TextoReal(valor));
}

QString ArchivoIni::TextoEntero(int valor) {
    return QString::number(valor);
}

QString ArchivoIni::TextoBooleano(bool valor) {
    return valor ? u"1"_s : u"0"_s;
}

QString ArchivoIni::TextoReal(long double valor) {
    // The shortest text that reads back as the very same long double.
    char buf[64];
    const std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, valor);
    QString texto = QString::fromLatin1(buf, r.ptr - buf);
    texto.replace(u'.', u',');
    return texto;
}
