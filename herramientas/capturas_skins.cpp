// Screenshots of the program in each of the eight looks (plain look and seven skins): the
// main window with a sum on its tape, the About box, a hint, the system menu and an edit
// box's menu open; and a demo window with every kind of control the dialogs use. Used by
// scripts/capturas_skins.sh; the settings file goes to a temporary folder.
//   capturas_skins CARPETA
#include "TFAcercaDe.h"
#include "TMarcoSkin.h"
#include "TSkinCalcEdit.h"
#include "TSkinData.h"
#include "TSumadoraFormulario.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QToolTip>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// Stands in for a seven-segment register: it paints itself in fixed colours, as they do.
class TVisorDemo final : public QWidget {
public:
    TVisorDemo(const QString& texto, QColor fondo, QColor cifras, QWidget* padre)
        : QWidget(padre), FTexto(texto), FFondo(fondo), FCifras(cifras) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), FFondo);
        p.setPen(QColor(128, 128, 128));
        p.drawLine(0, 0, width() - 1, 0);
        p.drawLine(0, 0, 0, height() - 1);
        p.setPen(Qt::white);
        p.drawLine(1, height() - 1, width() - 1, height() - 1);
        p.drawLine(width() - 1, 1, width() - 1, height() - 1);
        QFont f(u"DejaVu Sans Mono"_s);
        f.setPixelSize(height() - 10);
        f.setBold(true);
        p.setFont(f);
        p.setPen(FCifras);
        p.drawText(rect().adjusted(4, 0, -6, 0), Qt::AlignRight | Qt::AlignVCenter, FTexto);
    }

private:
    QString FTexto;
    QColor FFondo;
    QColor FCifras;
};

QPushButton* Boton(QWidget* padre, const QString& texto, int x, int y, int w, int h, int alto,
                   bool negrita = true) {
    auto* b = new QPushButton(texto, padre);
    b->setGeometry(x, y, w, h);
    QFont f(u"Arial"_s);
    f.setPixelSize(alto);
    f.setBold(negrita);
    b->setFont(f);
    return b;
}

QLabel* Rotulo(QWidget* padre, const QString& texto, const QRect& r) {
    auto* l = new QLabel(texto, padre);
    l->setGeometry(r);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

void Esperar(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

// The window: the calculator's main area on the left, dialog controls on the right.
void Construir(QWidget& v, TSkinCalcEdit** edicion) {
    v.setWindowTitle(u"Sumadora"_s);
    v.setFixedSize(900, 484);

    auto* cinta = new QListWidget(&v);
    cinta->setObjectName(u"cuenta"_s);
    cinta->setGeometry(8, 8, 209, 320);
    QFont courier(u"Courier New"_s);
    courier.setPixelSize(12);
    cinta->setFont(courier);
    const char* lineas[] = {"125,50 +",   "37,25 +",   "1.000,00 +", "----------------------",
                            "1.162,75 T", "",          "",           "16 %",
                            "186,04 I",   "1.348,79 T"};
    for (int vuelta = 0; vuelta < 4; ++vuelta)
        for (const char* l : lineas)
            cinta->addItem(u"%1"_s.arg(QString::fromUtf8(l), 22));
    cinta->setCurrentRow(39);

    const char* pistas[] = {
        "Carga una cuenta desde disco.", "Guarda la cuenta en disco.", "Imprime la cuenta.",
        "Borra toda la cuenta.",         "Copiar el RESULTADO",        "Propiedades"};
    for (int i = 0; i < 6; ++i) {
        auto* b = new QToolButton(&v);
        b->setAutoRaise(true);
        b->setText(QString(QChar(0x25A0 + i)));
        b->setGeometry(226 + 32 * i, 8, 30, 25);
        b->setToolTip(QString::fromUtf8(pistas[i]));
    }

    Rotulo(&v, u"Memorias"_s, QRect(223, 40, 316, 21));
    for (int i = 0; i < 5; ++i) {
        const int y = 65 + 25 * i;
        auto* n = new QLabel(QString::number(5 - i), &v);
        n->setGeometry(219, y + 5, 8, 14);
        new TVisorDemo(u"0"_s, QColor(62, 62, 62), QColor(192, 192, 192), &v);
        v.children().constLast()->setProperty("x", 0);
        static_cast<QWidget*>(v.children().constLast())->setGeometry(227, y, 224, 25);
        const char* mem[] = {"+", "-", "R", "C"};
        for (int k = 0; k < 4; ++k)
            Boton(&v, QString::fromLatin1(mem[k]), 453 + 22 * k, y + 2, 20, 20, 12);
    }
    Rotulo(&v, u"Dato y Resultado"_s, QRect(223, 195, 316, 21));
    (new TVisorDemo(u"1.348,79"_s, QColor(135, 206, 235), QColor(69, 69, 69), &v))
        ->setGeometry(223, 222, 313, 33);
    (new TVisorDemo(u"TOTAL"_s, QColor(0, 0, 128), Qt::white, &v))->setGeometry(223, 261, 313, 44);

    // Keypad rows, as the calculator lays them out (shifted up to fit the demo).
    const int fila[] = {312, 348, 384, 420};
    Boton(&v, u"*"_s, 8, fila[0], 33, 33, 21, false);
    Boton(&v, u"CE"_s, 44, fila[0], 33, 33, 13);
    for (int d = 1; d <= 9; ++d)
        Boton(&v, QString::number(d), 80 + 36 * ((d - 1) % 3), fila[2 - (d - 1) / 3], 33, 33, 15);
    Boton(&v, u"-"_s, 188, fila[0], 49, 33, 27, false);
    Boton(&v, u"Total"_s, 240, fila[0], 85, 33, 13);
    Boton(&v, u"+ IVA"_s, 328, fila[0], 85, 33, 13);
    Boton(&v, u"Log"_s, 416, fila[0], 41, 33, 13, false);
    Boton(&v, u"TRIG"_s, 460, fila[0], 78, 33, 13)->setToolTip(u"Funciones Trigonometricas."_s);
    Boton(&v, u"="_s, 8, fila[1], 33, 69, 21, false);
    Boton(&v, u"±"_s, 44, fila[1], 33, 33, 16, false);
    Boton(&v, u"+"_s, 188, fila[1], 49, 105, 27, false);
    Boton(&v, u"X²"_s, 240, fila[1], 41, 33, 13);
    Boton(&v, u"X³"_s, 284, fila[1], 41, 33, 13);
    Boton(&v, u"- IVA"_s, 328, fila[1], 85, 33, 13);
    Boton(&v, u"Ln"_s, 416, fila[1], 41, 33, 13, false);
    Boton(&v, u"FIN"_s, 460, fila[1], 78, 33, 13);
    Boton(&v, u"."_s, 44, fila[2], 33, 33, 19);
    Boton(&v, u"X^Y"_s, 240, fila[2], 41, 33, 13);
    Boton(&v, u"1/X"_s, 284, fila[2], 41, 33, 13);
    Boton(&v, u"%"_s, 328, fila[2], 85, 33, 15);
    Boton(&v, u"n!"_s, 416, fila[2], 41, 33, 13, false);
    Boton(&v, u"€ > Pts"_s, 460, fila[2], 78, 33, 13);
    Boton(&v, u"÷"_s, 8, fila[3], 33, 33, 21, false);
    Boton(&v, u"0"_s, 44, fila[3], 69, 33, 15);
    Boton(&v, u"00"_s, 116, fila[3], 33, 33, 15);
    Boton(&v, u"000"_s, 152, fila[3], 33, 33, 15);
    const char* ultimas[] = {"C", "√", "NIF", "π", "e"};
    for (int i = 0; i < 5; ++i)
        Boton(&v, QString::fromUtf8(ultimas[i]), 240 + 44 * i, fila[3], 41, 33, i == 3 ? 19 : 15);
    Boton(&v, u"Pts > €"_s, 460, fila[3], 78, 33, 13);

    // Dialog controls on the right.
    auto* paginas = new QTabWidget(&v);
    paginas->setGeometry(557, 8, 160, 250);
    auto* trig = new QWidget;
    paginas->addTab(trig, u"Trigonometria"_s);
    paginas->addTab(new QWidget, u"Financieras"_s);
    const char* funciones[] = {"Seno", "Coseno", "Tangente", "Arco Seno"};
    for (int i = 0; i < 4; ++i) {
        auto* b = new QPushButton(QString::fromLatin1(funciones[i]), trig);
        b->setGeometry(8, 8 + 24 * i, 140, 22);
    }
    auto* grupo = new QButtonGroup(trig);
    const char* unidades[] = {"Sexagesimal (DEG)", "Radian (RAD)", "Centesimal (GRAD)"};
    for (int i = 0; i < 3; ++i) {
        auto* r = new QRadioButton(QString::fromLatin1(unidades[i]), trig);
        r->setGeometry(8, 112 + 23 * i, 145, 20);
        r->setChecked(i == 0);
        grupo->addButton(r);
    }

    auto* caja = new QGroupBox(u"Imprimir"_s, &v);
    caja->setGeometry(727, 8, 165, 112);
    auto* cabecera = new QCheckBox(u"Cabecera"_s, caja);
    cabecera->setGeometry(10, 20, 140, 20);
    cabecera->setChecked(true);
    (new QCheckBox(u"Separador Miles"_s, caja))->setGeometry(10, 42, 140, 20);
    auto* linea = new QLineEdit(u"Mi empresa, S.L."_s, caja);
    linea->setGeometry(10, 68, 145, 21);
    auto* inactivo = new QLineEdit(u"inactivo"_s, caja);
    inactivo->setGeometry(10, 90, 70, 19);
    inactivo->setEnabled(false);
    auto* botonInactivo = new QPushButton(u"Aplicar"_s, caja);
    botonInactivo->setGeometry(85, 89, 70, 21);
    botonInactivo->setEnabled(false);

    auto* decimales = new QSpinBox(&v);
    decimales->setGeometry(727, 128, 70, 22);
    decimales->setValue(3);
    auto* iva = new QDoubleSpinBox(&v);
    iva->setGeometry(802, 128, 90, 22);
    iva->setValue(16.0);
    auto* skins = new QComboBox(&v);
    skins->setGeometry(727, 156, 165, 22);
    skins->addItems(TSkinData::NombresSkins());
    skins->setCurrentIndex(1);

    auto* capital = new QLabel(u"Capital Inicial:"_s, &v);
    capital->setGeometry(727, 184, 165, 16);
    auto* ci = new TSkinCalcEdit(&v);
    ci->setGeometry(727, 201, 165, 21);
    ci->setText(u"1.500,75"_s);
    *edicion = ci;
    auto* np = new TSkinCalcEdit(&v);
    np->setValueType(vtInteger);
    np->setGeometry(727, 227, 80, 21);
    auto* calcular = new QPushButton(u"Calcular"_s, &v);
    calcular->setGeometry(812, 226, 80, 23);
    auto* regla = new QFrame(&v);
    regla->setFrameShape(QFrame::HLine);
    regla->setFrameShadow(QFrame::Sunken);
    regla->setGeometry(557, 264, 335, 4);

    auto* texto = new QPlainTextEdit(&v);
    texto->setGeometry(557, 272, 335, 100);
    texto->setLineWrapMode(QPlainTextEdit::NoWrap);
    QString informe;
    for (int m = 1; m <= 12; ++m)
        informe +=
            u"Mes %1   Cuota 1.234,56   Intereses %2,00   Capital pendiente\n"_s.arg(m, 2).arg(
                100 - m * 7);
    texto->setPlainText(informe);

    auto* panel = new QFrame(&v);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setGeometry(557, 380, 335, 96);
    auto* aviso = new QLabel(u"Panel con rótulo y botones"_s, panel);
    aviso->setGeometry(10, 8, 300, 18);
    auto* aceptar = new QPushButton(u"Aceptar"_s, panel);
    aceptar->setGeometry(150, 60, 85, 25);
    aceptar->setDefault(true);
    auto* cancelar = new QPushButton(u"Cancelar"_s, panel);
    cancelar->setGeometry(240, 60, 85, 25);
    auto* casilla = new QCheckBox(u"Sin marcar"_s, panel);
    casilla->setGeometry(10, 32, 130, 20);
    auto* radio = new QRadioButton(u"Opción"_s, panel);
    radio->setGeometry(10, 60, 130, 20);
}

bool Guardar(const QImage& imagen, const QString& ruta) {
    if (imagen.isNull() || !imagen.save(ruta)) {
        std::fprintf(stderr, "no se puede guardar %s\n", qPrintable(ruta));
        return false;
    }
    std::printf("%s\n", qPrintable(ruta));
    return true;
}

QImage Pantalla(QWidget& ventana, const QRect& zona) {
    QImage imagen =
        ventana.screen()->grabWindow(0, zona.x(), zona.y(), zona.width(), zona.height()).toImage();
    return imagen.isNull() ? ventana.grab().toImage() : imagen;
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir hogar;
    qputenv("HOME", hogar.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (hogar.path() + u"/.config"_s).toLocal8Bit());
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Sumadora"_s);
    const QString carpeta = argc > 1 ? QString::fromLocal8Bit(argv[1]) : u"capturas"_s;
    if (!QDir().mkpath(carpeta)) {
        std::fprintf(stderr, "no se puede crear %s\n", qPrintable(carpeta));
        return 1;
    }

    TSkinData sd;
    TSumadoraFormulario principal;
    TMarcoSkin* marco = TMarcoSkin::Instalar(&principal, TMarcoSkin::BotonesPrincipal());
    TFAcercaDe acercaDe;
    for (QAbstractButton* b :
         {principal.Numero1, principal.Numero2, principal.Numero5, principal.OperadorDecimal,
          principal.Numero5, principal.Numero5, principal.OperadorSuma, principal.Numero3,
          principal.Numero7, principal.OperadorSuma, principal.Numero1, principal.CeroDoble,
          principal.OperadorSuma, principal.OperadorTotal, principal.Numero1, principal.Numero6,
          principal.OperadorSuma})
        b->click();

    QWidget demo;
    TSkinCalcEdit* edicion = nullptr;
    Construir(demo, &edicion);
    TMarcoSkin::Instalar(&demo, TMarcoSkin::BotonesDialogo());

    const QStringList nombres = TSkinData::NombresSkins();
    int fallos = 0;
    for (int i = 0; i < TSkinData::NumeroSkins(); ++i) {
        if (!sd.AplicarSkin(i)) {
            std::fprintf(stderr, "no se pudo aplicar el skin %d\n", i);
            ++fallos;
            continue;
        }
        const QString base =
            u"%1/FSkin%2_%3"_s.arg(carpeta).arg(i).arg(i == 0 ? u"SinSkin"_s : nombres[i]);

        principal.move(10, 10);
        principal.show();
        acercaDe.move(580, 10);
        acercaDe.show();
        Esperar(300);
        const QPoint abajo = principal.frameGeometry().bottomLeft();
        QMenu* sistema = marco->CrearMenuSistema(&principal);
        sistema->popup(abajo + QPoint(200, 12));
        QLineEdit linea(u"1.250,75"_s);
        linea.selectAll();
        QMenu* menuEdicion = TSkinData::CrearMenuEdicion(&linea, &principal);
        menuEdicion->popup(abajo + QPoint(380, 12));
        Esperar(150);
        QToolTip::showText(abajo + QPoint(10, 16), u"Copiar el RESULTADO\nen el Portapapeles."_s,
                           &principal);
        Esperar(400);
        fallos += !Guardar(Pantalla(principal, QRect(0, 0, 1210, 720)), base + u".png"_s);
        QToolTip::hideText();
        delete sistema;
        delete menuEdicion;
        principal.hide();
        acercaDe.hide();

        demo.move(10, 10);
        demo.show();
        edicion->setFocus();
        edicion->selectAll();
        Esperar(300);
        fallos += !Guardar(Pantalla(demo, demo.frameGeometry().adjusted(0, 0, 1, 1)),
                           base + u"_controles.png"_s);
        demo.hide();
    }
    return fallos == 0 ? 0 : 1;
}
