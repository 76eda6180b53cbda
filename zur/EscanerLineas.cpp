// Line starts 64 bytes at a time: the bytes compared all at once, the starts written without
// branches to guess.
#include "EscanerLineas.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <immintrin.h>
#endif
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define SUMADORA_NUCLEOS_X86 1
#endif

namespace {

using Pasada = EscanerLineas::Pasada;
constexpr qsizetype Trozo = EscanerLineas::Trozo;
// Chunks per call of a kernel; the room for all their starts is made before the call.
constexpr qsizetype TrozosPorLlamada = 1024;
// The bytes by which the number of lines of the whole file is judged.
constexpr qsizetype Muestra = qsizetype(256) << 10;

template <bool ConPopcnt> inline int ContarUnos(quint64 x) {
    if constexpr (ConPopcnt) {
        return __builtin_popcountll(x);
    } else {
        // Without the instruction the builtin is a library call: this is quicker.
        x = x - ((x >> 1) & 0x5555555555555555ULL);
        x = (x & 0x3333333333333333ULL) + ((x >> 2) & 0x3333333333333333ULL);
        x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
        return int((x * 0x0101010101010101ULL) >> 56);
    }
}

// Where lines start in one chunk, given its LFs and CRs (bit i for byte i); lone breaks noted.
inline __attribute__((always_inline)) quint64 Inicios(Pasada& p, quint64 lf, quint64 cr) {
    // Bit i: the byte before byte i is an LF / a CR.
    const quint64 trasLf = (lf << 1) | p.lfPrevio;
    const quint64 trasCr = (cr << 1) | p.crPrevio;
    p.lfPrevio = lf >> 63;
    p.crPrevio = cr >> 63;
    // Every break is CR LF exactly when the LFs are the bytes right after the CRs.
    p.sueltos |= lf ^ trasCr;
    return trasLf | (trasCr & ~lf);
}

// The starts in one chunk written out, one by one.
template <bool ConPopcnt>
inline __attribute__((always_inline)) void Anotar(Pasada& p, quint64 lf, quint64 cr,
                                                  qsizetype base) {
    quint64 inicios = Inicios(p, lf, cr);
    // Four written whatever the count, without a branch to guess: lines are seldom shorter
    // than 16 bytes. Slots past the count are written over next, so what goes there does not
    // matter; the top bit only keeps the count of zeros defined.
    const int cuenta = ContarUnos<ConPopcnt>(inicios);
    quint32* out = p.out;
    const auto ceros = [](quint64 x) { return __builtin_ctzll(x | (quint64(1) << 63)); };
#pragma GCC unroll 4
    for (int j = 0; j < 4; ++j) {
        out[j] = quint32(base + ceros(inicios));
        inicios &= inicios - 1;
    }
    for (int j = 4; j < cuenta; ++j) {
        out[j] = quint32(base + ceros(inicios));
        inicios &= inicios - 1;
    }
    p.out = out + cuenta;
}

// The smallest byte and every bit of any byte among `n` bytes, into the pass.
void Plegar(Pasada& p, const unsigned char* minimos, const unsigned char* altos, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        p.minimo = std::min(p.minimo, minimos[i]);
        p.alto |= altos[i];
    }
}

// The same from a kernel's running minimum and running "or", whatever their width.
template <class Vector> void Plegar(Pasada& p, const Vector& minimo, const Vector& alto) {
    unsigned char minimos[sizeof(Vector)];
    unsigned char altos[sizeof(Vector)];
    std::memcpy(minimos, &minimo, sizeof minimos);
    std::memcpy(altos, &alto, sizeof altos);
    Plegar(p, minimos, altos, sizeof(Vector));
}

#if defined(__SSE2__)
void NucleoBasico(Pasada& pasada, const unsigned char* t, qsizetype base, qsizetype trozos) {
    Pasada p = pasada; // in registers while it runs
    __m128i minimo = _mm_set1_epi8(char(0xFF));
    __m128i alto = _mm_setzero_si128();
    const __m128i lfs = _mm_set1_epi8('\n');
    const __m128i crs = _mm_set1_epi8('\r');
    for (qsizetype k = 0; k < trozos; ++k, t += Trozo, base += Trozo) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + 16));
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + 32));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + 48));
#define SUMADORA_IGUALES(v, x) quint64(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, x))))
        const quint64 lf = SUMADORA_IGUALES(a, lfs) | SUMADORA_IGUALES(b, lfs) << 16 |
                           SUMADORA_IGUALES(c, lfs) << 32 | SUMADORA_IGUALES(d, lfs) << 48;
        const quint64 cr = SUMADORA_IGUALES(a, crs) | SUMADORA_IGUALES(b, crs) << 16 |
                           SUMADORA_IGUALES(c, crs) << 32 | SUMADORA_IGUALES(d, crs) << 48;
#undef SUMADORA_IGUALES
        minimo = _mm_min_epu8(minimo, _mm_min_epu8(_mm_min_epu8(a, b), _mm_min_epu8(c, d)));
        alto = _mm_or_si128(alto, _mm_or_si128(_mm_or_si128(a, b), _mm_or_si128(c, d)));
        Anotar<false>(p, lf, cr, base);
    }
    Plegar(p, minimo, alto);
    pasada = p;
}
#else
void NucleoBasico(Pasada& pasada, const unsigned char* t, qsizetype base, qsizetype trozos) {
    Pasada p = pasada;
    for (qsizetype k = 0; k < trozos; ++k, t += Trozo, base += Trozo) {
        quint64 lf = 0;
        quint64 cr = 0;
        for (int i = 0; i < Trozo; ++i) {
            lf |= quint64(t[i] == '\n') << i;
            cr |= quint64(t[i] == '\r') << i;
        }
        Plegar(p, t, t, Trozo);
        Anotar<false>(p, lf, cr, base);
    }
    pasada = p;
}
#endif

#if defined(SUMADORA_NUCLEOS_X86)
__attribute__((target("avx2,bmi,bmi2,popcnt"))) void
NucleoAvx2(Pasada& pasada, const unsigned char* t, qsizetype base, qsizetype trozos) {
    Pasada p = pasada; // in registers while it runs
    __m256i minimo = _mm256_set1_epi8(char(0xFF));
    __m256i alto = _mm256_setzero_si256();
    const __m256i lfs = _mm256_set1_epi8('\n');
    const __m256i crs = _mm256_set1_epi8('\r');
    for (qsizetype k = 0; k < trozos; ++k, t += Trozo, base += Trozo) {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(t));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(t + 32));
#define SUMADORA_IGUALES(v, x) quint64(unsigned(_mm256_movemask_epi8(_mm256_cmpeq_epi8(v, x))))
        const quint64 lf = SUMADORA_IGUALES(a, lfs) | SUMADORA_IGUALES(b, lfs) << 32;
        const quint64 cr = SUMADORA_IGUALES(a, crs) | SUMADORA_IGUALES(b, crs) << 32;
#undef SUMADORA_IGUALES
        minimo = _mm256_min_epu8(minimo, _mm256_min_epu8(a, b));
        alto = _mm256_or_si256(alto, _mm256_or_si256(a, b));
        Anotar<true>(p, lf, cr, base);
    }
    Plegar(p, minimo, alto);
    pasada = p;
}

// Compares give 64-bit masks straight away, and the positions of a mask's bits come out of one
// instruction, whatever their number: the per-line work is gone.
__attribute__((target("avx512f,avx512bw,avx512vbmi2,bmi,bmi2,popcnt"))) void
NucleoAvx512(Pasada& pasada, const unsigned char* t, qsizetype base, qsizetype trozos) {
    Pasada p = pasada;
    __m512i minimo = _mm512_set1_epi8(char(0xFF));
    __m512i alto = _mm512_setzero_si512();
    const __m512i lfs = _mm512_set1_epi8('\n');
    const __m512i crs = _mm512_set1_epi8('\r');
    alignas(64) unsigned char numeros[64];
    for (int i = 0; i < 64; ++i)
        numeros[i] = static_cast<unsigned char>(i);
    const __m512i posiciones = _mm512_load_si512(numeros);
    for (qsizetype k = 0; k < trozos; ++k, t += Trozo, base += Trozo) {
        const __m512i a = _mm512_loadu_si512(t);
        minimo = _mm512_min_epu8(minimo, a);
        alto = _mm512_or_si512(alto, a);
        const quint64 lf = _mm512_cmpeq_epi8_mask(a, lfs);
        const quint64 cr = _mm512_cmpeq_epi8_mask(a, crs);
        const quint64 inicios = Inicios(p, lf, cr);
        const int cuenta = __builtin_popcountll(inicios);
        // Sixteen written whatever the count; more only after a run of empty lines. (The
        // masked forms say the same as the plain ones without a warning from GCC 12.)
        const __m512i juntas = _mm512_maskz_compress_epi8(inicios, posiciones);
        const __m512i desde = _mm512_set1_epi32(int(base));
#define SUMADORA_GRUPO(g)                                                                          \
    _mm512_storeu_si512(                                                                           \
        p.out + 16 * g,                                                                            \
        _mm512_add_epi32(desde, _mm512_maskz_cvtepu8_epi32(                                        \
                                    0xFFFF, _mm512_maskz_extracti32x4_epi32(0xF, juntas, g))))
        SUMADORA_GRUPO(0);
        if (cuenta > 16) {
            SUMADORA_GRUPO(1);
            SUMADORA_GRUPO(2);
            SUMADORA_GRUPO(3);
        }
#undef SUMADORA_GRUPO
        p.out += cuenta;
    }
    Plegar(p, minimo, alto);
    pasada = p;
}
#endif

// The kernel asked for, or the basic one where the processor lacks what it needs.
EscanerLineas::Nucleo Elegir(EscanerLineas::Nucleo nucleo) {
    using Nucleo = EscanerLineas::Nucleo;
#if defined(SUMADORA_NUCLEOS_X86)
    __builtin_cpu_init();
    const bool bmi = __builtin_cpu_supports("bmi") && __builtin_cpu_supports("bmi2") &&
                     __builtin_cpu_supports("popcnt");
    const bool avx512 =
        bmi && __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vbmi2");
    const bool avx2 = bmi && __builtin_cpu_supports("avx2");
    if (avx512 && (nucleo == Nucleo::ElMejor || nucleo == Nucleo::Avx512))
        return Nucleo::Avx512;
    if (avx2 && (nucleo == Nucleo::ElMejor || nucleo == Nucleo::Avx2))
        return Nucleo::Avx2;
#else
    Q_UNUSED(nucleo);
#endif
    return Nucleo::Basico;
}

EscanerLineas::Funcion FuncionDe(EscanerLineas::Nucleo nucleo) {
#if defined(SUMADORA_NUCLEOS_X86)
    if (nucleo == EscanerLineas::Nucleo::Avx512)
        return NucleoAvx512;
    if (nucleo == EscanerLineas::Nucleo::Avx2)
        return NucleoAvx2;
#endif
    return NucleoBasico;
}

} // namespace

EscanerLineas::EscanerLineas(qint64 tamanoPrevisto, Nucleo nucleo) : FPrevisto(tamanoPrevisto) {
    static const Nucleo mejor = Elegir(Nucleo::ElMejor);
    FUsado = nucleo == Nucleo::ElMejor ? mejor : Elegir(nucleo);
    FNucleo = FuncionDe(FUsado);
    // Room for the starts of one call, or of the whole file when it is smaller; more is made
    // as needed.
    FInicios.resize(
        size_t(std::clamp<qint64>(tamanoPrevisto + Trozo, Trozo, Trozo * TrozosPorLlamada)));
}

void EscanerLineas::Avanzar(const char* p, qsizetype n) {
    const qsizetype desde = FHecho;
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    const qsizetype trozos = (n - FHecho) / Trozo;
    for (qsizetype k = 0; k < trozos; k += TrozosPorLlamada)
        Recorrer(u + FHecho + k * Trozo, FHecho + k * Trozo,
                 std::min(TrozosPorLlamada, trozos - k));
    FHecho += trozos * Trozo;
    AnotarAlto(u, desde, FHecho);
    if (!FEstimado && FHecho >= Muestra)
        Prever();
}

void EscanerLineas::Terminar(const char* p, qsizetype n) {
    Avanzar(p, n);
    const qsizetype resto = n - FHecho;
    if (resto > 0) {
        // Padded with blanks, which are neither NUL nor beyond ASCII and start no line but
        // where a break came just before: at the end, where no line starts.
        unsigned char ultimo[Trozo];
        std::memset(ultimo, ' ', sizeof ultimo);
        std::memcpy(ultimo, p + FHecho, size_t(resto));
        Recorrer(ultimo, FHecho, 1);
        AnotarAlto(reinterpret_cast<const unsigned char*>(p), FHecho, n);
    }
    if (FUsados > 0 && FInicios[FUsados - 1] == quint32(n))
        --FUsados;
    if (n > 0 && p[n - 1] == '\r')
        FSueltos = true;
    FInicios.resize(FUsados);
    if (FInicios.capacity() - FInicios.size() > FInicios.size() / 4)
        FInicios.shrink_to_fit();
}

void EscanerLineas::Recorrer(const unsigned char* t, qsizetype base, qsizetype trozos) {
    // Every byte of every chunk could start a line.
    const size_t necesarios = FUsados + size_t(trozos * Trozo);
    if (FInicios.size() < necesarios)
        FInicios.resize(std::max(necesarios, 2 * FInicios.size()));
    Pasada p{FLfPrevio, FCrPrevio, 0, FInicios.data() + FUsados, FMinimo, FAlto};
    FNucleo(p, t, base, trozos);
    FLfPrevio = p.lfPrevio;
    FCrPrevio = p.crPrevio;
    FSueltos = FSueltos || p.sueltos != 0;
    FUsados = size_t(p.out - FInicios.data());
    FMinimo = p.minimo;
    FAlto = p.alto;
}

// Where the first byte beyond ASCII is, once one has been seen in p[desde..hasta).
void EscanerLineas::AnotarAlto(const unsigned char* p, qsizetype desde, qsizetype hasta) {
    if (FPrimerAlto >= 0 || FAlto < 0x80)
        return;
    FPrimerAlto = std::find_if(p + desde, p + hasta, [](unsigned char c) { return c >= 0x80; }) - p;
}

// Room for the line starts of the whole file, judged by its first bytes.
void EscanerLineas::Prever() {
    FEstimado = true;
    if (FPrevisto <= FHecho)
        return;
    const double porByte = double(FUsados) / double(FHecho);
    const auto previstas =
        size_t(porByte * double(FPrevisto) * 1.0625) + size_t(Trozo * TrozosPorLlamada);
    if (previstas > FInicios.size())
        FInicios.resize(previstas);
}
