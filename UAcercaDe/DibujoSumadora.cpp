// Paints the printing calculator of the About box: a paper roll whose tape carries a
// printed sum, the machine's body with its display and keys, on a soft backdrop.
#include "DibujoSumadora.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

using namespace Qt::StringLiterals;

namespace {

void Tecla(QPainter& p, const QRectF& r, const QColor& color, const QString& texto) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, color.lighter(135));
    g.setColorAt(0.55, color);
    g.setColorAt(1, color.darker(130));
    p.setPen(QPen(color.darker(170), 1.2));
    p.setBrush(g);
    p.drawRoundedRect(r, 4, 4);
    QFont f(u"Arial"_s);
    f.setPixelSize(int(r.height() * 0.48));
    f.setBold(true);
    p.setFont(f);
    p.setPen(color.lightness() > 150 ? QColor(40, 40, 40) : QColor(245, 245, 245));
    p.drawText(r, Qt::AlignCenter, texto);
}

} // namespace

QImage DibujoSumadora(QSize tamano) {
    const double W = 328;
    const double H = 628;
    QImage imagen(tamano, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&imagen);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(tamano.width() / W, tamano.height() / H);

    // Backdrop.
    QLinearGradient fondo(0, 0, 0, H);
    fondo.setColorAt(0, QColor(210, 222, 236));
    fondo.setColorAt(1, QColor(150, 172, 198));
    p.fillRect(QRectF(0, 0, W, H), fondo);

    // Paper roll and its holder.
    p.setPen(QPen(QColor(90, 96, 104), 3));
    p.setBrush(QColor(120, 126, 134));
    p.drawRoundedRect(QRectF(92, 40, 144, 14), 6, 6);
    QLinearGradient rollo(0, 56, 0, 130);
    rollo.setColorAt(0, QColor(255, 255, 250));
    rollo.setColorAt(0.5, QColor(236, 234, 224));
    rollo.setColorAt(1, QColor(206, 203, 190));
    p.setPen(QPen(QColor(160, 156, 140), 1.5));
    p.setBrush(rollo);
    p.drawRoundedRect(QRectF(76, 56, 176, 74), 30, 30);
    p.setBrush(QColor(180, 176, 160));
    p.drawEllipse(QPointF(164, 93), 12, 12);

    // Tape coming out of the machine, with a printed sum.
    QPainterPath cinta;
    cinta.moveTo(104, 300);
    cinta.lineTo(104, 120);
    cinta.cubicTo(104, 104, 224, 104, 224, 120);
    cinta.lineTo(224, 300);
    cinta.closeSubpath();
    p.setPen(QPen(QColor(170, 166, 150), 1.2));
    p.setBrush(QColor(253, 252, 246));
    p.drawPath(cinta);
    QFont mono(u"Courier New"_s);
    mono.setPixelSize(15);
    mono.setBold(true);
    p.setFont(mono);
    const char* lineas[][2] = {
        {"125,50", "+"}, {"37,25", "+"}, {"1.000,00", "+"}, {"", ""}, {"1.162,75", "T"}};
    double y = 148;
    for (const auto& l : lineas) {
        p.setPen(l[1][0] == 'T' ? QColor(190, 30, 30) : QColor(40, 40, 48));
        if (l[0][0] == 0) {
            p.setPen(QPen(QColor(90, 90, 96), 1, Qt::DashLine));
            p.drawLine(QPointF(114, y - 6), QPointF(214, y - 6));
        } else {
            p.drawText(QRectF(108, y - 15, 92, 20), Qt::AlignRight | Qt::AlignVCenter,
                       QString::fromLatin1(l[0]));
            p.drawText(QRectF(202, y - 15, 16, 20), Qt::AlignLeft | Qt::AlignVCenter,
                       QString::fromLatin1(l[1]));
        }
        y += 26;
    }

    // Body of the machine.
    QPainterPath cuerpo;
    cuerpo.moveTo(40, 300);
    cuerpo.lineTo(288, 300);
    cuerpo.lineTo(312, 596);
    cuerpo.quadTo(312, 612, 296, 612);
    cuerpo.lineTo(32, 612);
    cuerpo.quadTo(16, 612, 16, 596);
    cuerpo.closeSubpath();
    QLinearGradient metal(0, 300, 0, 612);
    metal.setColorAt(0, QColor(96, 112, 132));
    metal.setColorAt(0.12, QColor(70, 84, 102));
    metal.setColorAt(1, QColor(44, 52, 64));
    p.setPen(QPen(QColor(30, 36, 44), 2));
    p.setBrush(metal);
    p.drawPath(cuerpo);
    // Printer slot.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(24, 28, 34));
    p.drawRoundedRect(QRectF(90, 296, 148, 12), 5, 5);

    // Display.
    QRectF visor(48, 326, 232, 50);
    p.setPen(QPen(QColor(20, 24, 30), 2));
    p.setBrush(QColor(24, 30, 26));
    p.drawRoundedRect(visor, 5, 5);
    QFont cifras(u"DejaVu Sans Mono"_s);
    cifras.setPixelSize(30);
    cifras.setBold(true);
    p.setFont(cifras);
    p.setPen(QColor(120, 255, 140));
    p.drawText(visor.adjusted(8, 0, -10, 0), Qt::AlignRight | Qt::AlignVCenter, u"1162.75"_s);

    // Keys: a 4 x 4 block, the operators in colour.
    const char* teclas[4][4] = {
        {"7", "8", "9", "-"}, {"4", "5", "6", "+"}, {"1", "2", "3", "T"}, {"0", "00", ",", "="}};
    for (int f = 0; f < 4; ++f)
        for (int c = 0; c < 4; ++c) {
            const double x = 46 + c * 60 - f * 2;
            const double ancho = 52 + f * 1.0;
            const QRectF r(x, 396 + f * 52, ancho, 42);
            QColor color(226, 224, 216);
            if (c == 3)
                color = f == 2 ? QColor(200, 60, 50) : QColor(236, 150, 40);
            Tecla(p, r, color, QString::fromLatin1(teclas[f][c]));
        }

    // Soft highlight across the top of the body.
    QRadialGradient brillo(QPointF(120, 320), 200);
    brillo.setColorAt(0, QColor(255, 255, 255, 40));
    brillo.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(brillo);
    p.drawPath(cuerpo);
    return imagen;
}
