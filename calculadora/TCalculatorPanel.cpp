// The drop-down calculator's keypad: the keys laid out from one table, each handing its kind
// to one dispatcher, and the four image keys drawn here rather than taken from any file.
#include "TCalculatorPanel.h"

#include "TCalcButton.h"

#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <iterator>

using namespace Qt::StringLiterals;

namespace {

struct TeclaTabla {
    int kind;
    const char16_t* caption; // nullptr for the image keys
    int left;
    int top;
};

constexpr TeclaTabla kTeclas[] = {
    {1, u"0", 43, 120},     {2, u"1", 43, 92},     {3, u"2", 76, 92},     {4, u"3", 109, 92},
    {5, u"4", 43, 64},      {6, u"5", 76, 64},     {7, u"6", 109, 64},    {8, u"7", 43, 36},
    {9, u"8", 76, 36},      {10, u"9", 109, 36},   {11, u"+/-", 76, 120}, {12, u",", 109, 120},
    {13, u"/", 142, 36},    {14, u"*", 142, 64},   {15, u"-", 142, 92},   {16, u"+", 142, 120},
    {17, u"sqrt", 175, 36}, {18, u"%", 175, 64},   {19, u"1/x", 175, 92}, {20, u"=", 175, 120},
    {21, nullptr, 109, 6},  {22, nullptr, 159, 6}, {23, u"MP", 10, 120},  {24, u"MS", 10, 92},
    {25, u"MR", 10, 64},    {26, u"MC", 10, 36},   {27, nullptr, 43, 6},  {28, nullptr, 76, 6},
};
static_assert(std::size(kTeclas) == TCalculatorPanel::NumeroBotones);

constexpr int kAnchoTecla = 30;
constexpr int kAnchoTeclaAncha = 46; // delete and clear
constexpr int kAltoTecla = 22;

// The image on an image key, drawn on a 16 by 16 grid.
void DibujarImagen(QPainter& p, int kind) {
    p.setRenderHint(QPainter::Antialiasing);
    switch (kind) {
    case TCalculatorPanel::KindAceptar: { // a green tick
        QPen pluma(QColor(0x1e, 0x8c, 0x2a), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        p.setPen(pluma);
        p.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
        break;
    }
    case TCalculatorPanel::KindCancelar: { // a red cross
        QPen pluma(QColor(0xc8, 0x28, 0x28), 2.6, Qt::SolidLine, Qt::RoundCap);
        p.setPen(pluma);
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    }
    case TCalculatorPanel::KindRetroceso: { // a backspace key: a tag pointing left with a cross
        QPainterPath etiqueta;
        etiqueta.moveTo(1, 8);
        etiqueta.lineTo(5.5, 3.5);
        etiqueta.lineTo(15, 3.5);
        etiqueta.lineTo(15, 12.5);
        etiqueta.lineTo(5.5, 12.5);
        etiqueta.closeSubpath();
        p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.2));
        p.setBrush(QColor(0xf4, 0xf4, 0xf4));
        p.drawPath(etiqueta);
        p.setPen(QPen(QColor(0xb0, 0x20, 0x20), 1.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(7.5, 6), QPointF(11.5, 10));
        p.drawLine(QPointF(11.5, 6), QPointF(7.5, 10));
        break;
    }
    case TCalculatorPanel::KindLimpiar: { // an eraser, tilted, its rubber end coloured
        p.translate(8, 8);
        p.rotate(-35);
        p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.1));
        p.setBrush(QColor(0xe8, 0x6a, 0x7a));
        p.drawRect(QRectF(-7, -3.5, 6, 7));
        p.setBrush(QColor(0x5a, 0x8c, 0xd8));
        p.drawRect(QRectF(-1, -3.5, 8, 7));
        break;
    }
    default:
        break;
    }
}

QIcon IconoTecla(int kind) {
    QIcon icono;
    for (int lado : {16, 32}) {
        QPixmap mapa(lado, lado);
        mapa.fill(Qt::transparent);
        QPainter p(&mapa);
        p.scale(lado / 16.0, lado / 16.0);
        DibujarImagen(p, kind);
        p.end();
        icono.addPixmap(mapa);
    }
    return icono;
}

QString PistaTecla(int kind) {
    switch (kind) {
    case TCalculatorPanel::KindAceptar:
        return u"Aceptar"_s;
    case TCalculatorPanel::KindCancelar:
        return u"Cancelar"_s;
    case TCalculatorPanel::KindRetroceso:
        return u"Borrar la última cifra"_s;
    case TCalculatorPanel::KindLimpiar:
        return u"Borrar todo"_s;
    case TCalculatorPanel::KindMP:
        return u"Sumar a la memoria"_s;
    case TCalculatorPanel::KindMS:
        return u"Guardar en la memoria"_s;
    case TCalculatorPanel::KindMR:
        return u"Recuperar la memoria"_s;
    case TCalculatorPanel::KindMC:
        return u"Borrar la memoria"_s;
    default:
        return QString();
    }
}

} // namespace

TCalculatorPanel::TCalculatorPanel(QWidget* padre) : QWidget(padre) {
    setFixedSize(Ancho, Alto);
    FTextoMostrado = FEstado.Texto();

    FIndicador = new QLabel(this);
    FIndicador->setObjectName(u"IndicadorMemoria"_s);
    FIndicador->setGeometry(6, 7, 34, 20);
    FIndicador->setAlignment(Qt::AlignCenter);

    for (const TeclaTabla& t : kTeclas) {
        auto* boton = new TCalcButton(t.kind, this);
        const bool ancha = t.kind == KindRetroceso || t.kind == KindLimpiar;
        boton->setGeometry(t.left, t.top, ancha ? kAnchoTeclaAncha : kAnchoTecla, kAltoTecla);
        if (t.caption) {
            boton->setText(QString::fromUtf16(t.caption));
        } else {
            boton->setIcon(IconoTecla(t.kind));
            boton->setIconSize(QSize(16, 16));
        }
        boton->setToolTip(PistaTecla(t.kind));
        FBotones[size_t(t.kind - 1)] = boton;
        connect(boton, &TCalcButton::clicked, this, [this, boton] { Pulsar(boton->Kind()); });
    }
}

TCalcButton* TCalculatorPanel::Boton(int kind) const {
    return kind >= 1 && kind <= NumeroBotones ? FBotones[size_t(kind - 1)] : nullptr;
}

CableadoBotones TCalculatorPanel::Cableado() const {
    return {QList<QAbstractButton*>(FBotones.begin(), FBotones.end()), {}};
}

void TCalculatorPanel::Pulsar(int kind) {
    switch (kind) {
    case KindMP:
        FEstado.MemoriaSumar();
        break;
    case KindMS:
        FEstado.MemoriaGuardar();
        break;
    case KindMR:
        FEstado.MemoriaLeer();
        break;
    case KindMC:
        FEstado.MemoriaBorrar();
        break;
    case KindAceptar: {
        const bool aceptar = FEstado.Aceptar();
        Refrescar();
        if (aceptar)
            Q_EMIT Aceptado();
        return;
    }
    case KindCancelar:
        Q_EMIT Cancelado();
        return;
    default: {
        static constexpr TeclaCalculadora kPorKind[] = {
            TeclaCalculadora::CambioSigno, TeclaCalculadora::Coma,
            TeclaCalculadora::Dividir,     TeclaCalculadora::Multiplicar,
            TeclaCalculadora::Restar,      TeclaCalculadora::Sumar,
            TeclaCalculadora::Raiz,        TeclaCalculadora::Porcentaje,
            TeclaCalculadora::Reciproco,   TeclaCalculadora::Igual,
            TeclaCalculadora::Retroceso,   TeclaCalculadora::Limpiar,
        };
        if (kind >= 1 && kind <= 10)
            FEstado.Tecla(
                static_cast<TeclaCalculadora>(static_cast<int>(TeclaCalculadora::Cero) + kind - 1));
        else if (kind >= KindSigno && kind <= KindLimpiar)
            FEstado.Tecla(kPorKind[kind - KindSigno]);
        else
            return;
        break;
    }
    }
    Refrescar();
}

void TCalculatorPanel::PrepararApertura(double memoria, int precision, double valorCaja) {
    FEstado.setMemoria(memoria);
    FEstado.setPrecision(precision);
    if (valorCaja != 0)
        FEstado.MostrarValorInicial(valorCaja);
    Refrescar();
}

void TCalculatorPanel::Refrescar() {
    const QString indicador = FEstado.IndicadorMemoria();
    if (FIndicador->text() != indicador)
        FIndicador->setText(indicador);
    if (FTextoMostrado != FEstado.Texto()) {
        FTextoMostrado = FEstado.Texto();
        Q_EMIT TextoCambiado(FTextoMostrado);
    }
}
