// Program entry: the application, Qt's own texts in Spanish, and the calculator's windows.
#include "RitmoFotogramas.h"
#include "TSumadoraFormulario.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QScreen>
#include <QTranslator>

#include <clocale>

using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Sumadora"_s);
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
    return app.exec();
}
