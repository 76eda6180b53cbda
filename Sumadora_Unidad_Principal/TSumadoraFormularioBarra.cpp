// The toolbar: opening, saving, printing and clearing the tape, copying the total, the About
// box and the help manual.
#include "TSumadoraFormulario.h"

#include "ArchivoCuenta.h"
#include "ArchivoIni.h"
#include "ArchivosPrograma.h"
#include "ExportacionCuenta.h"
#include "GuardiaErrores.h"
#include "ImpresionCuenta.h"
#include "ImpresionTexto.h"
#include "TFAcercaDe.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

// A large tape takes a moment to read or write: the pointer says so meanwhile.
class CursorEspera final {
public:
    CursorEspera() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CursorEspera() { QApplication::restoreOverrideCursor(); }
    CursorEspera(const CursorEspera&) = delete;
    CursorEspera& operator=(const CursorEspera&) = delete;
};

// Qt's own dialog, translated with the rest of Qt's texts. An existing file is replaced
// without asking, as the calculator always did. Empty when the user cancels.
QString DialogoArchivo(QWidget* padre, bool guardar) {
    QFileDialog dialogo(padre, guardar ? u"Guardar cuenta"_s : u"Abrir cuenta"_s, CarpetaCuentas());
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    dialogo.setOption(QFileDialog::DontConfirmOverwrite);
    dialogo.setNameFilter(u"Archivos cuenta de Sumadora (*.SUMA)"_s);
    dialogo.setDefaultSuffix(u"SUMA"_s);
    dialogo.setAcceptMode(guardar ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialogo.setFileMode(guardar ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return QString();
    const QString ruta = dialogo.selectedFiles().constFirst();
    CarpetaCuentas() = QFileInfo(ruta).absolutePath();
    return ruta;
}

std::unique_ptr<QPrinter> ImpresoraPredeterminada() {
    const QPrinterInfo predeterminada = QPrinterInfo::defaultPrinter();
    if (predeterminada.isNull())
        return nullptr;
    return std::make_unique<QPrinter>(predeterminada, QPrinter::HighResolution);
}

void CargarCinta(TSumadoraFormulario& v, const QString& ruta) {
    const CursorEspera espera;
    // Read whole before the tape changes, so a failed load leaves it as it was. The total and
    // the calculation under way are not the file's business.
    TextoCuenta contenido = LeerArchivoCuenta(ruta);
    v.Cuenta->CargarTexto(std::move(contenido.Texto));
    v.CodificacionArchivo = contenido.Codificacion;
}

void AbrirCinta(TSumadoraFormulario& v) {
    const QString ruta =
        v.PreguntarArchivoAbrir ? v.PreguntarArchivoAbrir() : DialogoArchivo(&v, false);
    if (!ruta.isEmpty())
        CargarCinta(v, ruta);
}

// The tape file stays the first choice; a spreadsheet or a PDF are the others.
void GuardarCinta(TSumadoraFormulario& v) {
    const DestinoArchivo destino =
        PreguntarDestinoCuenta(v, {FormatoArchivo::Suma, FormatoArchivo::Csv, FormatoArchivo::Pdf});
    if (destino.Ruta.isEmpty())
        return;
    const CursorEspera espera;
    GuardarCuentaComo(v, destino);
}

void ImprimirCinta(TSumadoraFormulario& v) {
    // Without a printer nothing is written and nothing printed; the page can become a PDF.
    const std::unique_ptr<QPrinter> impresora =
        v.ObtenerImpresora ? v.ObtenerImpresora() : ImpresoraPredeterminada();
    if (!impresora) {
        if (OfrecerPdfSinImpresora(&v))
            if (const DestinoArchivo pdf = PreguntarDestinoCuenta(v, {FormatoArchivo::Pdf});
                !pdf.Ruta.isEmpty())
                GuardarCuentaComo(v, pdf);
        return;
    }
    const CursorEspera espera;
    // The work file is a by-product: where it cannot be written the tape still prints.
    (void)EscribirArchivoImpresion(v.Cuenta->Texto(), v.CodificacionArchivo);
    const QStringList lineas =
        LineasImpresion(v.Cuenta->Lineas(), LeerCabeceraImpresion(ArchivoIni()));
    ImprimirTexto(*impresora, NombreImpresion(), lineas.join(u'\n'), LetraImpresion());
}

void MostrarAcercaDe(TSumadoraFormulario& v) {
    v.DialogoAcercaDe()->exec();
}

// Handed to the desktop's viewer without waiting for it; a missing viewer is not reported.
void MostrarAyuda(TSumadoraFormulario& v) {
    const QUrl ayuda = QUrl::fromLocalFile(RutaManualAyuda());
    if (v.AbrirAyuda)
        v.AbrirAyuda(ayuda);
    else
        QDesktopServices::openUrl(ayuda);
}

// The calculation under way, if any, goes on from 0.
void LimpiarCinta(TSumadoraFormulario& v) {
    v.Cuenta->Limpiar();
    v.Datos->Borrar();
    v.Operandos->Borrar();
}

void CopiarTotal(TSumadoraFormulario& v) {
    QGuiApplication::clipboard()->setText(v.Operandos->Text().trimmed());
}

using Forma = Ui::TSumadoraFormulario;

struct TeclaBarra {
    QToolButton* Forma::*Boton;
    void (*Accion)(TSumadoraFormulario& v);
    // The action may open a window (a dialog, the printer's, an error message): the
    // keyboard stays off until it closes, so the key that closes it does not reach the
    // calculator.
    bool TecladoEnReposo;
};

const TeclaBarra TeclasBarra[] = {
    {&Forma::BotonAbrirCuenta, &AbrirCinta, true},  {&Forma::GuardarCuenta, &GuardarCinta, true},
    {&Forma::ImprimirCuenta, &ImprimirCinta, true}, {&Forma::BotonAcercaDe, &MostrarAcercaDe, true},
    {&Forma::BotonAyuda, &MostrarAyuda, true},      {&Forma::BorrarCuenta, &LimpiarCinta, false},
    {&Forma::BotonCopiar, &CopiarTotal, false},
};

} // namespace

void TSumadoraFormulario::AbrirCuenta(const QString& Ruta) {
    const TecladoSuspendido suspension(TecladoActivo);
    ConGuardia(this, [this, &Ruta] { CargarCinta(*this, Ruta); });
}

bool TSumadoraFormulario::OpcionesBarra(QObject* Sender) {
    for (const TeclaBarra& t : TeclasBarra) {
        if (Sender != this->*t.Boton)
            continue;
        if (t.TecladoEnReposo) {
            const TecladoSuspendido suspension(TecladoActivo);
            ConGuardia(this, [this, &t] { t.Accion(*this); });
        } else {
            t.Accion(*this);
        }
        return true;
    }
    return false;
}

QList<QAbstractButton*> TSumadoraFormulario::BotonesBarra() const {
    QList<QAbstractButton*> botones;
    for (const TeclaBarra& t : TeclasBarra)
        botones.append(this->*t.Boton);
    return botones;
}
