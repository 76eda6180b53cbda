// What the three financial dialogs share as windows: fixed size, centred on the screen at
// every opening, no default button, the skin engine's frame, and a drop-down calculator on
// every numeric box.
#pragma once

#include <QDialog>

class DialogoFinanciero : public QDialog {
    Q_OBJECT
public:
    explicit DialogoFinanciero(QWidget* parent = nullptr);

protected:
    // Call at the end of the constructor, once the form is laid out and filled.
    void FijarVentana();
    void showEvent(QShowEvent* evento) override;
};
