// Loan amortisation dialog.
#include "TPrestamoFrances.h"

#include "CajasEntrada.h"
#include "CalculosFinancieros.h"
#include "ExportacionPdf.h"
#include "GuardiaErrores.h"
#include "ImpresionTexto.h"
#include "RegistrosFinancieros.h"

#include <QMenu>
#include <QPrinter>
#include <QPrinterInfo>

using namespace Qt::StringLiterals;

TPrestamoFrances::TPrestamoFrances(QWidget* parent) : DialogoFinanciero(parent) {
    setupUi(this);
    NA->setValueType(vtInteger);
    FormCreate();
    FijarVentana({{BotonCalcular, [this] { BotonCalcularClick(); }},
                  {BotonImprimir, [this] { BotonImprimirClick(); }}},
                 {C, IA, NA});
    Informe->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Informe, &QWidget::customContextMenuRequested, this, [this](const QPoint& punto) {
        MenuInforme(punto)->exec(Informe->viewport()->mapToGlobal(punto));
    });
}

void TPrestamoFrances::FormCreate() {
    PrepararRegistroResultado(CuotaMensual, 10);
    CuotaMensual->MostrarResultado(0);
}

void TPrestamoFrances::BotonCalcularClick() {
    ConGuardia(this, [this] {
        if (!AplicarReglaEntrada(this, {C, IA, NA}, {C, IA, NA}))
            return;
        const long double P = ValorCaja(C);
        const long double A = ValorCaja(IA);
        const int Y = AniosPrestamo(NA->text());
        // Everything is computed before anything is shown, so a failure changes nothing.
        const long double q = CuotaPrestamo(P, A, Y);
        const QStringList lineas = InformePrestamo(P, A, Y, CuotaMensual->ValorATexto(q));
        CuotaMensual->MostrarResultado(q);
        // One document for the whole schedule: 12 000 rows appended one by one would freeze
        // the window.
        Informe->setPlainText(lineas.join(u'\n'));
        HayCuadro = true;
        UltimoCapital = P;
        UltimoInteres = A;
        UltimosAnios = Y;
    });
}

void TPrestamoFrances::BotonImprimirClick() {
    ConGuardia(this, [this] {
        std::unique_ptr<QPrinter> impresora;
        if (ObtenerImpresora) {
            impresora = ObtenerImpresora();
        } else if (const QPrinterInfo predeterminada = QPrinterInfo::defaultPrinter();
                   !predeterminada.isNull()) {
            impresora = std::make_unique<QPrinter>(predeterminada, QPrinter::HighResolution);
        }
        if (impresora)
            Imprimir(*impresora);
        else if (OfrecerPdfSinImpresora(this))
            GuardarComoPdf();
    });
}

void TPrestamoFrances::Imprimir(QPrinter& impresora) {
    Informe->ensurePolished();
    ImprimirTexto(impresora, u"Informe Prestamo."_s, Informe->toPlainText(), Informe->font());
}

std::unique_ptr<QMenu> TPrestamoFrances::MenuInforme(const QPoint& punto) {
    std::unique_ptr<QMenu> menu(Informe->createStandardContextMenu(punto));
    menu->addSeparator();
    connect(menu->addAction(u"Guardar como CSV…"_s), &QAction::triggered, this,
            [this] { ConGuardia(this, [this] { GuardarComoCsv(); }); });
    connect(menu->addAction(u"Guardar como PDF…"_s), &QAction::triggered, this,
            [this] { ConGuardia(this, [this] { GuardarComoPdf(); }); });
    return menu;
}

QString TPrestamoFrances::PreguntarArchivo(FormatoArchivo formato) {
    if (PreguntarArchivoGuardar)
        return PreguntarArchivoGuardar();
    static QString carpeta;
    const DestinoArchivo destino =
        PreguntarDestino(this, u"Guardar el cuadro de amortización"_s, {formato}, carpeta);
    return destino.Ruta;
}

void TPrestamoFrances::GuardarComoCsv() {
    // The numbers of the calculation, not the box's text, which the user may have edited.
    if (!HayCuadro)
        throw ErrorSumadora(
            u"Todavía no hay ningún cuadro de amortización: pulse «Calcular» primero."_s);
    const QString ruta = PreguntarArchivo(FormatoArchivo::Csv);
    if (!ruta.isEmpty())
        CsvPrestamo(UltimoCapital, UltimoInteres, UltimosAnios).Guardar(ruta);
}

void TPrestamoFrances::GuardarComoPdf() {
    const QString ruta = PreguntarArchivo(FormatoArchivo::Pdf);
    if (ruta.isEmpty())
        return;
    Informe->ensurePolished();
    GuardarPdf(ruta, u"Informe Prestamo."_s, Informe->toPlainText(), Informe->font());
}
