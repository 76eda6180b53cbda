// The skin engine `SD`: the one source of looks for every window of the program. The stored
// skins are compiled-in resources (":/skins/<name>/", a style sheet and its images); applying
// one sets its sheet on the application, so every existing window and control restyles at
// once, and the frames of all windows follow (TMarcoSkin). Nothing is written to disk.
// Index 0 gives back the plain look.
// The engine also gives edit boxes their Spanish context menu.
#pragma once

#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

class QMenu;

class TSkinData final : public QObject {
    Q_OBJECT
public:
    // The engine of the running program is the last one created that is still alive.
    explicit TSkinData(QObject* padre = nullptr);
    ~TSkinData() override;
    static TSkinData* Actual();

    // The chooser texts, index 0 ("Sin Skin...") to 7 ("Bionix").
    static QStringList NombresSkins();
    static int NumeroSkins() { return 8; }
    // Component name of a stored skin ("CSS_Ampix" for 1 ...), empty for 0 or out of range.
    static QString ComponenteSkin(int indice);
    // The resource folder of a stored skin (1 to 7), ":/skins/Vista" ...; empty otherwise.
    static QString CarpetaAlmacenada(int indice);
    // Replaces the folder this engine takes stored skin `indice` (1 to 7) from, for a skin
    // kept elsewhere; it is checked when applied (see LeerHoja).
    void setCarpeta(int indice, const QString& carpeta);

    // Makes skin `indice` the look of every window: 0 the plain look, 1 to 7 a stored
    // skin. Any other index, or a skin whose sheet cannot be read, changes nothing and
    // returns false; nothing is shown to the user. A skin's sheet is read once per engine.
    bool AplicarSkin(int indice);
    int SkinActual() const { return FSkinActual; }
    bool Activo() const { return FSkinActual != 0; }

    // The style sheet of the skin in `carpeta` (its "estilo.qss", UTF-8, not blank) with the
    // images placeholder replaced by that folder. Nothing when the sheet is missing or bad,
    // names an image outside the folder or one the folder lacks, or, with
    // `decodificarImagenes`, an image that does not decode.
    static std::optional<QString> LeerHoja(const QString& carpeta, bool decodificarImagenes);

    // The Spanish context menu of an edit box (QLineEdit, QTextEdit, QPlainTextEdit);
    // nullptr for other widgets. The caller owns the menu.
    static QMenu* CrearMenuEdicion(QWidget* edicion, QWidget* padre = nullptr);

Q_SIGNALS:
    void SkinCambiado(int indice);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    std::optional<QString> Hoja(int indice);

    QMap<int, QString> FHojas;    // style sheets already read, by index
    QMap<int, QString> FCarpetas; // folders that replace stored skins
    int FSkinActual = 0;
};
