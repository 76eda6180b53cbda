// The pocket calculator's keypad logic: strictly left to right, in double, with the display
// text as the one place a number lives while it is typed.
#include "EstadoCalculadora.h"

#include "FormatoNumero.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

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
    if (Estado_ == Estado::Error)
        return 0;
    double v = 0;
    return LeerTexto(Texto_, &v) ? v : 0;
}

QString EstadoCalculadora::IndicadorMemoria() const {
    return Memoria_ != 0 ? QStringLiteral("M") : QString();
}

void EstadoCalculadora::setMemoria(double valor) {
    Memoria_ = std::isfinite(valor) ? valor : 0;
}

void EstadoCalculadora::setPrecision(int digitos) {
    Precision_ = std::clamp(digitos, PrecisionMinima, PrecisionMaxima);
}

// A result too large for a double is an error like a division by 0, never "ERROR" or "inf"
// left on the display as if it were a number.
void EstadoCalculadora::Mostrar(double valor) {
    if (!std::isfinite(valor)) {
        PonerError();
        return;
    }
    const QString texto = TextoValor(valor, Precision_);
    if (texto != Texto_)
        Texto_ = texto;
}

void EstadoCalculadora::EmpezarNumero() {
    if (Estado_ == Estado::Listo) {
        Estado_ = Estado::Introduciendo;
        Texto_ = QStringLiteral("0");
    }
}

void EstadoCalculadora::PonerError() {
    Estado_ = Estado::Error;
    Texto_ = QStringLiteral("Error");
}

void EstadoCalculadora::Tecla(TeclaCalculadora tecla) {
    if (Estado_ == Estado::Error && tecla != TeclaCalculadora::Limpiar)
        return;

    const QChar coma = QLatin1Char(',');
    const QChar exponente = QLatin1Char('E');
    const QChar menos = QLatin1Char('-');

    switch (tecla) {
    case TeclaCalculadora::Coma:
        EmpezarNumero();
        // "1E20," would be no number at all.
        if (!Texto_.contains(coma) && !Texto_.contains(exponente))
            Texto_ += coma;
        return;
    case TeclaCalculadora::Retroceso:
        EmpezarNumero();
        if (Texto_.size() == 1 || (Texto_.size() == 2 && Texto_.startsWith(menos))) {
            Texto_ = QStringLiteral("0");
        } else {
            Texto_.chop(1);
            // Deleting into an exponent must not leave a dangling "E" or "E-".
            if (Texto_.endsWith(QStringLiteral("E-")))
                Texto_.chop(2);
            else if (Texto_.endsWith(exponente))
                Texto_.chop(1);
        }
        return;
    case TeclaCalculadora::CambioSigno:
        Mostrar(-ValorPantalla());
        return;
    case TeclaCalculadora::Raiz: {
        Estado_ = Estado::Listo;
        const double v = ValorPantalla();
        if (v < 0)
            PonerError();
        else
            Mostrar(std::sqrt(v));
        return;
    }
    case TeclaCalculadora::Reciproco: {
        Estado_ = Estado::Listo;
        const double v = ValorPantalla();
        if (v == 0)
            PonerError();
        else
            Mostrar(1 / v);
        return;
    }
    case TeclaCalculadora::Limpiar:
        Estado_ = Estado::Listo;
        Mostrar(0);
        Pendiente_ = QLatin1Char('=');
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
    if (Texto_ == QStringLiteral("0"))
        Texto_.clear();
    if (Texto_.contains(exponente))
        return;
    const int limite = Precision_ + (Texto_.contains(menos) ? 1 : 0);
    if (Texto_.size() < limite)
        Texto_ += QChar(u'0' + digito);
}

void EstadoCalculadora::Operador(QChar tecla) {
    if (Estado_ == Estado::Introduciendo) {
        Estado_ = Estado::Listo;
        double r = ValorPantalla();
        if (tecla == QLatin1Char('%')) {
            if (Pendiente_ == QLatin1Char('*') || Pendiente_ == QLatin1Char('/'))
                r = r / 100;
            else if (Pendiente_ == QLatin1Char('+') || Pendiente_ == QLatin1Char('-'))
                r = Operando_ * r / 100;
        }
        if (EsOperador(Pendiente_)) {
            switch (Pendiente_.unicode()) {
            case u'+':
                Mostrar(Operando_ + r);
                break;
            case u'-':
                Mostrar(Operando_ - r);
                break;
            case u'*':
                Mostrar(Operando_ * r);
                break;
            default:
                if (r == 0)
                    PonerError();
                else
                    Mostrar(Operando_ / r);
                break;
            }
        }
    }
    Pendiente_ = tecla;
    Operando_ = ValorPantalla();
}

void EstadoCalculadora::MemoriaSumar() {
    if (Estado_ == Estado::Error)
        return;
    Estado_ = Estado::Listo;
    const double suma = Memoria_ + ValorPantalla();
    if (!std::isfinite(suma)) {
        PonerError(); // the memory keeps the last sum it could hold
        return;
    }
    Memoria_ = suma;
}

void EstadoCalculadora::MemoriaGuardar() {
    if (Estado_ == Estado::Error)
        return;
    Estado_ = Estado::Listo;
    Memoria_ = ValorPantalla();
}

void EstadoCalculadora::MemoriaLeer() {
    if (Estado_ == Estado::Error)
        return;
    Estado_ = Estado::Listo;
    EmpezarNumero();
    Mostrar(Memoria_);
}

void EstadoCalculadora::MemoriaBorrar() {
    Memoria_ = 0;
}

bool EstadoCalculadora::Aceptar() {
    if (Estado_ == Estado::Error)
        return false;
    Tecla(TeclaCalculadora::Igual);
    // "5 / 0" then accept: the error stays on view instead of a silent 0 in the box.
    if (Estado_ == Estado::Error)
        return false;
    Mostrar(ValorPantalla());
    return true;
}

void EstadoCalculadora::MostrarValorInicial(double valor) {
    Estado_ = Estado::Listo;
    Mostrar(valor);
    Pendiente_ = QLatin1Char('=');
}
