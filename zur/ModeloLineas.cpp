// The tape's lines as seen by the list view.
#include "ModeloLineas.h"

#include <utility>

ModeloLineas::ModeloLineas(QObject* parent) : QAbstractListModel(parent) {}

QModelIndex ModeloLineas::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || column != 0 || row >= FPublicadas || parent.isValid())
        return {};
    return createIndex(row, 0);
}

int ModeloLineas::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : FPublicadas;
}

QVariant ModeloLineas::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= FPublicadas || index.column() != 0)
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return FTexto.Linea(index.row());
    return {};
}

Qt::ItemFlags ModeloLineas::flags(const QModelIndex& index) const {
    // Lines can be selected to follow them with the eye, never edited.
    return index.isValid() ? (Qt::ItemIsEnabled | Qt::ItemIsSelectable) : Qt::NoItemFlags;
}

void ModeloLineas::Publicar() {
    if (!HayPendientes())
        return;
    beginInsertRows(QModelIndex(), FPublicadas, Cantidad() - 1);
    FPublicadas = Cantidad();
    endInsertRows();
}

void ModeloLineas::Limpiar() {
    beginResetModel();
    FTexto.Vaciar();
    FPublicadas = 0;
    endResetModel();
}

void ModeloLineas::Reemplazar(TextoLineas texto) {
    beginResetModel();
    std::swap(FTexto, texto);
    FPublicadas = Cantidad();
    endResetModel();
    // The old lines go with the parameter, after the views have let go of them.
}
