// Tape files: the tape's lines as a plain text file, one line per tape line, CR LF ends.
// Files are Windows-1252 unless they came in as UTF-8, so a file loaded and saved again keeps
// its bytes; nothing is ever replaced by '?'.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <vector>

// The code page of a tape file. A UTF-8 file that began with a byte-order mark keeps it.
enum class CodificacionCuenta { Windows1252, Utf8, Utf8ConBom };

struct ContenidoCuenta {
    QStringList Lineas;
    CodificacionCuenta Codificacion = CodificacionCuenta::Windows1252;
};

// A tape file's text in the form the tape keeps it: every line one after another without
// line breaks, and where each line starts in Texto. Loading a large file this way builds no
// string per line.
struct TextoCuenta {
    QString Texto;
    std::vector<qsizetype> Inicios;
    CodificacionCuenta Codificacion = CodificacionCuenta::Windows1252;
};

// The lines of a TextoCuenta one by one, for callers that want a list.
QStringList LineasDe(const TextoCuenta& texto);

// Larger files are refused rather than freezing the program while it loads them.
constexpr qint64 LimiteArchivoCuenta = qint64(256) * 1024 * 1024;

// Bytes to lines: CR LF, lone LF and lone CR each end a line; a final line break adds no
// empty line. Valid UTF-8 that is not plain ASCII is read as UTF-8, anything else as
// Windows-1252. Throws ErrorSumadora for text holding NUL bytes.
ContenidoCuenta DecodificarCuenta(const QByteArray& datos, const QString& nombre = QString());
TextoCuenta DecodificarTextoCuenta(QByteArrayView datos, const QString& nombre = QString());

// Lines to bytes, each line ended by CR LF, in `codificacion`; Windows-1252 gives way to
// UTF-8 when a line holds a character it cannot represent, and `codificacion` then says so.
QByteArray CodificarCuenta(const QStringList& lineas, CodificacionCuenta& codificacion);

// Reads a whole tape file; throws ErrorSumadora with a Spanish message when it cannot be
// read, holds NUL bytes or is larger than `limite` bytes. Each block is decoded as it is
// read; only from the first byte beyond ASCII on is the rest held whole, to tell the code page.
ContenidoCuenta LeerArchivoCuenta(const QString& ruta, qint64 limite = LimiteArchivoCuenta);
TextoCuenta LeerTextoCuenta(const QString& ruta, qint64 limite = LimiteArchivoCuenta);

// Writes the lines to `ruta` through a temporary file renamed over it only once complete,
// so a failed save leaves any old file as it was; throws ErrorSumadora then. Returns the
// code page the file was written in (see CodificarCuenta).
CodificacionCuenta GuardarArchivoCuenta(const QString& ruta, const QStringList& lineas,
                                        CodificacionCuenta codificacion);
