// The tape's line store: one text buffer and one offset per line.
#include "ModeloLineas.h"

#include "ErrorSumadora.h"

#include <limits>

namespace {
QString MensajeDemasiadasLineas() {
    return QStringLiteral("La cuenta no admite más líneas. Guárdela y bórrela para seguir.");
}
} // namespace

ModeloLineas::ModeloLineas(QObject* parent) : QAbstractListModel(parent) {}

int ModeloLineas::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Cantidad();
}

QVariant ModeloLineas::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= Cantidad() || index.column() != 0)
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return Linea(index.row());
    return {};
}

Qt::ItemFlags ModeloLineas::flags(const QModelIndex& index) const {
    // Lines can be selected to follow them with the eye, never edited.
    return index.isValid() ? (Qt::ItemIsEnabled | Qt::ItemIsSelectable) : Qt::NoItemFlags;
}

qsizetype ModeloLineas::Fin(int i) const {
    return static_cast<size_t>(i) + 1 < inicios_.size() ? inicios_[static_cast<size_t>(i) + 1]
                                                         : texto_.size();
}

void ModeloLineas::Agregar(const QString& linea) {
    // A list view counts rows in int: beyond that the line could never be shown.
    if (Cantidad() == std::numeric_limits<int>::max())
        throw ErrorSumadora(MensajeDemasiadasLineas());
    const int fila = Cantidad();
    beginInsertRows(QModelIndex(), fila, fila);
    inicios_.push_back(texto_.size());
    texto_.append(linea);
    endInsertRows();
}

void ModeloLineas::AgregarVacias(int cantidad) {
    if (cantidad <= 0)
        return;
    if (cantidad > std::numeric_limits<int>::max() - Cantidad())
        throw ErrorSumadora(MensajeDemasiadasLineas());
    const int primera = Cantidad();
    beginInsertRows(QModelIndex(), primera, primera + cantidad - 1);
    inicios_.insert(inicios_.end(), static_cast<size_t>(cantidad), texto_.size());
    endInsertRows();
}

void ModeloLineas::Limpiar() {
    beginResetModel();
    // Give the memory back: a cleared tape of a million lines should not keep its size.
    texto_ = QString();
    std::vector<qsizetype>().swap(inicios_);
    endResetModel();
}

void ModeloLineas::Reemplazar(const QStringList& lineas) {
    if (lineas.size() > std::numeric_limits<int>::max())
        throw ErrorSumadora(MensajeDemasiadasLineas());
    // Built aside first, so a failed allocation leaves the old lines in place.
    QString texto;
    qsizetype total = 0;
    for (const QString& l : lineas)
        total += l.size();
    texto.reserve(total);
    std::vector<qsizetype> inicios;
    inicios.reserve(static_cast<size_t>(lineas.size()));
    for (const QString& l : lineas) {
        inicios.push_back(texto.size());
        texto.append(l);
    }
    beginResetModel();
    texto_.swap(texto);
    inicios_.swap(inicios);
    endResetModel();
}

QString ModeloLineas::Linea(int i) const {
    if (i < 0 || i >= Cantidad())
        return {};
    const qsizetype inicio = inicios_[static_cast<size_t>(i)];
    return texto_.mid(inicio, Fin(i) - inicio);
}

QStringList ModeloLineas::Lineas() const {
    QStringList resultado;
    resultado.reserve(Cantidad());
    for (int i = 0; i < Cantidad(); ++i)
        resultado.append(Linea(i));
    return resultado;
}
