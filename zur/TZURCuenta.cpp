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
#include <QPainter>
#include <QStaticText>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTimer>

#include <algorithm>
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
    FProximaPublicacion = {}; // an empty list is quick to lay out again
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
    const auto espera = std::chrono::ceil<std::chrono::milliseconds>(
        FProximaPublicacion - std::chrono::steady_clock::now());
    if (espera.count() <= 0)
        QMetaObject::invokeMethod(
            this, [this] { PublicarYDesplazar(); }, Qt::QueuedConnection);
    else
        QTimer::singleShot(espera, this, [this] { PublicarYDesplazar(); });
}

void TZURCuenta::PublicarYDesplazar() {
    using namespace std::chrono;
    FPublicacionPendiente = false;
    const auto inicio = steady_clock::now();
    Modelo->Publicar();
    scrollToBottom(); // lays the list out again: the cost grows with the number of lines
    const auto fin = steady_clock::now();
    const auto duracion = fin - inicio;
    // Layouts take at most about a tenth of the time, however long the list grows.
    FProximaPublicacion = fin + 9 * duracion;
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
