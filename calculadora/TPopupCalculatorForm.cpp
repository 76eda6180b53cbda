// The drop-down calculator window and where it opens.
#include "TPopupCalculatorForm.h"

#include "TCalculatorPanel.h"
#include "TextosSkin.h"

#include <QLabel>
#include <QPainter>

#include <algorithm>

using namespace Qt::StringLiterals;

QPoint PosicionDesplegable(const QRect& caja, const QSize& tamano, const QRect& pantalla) {
    // QRect's right() and bottom() are the last pixel inside: edges are x + width.
    const int finPantallaX = pantalla.x() + pantalla.width();
    const int finPantallaY = pantalla.y() + pantalla.height();
    int x = caja.x();
    int y = caja.y() + caja.height();
    if (y + tamano.height() > finPantallaY)
        y = caja.y() - tamano.height();
    if (x + tamano.width() > finPantallaX)
        x = finPantallaX - tamano.width();
    x = std::max(x, pantalla.x());
    return {x, y};
}

TPopupCalculatorForm::TPopupCalculatorForm(QWidget* padre)
    : QWidget(padre, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
    // Clicking a key must leave the dialog active and the caret in the box.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setWindowTitle(TextosSkin::TituloCalculadora());
    // Drawn on the skin's window background, like the dialog the box is in; the keypad's
    // labels take the skin's colours for that background.
    setObjectName(u"FondoSkin"_s);
    setAttribute(Qt::WA_StyledBackground);
    setAutoFillBackground(true);
    setFixedSize(Ancho, Alto);

    FPantalla = new QLabel(u"0"_s, this);
    FPantalla->setObjectName(u"PantallaCalculadora"_s);
    FPantalla->setGeometry(0, 0, Ancho, AltoPantalla);
    FPantalla->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    FPantalla->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    FPantalla->setMargin(2);

    FPanel = new TCalculatorPanel(this);
    FPanel->move((Ancho - TCalculatorPanel::Ancho) / 2, AltoPantalla + 2);

    connect(FPanel, &TCalculatorPanel::TextoCambiado, FPantalla, &QLabel::setText);
    connect(FPanel, &TCalculatorPanel::Aceptado, this, [this] {
        Q_EMIT Aceptado(FPanel->Estado().ValorPantalla());
        hide();
    });
    connect(FPanel, &TCalculatorPanel::Cancelado, this, [this] {
        hide();
        Q_EMIT Cancelado();
    });
}

CableadoBotones TPopupCalculatorForm::Cableado() const {
    return FPanel->Cableado();
}

void TPopupCalculatorForm::Abrir(const QRect& caja, const QRect& pantalla, double memoria,
                                 int precision, double valorCaja) {
    FPanel->PrepararApertura(memoria, std::max(2, precision), valorCaja);
    move(PosicionDesplegable(caja, size(), pantalla));
    show();
}

void TPopupCalculatorForm::Recolocar(const QRect& caja, const QRect& pantalla) {
    move(PosicionDesplegable(caja, size(), pantalla));
}

// Without a frame of its own the window would melt into a dialog of the same colour.
void TPopupCalculatorForm::paintEvent(QPaintEvent* evento) {
    QWidget::paintEvent(evento);
    QPainter p(this);
    p.setPen(palette().color(QPalette::Shadow));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
