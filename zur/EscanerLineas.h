// Finds where lines start as a file's bytes come in, and notes what decides how the file is
// read: NULs, bytes beyond ASCII, line breaks other than CR LF. A line starts at the first
// byte and after every break (an LF, or a CR not followed by one), never at the end. Built for
// speed: a tape of a million lines is looked at in about the time it takes to read it.
#pragma once

#include "TextoLineas.h"

#include <QtGlobal>

class EscanerLineas {
public:
    // How chunks are compared: the fastest way this processor has, or one way in particular,
    // which falls back to the basic one (any processor) where the processor lacks it.
    enum class Nucleo { ElMejor, Avx512, Avx2, Basico };

    // `tamanoPrevisto` (0 when unknown) only sizes the list of starts.
    explicit EscanerLineas(qint64 tamanoPrevisto, Nucleo nucleo = Nucleo::ElMejor);

    // Looks at p[0..n) from where it stopped, in whole chunks; the rest waits for more bytes
    // or for Terminar. The same p (or a copy of it, moved) each time.
    void Avanzar(const char* p, qsizetype n);
    // Looks at the rest of p[0..n), n being the end of the file.
    void Terminar(const char* p, qsizetype n);

    // The kernel that runs: never ElMejor, and Basico where the processor lacks the one asked.
    Nucleo NucleoUsado() const { return FUsado; }

    // After Terminar: where each line starts (to be taken over), and what was seen.
    InicioLineas& Inicios() { return FInicios; }
    bool Nulo() const { return FMinimo == 0; }
    // Where the first byte beyond ASCII is, or -1.
    qsizetype PrimerAlto() const { return FPrimerAlto; }
    bool SoloCrLf() const { return !FSueltos; }

    // Bytes looked at a time; Avanzar leaves fewer than this for later.
    static constexpr qsizetype Trozo = 64;

    // What a pass over chunks carries from one chunk to the next.
    struct Pasada {
        quint64 lfPrevio;     // the byte before the next chunk is an LF (1 before the file)
        quint64 crPrevio;     // ... is a CR
        quint64 sueltos;      // nonzero once a lone LF or CR was seen
        quint32* out;         // where the next start goes
        unsigned char minimo; // the smallest byte seen
        unsigned char alto;   // every bit of every byte seen
    };
    // A kernel: `trozos` chunks from t on, the file's bytes from `base` on.
    using Funcion = void (*)(Pasada&, const unsigned char* t, qsizetype base, qsizetype trozos);

private:
    void Recorrer(const unsigned char* t, qsizetype base, qsizetype trozos);
    void AnotarAlto(const unsigned char* p, qsizetype desde, qsizetype hasta);
    void Prever();

    Funcion FNucleo;
    Nucleo FUsado;
    qint64 FPrevisto;
    bool FEstimado = false;
    qsizetype FHecho = 0;  // bytes looked at
    InicioLineas FInicios; // its size is the room; FUsados of it are starts
    size_t FUsados = 0;
    quint64 FLfPrevio = 1;
    quint64 FCrPrevio = 0;
    bool FSueltos = false;
    unsigned char FMinimo = 0xFF;
    unsigned char FAlto = 0;
    qsizetype FPrimerAlto = -1;
};
