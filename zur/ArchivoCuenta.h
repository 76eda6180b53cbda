// Tape files: the tape's lines as a plain text file, one line per tape line, CR LF ends.
// Files are Windows-1252 unless they came in as UTF-8, so a file loaded and saved again keeps
// its bytes; nothing is ever replaced by '?'.
#pragma once

#include "TextoLineas.h"

#include <QByteArray>
#include <QString>

// The code page of a tape file. A UTF-8 file that began with a byte-order mark keeps it.
enum class CodificacionCuenta { Windows1252, Utf8, Utf8ConBom };

struct TextoCuenta {
    TextoLineas Texto;
    CodificacionCuenta Codificacion = CodificacionCuenta::Windows1252;
};

// Larger files are refused rather than freezing the program while it loads them.
constexpr qint64 LimiteArchivoCuenta = qint64(256) * 1024 * 1024;

// Bytes to lines: CR LF, lone LF and lone CR each end a line; a final line break adds no
// empty line. Valid UTF-8 that is not plain ASCII is read as UTF-8, anything else as
// Windows-1252. The bytes are kept, not copied. Throws ErrorSumadora for text holding NULs.
TextoCuenta DecodificarCuenta(QByteArray datos, const QString& nombre = QString());

// Reads a whole tape file; throws ErrorSumadora with a Spanish message when it cannot be
// read, is not a regular file (a folder, a FIFO, a socket or a device, refused without
// waiting), holds NUL bytes or is larger than `limite` bytes.
TextoCuenta LeerArchivoCuenta(const QString& ruta, qint64 limite = LimiteArchivoCuenta);

// The code page a save of `texto` uses: the text's own, a UTF-8 text keeping the byte-order
// mark when `codificacion` has one.
CodificacionCuenta CodificacionGuardada(const TextoLineas& texto, CodificacionCuenta codificacion);

// The file's bytes: each line ended by CR LF, in CodificacionGuardada.
QByteArray CodificarCuenta(const TextoLineas& texto, CodificacionCuenta codificacion);

// Writes the file to `ruta` through a temporary file renamed over it only once complete, so a
// failed save leaves any old file as it was; throws ErrorSumadora then. Returns the code page
// written (CodificacionGuardada).
CodificacionCuenta GuardarArchivoCuenta(const QString& ruta, const TextoLineas& texto,
                                        CodificacionCuenta codificacion);
