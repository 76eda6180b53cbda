// The tape's line store: one text buffer and one offset per line.
#include "ModeloLineas.h"

#include "ErrorSumadora.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace {
QString MensajeDemasiadasLineas() {
    return QStringLiteral("La cuenta no admite más líneas. Guárdela y bórrela para seguir.");
}
} // namespace

ModeloLineas::ModeloLineas(QObject* parent) : QAbstractListModel(parent) {}

QModelIndex ModeloLineas::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || column != 0 || row >= publicadas_ || parent.isValid())
        return {};
    return createIndex(row, 0);
}

int ModeloLineas::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : publicadas_;
}

QVariant ModeloLineas::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= publicadas_ || index.column() != 0)
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
    const size_t siguiente = static_cast<size_t>(i) + 1;
    return siguiente < inicios_.size() ? inicios_[siguiente] : texto_.size();
}

void ModeloLineas::Agregar(const QString& linea) {
    // A list view counts rows in int: beyond that a line could never be shown.
    if (Cantidad() == std::numeric_limits<int>::max())
        throw ErrorSumadora(MensajeDemasiadasLineas());
    const qsizetype inicio = texto_.size();
    texto_.append(linea);
    try {
        inicios_.push_back(inicio);
    } catch (...) {
        texto_.truncate(inicio);
        throw;
    }
}

void ModeloLineas::AgregarVacias(int cantidad) {
    if (cantidad <= 0)
        return;
    if (cantidad > std::numeric_limits<int>::max() - Cantidad())
        throw ErrorSumadora(MensajeDemasiadasLineas());
    inicios_.insert(inicios_.end(), static_cast<size_t>(cantidad), texto_.size());
}

void ModeloLineas::Publicar() {
    if (!HayPendientes())
        return;
    beginInsertRows(QModelIndex(), publicadas_, Cantidad() - 1);
    publicadas_ = Cantidad();
    endInsertRows();
}

void ModeloLineas::Limpiar() {
    beginResetModel();
    // Give the memory back: a cleared tape of a million lines should not keep its size.
    texto_ = QString();
    std::vector<qsizetype>().swap(inicios_);
    publicadas_ = 0;
    endResetModel();
}

void ModeloLineas::Reemplazar(const QStringList& lineas) {
    if (lineas.size() > std::numeric_limits<int>::max())
        throw ErrorSumadora(MensajeDemasiadasLineas());
    // Built aside first, so a failed allocation leaves the old lines in place.
    qsizetype caracteres = 0;
    for (const QString& l : lineas)
        caracteres += l.size();
    QString texto;
    texto.reserve(caracteres);
    std::vector<qsizetype> inicios;
    inicios.reserve(static_cast<size_t>(lineas.size()));
    for (const QString& l : lineas) {
        inicios.push_back(texto.size());
        texto.append(l);
    }
    ReemplazarTexto(std::move(texto), std::move(inicios));
}

void ModeloLineas::ReemplazarTexto(QString texto, std::vector<qsizetype> inicios) {
    if (inicios.size() > static_cast<size_t>(std::numeric_limits<int>::max()))
        throw ErrorSumadora(MensajeDemasiadasLineas());
    Q_ASSERT(std::is_sorted(inicios.begin(), inicios.end()));
    Q_ASSERT(inicios.empty() || (inicios.front() >= 0 && inicios.back() <= texto.size()));
    beginResetModel();
    texto_.swap(texto);
    inicios_.swap(inicios);
    publicadas_ = Cantidad();
    endResetModel();
    // The old lines go with the parameters, after the views have let go of them.
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
