// The numeric edit box of the financial dialogs: a line edit for a real or a whole number
// with a key filter, a `Value` that follows its text, and a button at its right end that
// opens the drop-down calculator.
#pragma once

#include <QLineEdit>

class QToolButton;

enum TValueType { vtFloat, vtInteger };

class TSkinCalcEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TSkinCalcEdit(QWidget* padre = nullptr);

    double Value() const { return FValue; }
    // Brings the value within the bounds and writes it as text (see TextoValor).
    void setValue(double v);
    TValueType ValueType() const { return FValueType; }
    void setValueType(TValueType v);
    int Precision() const { return FPrecision; }
    void setPrecision(int v);
    int Decimal() const { return FDecimal; }
    void setDecimal(int v);
    double MinValue() const { return FMinValue; }
    void setMinValue(double v);
    double MaxValue() const { return FMaxValue; }
    void setMaxValue(double v);

    QToolButton* BotonDesplegar() const { return FBoton; }

    // Within MinValue..MaxValue when the two differ.
    double Acotar(double v) const;
    // Whether `texto` is a number the box accepts as its value (not empty, not a lone "-",
    // digits, one leading "-", and in a real box one "," that is not first).
    static bool TextoValido(const QString& texto, TValueType tipo);
    // The text a value is written as: a real box in fixed notation with `decimales`
    // decimals after rounding to 15 significant digits, decimal comma and no thousands
    // separator ("7,00"); a whole-number box rounded to the nearest whole number ("7").
    static QString TextoValor(double v, TValueType tipo, int decimales);

Q_SIGNALS:
    // The drop-down button was pressed.
    void BotonPulsado();
    // A key was refused (and the beep sounded).
    void TeclaRechazada();

protected:
    void keyPressEvent(QKeyEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;

private:
    void TextoCambiado(const QString& texto);
    void Rechazar(QKeyEvent* evento);
    // Whether `c` already appears in the text outside the selection the key would replace.
    bool YaContiene(QChar c) const;

    double FValue = 0;
    TValueType FValueType = vtFloat;
    int FPrecision = 15;
    int FDecimal = 2;
    double FMinValue = 0;
    double FMaxValue = 0;
    QToolButton* FBoton;
};
