// Program entry: the application, Qt's own texts in Spanish, and the calculator's windows.
#include "ArchivosPrograma.h"
#include "LineaOrdenes.h"
#include "PlataformaGrafica.h"
#include "RecuperacionCinta.h"
#include "RitmoFotogramas.h"
#include "TSumadoraFormulario.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QScreen>
#include <QTimer>
#include <QTranslator>

#include <clocale>

using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
    // --help and --version answer before any display is needed.
    const LineaOrdenes ordenes = LeerLineaOrdenes(ArgumentosPrograma(argc, argv));
    if (ordenes.Terminar)
        return ordenes.Responder();

    ElegirPlataforma();
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Sumadora"_s);
    QGuiApplication::setDesktopFileName(IdentificadorPrograma());
    // Creating the application may switch the C library to the system's decimal comma.
    std::setlocale(LC_NUMERIC, "C");

    // The buttons and titles of Qt's own dialogs.
    QTranslator traduccionQt;
    if (traduccionQt.load(u"qtbase_es"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traduccionQt);

    TSumadoraFormulario ventana(nullptr, true);
    new RitmoFotogramas(&ventana); // a key burst faster than the screen: one paint per frame
    if (const QScreen* pantalla = ventana.screen())
        ventana.move(pantalla->availableGeometry().center() - ventana.rect().center());
    ventana.show();
    // A tape named on the command line opens once the window shows, as from the toolbar.
    if (!ordenes.Cinta.isEmpty())
        QTimer::singleShot(0, &ventana, [&] { ventana.AbrirCuenta(ordenes.Cinta); });
    // Then the copies a crash left behind: a recovered tape replaces the one just opened,
    // which is still on disk.
    RecuperacionCinta::Iniciar(ventana);
    return app.exec();
}
