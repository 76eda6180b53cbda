// The paper tape: a scrolling list of text lines that also keeps the running total and the
// state of the calculation. Every operator applies its operand to the total at once and
// prints the step.
#pragma once

#include "TZURLabelNumber.h"
#include "TextoLineas.h"
#include "ValorLineaCinta.h"

#include <QListView>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

class ModeloLineas;

class TZURCuenta : public QListView {
    Q_OBJECT
public:
    explicit TZURCuenta(QWidget* parent = nullptr);

    // The registers are not owned; a register destroyed while linked reads as empty.
    TZURLabelNumber* XDato() const { return FXDato; }
    void setXDato(TZURLabelNumber* v) { FXDato = v; }
    TZURLabelNumber* XTotal() const { return FXTotal; }
    void setXTotal(TZURLabelNumber* v) { FXTotal = v; }
    int CaracteresLinea() const { return FCaracteresLinea; }
    void setCaracteresLinea(int v) { FCaracteresLinea = v; }
    int Decimales() const { return FDecimales; }
    void setDecimales(int v) { FDecimales = v; }
    bool FormatoGeneral() const { return FFormatoGeneral; }
    void setFormatoGeneral(bool v) { FFormatoGeneral = v; }
    const QString& Operador() const { return FOperador; }
    void setOperador(const QString& v) { FOperador = v; }
    bool OperadorActivo() const { return FOperadorActivo; }
    void setOperadorActivo(bool v) { FOperadorActivo = v; }
    bool SeparadorMiles() const { return FSeparadorMiles; }
    void setSeparadorMiles(bool v) { FSeparadorMiles = v; }
    long double Valor() const { return FValor; }
    void setValor(long double v) { FValor = v; }
    // Height in pixels of every line of the list (15 by default).
    int AlturaLinea() const { return FAlturaLinea; }
    void setAlturaLinea(int v);

    void AgregarTexto(const QString& Texto);
    void AgregarLinea(const QString& Sufijo, long double Valor);
    void AgregarLineasEnBlanco(int Cantidad);
    void AgregarSeparador();
    QString FormatearValor(long double Valor) const;
    void Inicializar();
    void Limpiar();

    // The operations below throw ErrorSumadora on an overflow or an invalid power, before
    // changing the total, Operador, OperadorActivo or the registers.
    void SumarValor(long double V);
    void RestarValor(long double V);
    void MultiplicarValor(long double V);
    void DividirValor(long double V);
    void Sumar();
    void Restar();
    void Multiplicar();
    void Dividir();
    void AlCuadrado();
    void AlCubo();
    void ElevarA(long double Exponente);
    void Totalizar(long double V);
    void Intro();

    // The lines as text, for files, printing and tests.
    int CantidadLineas() const;
    QString Linea(int i) const;
    QStringList Lineas() const;
    const TextoLineas& Texto() const;
    // Replaces every line (loading a tape file); total and state stay as they are.
    void CargarTexto(TextoLineas texto);
    // The values of the lines written in a fixed format, whose text is rounded; ascending.
    const std::vector<ValorLineaCinta>& ValoresExactos() const { return FValoresExactos; }

    // The list's own layout. Every line has one height, so where a line is follows from its
    // number: nothing is laid out line by line, and a new line repaints only its own row (and
    // the scroll bar when its range changes) whatever the length of the tape. Drawn and
    // answered as the list view does with items of one size.
    QRect visualRect(const QModelIndex& index) const override;
    QModelIndex indexAt(const QPoint& punto) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    void doItemsLayout() override;
    void reset() override;

protected:
    QModelIndex moveCursor(CursorAction accion, Qt::KeyboardModifiers modificadores) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    void setSelection(const QRect& zona, QItemSelectionModel::SelectionFlags orden) override;
    QRegion visualRegionForSelection(const QItemSelection& seleccion) const override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;
    void paintEvent(QPaintEvent* evento) override;
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;

private:
    enum class Operacion { Suma, Resta, Producto, Cociente };
    void AplicarOperando(Operacion op, long double V);
    void OperandoDelDato(Operacion op);
    void Elevar(long double Exponente, const QString& Codigo, bool SubtotalPrevio);
    void RefrescarRegistros(long double ParaDato);
    // New lines reach the list and are scrolled into view once per turn of the event loop,
    // however many were appended.
    void ProgramarPublicacion();
    void PublicarYDesplazar();
    // The first and last rows (clamped to the list) that the content band [arriba, abajo]
    // touches; first > last when none.
    std::pair<int, int> FilasEntre(qint64 arriba, qint64 abajo) const;
    int AnchoFilas() const;
    void MedirAnchoContenido();

    ModeloLineas* Modelo;
    QPointer<TZURLabelNumber> FXDato;
    QPointer<TZURLabelNumber> FXTotal;
    int FCaracteresLinea = 15;
    int FDecimales = 3;
    bool FFormatoGeneral = true;
    QString FOperador = QStringLiteral(" ");
    bool FOperadorActivo = false;
    bool FSeparadorMiles = false;
    long double FValor = 0;
    int FAlturaLinea = 15;
    std::vector<ValorLineaCinta> FValoresExactos;
    bool FPublicacionPendiente = false;
    // Width of the list's content: the last row's hint, as the list view with rows of one size
    // takes it; the rows are never narrower than the viewport.
    int FAnchoContenido = 0;
};
