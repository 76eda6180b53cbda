// Tests of the skin engine: stored skins, applying and clearing skins, broken skin
// folders, skinned frames (roll-up, magnetic snapping, modal dialogs) and Spanish texts.
#include "AjusteMagnetico.h"
#include "AyudasPrueba.h"
#include "TBarraTituloSkin.h"
#include "TMarcoSkin.h"
#include "TSkinData.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSet>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QStringList TextosMenu(const QMenu* menu) {
    QStringList textos;
    for (const QAction* a : menu->actions())
        if (!a->isSeparator())
            textos << a->text();
    return textos;
}

QAction* Accion(const QMenu* menu, const QString& texto) {
    for (QAction* a : menu->actions())
        if (a->text() == texto)
            return a;
    return nullptr;
}

// Qt's warnings while a test runs; a style sheet that fails to parse says so there.
QStringList Avisos;
void GuardarAviso(QtMsgType tipo, const QMessageLogContext&, const QString& texto) {
    // The offscreen platform's own complaints are not about the sheet.
    if (tipo != QtDebugMsg && tipo != QtInfoMsg && !texto.startsWith(u"This plugin"))
        Avisos << texto;
}

// A small window with one control of every kind the skins style, absolute geometry.
std::unique_ptr<QWidget> VentanaDeControles() {
    auto v = std::make_unique<QWidget>();
    v->setWindowTitle(u"Prueba"_s);
    v->setFixedSize(300, 200);
    (new QPushButton(u"7"_s, v.get()))->setGeometry(8, 8, 33, 33);
    QWidget* p = v.get();
    const QList<QWidget*> resto = {
        new QToolButton(p),    new QCheckBox(u"X"_s, p), new QRadioButton(u"DEG"_s, p),
        new QLineEdit(p),      new QSpinBox(p),          new QComboBox(p),
        new QPlainTextEdit(p), new QGroupBox(u"G"_s, p)};
    for (int i = 0; i < resto.size(); ++i)
        resto[i]->setGeometry(44 + (i % 2) * 80, 8 + (i / 2) * 40, 76, 36);
    auto* lista = new QListWidget(v.get());
    lista->setObjectName(u"cuenta"_s);
    lista->setGeometry(210, 8, 80, 100);
    for (int i = 0; i < 40; ++i)
        lista->addItem(QString::number(i));
    auto* paginas = new QTabWidget(v.get());
    paginas->addTab(new QLabel(u"Trig"_s), u"T"_s);
    paginas->setGeometry(8, 170, 100, 28);
    return v;
}

// The image paths a sheet's url() entries name.
QStringList Urls(const QString& hoja) {
    static const QRegularExpression referencia(u"url\\(([^)]*)\\)"_s);
    QStringList rutas;
    for (auto it = referencia.globalMatch(hoja); it.hasNext();)
        rutas << it.next().captured(1);
    return rutas;
}

class SkinTest : public ::testing::Test {
protected:
    void TearDown() override {
        SD.reset();
        EXPECT_TRUE(qApp->styleSheet().isEmpty()) << "the engine must leave the plain look";
        EXPECT_FALSE(TMarcoSkin::TodosActivos());
    }
    std::unique_ptr<TSkinData> SD = std::make_unique<TSkinData>();
    std::unique_ptr<QWidget> ventana = VentanaDeControles();
};

// Applied to a framed window holding every kind of control, each stored skin gives its own
// sheet, whose images all load and which parses without a warning (grab() polishes
// and paints every control with it).
TEST_F(SkinTest, CadaIndiceDaSuAspectoYCeroElSencillo) {
    TMarcoSkin::Instalar(ventana.get(), TMarcoSkin::BotonesPrincipal());
    ventana->show();
    QSet<QString> hojas;
    QList<int> cambios;
    QObject::connect(SD.get(), &TSkinData::SkinCambiado, SD.get(), [&](int i) { cambios << i; });
    Avisos.clear();
    const QtMessageHandler anterior = qInstallMessageHandler(GuardarAviso);
    ventana->setStyleSheet(u"QPushButton { color: red; "_s); // a broken sheet is heard
    ventana->grab();
    const bool oido = !Avisos.isEmpty();
    ventana->setStyleSheet(QString());
    for (int i : {1, 2, 3, 4, 5, 6, 7, 0}) {
        Avisos.clear();
        EXPECT_TRUE(SD->AplicarSkin(i));
        ventana->grab();
        EXPECT_TRUE(Avisos.isEmpty()) << i << Avisos.join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(SD->SkinActual(), i);
        EXPECT_EQ(SD->Activo(), i != 0);
        const QStringList urls = Urls(qApp->styleSheet());
        EXPECT_EQ(urls.isEmpty(), i == 0) << i;
        for (const QString& ruta : urls) {
            EXPECT_TRUE(ruta.startsWith(u":/skins/")) << ruta.toStdString();
            EXPECT_FALSE(QImage(ruta).isNull()) << ruta.toStdString();
        }
        hojas.insert(qApp->styleSheet());
    }
    qInstallMessageHandler(anterior);
    EXPECT_TRUE(oido);
    EXPECT_EQ(hojas.size(), 8);
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
    EXPECT_EQ(cambios, (QList<int>{1, 2, 3, 4, 5, 6, 7, 0}));

    ASSERT_TRUE(SD->AplicarSkin(2)); // coming back: the same sheet
    const QString hoja = qApp->styleSheet();
    EXPECT_TRUE(hojas.contains(hoja));

    // The same skin again, or an index outside the chooser, changes nothing.
    cambios.clear();
    EXPECT_TRUE(SD->AplicarSkin(2));
    for (int i : {-1, 8, 255})
        EXPECT_FALSE(SD->AplicarSkin(i)) << i;
    EXPECT_TRUE(TSkinData::CarpetaAlmacenada(8).isEmpty());
    EXPECT_EQ(SD->SkinActual(), 2);
    EXPECT_TRUE(TMarcoSkin::TodosActivos());
    EXPECT_EQ(qApp->styleSheet(), hoja);
    EXPECT_TRUE(cambios.isEmpty());
}

// A skin folder written by the test: its sheet (none when null) and one small image.
void EscribirSkin(const QString& carpeta, const char* hoja, bool imagenValida = true) {
    QDir().mkpath(carpeta);
    QImage imagen(2, 2, QImage::Format_RGB32);
    imagen.fill(Qt::red);
    if (imagenValida)
        imagen.save(carpeta + u"/marca.png"_s, "PNG");
    else
        EscribirArchivo(carpeta + u"/marca.png"_s, "no soy un png");
    if (hoja)
        EscribirArchivo(carpeta + u"/estilo.qss"_s, hoja);
}

// A sound folder is applied from where it lies.
TEST(CarpetaSkin, LasCarpetasMalasSeRechazanYDejanElAspecto) {
    const struct {
        const char* Nombre;
        const char* Hoja;
        bool ImagenValida;
    } casos[] = {{"SinHoja", nullptr, true},
                 {"HojaEnBlanco", " \n", true},
                 {"ImagenQueNoSeDecodifica",
                  "QCheckBox::indicator { image: url(@IMAGENES@/marca.png); }", false},
                 {"HojaConImagenQueFalta",
                  "QCheckBox::indicator { image: url(@IMAGENES@/falta.png); }", true},
                 {"HojaConArchivoDeFuera",
                  "QCheckBox::indicator { image: url(@IMAGENES@/../marca.png); }", true},
                 {"HojaNoUtf8", "QWidget { color: \xff\xfe; }", true}};
    QTemporaryDir raiz;
    TSkinData sd;
    ASSERT_TRUE(sd.AplicarSkin(2));
    const QString hoja = qApp->styleSheet();
    for (const auto& c : casos) {
        SCOPED_TRACE(c.Nombre);
        const QString carpeta = raiz.filePath(QString::fromLatin1(c.Nombre));
        EscribirSkin(carpeta, c.Hoja, c.ImagenValida);
        sd.setCarpeta(3, carpeta);
        EXPECT_FALSE(sd.AplicarSkin(3));
        EXPECT_EQ(sd.SkinActual(), 2);
        EXPECT_EQ(qApp->styleSheet(), hoja);
    }

    const QString buena = raiz.filePath(u"buena"_s);
    EscribirSkin(buena, "QCheckBox::indicator { image: url(@IMAGENES@/marca.png); }");
    sd.setCarpeta(3, buena);
    ASSERT_TRUE(sd.AplicarSkin(3));
    EXPECT_EQ(Urls(qApp->styleSheet()), QStringList{buena + u"/marca.png"_s});
}

TEST(AjusteMagnetico, SeAjustaADiezPixelesOMenos) {
    const QRect pantalla(0, 0, 1000, 800);
    const QRect Otra(400, 300, 200, 150); // right edge at 600, bottom at 450
    const struct {
        const char* Nombre;
        QRect Ventana;
        QList<QRect> Otras;
        QPoint Esperado;
    } casos[] = {
        {"BordeIzquierdoA10Ajusta", QRect(10, 100, 100, 80), {}, QPoint(0, 100)},
        {"BordeIzquierdoA11SeQueda", QRect(11, 100, 100, 80), {}, QPoint(11, 100)},
        {"PasadoElBordeIzquierdoVuelve", QRect(-6, 100, 100, 80), {}, QPoint(0, 100)},
        {"BordeDerechoA7Ajusta", QRect(893, 100, 100, 80), {}, QPoint(900, 100)},
        {"BordeInferiorA7Ajusta", QRect(300, 713, 100, 80), {}, QPoint(300, 720)},
        {"EsquinaAjustaLosDosEjes", QRect(5, 6, 100, 80), {}, QPoint(0, 0)},
        {"ALaDerechaDeOtraVentanaA7", QRect(607, 320, 100, 80), {Otra}, QPoint(600, 320)},
        {"ALaIzquierdaDeOtraVentana", QRect(293, 320, 100, 80), {Otra}, QPoint(300, 320)},
        {"BajoOtraVentana", QRect(450, 456, 100, 80), {Otra}, QPoint(450, 450)},
        {"SobreOtraAlineadaALaIzquierda", QRect(404, 215, 100, 80), {Otra}, QPoint(400, 220)},
        {"OtraVentanaLejosEnElOtroEje", QRect(607, 600, 100, 80), {Otra}, QPoint(607, 600)},
        {"GanaElBordeMasCercano",
         QRect(603, 320, 100, 80),
         {Otra, QRect(598, 500, 100, 100)},
         QPoint(600, 320)}};
    for (const auto& c : casos)
        EXPECT_EQ(AjusteMagnetico(c.Ventana, pantalla, c.Otras), c.Esperado) << c.Nombre;
}

TEST_F(SkinTest, ElMarcoSigueAlSkinSeEnrollaYConservaElCliente) {
    auto* boton = ventana->findChild<QPushButton*>();
    // A caption of chosen buttons, as the main window has: Qt keeps it framed unless told.
    const Qt::WindowFlags propias = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                    Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    ventana->setWindowFlags(propias);
    TMarcoSkin* marco = TMarcoSkin::Instalar(ventana.get(), TMarcoSkin::BotonesPrincipal());
    EXPECT_EQ(TMarcoSkin::Instalar(ventana.get()), marco);
    ventana->show();
    EXPECT_EQ(boton->mapTo(ventana.get(), QPoint(0, 0)), QPoint(8, 8));
    EXPECT_FALSE(marco->Barra()->isVisible());
    marco->Enrollar(); // rolling up needs a skin
    EXPECT_FALSE(marco->Enrollada());

    ASSERT_TRUE(SD->AplicarSkin(5));
    EXPECT_TRUE(ventana->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(marco->Barra()->isVisible());
    EXPECT_EQ(ventana->size(), QSize(300, 200 + TMarcoSkin::AltoTitulo));
    EXPECT_EQ(boton->mapTo(ventana.get(), QPoint(0, 0)), QPoint(8, 8 + TMarcoSkin::AltoTitulo));
    ventana->setWindowTitle(u"Otro título"_s);
    EXPECT_EQ(marco->Barra()->Titulo()->text(), u"Otro título"_s);
    ASSERT_TRUE(SD->AplicarSkin(6)); // skin to skin: the frame stays as it is
    EXPECT_EQ(ventana->size(), QSize(300, 200 + TMarcoSkin::AltoTitulo));

    const QRect antes = ventana->geometry();
    QTest::mouseClick(marco->Barra()->BotonEnrollar(), Qt::LeftButton);
    EXPECT_TRUE(marco->Enrollada());
    EXPECT_EQ(ventana->size(), QSize(300, TMarcoSkin::AltoTitulo));
    EXPECT_FALSE(marco->Cliente()->isVisible());
    QTest::mouseClick(marco->Barra()->BotonEnrollar(), Qt::LeftButton);
    EXPECT_FALSE(marco->Enrollada());
    EXPECT_EQ(ventana->geometry(), antes);
    EXPECT_TRUE(marco->Cliente()->isVisible());
    // Through the system menu, which also holds minimising, and undone by going back to the
    // plain look.
    EXPECT_TRUE(marco->Barra()->BotonMinimizar()->isHidden());
    std::unique_ptr<QMenu> menu(marco->CrearMenuSistema());
    EXPECT_EQ(TextosMenu(menu.get()),
              (QStringList{u"&Restaurar"_s, u"Mi&nimizar"_s, u"Enro&llar"_s, u"&Cerrar"_s}));
    Accion(menu.get(), u"Enro&llar"_s)->trigger();
    EXPECT_TRUE(marco->Enrollada());

    ASSERT_TRUE(SD->AplicarSkin(0));
    EXPECT_FALSE(marco->Enrollada());
    EXPECT_EQ(ventana->windowFlags(), propias);
    EXPECT_FALSE(marco->Barra()->isVisible());
    EXPECT_EQ(ventana->size(), QSize(300, 200));
    EXPECT_EQ(boton->mapTo(ventana.get(), QPoint(0, 0)), QPoint(8, 8));

    // A window created under a skin is framed at once.
    ASSERT_TRUE(SD->AplicarSkin(1));
    auto otra = VentanaDeControles();
    EXPECT_TRUE(TMarcoSkin::Instalar(otra.get())->Activo());
    EXPECT_EQ(otra->height(), 200 + TMarcoSkin::AltoTitulo);
}

// A dialog laid out by a layout makes room for the caption too; a skin switched while it is
// modal keeps it open.
TEST_F(SkinTest, DialogoModalConDisposicionGanaMargenYSigueAbierto) {
    QDialog dialogo;
    auto* disposicion = new QVBoxLayout(&dialogo);
    auto* linea = new QLineEdit(&dialogo);
    disposicion->addWidget(linea);
    disposicion->addStretch();
    dialogo.resize(200, 120);
    TMarcoSkin* marco = TMarcoSkin::Instalar(&dialogo);
    QList<int> arriba; // the line's top: plain, skinned, plain again
    bool abierto = true;
    AlAparecerDialogo([&](QWidget*) {
        arriba << linea->y();
        for (int skin : {3, 0}) {
            SD->AplicarSkin(skin);
            QApplication::processEvents();
            disposicion->activate();
            arriba << linea->y();
            abierto = abierto && dialogo.isVisible() && marco->Activo() == (skin != 0);
        }
        dialogo.accept();
    });
    EXPECT_EQ(dialogo.exec(), QDialog::Accepted);
    EXPECT_TRUE(abierto);
    ASSERT_EQ(arriba.size(), 3);
    EXPECT_EQ(arriba, (QList<int>{arriba[0], arriba[0] + TMarcoSkin::AltoTitulo, arriba[0]}));
}

TEST_F(SkinTest, ArrastrarLaBarraSeAjustaAlBordeDeLaPantalla) {
    TMarcoSkin* marco = TMarcoSkin::Instalar(ventana.get());
    ventana->move(100, 100);
    ventana->show();
    ASSERT_TRUE(SD->AplicarSkin(1));
    const QPoint esquina = ventana->screen()->availableGeometry().topLeft();
    marco->MoverA(esquina + QPoint(7, 40));
    EXPECT_EQ(ventana->pos(), esquina + QPoint(0, 40));
    marco->setMagnetico(false);
    marco->MoverA(esquina + QPoint(7, 40));
    EXPECT_EQ(ventana->pos(), esquina + QPoint(7, 40));

    // A dialog's frame cannot roll up; its close button closes it.
    EXPECT_FALSE(marco->Barra()->BotonEnrollar()->isVisible());
    std::unique_ptr<QMenu> menu(marco->CrearMenuSistema());
    EXPECT_EQ(TextosMenu(menu.get()), (QStringList{u"&Restaurar"_s, u"&Cerrar"_s}));
    QTest::mouseClick(marco->Barra()->BotonCerrar(), Qt::LeftButton);
    EXPECT_FALSE(ventana->isVisible());
}

TEST_F(SkinTest, MenuDeEdicionEnEspanol) {
    QLineEdit linea;
    linea.setText(u"123,45"_s);
    linea.setSelection(0, 3);
    std::unique_ptr<QMenu> menu(TSkinData::CrearMenuEdicion(&linea));
    ASSERT_TRUE(menu);
    EXPECT_EQ(TextosMenu(menu.get()),
              (QStringList{u"Deshacer"_s, u"Cortar"_s, u"Copiar"_s, u"Pegar"_s, u"Borrar"_s,
                           u"Seleccionar Todo"_s}));
    Accion(menu.get(), u"Borrar"_s)->trigger();
    EXPECT_EQ(linea.text(), u",45"_s);
    QPushButton boton;
    EXPECT_EQ(TSkinData::CrearMenuEdicion(&boton), nullptr);

    // The engine puts it up on a right click.
    linea.show();
    QContextMenuEvent evento(QContextMenuEvent::Mouse, QPoint(2, 2),
                             linea.mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(&linea, &evento);
    auto* abierto = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(abierto, nullptr);
    EXPECT_TRUE(TextosMenu(abierto).contains(u"Seleccionar Todo"_s));
    abierto->close();
}

} // namespace
