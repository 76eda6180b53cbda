// What the three financial dialogs share as windows: fixed size, centred on the screen at
// every opening, no default button.
#pragma once

#include <QDialog>

class DialogoFinanciero : public QDialog {
    Q_OBJECT
public:
    explicit DialogoFinanciero(QWidget* parent = nullptr);

protected:
    // Call at the end of the constructor, once the form is laid out.
    void FijarVentana();
    void showEvent(QShowEvent* evento) override;
};
