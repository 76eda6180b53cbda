// The main window's creation, the wiring of its buttons, the side panel, the angle unit and
// the buttons that open other windows.
#include "TSumadoraFormulario.h"

#include "ArchivoIni.h"
#include "ArchivosPrograma.h"
#include "ClavesAjustes.h"
#include "GuardiaErrores.h"
#include "MenuCinta.h"
#include "TFAcercaDe.h"
#include "TInteresCompuesto.h"
#include "TInteresSimple.h"
#include "TMarcoSkin.h"
#include "TPrestamoFrances.h"
#include "TPropiedades.h"
#include "TSkinData.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QIcon>
#include <QRadioButton>
#include <QTabBar>
#include <QTimer>

#include <array>
#include <iterator>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

// Outside any namespace: the registration function it names is a global one.
static void IniciarRecursos() {
    // The images live in a static library: without this call the linker may drop them.
    static const bool iniciados = [] {
        Q_INIT_RESOURCE(recursos);
        Q_INIT_RESOURCE(icono);
        return true;
    }();
    (void)iniciados;
}

namespace {

// The program's icon at the sizes drawn for it, up to `mayor` pixels.
QIcon IconoPrograma(int mayor = 256) {
    QIcon icono;
    for (const int lado : {16, 24, 32, 48, 64, 128, 256})
        if (lado <= mayor)
            icono.addFile(u":/icono/sumadora-%1.png"_s.arg(lado), QSize(lado, lado));
    return icono;
}

using Forma = Ui::TSumadoraFormulario;

struct CasillaUnidad {
    QRadioButton* Forma::*Casilla;
    const ClavesAjustes::Clave<bool>* Clave;
    TAngularConversion Unidad;
};

// In the order they are read and written.
const CasillaUnidad CasillasUnidad[] = {
    {&Forma::CheckDEG, &ClavesAjustes::Grados, acDEG},
    {&Forma::CheckRAD, &ClavesAjustes::Radianes, acRAD},
    {&Forma::CheckGRAD, &ClavesAjustes::Centesimales, acGRAD},
};

} // namespace

TSumadoraFormulario::TSumadoraFormulario(QWidget* parent, bool comoPrograma)
    : QWidget(parent), FDiferirTareas(comoPrograma) {
    IniciarRecursos();
    // The start reads the settings file once; writes still go to the file itself.
    const ArchivoIni ajustes = ArchivoIni().Instantanea();
    SD = new TSkinData(this);
    if (comoPrograma)
        AplicarSkinGuardado(ajustes);
    // Before the controls exist: changing the flags later restyles every one of them.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setupUi(this);
    // The sizes above 64 pixels serve window switchers only, and decoding them would take a
    // twentieth of the start.
    setWindowIcon(IconoPrograma(64));
    TrasPrimerFotograma([this] { setWindowIcon(IconoPrograma()); });
    // The keyboard hook: every key press of every window of the program passes by AppMessage.
    QCoreApplication::instance()->installEventFilter(this);
    Cuenta->setXDato(Datos);
    Cuenta->setXTotal(Operandos);
    Cuenta->setOperador(u" "_s);
    ConectarBotones();
    new MenuCinta(*this);

    Cuenta->setCaracteresLinea(22);
    LeerAjustes(ajustes);
    const TAngularConversion unidad = LeerUnidadAngular(ajustes);
    setFixedSize(AnchoSinPanel, height());
    AplicarFormatoRegistros();
    // The words stay on the displays until the first value reaches them.
    Datos->MostrarLeyenda(u"DATO"_s);
    Datos->setConversionAngular(unidad);
    Operandos->MostrarLeyenda(u"TOTAL"_s);
    for (TZURLabelNumber* memoria : {M1, M2, M3, M4, M5}) {
        // Two different values, so the display is redrawn in the format just set.
        memoria->setValor(1);
        memoria->setValor(0);
    }
    TMarcoSkin::Instalar(this, TMarcoSkin::BotonesPrincipal());
}

TSumadoraFormulario::~TSumadoraFormulario() {
    delete SD;
}

void TSumadoraFormulario::AplicarSkinGuardado(const ArchivoIni& Ajustes) {
    // A stored value that is no row of the chooser selects nothing, as in the dialog.
    SD->AplicarSkin(ClavesAjustes::Leer(Ajustes, ClavesAjustes::Skin));
}

TFAcercaDe* TSumadoraFormulario::DialogoAcercaDe() {
    if (!AcercaDe)
        AcercaDe = new TFAcercaDe(this);
    return AcercaDe;
}

TPropiedades* TSumadoraFormulario::DialogoPropiedades() {
    if (!Propiedades) {
        // Its creation selects the stored skin again, which is already the current one.
        Propiedades =
            new TPropiedades([this](int indice) { SD->AplicarSkin(indice); }, ArchivoIni(), this);
        TMarcoSkin::Instalar(Propiedades);
        // Centred on the screen, frame included, once; afterwards it opens where the user
        // left it.
        TMarcoSkin::CentrarEnPantalla(Propiedades);
    }
    return Propiedades;
}

TInteresCompuesto* TSumadoraFormulario::DialogoInteresCompuesto() {
    if (!InteresCompuesto)
        InteresCompuesto = new TInteresCompuesto(this);
    return InteresCompuesto;
}

TInteresSimple* TSumadoraFormulario::DialogoInteresSimple() {
    if (!InteresSimple)
        InteresSimple = new TInteresSimple(this);
    return InteresSimple;
}

TPrestamoFrances* TSumadoraFormulario::DialogoPrestamoFrances() {
    if (!PrestamoFrances)
        PrestamoFrances = new TPrestamoFrances(this);
    return PrestamoFrances;
}

void TSumadoraFormulario::MostrarDialogo(QDialog* Dialogo) {
    const TecladoSuspendido suspension(TecladoActivo);
    if (Dialogo)
        Dialogo->exec();
}

void TSumadoraFormulario::ConectarBotones() {
    // Each dispatcher is handed the button, as the keyboard hands it the button a key
    // stands for.
    using Despachador = void (TSumadoraFormulario::*)(QObject*);
    const std::pair<QList<QAbstractButton*>, Despachador> despachos[] = {
        {BotonesOperadores(), &TSumadoraFormulario::OpcionesOperadores},
        {BotonesMemoria(), &TSumadoraFormulario::OpcionesMemoria},
        {BotonesOpciones(), &TSumadoraFormulario::Opciones},
    };
    for (const auto& [botones, despachador] : despachos) {
        for (QAbstractButton* boton : botones)
            connect(boton, &QAbstractButton::clicked, this,
                    [this, boton, d = despachador] { (this->*d)(boton); });
        BotonesCableados.Conectados += botones;
    }
    // The buttons that open a dialog have a handler each.
    const std::pair<QAbstractButton*, void (TSumadoraFormulario::*)()> propios[] = {
        {BotonPropiedades, &TSumadoraFormulario::BotonPropiedadesClick},
        {BotonInteresSimple, &TSumadoraFormulario::BotonInteresSimpleClick},
        {BotonInteresCompuesto, &TSumadoraFormulario::BotonInteresCompuestoClick},
        {SpeedButton26, &TSumadoraFormulario::SpeedButton26Click},
    };
    for (const auto& [boton, accion] : propios) {
        connect(boton, &QAbstractButton::clicked, this, accion);
        BotonesCableados.Conectados.append(boton);
    }
    // The panel's tab bar keeps its scroll arrows to itself.
    BotonesCableados.SinClic = Notebook->tabBar()->findChildren<QAbstractButton*>();
}

QList<QAbstractButton*> TSumadoraFormulario::BotonesOpciones() const {
    return BotonesTeclado() + BotonesVentana() + BotonesBarra() + BotonesFunciones();
}

void TSumadoraFormulario::LeerAjustes(const ArchivoIni& ini) {
    namespace C = ClavesAjustes;
    Cuenta->setFormatoGeneral(C::Leer(ini, C::Formato));
    Cuenta->setDecimales(C::Leer(ini, C::Decimales));
    Cuenta->setSeparadorMiles(C::Leer(ini, C::SeparadorMiles));
    TipoIVA = C::Leer(ini, C::IVA);
}

void TSumadoraFormulario::AplicarFormatoRegistros() {
    for (TZURLabelNumber* registro : {Datos, Operandos, M1, M2, M3, M4, M5}) {
        registro->setDecimales(Cuenta->Decimales());
        registro->setFormatoGeneral(Cuenta->FormatoGeneral());
        registro->setSeparadorMiles(Cuenta->SeparadorMiles());
        registro->setNumDigits(DigitosRegistro);
    }
}

TAngularConversion TSumadoraFormulario::LeerUnidadAngular(const ArchivoIni& ini) {
    // The first unit the file holds as selected wins (a missing DEG counts as selected), none
    // gives degrees, and the file is left holding the winner alone: only the keys whose text
    // differs are written, so a start with a settled file writes nothing.
    QString textos[std::size(CasillasUnidad)];
    const CasillaUnidad* ganadora = nullptr;
    for (std::size_t i = 0; i < std::size(CasillasUnidad); ++i) {
        const CasillaUnidad& c = CasillasUnidad[i];
        textos[i] = ClavesAjustes::LeerTexto(ini, *c.Clave);
        if (!ganadora && ClavesAjustes::Leer(ini, *c.Clave))
            ganadora = &c;
    }
    if (!ganadora)
        ganadora = &CasillasUnidad[0];
    for (const CasillaUnidad& c : CasillasUnidad)
        (this->*c.Casilla)->setChecked(&c == ganadora);
    std::vector<ArchivoIni::Escritura> escrituras;
    for (std::size_t i = 0; i < std::size(CasillasUnidad); ++i) {
        const CasillaUnidad& c = CasillasUnidad[i];
        ArchivoIni::Escritura escritura = ClavesAjustes::Escritura(*c.Clave, &c == ganadora);
        if (textos[i] != escritura.Valor)
            escrituras.push_back(std::move(escritura));
    }
    if (escrituras.empty())
        return ganadora->Unidad;
    // One write of the keys that differ; a refused one is reported.
    auto escribir = [this, escrituras] {
        ConGuardia(this, [&] { ArchivoIni().Escribir(escrituras); });
    };
    TrasPrimerFotograma(escribir);
    return ganadora->Unidad;
}

void TSumadoraFormulario::TrasPrimerFotograma(std::function<void()> Tarea) {
    if (FDiferirTareas)
        FTareasPendientes.push_back(std::move(Tarea));
    else
        Tarea();
}

void TSumadoraFormulario::paintEvent(QPaintEvent* Evento) {
    QWidget::paintEvent(Evento);
    FDiferirTareas = false;
    for (std::function<void()>& tarea : std::exchange(FTareasPendientes, {}))
        QTimer::singleShot(0, this, std::move(tarea));
}

void TSumadoraFormulario::UnidadAngularClick(QAbstractButton* Casilla) {
    std::vector<ArchivoIni::Escritura> claves;
    for (const CasillaUnidad& c : CasillasUnidad)
        claves.push_back(ClavesAjustes::Escritura(*c.Clave, Casilla == this->*c.Casilla &&
                                                                Casilla->isChecked()));
    ArchivoIni().Escribir(claves);
    if (!Casilla->isChecked())
        return;
    for (const CasillaUnidad& c : CasillasUnidad)
        if (Casilla == this->*c.Casilla)
            Datos->setConversionAngular(c.Unidad);
}

namespace {

// The side panel's buttons: the page each shows, none for the one that hides the panel.
struct TeclaPanel {
    QAbstractButton* Boton;
    QWidget* Pagina;
};

std::array<TeclaPanel, 3> TeclasPanel(const Forma& f) {
    return {{
        {f.BotonTrigonometria, f.PaginaTrigonometria},
        {f.BotonFinancieras, f.PaginaFinancieras},
        {f.BotonCerrarOpciones, nullptr},
    }};
}

// The angle-unit boxes: a click stores the unit and sets it.
std::array<QAbstractButton*, 3> CasillasAngulo(const Forma& f) {
    return {f.CheckDEG, f.CheckRAD, f.CheckGRAD};
}

} // namespace

bool TSumadoraFormulario::OpcionesVentana(QObject* Sender) {
    for (const TeclaPanel& t : TeclasPanel(*this)) {
        if (Sender == t.Boton) {
            if (t.Pagina)
                MostrarPanel(t.Pagina);
            else
                OcultarPanel();
            return true;
        }
    }
    for (QAbstractButton* casilla : CasillasAngulo(*this)) {
        if (Sender == casilla) {
            UnidadAngularClick(casilla);
            return true;
        }
    }
    return false;
}

QList<QAbstractButton*> TSumadoraFormulario::BotonesVentana() const {
    QList<QAbstractButton*> botones;
    for (const TeclaPanel& t : TeclasPanel(*this))
        botones.append(t.Boton);
    for (QAbstractButton* casilla : CasillasAngulo(*this))
        botones.append(casilla);
    return botones;
}

// The panel lies beyond the right edge of the narrow window: only the width changes.
void TSumadoraFormulario::MostrarPanel(QWidget* Pagina) {
    setFixedSize(AnchoConPanel, height());
    Notebook->setCurrentWidget(Pagina);
}

void TSumadoraFormulario::OcultarPanel() {
    setFixedSize(AnchoSinPanel, height());
}

void TSumadoraFormulario::BotonPropiedadesClick() {
    ConGuardia(this, [this] {
        MostrarDialogo(DialogoPropiedades());
        // The dialog may have stored a new format or rate, however it was closed. The values
        // and the entry under way stay; only their texts change.
        LeerAjustes(ArchivoIni().Instantanea());
        AplicarFormatoRegistros();
        for (TZURLabelNumber* registro : {Datos, Operandos, M1, M2, M3, M4, M5})
            registro->MostrarValor();
    });
}

void TSumadoraFormulario::BotonInteresSimpleClick() {
    ConGuardia(this, [this] { MostrarDialogo(DialogoInteresSimple()); });
}

void TSumadoraFormulario::BotonInteresCompuestoClick() {
    ConGuardia(this, [this] { MostrarDialogo(DialogoInteresCompuesto()); });
}

void TSumadoraFormulario::SpeedButton26Click() {
    ConGuardia(this, [this] { MostrarDialogo(DialogoPrestamoFrances()); });
}
