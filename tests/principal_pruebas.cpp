// Test main: a temporary HOME so no test sees the user's real settings, the decimal point
// fixed for the C library; for window tests a headless QApplication (for tests in a desktop
// session, the platform the program chooses there) and a watchdog for modal dialogs, for
// logic tests only a QCoreApplication.
#ifdef PRUEBAS_EN_SESION
#include "PlataformaGrafica.h"
#endif
#ifdef PRUEBAS_VENTANAS
#include <QApplication>
#include <QTimer>
using Aplicacion = QApplication;
void AtenderDialogosModales();
#else
#include <QCoreApplication>
using Aplicacion = QCoreApplication;
#endif
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <clocale>

using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
#ifdef PRUEBAS_EN_SESION
    ElegirPlataforma();
#else
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    QTemporaryDir hogar;
    qputenv("HOME", hogar.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (hogar.path() + u"/.config"_s).toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);

    Aplicacion app(argc, argv);
    Aplicacion::setApplicationName(u"Sumadora"_s);
    std::setlocale(LC_NUMERIC, "C");
    ::testing::InitGoogleTest(&argc, argv);

#ifdef PRUEBAS_VENTANAS
    QTimer vigilante;
    vigilante.callOnTimeout(&app, &AtenderDialogosModales);
    vigilante.start(20);
#endif
    return RUN_ALL_TESTS();
}
