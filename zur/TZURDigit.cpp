// Seven-segment display: setters that repaint on a change, the normalising of Text, and the
// drawing of cells, glyphs and the sunken border with the canvas' pixel rules (a line
// leaves out its end point, a block keeps its left and top edges).
#include "TZURDigit.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>

#include <algorithm>
#include <cstdint>

using namespace Qt::StringLiterals;

namespace {

// The cells are laid out for at least this range; the original table held 32 positions.
constexpr int MinimoDigitos = 1;
constexpr int MaximoDigitos = 32;

template <typename... N> constexpr std::uint16_t Seg(N... n) {
    return std::uint16_t(((1u << (n - 1)) | ...));
}

// One glyph: the character and its twelve segment flags (bit n-1 for segment n).
struct TDato {
    char16_t Caracter;
    std::uint16_t Segmentos;
};

constexpr TDato Glifos[30] = {
    {u'0', Seg(1, 2, 3, 4, 5, 6)},
    {u'1', Seg(2, 3)},
    {u'2', Seg(1, 2, 4, 5, 7)},
    {u'3', Seg(1, 2, 3, 4, 7)},
    {u'4', Seg(2, 3, 6, 7)},
    {u'5', Seg(1, 3, 4, 6, 7)},
    {u'6', Seg(1, 3, 4, 5, 6, 7)},
    {u'7', Seg(1, 2, 3)},
    {u'8', Seg(1, 2, 3, 4, 5, 6, 7)},
    {u'9', Seg(1, 2, 3, 4, 6, 7)},
    {u':', Seg(10, 11)},
    {u'.', Seg(12)},
    {u',', Seg(12)},
    {u'+', Seg(7, 8, 9)},
    {u'-', Seg(7)},
    {u'A', Seg(1, 2, 3, 5, 6, 7)},
    {u'B', Seg(3, 4, 5, 6, 7)},
    {u'C', Seg(1, 4, 5, 6)},
    {u'D', Seg(2, 3, 4, 5, 7)},
    {u'E', Seg(1, 4, 5, 6, 7)},
    {u'F', Seg(1, 5, 6, 7)},
    {u'I', Seg(2, 3)},
    {u'H', Seg(2, 3, 5, 6, 7)},
    {u'L', Seg(4, 5, 6)},
    {u'O', Seg(3, 4, 5, 7)},
    {u'P', Seg(1, 2, 5, 6, 7)},
    {u'R', Seg(5, 7)},
    {u'S', Seg(1, 3, 4, 6, 7)},
    {u'T', Seg(4, 5, 6, 7)},
    {u'U', Seg(2, 3, 4, 5, 6)},
};

std::uint16_t SegmentosDe(QChar c) {
    for (const TDato& g : Glifos)
        if (g.Caracter == c.unicode())
            return g.Segmentos;
    return 0;
}

bool Recortable(QChar c) {
    return c.unicode() <= u' ' || c.category() == QChar::Other_Control;
}

// Upper case without leading and trailing spaces and control characters.
QString Recortado(const QString& texto) {
    const QString t = texto.toUpper();
    qsizetype i = 0, j = t.size();
    while (i < j && Recortable(t.at(i)))
        ++i;
    while (j > i && Recortable(t.at(j - 1)))
        --j;
    return t.mid(i, j - i);
}

// The canvas has no alpha: a translucent colour would blend with whatever was there.
QColor Opaco(QColor c) {
    c.setAlpha(255);
    return c;
}

// Line from (x1, y1) to (x2, y2) without the end point; only level or upright ones occur.
void Linea(QPainter& p, const QColor& c, int x1, int y1, int x2, int y2) {
    if (y1 == y2) {
        if (x2 > x1)
            p.fillRect(x1, y1, x2 - x1, 1, c);
        else if (x2 < x1)
            p.fillRect(x2 + 1, y1, x1 - x2, 1, c);
    } else if (x1 == x2) {
        if (y2 > y1)
            p.fillRect(x1, y1, 1, y2 - y1, c);
        else
            p.fillRect(x1, y2 + 1, 1, y1 - y2, c);
    }
}

// Block with its left and top edges, without its right and bottom ones.
void Bloque(QPainter& p, const QColor& c, int x1, int y1, int x2, int y2) {
    if (x2 > x1 && y2 > y1)
        p.fillRect(x1, y1, x2 - x1, y2 - y1, c);
}

} // namespace

TZURDigit::TZURDigit(QWidget* parent)
    : QWidget(parent), FText(u"9AF+-:.,"_s), FColor(palette().color(QPalette::Button)),
      FFontColor(Qt::black) {
    // Every paint covers the whole control, so Qt need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(125, 25);
    setAccessibleName(Recortado(FText));
}

void TZURDigit::setAlignment(TAlignment v) {
    if (v == FAlignment)
        return;
    FAlignment = v;
    Pintar();
}

void TZURDigit::setBorder(bool v) {
    if (v == FBorder)
        return;
    FBorder = v;
    Pintar();
}

void TZURDigit::setText(const QString& v) {
    if (v == FText)
        return;
    FText = v;
    // Screen readers get what the cells show, without the padding.
    setAccessibleName(Recortado(FText));
    Pintar();
}

void TZURDigit::setColor(const QColor& v) {
    if (v == FColor)
        return;
    FColor = v;
    Pintar();
}

void TZURDigit::setFontColor(const QColor& v) {
    if (v == FFontColor)
        return;
    FFontColor = v;
    Pintar();
}

void TZURDigit::setSegmentWidth(int v) {
    if (v == FSegmentWidth)
        return;
    FSegmentWidth = v;
    Pintar();
}

void TZURDigit::setTopSpace(int v) {
    if (v == FTopSpace)
        return;
    FTopSpace = v;
    Pintar();
}

void TZURDigit::setLeftSpace(int v) {
    if (v == FLeftSpace)
        return;
    FLeftSpace = v;
    Pintar();
}

void TZURDigit::setInterSpace(int v) {
    if (v == FInterSpace)
        return;
    FInterSpace = v;
    Pintar();
}

void TZURDigit::setNumDigits(int v) {
    v = std::clamp(v, MinimoDigitos, MaximoDigitos);
    if (v == FNumDigits)
        return;
    FNumDigits = v;
    Pintar();
}

void TZURDigit::Pintar() {
    // A hidden display keeps its text as given and paints nothing. A visible one normalises
    // its text now, as the paint would, and is painted with the next frame: a burst of keys
    // faster than the screen costs one paint, not one per change.
    if (!isVisible())
        return;
    NormalizarTexto();
    update();
}

void TZURDigit::paintEvent(QPaintEvent*) {
    QPainter lienzo(this);
    Dibujar(lienzo);
}

void TZURDigit::NormalizarTexto() {
    QString t = Recortado(FText);
    const qsizetype falta = FNumDigits - t.size();
    if (falta > 0) {
        if (FAlignment == taRightJustify)
            t.prepend(QString(falta, u' '));
        else if (FAlignment == taCenter)
            t.prepend(QString(falta / 2, u' '));
    }
    FText = t;
}

void TZURDigit::Dibujar(QPainter& lienzo) {
    NormalizarTexto();
    const int W = width();
    const int H = height();
    const QColor fondo = Opaco(FColor);
    lienzo.setRenderHint(QPainter::Antialiasing, false);
    lienzo.fillRect(0, 0, W, H, fondo);

    // A negative margin would only make the strip larger than the control.
    const int margenX = std::max(0, FLeftSpace);
    const int margenY = std::max(0, FTopSpace);
    const qint64 bw = qint64(W) - 2 * qint64(margenX);
    const qint64 bh = qint64(H) - 2 * qint64(margenY);
    if (bw > 0 && bh > 0) {
        QImage mapa(int(bw), int(bh), QImage::Format_RGB32);
        mapa.fill(fondo);
        // A text longer than the cells gets narrower cells, one per character, so nothing
        // is drawn over another character and nothing is dropped.
        const qint64 n = std::max<qint64>(FNumDigits, FText.size());
        const qint64 entre = std::clamp<qint64>(FInterSpace, 0, bw);
        const qint64 w = (bw - (n - 1) * entre) / n;
        if (w > 0) {
            QPainter p(&mapa);
            for (qsizetype i = 0; i < FText.size(); ++i) {
                const qint64 x = i * entre + i * w;
                if (x >= bw)
                    break;
                DibujarCaracter(p, int(x), 0, int(w), int(bh), FText.at(i));
            }
        }
        lienzo.drawImage(margenX, margenY, mapa);
    }

    if (FBorder) {
        const int W1 = W - 1;
        const int H1 = H - 1;
        const QColor gris(128, 128, 128), blanco(255, 255, 255), negro(0, 0, 0),
            plata(192, 192, 192);
        Linea(lienzo, gris, 0, H1 - 1, 0, 0);
        Linea(lienzo, gris, 0, 0, W1, 0);
        Linea(lienzo, blanco, W1, 0, W1, H1);
        Linea(lienzo, blanco, W1, H1, 0, H1);
        Linea(lienzo, negro, 1, H1 - 1, 1, 1);
        Linea(lienzo, negro, 1, 1, W1 - 1, 1);
        Linea(lienzo, plata, W1 - 1, 1, W1 - 1, H1 - 1);
        Linea(lienzo, plata, W1 - 1, H1 - 1, 1, H1 - 1);
    }
}

void TZURDigit::DibujarCaracter(QPainter& lienzo, int x0, int y0, int w, int h, QChar c) const {
    const std::uint16_t seg = SegmentosDe(c);
    if (seg == 0)
        return;
    const auto on = [seg](int n) { return (seg & (1u << (n - 1))) != 0; };
    const QColor tinta = Opaco(FFontColor);

    // Rows and columns beyond the cell's own size would only spill over the neighbours;
    // the cap keeps an absurd SegmentWidth from drawing for ever.
    const int S = std::clamp(FSegmentWidth, 0, std::max(0, w) + std::max(0, h) + 2);
    const int R = x0 + w;
    const int B = y0 + h;
    const int M = B / 2;
    const int half = S / 2;
    const int cw = w / 2;
    const int e = w / 8;
    const int f = h / 8;
    const bool par = S % 2 == 0;
    const auto L = [&](int xa, int ya, int xb, int yb) { Linea(lienzo, tinta, xa, ya, xb, yb); };

    if (on(1))
        for (int k = 1; k <= S; ++k)
            L(x0 + k, y0 + k - 1, R - k, y0 + k - 1);
    if (on(2))
        for (int k = 1; k <= S; ++k)
            L(R - k, y0 + k + 1, R - k, M - k);
    if (on(3))
        for (int k = 1; k <= S; ++k)
            L(R - k, M + k + 1, R - k, B - k - 1);
    if (on(4))
        for (int k = 1; k <= S; ++k)
            L(x0 + k, B - k, R - k, B - k);
    if (on(5))
        for (int k = 1; k <= S; ++k)
            L(x0 + k - 1, M + k + 1, x0 + k - 1, B - k - 1);
    if (on(6))
        for (int k = 1; k <= S; ++k)
            L(x0 + k - 1, y0 + k + 1, x0 + k - 1, M - k);
    if (on(7)) {
        L(x0 + 1, M, R - 1, M);
        for (int k = 1; k <= half; ++k) {
            L(x0 + k + 1, M - k, R - k - 1, M - k);
            if (!(k == half && par))
                L(x0 + k + 1, M + k, R - k - 1, M + k);
        }
    }
    if (on(8)) {
        L(x0 + cw, M, x0 + cw, M - cw);
        for (int k = 1; k <= half; ++k) {
            L(x0 + cw - k, M, x0 + cw - k, M - cw + k);
            if (!(k == half && par))
                L(x0 + cw + k, M, x0 + cw + k, M - cw + k);
        }
    }
    if (on(9)) {
        L(x0 + cw, M, x0 + cw, M + cw);
        for (int k = 1; k <= half; ++k) {
            L(x0 + cw - k, M, x0 + cw - k, M + cw - k);
            if (!(k == half && par))
                L(x0 + cw + k, M, x0 + cw + k, M + cw - k);
        }
    }
    if (on(10))
        Bloque(lienzo, tinta, x0 + 4 * e, y0 + 2 * f, x0 + 4 * e + S, y0 + 2 * f + S);
    if (on(11))
        Bloque(lienzo, tinta, x0 + 4 * e, y0 + 6 * f, x0 + 4 * e + S, y0 + 6 * f + S);
    if (on(12))
        Bloque(lienzo, tinta, x0 + 3 * e, B - S, x0 + 3 * e + S, B);
    if (c == u',')
        Bloque(lienzo, tinta, x0 + 3 * e + S, B - 3 * S, x0 + 3 * e + 2 * S, B - S);
}
