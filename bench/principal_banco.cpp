// The one main of every benchmark: a headless QApplication, a temporary HOME so the user's
// settings file is never touched, and the C library's decimal point.
#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <clocale>

using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir hogar;
    qputenv("HOME", hogar.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (hogar.path() + u"/.config"_s).toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
