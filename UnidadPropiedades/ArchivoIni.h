// The settings file: a classic INI text ("[Sección]" / "Clave=valor") read and written one
// key at a time, never cached. Names match without regard to case; every other line of the
// file is kept as it was; each write reaches the disk at once and atomically.
//
// As with the Windows profile functions: blanks around names and values are not part of them,
// the first section and key of a name count, a new key goes after the last key of its
// section and a new section at the end, after a blank line. New lines take the file's own line
// end; a new file gets CR LF. A file that is not valid UTF-8 is taken as Windows-1252 and
// stays so unless a value needs a character it cannot hold (the file then becomes UTF-8).
#pragma once

#include <QString>

class ArchivoIni {
public:
    // The one fixed place of "Sumadora.ini": the user's configuration folder.
    static QString RutaPredeterminada();

    explicit ArchivoIni(QString ruta = RutaPredeterminada());
    const QString& Ruta() const { return ruta_; }

    // A missing file, section or key, or unreadable text, yields the default.
    QString LeerTexto(const QString& seccion, const QString& clave, const QString& defecto) const;
    int LeerEntero(const QString& seccion, const QString& clave, int defecto) const;
    bool LeerBooleano(const QString& seccion, const QString& clave, bool defecto) const;
    // Shortest general form with the decimal comma ("16", "7,5").
    long double LeerReal(const QString& seccion, const QString& clave, long double defecto) const;

    // Each write creates the folder, the file or the section when needed and throws
    // ErrorSumadora, with a Spanish message, when the file cannot be written; the file is then
    // left as it was. A text is written as it is, except that line breaks become spaces; it
    // reads back without its surrounding blanks.
    void EscribirTexto(const QString& seccion, const QString& clave, const QString& valor) const;
    void EscribirEntero(const QString& seccion, const QString& clave, int valor) const;
    void EscribirBooleano(const QString& seccion, const QString& clave, bool valor) const;
    void EscribirReal(const QString& seccion, const QString& clave, double valor) const;

private:
    QString ruta_;
};
