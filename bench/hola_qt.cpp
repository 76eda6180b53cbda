// The floor the start-up benchmark compares with: a bare Qt window saying hello.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel hola(QStringLiteral("Hola"));
    hola.resize(200, 80);
    hola.show();
    return app.exec();
}
