// The tape's lines as a light list model: all text in one buffer plus one offset per line,
// so a tape of a million lines stays small and appending stays constant-time.
#pragma once

#include <QAbstractListModel>
#include <QString>
#include <QStringList>

#include <vector>

class ModeloLineas final : public QAbstractListModel {
    Q_OBJECT
public:
    explicit ModeloLineas(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void Agregar(const QString& linea);
    // Appends `cantidad` empty lines with a single insertion.
    void AgregarVacias(int cantidad);
    void Limpiar();
    void Reemplazar(const QStringList& lineas);
    QString Linea(int i) const;
    QStringList Lineas() const;
    int Cantidad() const { return static_cast<int>(inicios_.size()); }

private:
    qsizetype Fin(int i) const;

    QString texto_;                 // every line, one after another
    std::vector<qsizetype> inicios_; // where each line starts in texto_
};
