// Program entry: until the main window lands, one window with a register keyed from buttons.
#include "TZURLabelNumber.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QPushButton>
#include <QRadioButton>

#include <clocale>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sumadora"));
    std::setlocale(LC_NUMERIC, "C");

    QWidget ventana;
    ventana.setWindowTitle(QStringLiteral("Sumadora"));
    auto* rejilla = new QGridLayout(&ventana);
    auto* registro = new TZURLabelNumber(&ventana);
    registro->setNumDigits(20);
    registro->setMinimumSize(313, 33);
    registro->setColor(QColor(135, 206, 235));
    registro->setFontColor(QColor(69, 69, 69));
    rejilla->addWidget(registro, 0, 0, 1, 4);

    auto boton = [&](const QString& texto, int fila, int col, auto accion) {
        auto* b = new QPushButton(texto, &ventana);
        QObject::connect(b, &QPushButton::clicked, registro, accion);
        rejilla->addWidget(b, fila, col);
    };
    for (int d = 1; d <= 9; ++d)
        boton(QString::number(d), 1 + (9 - d) / 3, (d - 1) % 3, [registro, d] { registro->AgregarDigito(d); });
    boton(QStringLiteral("0"), 4, 0, [registro] { registro->AgregarDigito(0); });
    boton(QStringLiteral(","), 4, 1, [registro] { registro->PuntoDecimal(); });
    boton(QStringLiteral("±"), 4, 2, [registro] { registro->CambioSigno(); });
    boton(QStringLiteral("CE"), 1, 3, [registro] { registro->Borrar(); });

    const QString formatos[] = {QStringLiteral("General"), QStringLiteral("Fijo"),
                                QStringLiteral("Miles")};
    for (int i = 0; i < 3; ++i) {
        auto* r = new QRadioButton(formatos[i], &ventana);
        r->setChecked(i == 0);
        QObject::connect(r, &QRadioButton::toggled, registro, [registro, i](bool marcado) {
            if (!marcado)
                return;
            registro->setFormatoGeneral(i == 0);
            registro->setSeparadorMiles(i == 2);
            const long double v = registro->Valor();
            registro->setValor(v + 1);
            registro->MostrarResultado(v);
        });
        rejilla->addWidget(r, 5, i);
    }
    ventana.show();
    return app.exec();
}
