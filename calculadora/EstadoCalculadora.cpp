// The pocket calculator's keypad logic: strictly left to right, in double, with the display
// text as the one place a number lives while it is typed.
#include "EstadoCalculadora.h"

#include "FormatoNumero.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

using namespace Qt::StringLiterals;

namespace {

bool EsOperador(QChar c) {
    return c == QLatin1Char('+') || c == QLatin1Char('-') || c == QLatin1Char('*') ||
           c == QLatin1Char('/');
}

} // namespace

QString EstadoCalculadora::TextoValor(double valor, int digitos) {
    digitos = std::clamp(digitos, PrecisionMinima, PrecisionMaxima);
    return QString::fromStdString(TextoGeneral(static_cast<long double>(valor), digitos));
}

bool EstadoCalculadora::LeerTexto(const QString& texto, double* valor) {
    std::string s = texto.trimmed().toStdString();
    std::replace(s.begin(), s.end(), ',', '.');
    if (s.empty())
        return false;
    double v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size() || !std::isfinite(v))
        return false;
    *valor = v;
    return true;
}

double EstadoCalculadora::ValorPantalla() const {
    if (FEstado == Estado::Error)
        return 0;
    double v = 0;
    return LeerTexto(FTexto, &v) ? v : 0;
}

QString EstadoCalculadora::IndicadorMemoria() const {
    return FMemoria != 0 ? u"M"_s : QString();
}

void EstadoCalculadora::setMemoria(double valor) {
    FMemoria = std::isfinite(valor) ? valor : 0;
}

void EstadoCalculadora::setPrecision(int digitos) {
    FPrecision = std::clamp(digitos, PrecisionMinima, PrecisionMaxima);
}

// A result too large for a double is an error like a division by 0, never "ERROR" or "inf"
// left on the display as if it were a number.
void EstadoCalculadora::Mostrar(double valor) {
    if (!std::isfinite(valor)) {
        PonerError();
        return;
    }
    const QString texto = TextoValor(valor, FPrecision);
    if (texto != FTexto)
        FTexto = texto;
}

void EstadoCalculadora::EmpezarNumero() {
    if (FEstado == Estado::Listo) {
        FEstado = Estado::Introduciendo;
        FTexto = u"0"_s;
    }
}

void EstadoCalculadora::PonerError() {
    FEstado = Estado::Error;
    FTexto = u"Error"_s;
}

void EstadoCalculadora::Tecla(TeclaCalculadora tecla) {
    if (FEstado == Estado::Error && tecla != TeclaCalculadora::Limpiar)
        return;

    const QChar coma = QLatin1Char(',');
    const QChar exponente = QLatin1Char('E');
    const QChar menos = QLatin1Char('-');

    switch (tecla) {
    case TeclaCalculadora::Coma:
        EmpezarNumero();
        // "1E20," would be no number at all.
        if (!FTexto.contains(coma) && !FTexto.contains(exponente))
            FTexto += coma;
        return;
    case TeclaCalculadora::Retroceso:
        EmpezarNumero();
        if (FTexto.size() == 1 || (FTexto.size() == 2 && FTexto.startsWith(menos))) {
            FTexto = u"0"_s;
        } else {
            FTexto.chop(1);
            // Deleting into an exponent must not leave a dangling "E" or "E-".
            if (FTexto.endsWith(u"E-"_s))
                FTexto.chop(2);
            else if (FTexto.endsWith(exponente))
                FTexto.chop(1);
        }
        return;
    case TeclaCalculadora::CambioSigno:
        Mostrar(-ValorPantalla());
        return;
    case TeclaCalculadora::Raiz: {
        FEstado = Estado::Listo;
        const double v = ValorPantalla();
        if (v < 0)
            PonerError();
        else
            Mostrar(std::sqrt(v));
        return;
    }
    case TeclaCalculadora::Reciproco: {
        FEstado = Estado::Listo;
        const double v = ValorPantalla();
        if (v == 0)
            PonerError();
        else
            Mostrar(1 / v);
        return;
    }
    case TeclaCalculadora::Limpiar:
        FEstado = Estado::Listo;
        Mostrar(0);
        FPendiente = QLatin1Char('=');
        return;
    case TeclaCalculadora::Dividir:
        Operador(QLatin1Char('/'));
        return;
    case TeclaCalculadora::Multiplicar:
        Operador(QLatin1Char('*'));
        return;
    case TeclaCalculadora::Restar:
        Operador(menos);
        return;
    case TeclaCalculadora::Sumar:
        Operador(QLatin1Char('+'));
        return;
    case TeclaCalculadora::Porcentaje:
        Operador(QLatin1Char('%'));
        return;
    case TeclaCalculadora::Igual:
        Operador(QLatin1Char('='));
        return;
    default:
        break;
    }

    // A digit.
    const int digito = static_cast<int>(tecla) - static_cast<int>(TeclaCalculadora::Cero);
    EmpezarNumero();
    if (FTexto == u"0"_s)
        FTexto.clear();
    if (FTexto.contains(exponente))
        return;
    const int limite = FPrecision + (FTexto.contains(menos) ? 1 : 0);
    if (FTexto.size() < limite)
        FTexto += QChar(u'0' + digito);
}

void EstadoCalculadora::Operador(QChar tecla) {
    if (FEstado == Estado::Introduciendo) {
        FEstado = Estado::Listo;
        double r = ValorPantalla();
        if (tecla == QLatin1Char('%')) {
            if (FPendiente == QLatin1Char('*') || FPendiente == QLatin1Char('/'))
                r = r / 100;
            else if (FPendiente == QLatin1Char('+') || FPendiente == QLatin1Char('-'))
                r = FOperando * r / 100;
        }
        if (EsOperador(FPendiente)) {
            switch (FPendiente.unicode()) {
            case u'+':
                Mostrar(FOperando + r);
                break;
            case u'-':
                Mostrar(FOperando - r);
                break;
            case u'*':
                Mostrar(FOperando * r);
                break;
            default:
                if (r == 0)
                    PonerError();
                else
                    Mostrar(FOperando / r);
                break;
            }
        }
    }
    FPendiente = tecla;
    FOperando = ValorPantalla();
}

void EstadoCalculadora::MemoriaSumar() {
    if (FEstado == Estado::Error)
        return;
    FEstado = Estado::Listo;
    const double suma = FMemoria + ValorPantalla();
    if (!std::isfinite(suma)) {
        PonerError(); // the memory keeps the last sum it could hold
        return;
    }
    FMemoria = suma;
}

void EstadoCalculadora::MemoriaGuardar() {
    if (FEstado == Estado::Error)
        return;
    FEstado = Estado::Listo;
    FMemoria = ValorPantalla();
}

void EstadoCalculadora::MemoriaLeer() {
    if (FEstado == Estado::Error)
        return;
    FEstado = Estado::Listo;
    EmpezarNumero();
    Mostrar(FMemoria);
}

void EstadoCalculadora::MemoriaBorrar() {
    FMemoria = 0;
}

bool EstadoCalculadora::Aceptar() {
    if (FEstado == Estado::Error)
        return false;
    Tecla(TeclaCalculadora::Igual);
    // "5 / 0" then accept: the error stays on view instead of a silent 0 in the box.
    if (FEstado == Estado::Error)
        return false;
    Mostrar(ValorPantalla());
    return true;
}

void EstadoCalculadora::MostrarValorInicial(double valor) {
    FEstado = Estado::Listo;
    Mostrar(valor);
    FPendiente = QLatin1Char('=');
}
