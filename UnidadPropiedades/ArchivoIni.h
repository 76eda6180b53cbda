// The settings file: a classic INI text ("[Sección]" / "Clave=valor") read and written one
// key at a time, never cached. Names match without regard to case; every other line of the
// file is kept as it was; each write reaches the disk at once and atomically.
//
// As with the Windows profile functions: blanks around names and values are not part of them,
// the first section and key of a name count, a new key goes after the last key of its
// section and a new section at the end, after a blank line. New lines take the file's own line
// end; a new file gets CR LF. A file that is not valid UTF-8 is taken as Windows-1252 and
// stays so unless a value needs a character it cannot hold; it then becomes UTF-8 as a whole,
// so that every key reads as before.
//
// Two programs may write the file at once: each read-modify-write holds an advisory lock on
// "<file>.lock" beside it, and the file is replaced by a complete copy, so readers that take
// no lock still never see it missing or half written.
#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class ArchivoIni {
public:
    // One key and the text to store in it.
    struct Escritura {
        QString Seccion;
        QString Clave;
        QString Valor;
    };

    // The one fixed place of "Sumadora.ini": the user's configuration folder.
    static QString RutaPredeterminada();

    explicit ArchivoIni(QString ruta = RutaPredeterminada());
    const QString& Ruta() const { return FRuta; }

    // The file as it is now, read once: every read from the copy returned comes from that one
    // read (a big file is slow to read for each key); writes still go to the file.
    ArchivoIni Instantanea() const;

    // A missing file, section or key, or unreadable text, yields the default.
    QString LeerTexto(const QString& seccion, const QString& clave, const QString& defecto) const;
    int LeerEntero(const QString& seccion, const QString& clave, int defecto) const;
    bool LeerBooleano(const QString& seccion, const QString& clave, bool defecto) const;
    // Shortest general form with the decimal comma ("16", "7,5").
    long double LeerReal(const QString& seccion, const QString& clave, long double defecto) const;

    // Each write creates the folder, the file or the section when needed and throws
    // ErrorSumadora, with a Spanish message, when the file cannot be written; the file is then
    // left as it was. A text is written as it is, except that line breaks become spaces; it
    // reads back without its surrounding blanks. A write that changes nothing does not touch
    // the disk.
    void EscribirTexto(const QString& seccion, const QString& clave, const QString& valor) const;
    void EscribirEntero(const QString& seccion, const QString& clave, int valor) const;
    void EscribirBooleano(const QString& seccion, const QString& clave, bool valor) const;
    void EscribirReal(const QString& seccion, const QString& clave, long double valor) const;
    // Several keys in one read and one write of the file: all or none.
    void Escribir(const std::vector<Escritura>& escrituras) const;

    // The texts the typed writes store.
    static QString TextoEntero(int valor);
    static QString TextoBooleano(bool valor);
    // Enough digits to read back the same long double, with the decimal comma.
    static QString TextoReal(long double valor);

    // The same rules on a file's bytes, without the disk: a key's text (nothing when missing),
    // and the bytes after some writes.
    static std::optional<QString> ValorEn(const QByteArray& datos, const QString& seccion,
                                          const QString& clave);
    static QByteArray ConEscrituras(const QByteArray& datos,
                                    const std::vector<Escritura>& escrituras);

private:
    struct Copia;
    std::optional<QString> Valor(const QString& seccion, const QString& clave) const;

    QString FRuta;
    std::shared_ptr<const Copia> FCopia;
};
