// Test main: a headless QApplication, a temporary HOME so no test sees the user's real
// settings, the decimal point fixed for the C library, and a watchdog for modal dialogs.
#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

void AtenderDialogosModales();

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir hogar;
    qputenv("HOME", hogar.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (hogar.path() + QStringLiteral("/.config")).toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sumadora"));
    std::setlocale(LC_NUMERIC, "C");
    ::testing::InitGoogleTest(&argc, argv);

    QTimer vigilante;
    vigilante.setInterval(20);
    QObject::connect(&vigilante, &QTimer::timeout, &app, &AtenderDialogosModales);
    vigilante.start();

    return RUN_ALL_TESTS();
}
