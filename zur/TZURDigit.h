// Seven-segment display: shows a short text, one character per cell, drawn from trapezoid
// bars, dots and a comma tail, inside an optional two-pixel sunken border.
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

class QPainter;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

class TZURDigit : public QWidget {
    Q_OBJECT
public:
    explicit TZURDigit(QWidget* parent = nullptr);

    TAlignment Alignment() const { return FAlignment; }
    void setAlignment(TAlignment v);
    bool Border() const { return FBorder; }
    void setBorder(bool v);
    // After a paint, the normalised text: upper case, trimmed, padded for right/centre.
    const QString& Text() const { return FText; }
    void setText(const QString& v);
    QColor Color() const { return FColor; }
    void setColor(const QColor& v);
    QColor FontColor() const { return FFontColor; }
    void setFontColor(const QColor& v);
    int SegmentWidth() const { return FSegmentWidth; }
    void setSegmentWidth(int v);
    int TopSpace() const { return FTopSpace; }
    void setTopSpace(int v);
    int LeftSpace() const { return FLeftSpace; }
    void setLeftSpace(int v);
    int InterSpace() const { return FInterSpace; }
    void setInterSpace(int v);
    int NumDigits() const { return FNumDigits; }
    // Kept within 1..32; a longer Text still gets one (narrower) cell per character.
    void setNumDigits(int v);

    // Normalises Text and draws the whole control onto `lienzo` at (0, 0), Width x Height.
    // paintEvent calls it; tests call it on an image.
    void Dibujar(QPainter& lienzo);

    // Draws one character into the cell (x0, y0, w, h) with the current FontColor.
    void DibujarCaracter(QPainter& lienzo, int x0, int y0, int w, int h, QChar c) const;

protected:
    void paintEvent(QPaintEvent* evento) override;
    // The immediate repaint every changing setter asks for.
    void Pintar();

private:
    // Upper case, trimmed of spaces and control characters, padded for right/centre.
    void NormalizarTexto();

    TAlignment FAlignment = taLeftJustify;
    bool FBorder = true;
    QString FText;
    QColor FColor;
    QColor FFontColor;
    int FSegmentWidth = 2;
    int FTopSpace = 3;
    int FLeftSpace = 3;
    int FInterSpace = 3;
    int FNumDigits = 8;
};
