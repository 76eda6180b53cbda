// The financial formulas and the loan schedule.
#include "CalculosFinancieros.h"

#include "ErrorSumadora.h"
#include "FormatoNumero.h"
#include "FuncionesCientificas.h"

#include <cfloat>
#include <string>

static_assert(LDBL_MANT_DIG == 64, "the amounts are computed in the 80-bit extended format");

using namespace Qt::StringLiterals;

ResultadoInteresSimple InteresSimple(long double C, long double N, long double R) {
    const long double capitalFinal = ComprobarResultado((N * R + 1) * C);
    const long double intereses = ComprobarResultado(C * N * R);
    return {capitalFinal, intereses};
}

int AniosPrestamo(const QString& texto) {
    const QString t = texto.trimmed();
    qsizetype p = (t.startsWith(u'+') || t.startsWith(u'-')) ? 1 : 0;
    bool entero = p < t.size();
    long long valor = 0;
    bool grande = false;
    for (; p < t.size(); ++p) {
        if (t[p] < u'0' || t[p] > u'9') {
            entero = false;
            break;
        }
        valor = valor * 10 + (t[p].unicode() - u'0');
        if (valor > AniosMaximos)
            grande = true, valor = AniosMaximos + 1; // keeps any number of digits in range
    }
    if (!entero)
        throw ErrorSumadora(
            u"«%1» no es un número entero de años: escriba los años sin decimales."_s.arg(t));
    if (grande)
        throw ErrorSumadora(
            u"«%1» años no es un plazo admitido: el plazo no puede pasar de %2 años."_s.arg(t).arg(
                AniosMaximos));
    return t.startsWith(u'-') ? -static_cast<int>(valor) : static_cast<int>(valor);
}

namespace {

// The quantities of one loan, named as in the schedule.
struct Prestamo {
    long double i; // monthly rate, a fraction
    long double s; // accumulation factor
    long double q; // monthly payment
};

Prestamo CalcularPrestamo(long double P, long double A, int Y) {
    const long double n = 12.0L * Y;
    const long double i = A / (12 * 100);
    const long double a = (1 - cientificas::Potencia(1 + i, -n)) / i;
    const long double s = ComprobarResultado((cientificas::Potencia(1 + i, n) - 1) / i);
    return {i, s, ComprobarResultado(P / a)};
}

std::string Linea62(char c) {
    return std::string(62, c);
}

} // namespace

long double CuotaPrestamo(long double P, long double A, int Y) {
    return CalcularPrestamo(P, A, Y).q;
}

std::vector<FilaPrestamo> FilasPrestamo(long double P, long double A, int Y) {
    const Prestamo prestamo = CalcularPrestamo(P, A, Y);
    const int n = 12 * Y;
    std::vector<FilaPrestamo> filas;
    filas.reserve(n > 0 ? static_cast<std::size_t>(n) : 0);
    const long double amortizacionBase = ComprobarResultado(P / prestamo.s);
    long double pendiente = P;
    for (int k = 1; k <= n; ++k) {
        const long double Ak =
            ComprobarResultado(amortizacionBase * cientificas::Potencia(1 + prestamo.i, k - 1));
        const long double Ik = ComprobarResultado(prestamo.q - Ak);
        pendiente = ComprobarResultado(pendiente - Ak);
        filas.push_back({k, prestamo.q, Ik, Ak, pendiente});
    }
    return filas;
}

TablaCsv CsvPrestamo(long double P, long double A, int Y) {
    TablaCsv tabla(
        {u"Periodo"_s, u"Cuota"_s, u"Intereses"_s, u"Amortización"_s, u"Capital pendiente"_s});
    for (const FilaPrestamo& f : FilasPrestamo(P, A, Y))
        tabla.AgregarFila({QString::number(f.Periodo), TablaCsv::NumeroFijo(f.Cuota, 2),
                           TablaCsv::NumeroFijo(f.Intereses, 2),
                           TablaCsv::NumeroFijo(f.Amortizacion, 2),
                           TablaCsv::NumeroFijo(f.Pendiente, 2)});
    return tabla;
}

QStringList InformePrestamo(long double P, long double A, int Y, const QString& textoCuota) {
    const std::vector<FilaPrestamo> filas = FilasPrestamo(P, A, Y);
    const QString regla = QString::fromLatin1(Linea62('-'));

    QStringList lineas;
    lineas.reserve(14 + static_cast<qsizetype>(filas.size()));
    lineas << u"CALCULO DE PRÉSTAMOS."_s << regla
           << u"Capital:       "_s + QString::fromStdString(FormatoN(P, 15, 2)).trimmed()
           << u"Interés anual: "_s + QString::fromStdString(FormatoN(A, 2, 2)) + u" %"_s
           << u"Años:          "_s + QString::number(Y) << u" "_s
           << u"Cuota Mensual: "_s + textoCuota.trimmed() << regla << u" "_s
           << u"Periodo    Amortización         Intereses    Capital Pendiente"_s
           << u"-------    ------------         ---------    -----------------"_s;

    long double total = 0;
    std::string fila;
    for (const FilaPrestamo& f : filas) {
        total = ComprobarResultado(total + f.Intereses);
        fila.assign(1, ' ');
        fila += FormatoD(f.Periodo, 3);
        fila += "    ";
        fila += FormatoN(f.Amortizacion, 15, 2);
        fila += "    ";
        fila += FormatoN(f.Intereses, 14, 2);
        fila += "      ";
        fila += FormatoN(f.Pendiente, 15, 2);
        lineas << QString::fromLatin1(fila.data(), static_cast<qsizetype>(fila.size()));
    }
    lineas << regla
           << u"Intereses pagados:         "_s + QString::fromStdString(FormatoN(total, 14, 2));
    return lineas;
}
