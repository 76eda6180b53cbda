// Numeric edit box: key filter, value rules and the drop-down button.
#include "TSkinCalcEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QToolButton>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr int AnchoBoton = 17;

// A small calculator-key glyph for the drop-down button, drawn in the button text colour.
class TBotonCalculadora final : public QToolButton {
public:
    explicit TBotonCalculadora(QWidget* padre) : QToolButton(padre) {}

protected:
    void paintEvent(QPaintEvent* evento) override {
        QToolButton::paintEvent(evento);
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QColor color = palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                             QPalette::ButtonText);
        const QPointF c = QRectF(rect()).center() + QPointF(isDown() ? 1 : 0, isDown() ? 1 : 0);
        QPainterPath flecha;
        flecha.moveTo(c.x() - 3.5, c.y() - 1.5);
        flecha.lineTo(c.x() + 3.5, c.y() - 1.5);
        flecha.lineTo(c.x(), c.y() + 2.5);
        flecha.closeSubpath();
        p.fillPath(flecha, color);
    }
};

} // namespace

TSkinCalcEdit::TSkinCalcEdit(QWidget* padre) : QLineEdit(padre) {
    FBoton = new TBotonCalculadora(this);
    FBoton->setObjectName(u"BotonDesplegar"_s);
    FBoton->setCursor(Qt::ArrowCursor);
    FBoton->setFocusPolicy(Qt::NoFocus);
    setTextMargins(0, 0, AnchoBoton, 0);
    connect(FBoton, &QToolButton::clicked, this, &TSkinCalcEdit::BotonPulsado);
    connect(this, &QLineEdit::textChanged, this, &TSkinCalcEdit::TextoCambiado);
    setText(u"0"_s);
}

void TSkinCalcEdit::resizeEvent(QResizeEvent* evento) {
    QLineEdit::resizeEvent(evento);
    const int marco = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const int m = qBound(1, marco, 2);
    FBoton->setGeometry(width() - AnchoBoton - m, m, AnchoBoton, height() - 2 * m);
}

void TSkinCalcEdit::setValueType(TValueType v) {
    if (v == FValueType)
        return;
    FValueType = v;
    TextoCambiado(text());
}

void TSkinCalcEdit::setPrecision(int v) {
    if (v == FPrecision)
        return;
    FPrecision = v;
}

void TSkinCalcEdit::setDecimal(int v) {
    if (v == FDecimal)
        return;
    FDecimal = v;
}

void TSkinCalcEdit::setMinValue(double v) {
    if (v == FMinValue)
        return;
    FMinValue = v;
    FValue = Acotar(FValue);
}

void TSkinCalcEdit::setMaxValue(double v) {
    if (v == FMaxValue)
        return;
    FMaxValue = v;
    FValue = Acotar(FValue);
}

double TSkinCalcEdit::Acotar(double v) const {
    if (FMinValue == FMaxValue)
        return v;
    if (v < FMinValue)
        return FMinValue;
    if (v > FMaxValue)
        return FMaxValue;
    return v;
}

void TSkinCalcEdit::setValue(double v) {
    if (!std::isfinite(v))
        return;
    FValue = Acotar(v);
    const QString texto = TextoValor(FValue, FValueType, FDecimal);
    if (texto != text())
        setText(texto); // and the value follows the text written
    else
        TextoCambiado(texto);
}

bool TSkinCalcEdit::TextoValido(const QString& texto, TValueType tipo) {
    if (texto.isEmpty() || texto == QLatin1String("-"))
        return false;
    int comas = 0;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto[i];
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            continue;
        if (c == QLatin1Char('-') && i == 0)
            continue;
        if (c == QLatin1Char(',') && tipo == vtFloat && i > 0 && ++comas == 1)
            continue;
        return false;
    }
    // "-," and "," hold no digit at all.
    return std::any_of(texto.cbegin(), texto.cend(), [](QChar c) { return c.isDigit(); });
}

void TSkinCalcEdit::TextoCambiado(const QString& texto) {
    if (!TextoValido(texto, FValueType))
        return;
    QString t = texto;
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool correcto = false;
    const double v = t.toDouble(&correcto);
    if (!correcto || !std::isfinite(v))
        return; // hundreds of digits: leave the value as it was
    FValue = Acotar(v);
}

QString TSkinCalcEdit::TextoValor(double v, TValueType tipo, int decimales) {
    if (tipo == vtInteger) {
        const double r = std::round(v);
        return r == 0 ? u"0"_s : QString::number(r, 'f', 0);
    }
    decimales = qBound(0, decimales, 18);
    // 15 significant digits first, then the decimals, both on the decimal digits.
    const QString cientifico = QString::number(std::fabs(v), 'e', 14); // d.dddddddddddddde±XX
    QString cifras = cientifico.left(1) + cientifico.mid(2, 14);
    const int exponente = cientifico.mid(cientifico.indexOf(QLatin1Char('e')) + 1).toInt();
    // Digits before the decimal point: exponente + 1 (may be <= 0).
    int enteras = exponente + 1;
    const int quedan = enteras + decimales; // significant digits kept after rounding
    QString resultado;
    if (quedan < 0) {
        cifras = QString();
    } else if (quedan < cifras.size()) {
        const bool subir = cifras[quedan] >= QLatin1Char('5');
        cifras.truncate(quedan);
        if (subir) {
            int i = int(cifras.size()) - 1;
            while (i >= 0 && cifras[i] == QLatin1Char('9'))
                cifras[i--] = QLatin1Char('0');
            if (i >= 0)
                cifras[i] = QChar(cifras[i].unicode() + 1);
            else {
                cifras.prepend(QLatin1Char('1'));
                ++enteras;
            }
        }
    }
    // Lay the digits out around the decimal point, padding with zeros.
    QString parteEntera;
    QString parteDecimal;
    for (int i = 0; i < enteras; ++i)
        parteEntera += i < cifras.size() ? cifras[i] : QLatin1Char('0');
    if (parteEntera.isEmpty())
        parteEntera = u"0"_s;
    for (int i = 0; i < decimales; ++i) {
        const int pos = enteras + i;
        parteDecimal += (pos >= 0 && pos < cifras.size()) ? cifras[pos] : QLatin1Char('0');
    }
    resultado = parteEntera;
    if (decimales > 0)
        resultado += QLatin1Char(',') + parteDecimal;
    const bool cero = std::all_of(resultado.cbegin(), resultado.cend(), [](QChar c) {
        return c == QLatin1Char('0') || c == QLatin1Char(',');
    });
    if (v < 0 && !cero)
        resultado.prepend(QLatin1Char('-'));
    return resultado;
}

bool TSkinCalcEdit::YaContiene(QChar c) const {
    const QString t = text();
    if (!hasSelectedText())
        return t.contains(c);
    const int inicio = selectionStart();
    const int largo = int(selectedText().size());
    return t.left(inicio).contains(c) || t.mid(inicio + largo).contains(c);
}

void TSkinCalcEdit::Rechazar(QKeyEvent* evento) {
    evento->accept();
    QApplication::beep();
    Q_EMIT TeclaRechazada();
}

void TSkinCalcEdit::keyPressEvent(QKeyEvent* evento) {
    const int tecla = evento->key();
    if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter)
        return Rechazar(evento);
    // Shortcuts (copy, paste, undo...) pass untouched: pasted text is not filtered.
    if (evento->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return QLineEdit::keyPressEvent(evento);
    QString texto = evento->text();
    // The keypad's decimal key means the decimal separator, whatever the layout types.
    if (FValueType == vtFloat && (evento->modifiers() & Qt::KeypadModifier) &&
        (tecla == Qt::Key_Period || tecla == Qt::Key_Comma))
        texto = u","_s;
    if (texto.isEmpty() || !texto[0].isPrint())
        return QLineEdit::keyPressEvent(evento); // Backspace, Delete, arrows, Tab, Esc...
    if (texto.size() != 1)
        return Rechazar(evento);
    const QChar c = texto[0];
    bool aceptada = c.isDigit() && c.unicode() < 128;
    if (c == QLatin1Char('-'))
        aceptada = !YaContiene(c);
    if (c == QLatin1Char(',') && FValueType == vtFloat)
        aceptada = !YaContiene(c);
    if (!aceptada)
        return Rechazar(evento);
    if (texto == evento->text())
        return QLineEdit::keyPressEvent(evento);
    insert(texto);
    evento->accept();
}
