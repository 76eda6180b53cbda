// A real spin box that takes any number typed into it and brings it into its range when the
// entry ends ("30" becomes the maximum), instead of refusing the keys that leave the range.
#pragma once

#include <QDoubleSpinBox>

class CajaRealAcotada final : public QDoubleSpinBox {
    Q_OBJECT
public:
    explicit CajaRealAcotada(QWidget* parent = nullptr);

    QValidator::State validate(QString& texto, int& posicion) const override;
    void fixup(QString& texto) const override;

private:
    // The number a text holds in the box's locale, or false when it holds none.
    bool Numero(const QString& texto, double* valor) const;
};
