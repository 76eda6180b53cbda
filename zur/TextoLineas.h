// The tape's text as bytes in one code page, each line followed by its line break, plus where
// each line starts. A loaded file's bytes are kept as they came, so a large tape is loaded and
// saved with hardly more work than reading and writing it, and takes one byte per character.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

// An allocator that leaves the elements a vector grows by unset: where each line starts is
// written by whoever grows the list, and zeroing megabytes first would only cost time.
template <class T> struct SinIniciar : std::allocator<T> {
    using std::allocator<T>::allocator;
    template <class U> struct rebind { using other = SinIniciar<U>; };
    template <class U> void construct(U* p) noexcept(std::is_nothrow_default_constructible_v<U>) {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... A> void construct(U* p, A&&... a) {
        ::new (static_cast<void*>(p)) U(std::forward<A>(a)...);
    }
};

// Where each line starts in the text's bytes.
using InicioLineas = std::vector<quint32, SinIniciar<quint32>>;

class TextoLineas {
public:
    enum class Codigo { Windows1252, Utf8 };

    TextoLineas() = default;
    // Takes a file's bytes over. Each line runs from its start in `inicios` (ascending) to the
    // line break (CR LF, LF or CR) before the next start or the end; the last line may lack
    // its break, and bytes before the first start (a byte-order mark) belong to no line.
    // `soloCrLf` says every line break in `bytes` is CR LF.
    TextoLineas(QByteArray bytes, InicioLineas inicios, Codigo codigo, bool soloCrLf);
    explicit TextoLineas(const QStringList& lineas);

    int Cantidad() const { return static_cast<int>(FInicios.size()); }
    Codigo CodigoTexto() const { return FCodigo; }
    QByteArrayView BytesLinea(int i) const;
    QString Linea(int i) const;
    QStringList Lineas() const;

    // Both throw ErrorSumadora when the tape is full, changing nothing. A line is kept in
    // Windows-1252 until it holds a character that code page lacks: the whole text then turns
    // to UTF-8. Line breaks and NULs inside a line become blanks, so a saved tape loads as it
    // was.
    void Agregar(const QString& linea);
    void AgregarVacias(int cantidad);
    // Drops every line; the code page stays, for the next save.
    void Vaciar();

    // The lines' bytes with their breaks, from the first line on; the file as saved when
    // SoloCrLf() holds, once a missing final break is added (Terminada()).
    QByteArrayView Bytes() const;
    bool SoloCrLf() const { return FSoloCrLf; }
    bool Terminada() const;

private:
    qsizetype Fin(int i) const;
    void AbrirHueco(qsizetype bytes, qsizetype lineas);
    void PasarAUtf8();

    QByteArray FBytes;
    InicioLineas FInicios; // where each line starts in FBytes
    Codigo FCodigo = Codigo::Windows1252;
    bool FSoloCrLf = true;
};
