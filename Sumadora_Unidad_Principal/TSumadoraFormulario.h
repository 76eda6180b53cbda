// The calculator's main window: tape, registers, memories, keypad, function keys and the
// side panel. Its handlers are split by role over a few source files of this class.
#pragma once

#include "ui_TSumadoraFormulario.h"

#include "ArchivoCuenta.h"
#include "CableadoBotones.h"

#include <QList>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QAbstractButton;
class QDialog;
class ArchivoIni;
class QKeyEvent;
class QPaintEvent;
class QPrinter;
class QUrl;
class TFAcercaDe;
class TInteresCompuesto;
class TInteresSimple;
class TPrestamoFrances;
class TPropiedades;
class TSkinData;

// Clears the window's TecladoActivo while a modal window or an external launch runs, and
// gives it back when the scope ends, also when it ends by an exception.
class TecladoSuspendido final {
public:
    explicit TecladoSuspendido(bool& teclado) : FTeclado(teclado), FPrevio(teclado) {
        FTeclado = false;
    }
    ~TecladoSuspendido() { FTeclado = FPrevio; }
    TecladoSuspendido(const TecladoSuspendido&) = delete;
    TecladoSuspendido& operator=(const TecladoSuspendido&) = delete;

private:
    bool& FTeclado;
    bool FPrevio;
};

class TSumadoraFormulario final : public QWidget, public Ui::TSumadoraFormulario {
    Q_OBJECT
public:
    // With `comoPrograma` (as the program starts) the skin the settings file stores is in
    // force before the first control exists, so no control is styled twice, and the start's
    // rewrite of the angle-unit keys, when one is needed, waits until the window has painted.
    explicit TSumadoraFormulario(QWidget* parent = nullptr, bool comoPrograma = false);
    // Takes the skin away while every window is still whole.
    ~TSumadoraFormulario() override;

    static constexpr int DigitosRegistro = 20;
    static constexpr long double PesetasEuro = 166.386L;
    static constexpr long double NumeroE = 2.71828182845905L;
    // Client widths with the side panel hidden and shown: a window 560 and 735 pixels wide
    // less its frame, so the narrow window ends before the panel's left edge (557).
    static constexpr int AnchoSinPanel = 551;
    static constexpr int AnchoConPanel = 726;

    // False while a modal window started from here is open: the keyboard hook then ignores keys.
    bool TecladoActivo = true;
    // The keyboard hook's one-shot Shift latch.
    int PendienteMayusculas = 0;
    // IVA rate in percent, read from the settings file at creation.
    long double TipoIVA = 0;

    // Dispatchers of the buttons (and of the keyboard, which passes the button it stands for).
    // Each runs inside the error guard and does nothing for a sender that is not its own.
    void OpcionesOperadores(QObject* Sender);
    void Opciones(QObject* Sender);
    void OpcionesMemoria(QObject* Sender);
    void BotonPropiedadesClick();
    void BotonInteresSimpleClick();
    void BotonInteresCompuestoClick();
    void SpeedButton26Click();
    // Every button of the window as ConectarBotones wired it.
    const CableadoBotones& Cableado() const { return BotonesCableados; }

    // The keyboard hook, installed on the application object: it sees every key press of
    // every window of the program before delivery and never consumes it.
    bool eventFilter(QObject* Objeto, QEvent* Evento) override;
    // One key press, looked up in the plain or the shifted key table.
    void AppMessage(const QKeyEvent& Evento);

    // The toolbar's outside world, replaceable so tests need no dialog, printer or viewer;
    // empty means the real one: the file dialogs (an empty name when cancelled), the default
    // printer (none when no printer is installed), the desktop's viewer for the help file.
    std::function<QString()> PreguntarArchivoAbrir;
    std::function<QString()> PreguntarArchivoGuardar;
    std::function<std::unique_ptr<QPrinter>()> ObtenerImpresora;
    std::function<void(const QUrl&)> AbrirAyuda;
    // Loads a tape file as the toolbar's Open does once its dialog is answered: a refused
    // file leaves the tape as it was and shows why.
    void AbrirCuenta(const QString& Ruta);
    // The code page of the last tape file opened: the next save writes in it.
    CodificacionCuenta CodificacionArchivo = CodificacionCuenta::Windows1252;
    // The skin engine: the one source of looks of every window.
    TSkinData* SD = nullptr;
    // The five dialogs, owned by the window, each created at its first opening (so a start
    // builds none of them) and hidden between uses; null until then.
    TFAcercaDe* AcercaDe = nullptr;
    TPropiedades* Propiedades = nullptr;
    TInteresCompuesto* InteresCompuesto = nullptr;
    TInteresSimple* InteresSimple = nullptr;
    TPrestamoFrances* PrestamoFrances = nullptr;
    // The dialog, created when missing.
    TFAcercaDe* DialogoAcercaDe();
    TPropiedades* DialogoPropiedades();
    TInteresCompuesto* DialogoInteresCompuesto();
    TInteresSimple* DialogoInteresSimple();
    TPrestamoFrances* DialogoPrestamoFrances();
    // Applies the skin the settings file stores, as the Properties dialog would on its
    // creation, to every window.
    void AplicarSkinGuardado(const ArchivoIni& Ajustes);

protected:
    void paintEvent(QPaintEvent* Evento) override;

private:
    // For the program, runs `Tarea` right after its first frame, so as not to delay it; at
    // once otherwise, or once the window has painted.
    void TrasPrimerFotograma(std::function<void()> Tarea);
    std::vector<std::function<void()>> FTareasPendientes;
    bool FDiferirTareas = false;
    // Whether this delivery of a key press is its first one; the hook acts once per press.
    bool EsNuevaPulsacion(QObject* Receptor, const QKeyEvent& Evento);
    const QEvent* PulsacionEnCurso = nullptr;
    QPointer<QObject> ReceptorEnCurso;
    bool ActuandoTecla = false;

    // Wires each button its dispatcher's tables name, and no other.
    void ConectarBotones();
    CableadoBotones BotonesCableados;
    // The buttons each dispatcher serves, from the dispatcher's own tables.
    QList<QAbstractButton*> BotonesOperadores() const;
    QList<QAbstractButton*> BotonesMemoria() const;
    QList<QAbstractButton*> BotonesOpciones() const;

    // The branches of Opciones, by role; each returns whether the sender was its own, and
    // has its buttons listed from the same table.
    bool OpcionesTeclado(QObject* Sender);
    QList<QAbstractButton*> BotonesTeclado() const;
    // The side panel and the angle unit.
    bool OpcionesVentana(QObject* Sender);
    QList<QAbstractButton*> BotonesVentana() const;
    // The toolbar: tape files, printing, clearing, copying, About and help.
    bool OpcionesBarra(QObject* Sender);
    QList<QAbstractButton*> BotonesBarra() const;
    bool OpcionesFunciones(QObject* Sender);
    QList<QAbstractButton*> BotonesFunciones() const;

    void Porcentaje();

    // Number format of the tape and the IVA rate, from the settings file.
    void LeerAjustes(const ArchivoIni& Ajustes);
    // Gives the seven registers the tape's number format and the window's digit count.
    void AplicarFormatoRegistros();
    // Opens a dialog modally with the keyboard hook at rest.
    void MostrarDialogo(QDialog* Dialogo);
    // Sets the three angle-unit boxes from the settings file, as at start, and returns the unit.
    TAngularConversion LeerUnidadAngular(const ArchivoIni& Ajustes);
    // The click action of an angle-unit box: rewrites the angle-unit keys, sets the unit.
    void UnidadAngularClick(QAbstractButton* Casilla);
    void MostrarPanel(QWidget* Pagina);
    void OcultarPanel();
};
