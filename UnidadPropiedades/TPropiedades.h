// The Properties dialog: number format, IVA rate, print header and skin, read from the
// settings file once at creation and written back by "Aplicar".
#pragma once

#include "ArchivoIni.h"
#include "CableadoBotones.h"

#include "ui_TPropiedades.h"

#include <QDialog>

#include <functional>

class TPropiedades final : public QDialog, public Ui::TPropiedades {
    Q_OBJECT
public:
    // Applies the skin of a chooser row (0 plain look, 1 to 7 stored skins) to every window.
    using FuncionSkin = std::function<void(int indice)>;

    // Created once for the whole run, hidden between openings; fills itself from `archivo`
    // and applies the stored skin through `aplicarSkin`. Show it with exec().
    explicit TPropiedades(FuncionSkin aplicarSkin = {}, ArchivoIni archivo = ArchivoIni(),
                          QWidget* parent = nullptr);

    // The radio group `Formato`: 0 "General", 1 "Fijo", -1 none.
    int IndiceFormato() const;
    void setIndiceFormato(int indice);

    // Replaces the skin function; applies nothing by itself.
    void setAplicarSkin(FuncionSkin aplicarSkin);
    const ArchivoIni& Archivo() const { return FArchivo; }

    // The dialog's buttons as its tables wire them.
    CableadoBotones Cableado() const;

    void FormatoClick();
    void IncluirCabeceraClick();
    void SelSkinChange();
    void AplicarClick();

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void FormCreate();

    FuncionSkin FAplicarSkin;
    ArchivoIni FArchivo;
};
