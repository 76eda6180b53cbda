// The financial formulas and the loan schedule, free of any widget. All in long double.
#pragma once

#include "TablaCsv.h"

#include <QString>
#include <QStringList>

#include <vector>

// Longest loan the schedule is written for: 12 000 rows.
constexpr int AniosMaximos = 1000;

struct ResultadoInteresSimple {
    long double CapitalFinal;
    long double Intereses;
};

// Capital C lent for N periods at the rate R (a fraction) per period, without compounding.
// Throws the arithmetic error when a result is not finite.
ResultadoInteresSimple InteresSimple(long double C, long double N, long double R);

// The term of a loan typed in years: a whole number written in decimal, within
// -AniosMaximos..AniosMaximos. Throws a Spanish ErrorSumadora otherwise.
int AniosPrestamo(const QString& texto);

// Monthly payment of a loan P at the annual nominal rate A (in percent) over Y years, French
// method. Throws the arithmetic error when it is not finite.
long double CuotaPrestamo(long double P, long double A, int Y);

// One month of the schedule: what is paid, how it splits, and the capital still owed after it.
struct FilaPrestamo {
    int Periodo;
    long double Cuota;
    long double Intereses;
    long double Amortizacion;
    long double Pendiente;
};

// The n = 12 Y months of that loan (none for Y <= 0), each computed afresh from the closed
// forms. Throws the arithmetic error when an amount is not finite.
std::vector<FilaPrestamo> FilasPrestamo(long double P, long double A, int Y);

// The schedule as a spreadsheet: period, payment, interest, amortisation and capital
// outstanding, in cents as the report shows them.
TablaCsv CsvPrestamo(long double P, long double A, int Y);

// The report lines of that loan, headings, one row per month and the interest paid;
// `textoCuota` is the payment as its register shows it. Every row is computed afresh from the
// closed forms. Throws the arithmetic error, before returning anything, when an amount is not
// finite.
QStringList InformePrestamo(long double P, long double A, int Y, const QString& textoCuota);
