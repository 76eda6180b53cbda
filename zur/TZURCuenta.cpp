// The paper tape: its lines, its running total and the operations that print each step.
#include "TZURCuenta.h"

#include "ErrorSumadora.h"
#include "FormatoNumero.h"
#include "FuncionesCientificas.h"
#include "ModeloLineas.h"

#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QMetaObject>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStaticText>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QStyledItemDelegate>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

// Every line of the tape has the tape's fixed height, whatever the font would ask for. A
// line is drawn as one run of plain text laid out once and kept: the tape repeats few
// distinct lines on screen, and laying text out again at every repaint cost most of a key.
class DelegadoLinea final : public QStyledItemDelegate {
public:
    explicit DelegadoLinea(TZURCuenta* cuenta) : QStyledItemDelegate(cuenta), FCuenta(cuenta) {}

    QSize sizeHint(const QStyleOptionViewItem& opcion, const QModelIndex& indice) const override {
        QSize tamano = QStyledItemDelegate::sizeHint(opcion, indice);
        tamano.setHeight(FCuenta->AlturaLinea());
        return tamano;
    }

    void paint(QPainter* lienzo, const QStyleOptionViewItem& opcion,
               const QModelIndex& indice) const override {
        QStyleOptionViewItem o(opcion);
        initStyleOption(&o, indice);
        const QPalette::ColorGroup grupo = !(o.state & QStyle::State_Enabled) ? QPalette::Disabled
                                           : (o.state & QStyle::State_Active) ? QPalette::Active
                                                                              : QPalette::Inactive;
        const bool elegida = o.state & QStyle::State_Selected;
        if (elegida)
            lienzo->fillRect(o.rect, o.palette.brush(grupo, QPalette::Highlight));
        if (o.font != FFuente) {
            FFuente = o.font;
            FLineas.clear();
        }
        if (FLineas.size() > 64)
            FLineas.clear();
        auto it = FLineas.find(o.text);
        if (it == FLineas.end()) {
            QStaticText texto(o.text);
            texto.setTextFormat(Qt::PlainText);
            texto.prepare(QTransform(), o.font);
            it = FLineas.insert(o.text, texto);
        }
        const QStyle* estilo = o.widget ? o.widget->style() : QApplication::style();
        const int margen = estilo->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, o.widget) + 1;
        const int alto = QFontMetrics(o.font).height();
        lienzo->save();
        lienzo->setFont(o.font);
        lienzo->setPen(
            o.palette.color(grupo, elegida ? QPalette::HighlightedText : QPalette::Text));
        lienzo->drawStaticText(o.rect.left() + margen, o.rect.top() + (o.rect.height() - alto) / 2,
                               *it);
        lienzo->restore();
    }

private:
    TZURCuenta* FCuenta;
    mutable QFont FFuente;
    mutable QHash<QString, QStaticText> FLineas;
};

// The tape's scroll bar changes range with every line, and repainting it cost as much as the
// line itself; on a long tape its handle moves by less than a pixel per line. It repaints only
// when what it draws changes: where the handle is, and whether it is at either end.
class BarraCinta final : public QScrollBar {
public:
    explicit BarraCinta(QWidget* padre) : QScrollBar(Qt::Vertical, padre) {}

    // A new line changes the range, then the value: judged together, once.
    void Agrupar(bool agrupar) {
        FAgrupando = agrupar;
        if (!agrupar && FPendiente) {
            FPendiente = false;
            if (!FPintada || !(Aspecto() == FUltimo))
                update();
        }
    }

protected:
    void sliderChange(SliderChange cambio) override {
        if (FAgrupando) {
            FPendiente = true;
            return;
        }
        if (FPintada && Aspecto() == FUltimo)
            return;
        QScrollBar::sliderChange(cambio);
    }

    void paintEvent(QPaintEvent* evento) override {
        FUltimo = Aspecto();
        FPintada = true;
        QScrollBar::paintEvent(evento);
    }

    void changeEvent(QEvent* evento) override {
        FPintada = false; // a new look or state: the next change repaints
        QScrollBar::changeEvent(evento);
    }

private:
    struct Estado {
        QRect Asa;
        bool Inicio = false;
        bool Fin = false;
        bool operator==(const Estado& o) const {
            return Asa == o.Asa && Inicio == o.Inicio && Fin == o.Fin;
        }
    };

    Estado Aspecto() const {
        QStyleOptionSlider opcion;
        initStyleOption(&opcion);
        return {style()->subControlRect(QStyle::CC_ScrollBar, &opcion, QStyle::SC_ScrollBarSlider,
                                        this),
                value() == minimum(), value() == maximum()};
    }

    Estado FUltimo;
    bool FPintada = false;
    bool FAgrupando = false;
    bool FPendiente = false;
};

bool EsCodigo(const QString& operador, char codigo) {
    return operador.size() == 1 && operador.at(0) == QLatin1Char(codigo);
}

} // namespace

TZURCuenta::TZURCuenta(QWidget* parent) : QListView(parent), Modelo(new ModeloLineas(this)) {
    setModel(Modelo);
    // One row height for all lines: the list never measures a million rows one by one.
    setUniformItemSizes(true);
    setEditTriggers(NoEditTriggers);
    // Several lines can be selected, to copy them.
    setSelectionMode(ExtendedSelection);
    // The tape is never typed into; keys belong to the calculator.
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ForbiddenCursor);
    viewport()->setCursor(Qt::ForbiddenCursor);
    setTextElideMode(Qt::ElideNone);
    setItemDelegate(new DelegadoLinea(this));
    setVerticalScrollBar(new BarraCinta(this));
    QFont fuente(u"Courier New"_s);
    fuente.setStyleHint(QFont::TypeWriter);
    fuente.setPixelSize(12);
    setFont(fuente);
}

void TZURCuenta::setAlturaLinea(int v) {
    v = std::max(1, v);
    if (v == FAlturaLinea)
        return;
    FAlturaLinea = v;
    scheduleDelayedItemsLayout();
}

// ---- Lines ----

void TZURCuenta::AgregarTexto(const QString& Texto) {
    Modelo->Agregar(Texto);
    ProgramarPublicacion();
}

void TZURCuenta::AgregarLinea(const QString& Sufijo, long double Valor) {
    Modelo->Agregar(FormatearValor(Valor) + Sufijo);
    // A fixed format rounds the line's text: the value is kept for the spreadsheet export.
    if (!FFormatoGeneral)
        FValoresExactos.push_back({Modelo->Cantidad() - 1, Valor});
    ProgramarPublicacion();
}

void TZURCuenta::AgregarLineasEnBlanco(int Cantidad) {
    if (Cantidad <= 0)
        return;
    Modelo->AgregarVacias(Cantidad);
    ProgramarPublicacion();
}

void TZURCuenta::AgregarSeparador() {
    QString linea(1 + std::max(0, FCaracteresLinea - 1), QLatin1Char('-'));
    linea[0] = QLatin1Char(' ');
    Modelo->Agregar(linea);
    ProgramarPublicacion();
}

QString TZURCuenta::FormatearValor(long double Valor) const {
    // A negative count of decimals has no meaning; it is read as none.
    const int decimales = std::max(0, FDecimales);
    std::string texto;
    if (FFormatoGeneral)
        texto = FormatoG(Valor, FCaracteresLinea, 18);
    else if (FSeparadorMiles)
        texto = FormatoN(Valor, FCaracteresLinea, decimales);
    else
        texto = FormatoF(Valor, FCaracteresLinea, decimales);
    return QString::fromStdString(texto);
}

void TZURCuenta::Inicializar() {
    FValor = 0;
}

void TZURCuenta::Limpiar() {
    Modelo->Limpiar();
    FValoresExactos.clear();
    Inicializar();
}

int TZURCuenta::CantidadLineas() const {
    return Modelo->Cantidad();
}

QString TZURCuenta::Linea(int i) const {
    return Modelo->Texto().Linea(i);
}

QStringList TZURCuenta::Lineas() const {
    return Modelo->Texto().Lineas();
}

const TextoLineas& TZURCuenta::Texto() const {
    return Modelo->Texto();
}

void TZURCuenta::CargarTexto(TextoLineas texto) {
    Modelo->Reemplazar(std::move(texto));
    FValoresExactos.clear();
}

void TZURCuenta::ProgramarPublicacion() {
    if (FPublicacionPendiente)
        return;
    FPublicacionPendiente = true;
    QMetaObject::invokeMethod(
        this, [this] { PublicarYDesplazar(); }, Qt::QueuedConnection);
}

void TZURCuenta::PublicarYDesplazar() {
    FPublicacionPendiente = false;
    auto* barra = static_cast<BarraCinta*>(verticalScrollBar());
    barra->Agrupar(true);
    Modelo->Publicar();
    scrollToBottom();
    barra->Agrupar(false);
}

// ---- The list's layout ----

std::pair<int, int> TZURCuenta::FilasEntre(qint64 arriba, qint64 abajo) const {
    const int filas = Modelo->rowCount();
    if (abajo < 0 || arriba > abajo || filas == 0)
        return {0, -1};
    const qint64 primera = std::max<qint64>(0, arriba) / FAlturaLinea;
    const qint64 ultima = std::min<qint64>(filas - 1, abajo / FAlturaLinea);
    return {int(std::min<qint64>(primera, filas)), int(ultima)};
}

int TZURCuenta::AnchoFilas() const {
    return std::max(FAnchoContenido, viewport()->width());
}

void TZURCuenta::MedirAnchoContenido() {
    const int filas = Modelo->rowCount();
    if (filas == 0 || !itemDelegate()) {
        FAnchoContenido = 0;
        return;
    }
    QStyleOptionViewItem opcion;
    initViewItemOption(&opcion);
    FAnchoContenido = itemDelegate()->sizeHint(opcion, Modelo->index(filas - 1)).width();
}

QRect TZURCuenta::visualRect(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != Modelo || index.column() != 0 ||
        index.row() >= Modelo->rowCount())
        return {};
    const qint64 y = qint64(index.row()) * FAlturaLinea - verticalOffset();
    const qint64 limite = std::numeric_limits<int>::max() / 2;
    return QRect(-horizontalOffset(), int(std::clamp(y, -limite, limite)), AnchoFilas(),
                 FAlturaLinea);
}

QModelIndex TZURCuenta::indexAt(const QPoint& punto) const {
    const int x = punto.x() + horizontalOffset();
    if (x < 0 || x >= AnchoFilas())
        return {};
    const qint64 y = qint64(punto.y()) + verticalOffset();
    const auto [primera, ultima] = FilasEntre(y, y);
    return primera <= ultima ? Modelo->index(primera) : QModelIndex();
}

int TZURCuenta::horizontalOffset() const {
    return horizontalScrollBar()->value();
}

int TZURCuenta::verticalOffset() const {
    const int valor = verticalScrollBar()->value();
    if (verticalScrollMode() == ScrollPerPixel)
        return valor;
    const qint64 pixeles = qint64(valor) * FAlturaLinea;
    return int(std::min<qint64>(pixeles, std::numeric_limits<int>::max()));
}

void TZURCuenta::scrollContentsBy(int dx, int dy) {
    // Scrolled by rows, the scroll bar counts rows; the viewport moves by pixels.
    QWidget* vista = viewport();
    if (verticalScrollMode() == ScrollPerItem) {
        const qint64 pixeles = qint64(dy) * FAlturaLinea;
        const qint64 lejos = vista->height() + 1; // further, all is repainted anyway
        dy = int(std::clamp(pixeles, -lejos, lejos));
    }
    const int alto = vista->height();
    if (dx != 0 || dy == 0 || std::abs(dy) >= alto ||
        vista->testAttribute(Qt::WA_OpaquePaintEvent)) {
        vista->scroll(dx, dy);
        return;
    }
    // A look's style sheet leaves the viewport see-through, to show the list's background
    // and the rounded corners of its border; Qt then repaints the whole list on every scroll
    // by a line. Moved as opaque, the pixels are copied and only the rows that come into
    // view are painted, plus the edge bands where the fixed corners were moved from and to.
    vista->setAttribute(Qt::WA_OpaquePaintEvent, true);
    vista->scroll(dx, dy);
    vista->setAttribute(Qt::WA_OpaquePaintEvent, false);
    const int ancho = vista->width();
    const int borde = std::min(alto, FAlturaLinea);
    if (dy < 0) {
        vista->update(0, 0, ancho, borde);
        vista->update(0, alto + dy - borde, ancho, borde);
    } else {
        vista->update(0, alto - borde, ancho, borde);
        vista->update(0, dy, ancho, borde);
    }
}

void TZURCuenta::updateGeometries() {
    const int filas = Modelo->rowCount();
    QScrollBar* vertical = verticalScrollBar();
    QScrollBar* horizontal = horizontalScrollBar();
    if (geometry().isEmpty() || filas == 0) {
        horizontal->setRange(0, 0);
        vertical->setRange(0, 0);
    } else {
        const int ancho = viewport()->width();
        horizontal->setSingleStep(std::max(1, FAnchoContenido));
        horizontal->setPageStep(ancho);
        horizontal->setRange(0, std::max(0, FAnchoContenido - ancho));
        const int alto = viewport()->height();
        if (verticalScrollMode() == ScrollPerItem) {
            // As many whole rows as fit make a page; the last page ends on the last row.
            const qint64 contenido = qint64(filas) * FAlturaLinea;
            const int pagina = contenido <= alto ? filas + 1 : alto / FAlturaLinea;
            vertical->setSingleStep(1);
            vertical->setPageStep(pagina);
            vertical->setRange(0, std::max(0, filas - pagina));
        } else {
            const qint64 contenido = qint64(filas) * FAlturaLinea;
            vertical->setSingleStep(FAlturaLinea);
            vertical->setPageStep(alto);
            vertical->setRange(
                0, int(std::clamp<qint64>(contenido - alto, 0, std::numeric_limits<int>::max())));
        }
    }
    QAbstractItemView::updateGeometries();
}

void TZURCuenta::doItemsLayout() {
    MedirAnchoContenido();
    QAbstractItemView::doItemsLayout(); // the scroll bars, and a repaint of the whole list
}

void TZURCuenta::reset() {
    FAnchoContenido = 0;
    QAbstractItemView::reset();
}

void TZURCuenta::rowsInserted(const QModelIndex& parent, int start, int end) {
    QAbstractItemView::rowsInserted(parent, start, end);
    if (parent.isValid())
        return;
    const int ancho = AnchoFilas();
    MedirAnchoContenido();
    updateGeometries();
    // The rows from the first new one down to the bottom of the view: only the new ones when
    // they come at the end, as they always do.
    const QRect primera = visualRect(Modelo->index(start));
    QRect zona(0, primera.top(), viewport()->width(), viewport()->height() - primera.top());
    if (ancho != AnchoFilas())
        zona.setTop(0);
    zona &= viewport()->rect();
    if (!zona.isEmpty())
        viewport()->update(zona);
}

void TZURCuenta::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) {
    // The tape only loses lines by a reset; any other removal lays the list out again.
    QAbstractItemView::rowsAboutToBeRemoved(parent, start, end);
    scheduleDelayedItemsLayout();
}

void TZURCuenta::scrollTo(const QModelIndex& index, ScrollHint hint) {
    const QRect fila = visualRect(index);
    if (!fila.isValid())
        return;
    const QRect vista = viewport()->rect();
    if (hint == EnsureVisible && vista.contains(fila)) {
        viewport()->update(fila);
        return;
    }
    const bool encima = fila.top() < vista.top();
    const bool debajo = fila.bottom() > vista.bottom();
    if (hint == EnsureVisible && !encima && !debajo)
        return;
    if (hint == EnsureVisible)
        hint = encima ? PositionAtTop : PositionAtBottom;
    QScrollBar* vertical = verticalScrollBar();
    const int alto = vista.height();
    if (verticalScrollMode() == ScrollPerItem) {
        const int caben = std::max(1, alto / FAlturaLinea);
        const int fila0 = index.row();
        switch (hint) {
        case PositionAtTop:
            vertical->setValue(fila0);
            break;
        case PositionAtBottom:
            vertical->setValue(fila0 - caben + 1);
            break;
        case PositionAtCenter:
            vertical->setValue(fila0 - (caben - 1) / 2);
            break;
        default:
            break;
        }
    } else {
        const int y = fila.top() + verticalOffset();
        switch (hint) {
        case PositionAtTop:
            vertical->setValue(y);
            break;
        case PositionAtBottom:
            vertical->setValue(y + FAlturaLinea - alto);
            break;
        case PositionAtCenter:
            vertical->setValue(y - (alto - FAlturaLinea) / 2);
            break;
        default:
            break;
        }
    }
}

// The tape never takes the keyboard focus: the keys belong to the calculator.
QModelIndex TZURCuenta::moveCursor(CursorAction, Qt::KeyboardModifiers) {
    return currentIndex();
}

void TZURCuenta::setSelection(const QRect& zona, QItemSelectionModel::SelectionFlags orden) {
    if (!selectionModel())
        return;
    QItemSelection seleccion;
    const QRect contenido = zona.normalized().translated(horizontalOffset(), verticalOffset());
    if (contenido.right() >= 0 && contenido.left() < AnchoFilas()) {
        const auto [primera, ultima] = FilasEntre(contenido.top(), contenido.bottom());
        if (primera <= ultima)
            seleccion.select(Modelo->index(primera), Modelo->index(ultima));
    }
    selectionModel()->select(seleccion, orden);
}

QRegion TZURCuenta::visualRegionForSelection(const QItemSelection& seleccion) const {
    QRegion region;
    const QRect vista = viewport()->rect();
    for (const QItemSelectionRange& rango : seleccion) {
        if (rango.parent().isValid() || rango.left() > 0 || rango.model() != Modelo)
            continue;
        const qint64 arriba = qint64(rango.top()) * FAlturaLinea - verticalOffset();
        const qint64 abajo = qint64(rango.bottom() + 1) * FAlturaLinea - verticalOffset();
        if (abajo <= vista.top() || arriba > vista.bottom())
            continue;
        const int y0 = int(std::max<qint64>(arriba, vista.top()));
        const int y1 = int(std::min<qint64>(abajo, vista.bottom() + 1));
        region += QRect(-horizontalOffset(), y0, AnchoFilas(), y1 - y0);
    }
    return region;
}

void TZURCuenta::paintEvent(QPaintEvent* evento) {
    QAbstractItemDelegate* delegado = itemDelegate();
    if (!delegado)
        return;
    QStyleOptionViewItem opcion;
    initViewItemOption(&opcion);
    const QStyle::State estado = opcion.state;
    QPainter lienzo(viewport());
    const int desplazamiento = verticalOffset();
    const QItemSelectionModel* seleccion = selectionModel();
    const QModelIndex actual = currentIndex();
    const bool foco = hasFocus() || viewport()->hasFocus();
    // The dirty region's bands come from top to bottom: each row is painted once, and only
    // the rows that meet a band (a scroll leaves two apart).
    int pintadas = -1;
    for (const QRect& zona : evento->region()) {
        const auto [primera, ultima] =
            FilasEntre(qint64(zona.top()) + desplazamiento, qint64(zona.bottom()) + desplazamiento);
        for (int fila = std::max(primera, pintadas + 1); fila <= ultima; ++fila) {
            const QModelIndex indice = Modelo->index(fila);
            opcion.rect = visualRect(indice);
            opcion.state = estado;
            if (seleccion && seleccion->isSelected(indice))
                opcion.state |= QStyle::State_Selected;
            if (estado & QStyle::State_Enabled)
                opcion.palette.setCurrentColorGroup(QPalette::Normal);
            if (foco && indice == actual)
                opcion.state |= QStyle::State_HasFocus;
            delegado->paint(&lienzo, opcion, indice);
            pintadas = fila;
        }
    }
}

// ---- Operations ----

void TZURCuenta::AplicarOperando(Operacion op, long double V) {
    if (!FOperadorActivo)
        Inicializar();
    if (V == 0)
        return;
    const bool aditiva = op == Operacion::Suma || op == Operacion::Resta;
    // The subtotal marks each change between the additive and the multiplicative pair.
    const bool subtotal =
        aditiva
            ? (EsCodigo(FOperador, '*') || EsCodigo(FOperador, '/') || EsCodigo(FOperador, '2'))
            : (EsCodigo(FOperador, '+') || EsCodigo(FOperador, '-') || EsCodigo(FOperador, '2'));
    if (subtotal)
        AgregarLinea(u" ="_s, FValor);

    long double nuevo = 0;
    QString sufijo;
    QString codigo;
    switch (op) {
    case Operacion::Suma:
        nuevo = FValor + V;
        sufijo = u" +"_s;
        codigo = u"+"_s;
        break;
    case Operacion::Resta:
        nuevo = FValor - V;
        sufijo = u" -"_s;
        codigo = u"-"_s;
        break;
    case Operacion::Producto:
        nuevo = FValor * V;
        sufijo = u" *"_s;
        codigo = u"*"_s;
        break;
    case Operacion::Cociente:
        nuevo = FValor / V;
        sufijo = u" /"_s;
        codigo = u"/"_s;
        break;
    }
    // Checked before anything changes, so a fault leaves total, state and operand line alone;
    // the line goes before the total so a failed append cannot leave an unprinted total.
    ComprobarResultado(nuevo);
    AgregarLinea(sufijo, V);
    FValor = nuevo;
    FOperador = codigo;
    FOperadorActivo = true;
}

void TZURCuenta::OperandoDelDato(Operacion op) {
    if (FXDato) {
        AplicarOperando(op, FXDato->Valor());
        FXDato->MostrarResultado(FXDato->Valor());
    }
    if (FXTotal)
        FXTotal->MostrarResultado(FValor);
}

void TZURCuenta::SumarValor(long double V) {
    AplicarOperando(Operacion::Suma, V);
}

void TZURCuenta::RestarValor(long double V) {
    AplicarOperando(Operacion::Resta, V);
}

void TZURCuenta::MultiplicarValor(long double V) {
    AplicarOperando(Operacion::Producto, V);
}

void TZURCuenta::DividirValor(long double V) {
    AplicarOperando(Operacion::Cociente, V);
}

void TZURCuenta::Sumar() {
    OperandoDelDato(Operacion::Suma);
}

void TZURCuenta::Restar() {
    OperandoDelDato(Operacion::Resta);
}

void TZURCuenta::Multiplicar() {
    OperandoDelDato(Operacion::Producto);
}

void TZURCuenta::Dividir() {
    OperandoDelDato(Operacion::Cociente);
}

void TZURCuenta::Elevar(long double Exponente, const QString& Codigo, bool SeguidoSinSubtotal) {
    if (!FOperadorActivo)
        Inicializar();
    // Square and cube pass 2 and 3, so only the general power stops on a zero exponent.
    if (FValor == 0 || Exponente == 0)
        return;
    const bool repetida = SeguidoSinSubtotal && FOperador == Codigo;
    if (!EsCodigo(FOperador, ' ') && !repetida)
        AgregarLinea(u" ="_s, FValor);
    const long double nuevo = ComprobarResultado(cientificas::Potencia(FValor, Exponente));
    AgregarLinea(u" ^"_s, Exponente);
    FValor = nuevo;
    FOperador = Codigo;
    FOperadorActivo = true;
    if (FXDato)
        FXDato->MostrarResultado(FXDato->Valor());
    if (FXTotal)
        FXTotal->MostrarResultado(FValor);
}

void TZURCuenta::AlCuadrado() {
    Elevar(2, u"2"_s, true);
}

void TZURCuenta::AlCubo() {
    Elevar(3, u"3"_s, true);
}

void TZURCuenta::ElevarA(long double Exponente) {
    Elevar(Exponente, u"^"_s, false);
}

void TZURCuenta::Totalizar(long double V) {
    AgregarSeparador();
    AgregarLinea(u" T"_s, V);
    AgregarLineasEnBlanco(2);
    FOperadorActivo = false;
    FOperador = u" "_s;
    if (FXDato)
        FXDato->MostrarResultado(FValor);
    if (FXTotal)
        FXTotal->MostrarResultado(FValor);
}

void TZURCuenta::Intro() {
    if (FOperadorActivo)
        Totalizar(FValor);
    else
        Sumar();
}
