// The About box: the program's name, its version and a picture of a printing calculator.
#pragma once

#include <QDialog>

class QLabel;

class TFAcercaDe final : public QDialog {
    Q_OBJECT
public:
    explicit TFAcercaDe(QWidget* padre = nullptr);

    QLabel* Imagen;
    QLabel* Titulo;
    QLabel* Version;

    // Sets the version caption; runs once, when the dialog is created.
    void FormCreate();

protected:
    void showEvent(QShowEvent* evento) override;

private:
    QWidget* FContenido;
};
