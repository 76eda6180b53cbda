// The skin engine `SD`: the one source of looks for every window of the program. Applying
// a stored skin unpacks its zlib package, puts its images in a private temporary folder and
// sets its style sheet on the application, so every window and control restyles at once;
// the frames of all windows follow (TMarcoSkin). Index 0 gives back the plain look.
// The engine also gives edit boxes their Spanish context menu.
#pragma once

#include <QByteArrayView>
#include <QMap>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QMenu;
class QTemporaryDir;

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
    // The compiled-in zlib package of a stored skin (1 to 7); empty otherwise.
    static QByteArrayView PaqueteAlmacenado(int indice);
    // Replaces the package this engine uses for stored skin `indice` (1 to 7), for a skin
    // loaded from elsewhere; it is checked when applied like any other.
    void setPaquete(int indice, const QByteArray& paquete);

    // Makes skin `indice` the look of every window: 0 the plain look, 1 to 7 a stored
    // skin. Any other index, or a package that cannot be unpacked, changes nothing and
    // returns false; nothing is shown to the user.
    bool AplicarSkin(int indice);
    int SkinActual() const { return FSkinActual; }
    bool Activo() const { return FSkinActual != 0; }

    // Unpacks `paquete`, checks that every image decodes and every image the style sheet
    // names is in it, writes the images into `carpeta` and returns the style sheet with the
    // placeholder replaced by that folder. Nothing on failure.
    static std::optional<QString> PrepararPaquete(QByteArrayView paquete, const QString& carpeta);

    // The Spanish context menu of an edit box (QLineEdit, QTextEdit, QPlainTextEdit);
    // nullptr for other widgets. The caller owns the menu.
    static QMenu* CrearMenuEdicion(QWidget* edicion, QWidget* padre = nullptr);

    // A message box with the engine's Spanish buttons ("Aceptar", and "Cancelar" when asked);
    // true when accepted.
    static bool Mensaje(QWidget* padre, const QString& texto, bool conCancelar = false,
                        QMessageBox::Icon icono = QMessageBox::Information);

Q_SIGNALS:
    void SkinCambiado(int indice);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    std::optional<QString> Hoja(int indice);

    std::unique_ptr<QTemporaryDir> FCarpeta;
    QMap<int, QString> FHojas; // style sheets already unpacked, by index
    QMap<int, QByteArray> FPaquetes; // packages that replace stored ones
    int FPreparados = 0; // each unpacking gets a folder of its own
    int FSkinActual = 0;
};
