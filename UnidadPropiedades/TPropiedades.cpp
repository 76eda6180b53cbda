// The Properties dialog: fills its controls from the settings file when it is created, applies
// a skin as soon as one is chosen and writes every setting back with "Aplicar".
#include "TPropiedades.h"

#include "ClavesAjustes.h"
#include "GuardiaErrores.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QSignalBlocker>
#include <QTabBar>

#include <array>
#include <cmath>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// The spin boxes keep their line edit to themselves; the typing limit is set on it directly.
void LimitarCaracteres(QAbstractSpinBox* caja, int maximo) {
    if (auto* edicion = caja->findChild<QLineEdit*>())
        edicion->setMaxLength(maximo);
}

// A button and its action: a choice acts on every change of its state, a push button when
// clicked.
struct AccionBoton {
    QAbstractButton* Boton;
    void (QAbstractButton::*Senal)(bool);
    void (TPropiedades::*Accion)();
};

std::array<AccionBoton, 4> AccionesBotones(const TPropiedades& d) {
    return {{
        {d.FormatoGeneral, &QAbstractButton::toggled, &TPropiedades::FormatoClick},
        {d.FormatoFijo, &QAbstractButton::toggled, &TPropiedades::FormatoClick},
        {d.IncluirCabecera, &QAbstractButton::toggled, &TPropiedades::IncluirCabeceraClick},
        {d.Aplicar, &QAbstractButton::clicked, &TPropiedades::AplicarClick},
    }};
}

} // namespace

TPropiedades::TPropiedades(FuncionSkin aplicarSkin, ArchivoIni archivo, QWidget* parent)
    : QDialog(parent), FAplicarSkin(std::move(aplicarSkin)), FArchivo(std::move(archivo)) {
    setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(319, 335);

    // The program is Spanish whatever the system says: a decimal comma in the IVA box.
    const QLocale espanol(QLocale::Spanish, QLocale::Spain);
    Decimales->setLocale(espanol);
    IVA->setLocale(espanol);
    Decimales->setRange(ClavesAjustes::Decimales.Minimo, ClavesAjustes::Decimales.Maximo);
    IVA->setRange(static_cast<double>(ClavesAjustes::IVA.Minimo),
                  static_cast<double>(ClavesAjustes::IVA.Maximo));
    LimitarCaracteres(Decimales, 1);
    LimitarCaracteres(IVA, 4);
    IVA->installEventFilter(this);

    for (const AccionBoton& a : AccionesBotones(*this))
        connect(a.Boton, a.Senal, this, [this, accion = a.Accion] { (this->*accion)(); });
    connect(SelSkin, &QComboBox::currentIndexChanged, this, [this] { SelSkinChange(); });

    FormCreate();
}

CableadoBotones TPropiedades::Cableado() const {
    CableadoBotones cableado;
    for (const AccionBoton& a : AccionesBotones(*this))
        cableado.Conectados.append(a.Boton);
    // The thousands separator is read by "Aplicar"; the arrows are the tab bar's own.
    cableado.SinClic = {SeparadorMiles};
    cableado.SinClic += PageControl1->tabBar()->findChildren<QAbstractButton*>();
    return cableado;
}

int TPropiedades::IndiceFormato() const {
    if (FormatoGeneral->isChecked())
        return 0;
    if (FormatoFijo->isChecked())
        return 1;
    return -1;
}

void TPropiedades::setIndiceFormato(int indice) {
    if (indice == IndiceFormato())
        return;
    if (indice == 0 || indice == 1) {
        (indice == 0 ? FormatoGeneral : FormatoFijo)->setChecked(true);
        return;
    }
    // Exclusive radio buttons cannot all be cleared while they are exclusive.
    for (QRadioButton* boton : {FormatoGeneral, FormatoFijo}) {
        boton->setAutoExclusive(false);
        boton->setChecked(false);
        boton->setAutoExclusive(true);
    }
}

void TPropiedades::setAplicarSkin(FuncionSkin aplicarSkin) {
    FAplicarSkin = std::move(aplicarSkin);
}

void TPropiedades::FormCreate() {
    namespace C = ClavesAjustes;
    const ArchivoIni ini = FArchivo.Instantanea();
    setIndiceFormato(C::Leer(ini, C::Formato) ? 0 : 1);
    // The radio buttons only report a change; the options must follow the stored format
    // also when it is the one the form starts with.
    FormatoClick();
    Decimales->setValue(C::Leer(ini, C::Decimales));
    SeparadorMiles->setChecked(C::Leer(ini, C::SeparadorMiles));
    IncluirCabecera->setChecked(C::Leer(ini, C::IncluirCabecera));
    IncluirCabeceraClick();
    const std::array<QLineEdit*, 4> lineas{L1, L2, L3, L4};
    for (std::size_t i = 0; i < lineas.size(); ++i)
        lineas[i]->setText(C::Leer(ini, C::LineasCabecera[i]));
    // Clamped before narrowing, so that a huge stored rate cannot become an infinity.
    IVA->setValue(static_cast<double>(C::IVA.Acotar(C::Leer(ini, C::IVA))));

    // The stored skin is applied here at every start, also when its row is the one the
    // chooser already shows; a row the chooser does not have selects nothing.
    const int tipo = C::Leer(ini, C::Skin);
    {
        const QSignalBlocker bloqueo(SelSkin);
        SelSkin->setCurrentIndex(C::Skin.Contiene(tipo) ? tipo : -1);
    }
    SelSkinChange();
    PageControl1->setCurrentIndex(0);
}

void TPropiedades::FormatoClick() {
    const bool fijo = IndiceFormato() == 1;
    OpcionesFormato->setEnabled(fijo);
    Decimales->setEnabled(fijo);
    EtiquetaDecimales->setEnabled(fijo);
    SeparadorMiles->setEnabled(fijo);
}

void TPropiedades::IncluirCabeceraClick() {
    const bool incluir = IncluirCabecera->isChecked();
    for (QLineEdit* linea : {L1, L2, L3, L4})
        linea->setEnabled(incluir);
}

void TPropiedades::SelSkinChange() {
    const int indice = SelSkin->currentIndex();
    if (indice < 0 || !FAplicarSkin)
        return;
    ConGuardia(this, [&] { FAplicarSkin(indice); });
}

void TPropiedades::AplicarClick() {
    // A number still being typed counts as entered.
    Decimales->interpretText();
    IVA->interpretText();
    // All the keys in one write: a refused one leaves the file as it was and the dialog open.
    ConGuardia(this, [this] {
        // The rate as the decimal the box shows, not the double nearest to it.
        const long double escala = std::pow(10.0L, IVA->decimals());
        const long double iva =
            std::roundl(static_cast<long double>(IVA->value()) * escala) / escala;
        namespace C = ClavesAjustes;
        std::vector<ArchivoIni::Escritura> claves = {
            C::Escritura(C::Formato, IndiceFormato() == 0),
            C::Escritura(C::Decimales, Decimales->value()),
            C::Escritura(C::SeparadorMiles, SeparadorMiles->isChecked()), C::Escritura(C::IVA, iva),
            C::Escritura(C::IncluirCabecera, IncluirCabecera->isChecked())};
        const std::array<QLineEdit*, 4> lineas{L1, L2, L3, L4};
        for (std::size_t i = 0; i < lineas.size(); ++i)
            claves.push_back(C::Escritura(C::LineasCabecera[i], lineas[i]->text()));
        claves.push_back(C::Escritura(C::Skin, SelSkin->currentIndex()));
        FArchivo.Escribir(claves);
        accept();
    });
}

bool TPropiedades::eventFilter(QObject* objeto, QEvent* evento) {
    // The keypad's decimal key types a point; in the IVA box it means the decimal comma.
    if (objeto == IVA && evento->type() == QEvent::KeyPress) {
        auto* tecla = static_cast<QKeyEvent*>(evento);
        if (tecla->text() == u"."_s) {
            QKeyEvent coma(QEvent::KeyPress, Qt::Key_Comma, tecla->modifiers(), u","_s,
                           tecla->isAutoRepeat(), static_cast<quint16>(tecla->count()));
            QCoreApplication::sendEvent(IVA, &coma);
            return true;
        }
    }
    return QDialog::eventFilter(objeto, evento);
}
