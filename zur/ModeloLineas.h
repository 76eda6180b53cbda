// The tape's lines as a light list model over TextoLineas. Appended lines reach the views
// only at Publicar, so many appends cost the view one insertion.
#pragma once

#include "TextoLineas.h"

#include <QAbstractListModel>

class ModeloLineas final : public QAbstractListModel {
    Q_OBJECT
public:
    explicit ModeloLineas(QObject* parent = nullptr);

    // The list asks for rows' indexes at every paint and hit test: kept free of virtual calls.
    QModelIndex index(int row, int column = 0,
                      const QModelIndex& parent = QModelIndex()) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Stored at once (Texto and Cantidad see them); views see them at Publicar.
    void Agregar(const QString& linea) { FTexto.Agregar(linea); }
    void AgregarVacias(int cantidad) { FTexto.AgregarVacias(cantidad); }
    // Announces every line appended since the last call to the views, as one insertion.
    void Publicar();
    bool HayPendientes() const { return Cantidad() != FPublicadas; }
    // Both reset the views, which then see every line.
    void Limpiar();
    void Reemplazar(TextoLineas texto);
    const TextoLineas& Texto() const { return FTexto; }
    int Cantidad() const { return FTexto.Cantidad(); }

private:
    TextoLineas FTexto;
    int FPublicadas = 0; // lines the views know of
};
