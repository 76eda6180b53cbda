// The engine's window frame: under a stored skin a top-level window loses the system frame
// and gets our caption bar (system menu, optional roll-up and minimise, close), a border
// and a skinned background; it is moved by dragging the caption and snaps magnetically to
// the screen edges and to the program's other windows. With the plain look the system
// frame comes back and the window looks as designed.
#pragma once

#include <QFlags>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>

class QAbstractButton;
class QFrame;
class QLabel;
class QMenu;
class QWidget;
class TBarraTituloSkin;

class TMarcoSkin final : public QObject {
    Q_OBJECT
public:
    // MinimizarEnMenu offers minimising in the system menu only, without a caption button.
    enum Boton {
        BotonMenu = 0x1,
        BotonEnrollar = 0x2,
        BotonMinimizar = 0x4,
        BotonCerrar = 0x8,
        MinimizarEnMenu = 0x10
    };
    Q_DECLARE_FLAGS(Botones, Boton)
    static constexpr Botones BotonesDialogo() { return Botones(BotonMenu | BotonCerrar); }
    static constexpr Botones BotonesPrincipal() {
        return Botones(BotonMenu | BotonEnrollar | MinimizarEnMenu | BotonCerrar);
    }
    // Height of our caption bar in pixels; the window grows by it while skinned.
    static constexpr int AltoTitulo = 24;

    // Decorates the top-level `ventana`; call once, at the end of its construction, after
    // its controls exist. A window laid out with absolute geometry has its controls moved
    // into a client widget at the same positions (`Cliente()`); a window with a layout keeps
    // them and gets a top contents margin while skinned. The frame follows the engine: it
    // is skinned at once when a stored skin is in force. Returns the existing frame if the
    // window already has one.
    static TMarcoSkin* Instalar(QWidget* ventana, Botones botones = BotonesDialogo());
    // The frame of a window, or nullptr.
    static TMarcoSkin* De(const QWidget* ventana);
    // The caption bar's buttons of the window's frame, each wired by the bar itself; none
    // for a window without a frame.
    static QList<QAbstractButton*> BotonesTitulo(const QWidget* ventana);
    // Moves the window, frame included, to the centre of its screen's free area; the dialogs
    // call it as they are shown.
    static void CentrarEnPantalla(QWidget* ventana);
    // Switches every frame of the program; the engine calls it when the skin changes.
    static void ActivarTodos(bool activo);
    static bool TodosActivos();

    ~TMarcoSkin() override;

    QWidget* Ventana() const { return FVentana; }
    // Holder of the window's own controls: the client widget, or the window itself.
    QWidget* Cliente() const;
    TBarraTituloSkin* Barra() const { return FBarra; }
    Botones BotonesVisibles() const { return FBotones; }
    bool Activo() const { return FActivo; }
    void setActivo(bool activo);

    // Rolling up shrinks the window to its caption and back (only while skinned).
    bool Enrollada() const { return FEnrollada; }
    void Enrollar();
    void Desenrollar();

    bool Magnetico() const { return FMagnetico; }
    void setMagnetico(bool v) { FMagnetico = v; }
    int DistanciaMagnetica() const { return FDistancia; }
    void setDistanciaMagnetica(int v) { FDistancia = v; }

    // Moves the window so its frame starts at `destino`, snapped magnetically when enabled.
    void MoverA(QPoint destino);
    // Hands a caption drag to the window manager, which then moves (and may snap or tile)
    // the window itself; false where the platform cannot, and the caller moves it.
    bool MoverPorSistema();
    // The system menu as shown by the caption's menu button (caller owns it).
    QMenu* CrearMenuSistema(QWidget* padre = nullptr);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    TMarcoSkin(QWidget* ventana, Botones botones);
    void Colocar();
    void CambiarAlto(int delta);
    void AplicarBanderas(bool sinMarco);

    QWidget* FVentana;
    Botones FBotones;
    QPointer<QWidget> FCliente;
    TBarraTituloSkin* FBarra = nullptr;
    QWidget* FFondo = nullptr;
    QFrame* FBorde = nullptr;
    Qt::WindowFlags FBanderasSistema; // the window's own flags, for the system frame
    bool FActivo = false;
    bool FEnrollada = false;
    int FAltoAntes = 0;
    int FMinAltoAntes = 0;
    int FMaxAltoAntes = 0;
    bool FMagnetico = true;
    int FDistancia = 10;
    bool FBordeEnCola = false;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TMarcoSkin::Botones)
