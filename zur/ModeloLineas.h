// The tape's lines as a light list model: all text in one buffer plus one offset per line,
// so a tape of a million lines stays small and appending stays constant-time. Appended lines
// reach the views only at Publicar, so many appends cost the view one insertion.
#pragma once

#include <QAbstractListModel>
#include <QString>
#include <QStringList>

#include <vector>

class ModeloLineas final : public QAbstractListModel {
    Q_OBJECT
public:
    explicit ModeloLineas(QObject* parent = nullptr);

    // The list view asks for every row's index at each layout: kept free of virtual calls.
    QModelIndex index(int row, int column = 0,
                      const QModelIndex& parent = QModelIndex()) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Stored at once (Linea, Lineas and Cantidad see them); views see them at Publicar.
    void Agregar(const QString& linea);
    void AgregarVacias(int cantidad);
    // Announces every line appended since the last call to the views, as one insertion.
    void Publicar();
    bool HayPendientes() const { return Cantidad() != publicadas_; }
    // Both reset the views, which then see every line.
    void Limpiar();
    void Reemplazar(const QStringList& lineas);
    // The same without copying: every line's text one after another and where each line
    // starts in it (ascending, none past the end). A loaded file hands over its buffers.
    void ReemplazarTexto(QString texto, std::vector<qsizetype> inicios);
    QString Linea(int i) const;
    QStringList Lineas() const;
    int Cantidad() const { return static_cast<int>(inicios_.size()); }

private:
    qsizetype Fin(int i) const;

    QString texto_;                 // every line, one after another
    std::vector<qsizetype> inicios_; // where each line starts in texto_
    int publicadas_ = 0;            // lines the views know of
};
