// The floor the start-up benchmark compares with: a bare Qt window saying hello.
#include <QApplication>
#include <QLabel>

using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel hola(u"Hola"_s);
    hola.resize(200, 80);
    hola.show();
    return app.exec();
}
