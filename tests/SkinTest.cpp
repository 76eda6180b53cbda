// Tests of the skin engine: stored packages, applying and clearing skins, corrupted
// packages, skinned frames (roll-up, magnetic snapping, modal dialogs) and Spanish texts.
#include "AjusteMagnetico.h"
#include "AyudasPrueba.h"
#include "PaqueteSkin.h"
#include "TBarraTituloSkin.h"
#include "TMarcoSkin.h"
#include "TSkinData.h"

#include <QApplication>
#include <QBuffer>
#include <QContextMenuEvent>
#include <QScreen>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

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

// Collects Qt's warnings while alive; a style sheet that fails to parse says so there.
class CapturaAvisos {
public:
    CapturaAvisos() {
        Avisos().clear();
        FAnterior = qInstallMessageHandler(&CapturaAvisos::Manejador);
    }
    ~CapturaAvisos() { qInstallMessageHandler(FAnterior); }
    static QStringList& Avisos() {
        static QStringList avisos;
        return avisos;
    }

private:
    static void Manejador(QtMsgType tipo, const QMessageLogContext&, const QString& texto) {
        // The offscreen platform's own complaints are not about the sheet.
        if (tipo != QtDebugMsg && tipo != QtInfoMsg && !texto.startsWith(QLatin1String("This plugin")))
            Avisos() << texto;
    }
    QtMessageHandler FAnterior;
};

// A small window with one control of every kind the skins style, absolute geometry.
std::unique_ptr<QWidget> VentanaDeControles() {
    auto v = std::make_unique<QWidget>();
    v->setWindowTitle(QStringLiteral("Prueba"));
    v->setFixedSize(300, 200);
    (new QPushButton(QStringLiteral("7"), v.get()))->setGeometry(8, 8, 33, 33);
    (new QToolButton(v.get()))->setGeometry(44, 8, 30, 25);
    (new QCheckBox(QStringLiteral("Cabecera"), v.get()))->setGeometry(8, 44, 100, 20);
    (new QRadioButton(QStringLiteral("DEG"), v.get()))->setGeometry(8, 66, 100, 20);
    (new QLineEdit(v.get()))->setGeometry(8, 90, 100, 21);
    (new QSpinBox(v.get()))->setGeometry(110, 90, 60, 21);
    (new QComboBox(v.get()))->setGeometry(8, 114, 100, 21);
    (new QPlainTextEdit(v.get()))->setGeometry(110, 114, 100, 40);
    auto* lista = new QListWidget(v.get());
    lista->setObjectName(QStringLiteral("cuenta"));
    lista->setGeometry(200, 8, 90, 100);
    for (int i = 0; i < 40; ++i)
        lista->addItem(QString::number(i));
    auto* paginas = new QTabWidget(v.get());
    paginas->addTab(new QWidget, QStringLiteral("Trigonometria"));
    paginas->setGeometry(8, 140, 100, 50);
    (new QGroupBox(QStringLiteral("Grupo"), v.get()))->setGeometry(220, 120, 70, 70);
    return v;
}

class SkinTest : public ::testing::Test {
protected:
    void TearDown() override {
        SD.reset();
        EXPECT_TRUE(qApp->styleSheet().isEmpty()) << "the engine must leave the plain look";
        EXPECT_FALSE(TMarcoSkin::TodosActivos());
    }
    std::unique_ptr<TSkinData> SD = std::make_unique<TSkinData>();
};

// --- Stored packages ------------------------------------------------------------------

TEST_F(SkinTest, ChooserNamesAndComponents) {
    EXPECT_EQ(TSkinData::NombresSkins(),
              (QStringList{QStringLiteral("Sin Skin..."), QStringLiteral("Vista"),
                           QStringLiteral("Metal"), QStringLiteral("Aqua"),
                           QStringLiteral("Sirius"), QStringLiteral("Optima"),
                           QStringLiteral("Smart"), QStringLiteral("Bionix")}));
    const QStringList componentes{QString(), QStringLiteral("CSS_Ampix"),
                                  QStringLiteral("CSS_SmoothGreen"), QStringLiteral("CSS_SmoothRed"),
                                  QStringLiteral("CSS_Exclusive"), QStringLiteral("CSS_ExclusiveXP"),
                                  QStringLiteral("CSS_Longhorn"), QStringLiteral("CSS_MediaZone")};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(TSkinData::ComponenteSkin(i), componentes[i]) << i;
    EXPECT_TRUE(TSkinData::ComponenteSkin(8).isEmpty());
    EXPECT_TRUE(TSkinData::PaqueteAlmacenado(0).isEmpty());
    EXPECT_TRUE(TSkinData::PaqueteAlmacenado(8).isEmpty());
}

TEST_F(SkinTest, EveryStoredPackageUnpacksToASheetWhoseImagesAllLoad) {
    static const QRegularExpression referencia(QStringLiteral("url\\(([^)]*)\\)"));
    for (int i = 1; i < TSkinData::NumeroSkins(); ++i) {
        SCOPED_TRACE(TSkinData::NombresSkins()[i].toStdString());
        const std::optional<TContenidoSkin> contenido =
            DesempaquetarSkin(TSkinData::PaqueteAlmacenado(i));
        ASSERT_TRUE(contenido.has_value());
        EXPECT_FALSE(contenido->Hoja.trimmed().isEmpty());
        EXPECT_EQ(contenido->Hoja.count(QLatin1Char('{')), contenido->Hoja.count(QLatin1Char('}')));
        ASSERT_FALSE(contenido->Imagenes.isEmpty());
        for (auto it = contenido->Imagenes.cbegin(); it != contenido->Imagenes.cend(); ++it)
            EXPECT_FALSE(QImage::fromData(it.value()).isNull()) << it.key().toStdString();

        // Unpacked for use, every url() of the sheet names an image that loads.
        QTemporaryDir carpeta;
        const std::optional<QString> hoja = TSkinData::PrepararPaquete(
            TSkinData::PaqueteAlmacenado(i), carpeta.filePath(QStringLiteral("skin")));
        ASSERT_TRUE(hoja.has_value());
        EXPECT_FALSE(hoja->contains(QLatin1String(MarcadorImagenes)));
        int urls = 0;
        for (auto it = referencia.globalMatch(*hoja); it.hasNext(); ++urls) {
            const QString ruta = it.next().captured(1);
            EXPECT_FALSE(QImage(ruta).isNull()) << ruta.toStdString();
        }
        EXPECT_GT(urls, 0);
    }
}

TEST_F(SkinTest, EveryStoredSheetParsesOnEveryKindOfControl) {
    auto ventana = VentanaDeControles();
    {
        // A broken sheet does make Qt complain, so silence below means the sheets parse.
        CapturaAvisos avisos;
        ventana->setStyleSheet(QStringLiteral("QPushButton { color: red; "));
        ventana->grab();
        ventana->setStyleSheet(QString());
        EXPECT_FALSE(CapturaAvisos::Avisos().isEmpty());
    }
    TMarcoSkin::Instalar(ventana.get(), TMarcoSkin::BotonesPrincipal());
    ventana->show();
    for (int i = 1; i < TSkinData::NumeroSkins(); ++i) {
        SCOPED_TRACE(TSkinData::NombresSkins()[i].toStdString());
        CapturaAvisos avisos;
        ASSERT_TRUE(SD->AplicarSkin(i));
        ventana->grab(); // polishes and paints every control with the sheet
        EXPECT_TRUE(CapturaAvisos::Avisos().isEmpty())
            << CapturaAvisos::Avisos().join(QLatin1Char('\n')).toStdString();
    }
}

// --- Applying ---------------------------------------------------------------------------

TEST_F(SkinTest, EachIndexGivesItsOwnLookAndZeroThePlainOne) {
    EXPECT_EQ(SD->SkinActual(), 0);
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
    QSet<QString> hojas;
    QList<int> cambios;
    QObject::connect(SD.get(), &TSkinData::SkinCambiado, SD.get(), [&](int i) { cambios << i; });
    for (int i : {1, 2, 3, 4, 5, 6, 7, 0}) {
        SCOPED_TRACE(i);
        const QString antes = qApp->styleSheet();
        EXPECT_TRUE(SD->AplicarSkin(i));
        EXPECT_EQ(SD->SkinActual(), i);
        EXPECT_NE(qApp->styleSheet(), antes);
        EXPECT_EQ(SD->Activo(), i != 0);
        hojas.insert(qApp->styleSheet());
    }
    EXPECT_EQ(hojas.size(), 8);
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
    EXPECT_EQ(cambios, (QList<int>{1, 2, 3, 4, 5, 6, 7, 0}));
}

TEST_F(SkinTest, ReapplyingTheSameSkinChangesNothing) {
    ASSERT_TRUE(SD->AplicarSkin(4));
    const QString hoja = qApp->styleSheet();
    int cambios = 0;
    QObject::connect(SD.get(), &TSkinData::SkinCambiado, SD.get(), [&] { ++cambios; });
    EXPECT_TRUE(SD->AplicarSkin(4));
    EXPECT_EQ(qApp->styleSheet(), hoja);
    EXPECT_EQ(cambios, 0);
}

TEST_F(SkinTest, AnIndexOutsideTheChooserChangesNothing) {
    ASSERT_TRUE(SD->AplicarSkin(3));
    const QString hoja = qApp->styleSheet();
    for (int i : {-1, 8, 9, 255, -100}) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(SD->AplicarSkin(i));
        EXPECT_EQ(SD->SkinActual(), 3);
        EXPECT_EQ(qApp->styleSheet(), hoja);
        EXPECT_TRUE(TMarcoSkin::TodosActivos());
    }
}

TEST_F(SkinTest, ReturningToASkinGivesTheSameSheetWithImagesStillThere) {
    ASSERT_TRUE(SD->AplicarSkin(2));
    const QString metal = qApp->styleSheet();
    ASSERT_TRUE(SD->AplicarSkin(0));
    ASSERT_TRUE(SD->AplicarSkin(2));
    EXPECT_EQ(qApp->styleSheet(), metal);
    static const QRegularExpression referencia(QStringLiteral("url\\(([^)]*)\\)"));
    for (auto it = referencia.globalMatch(metal); it.hasNext();)
        EXPECT_FALSE(QImage(it.next().captured(1)).isNull());
}

// --- Packages that must be refused -------------------------------------------------------

struct PaqueteMalo {
    const char* Nombre;
    std::function<QByteArray()> Crear;
};

QByteArray Bueno() { return TSkinData::PaqueteAlmacenado(1).toByteArray(); }

QByteArray PngPequeno() {
    QImage imagen(2, 2, QImage::Format_RGB32);
    imagen.fill(Qt::red);
    QByteArray datos;
    QBuffer buffer(&datos);
    buffer.open(QIODevice::WriteOnly);
    imagen.save(&buffer, "PNG");
    return datos;
}

class PaquetesMalos : public ::testing::TestWithParam<PaqueteMalo> {};

TEST_P(PaquetesMalos, FailToUnpackAndLeaveTheLook) {
    TSkinData sd;
    ASSERT_TRUE(sd.AplicarSkin(2));
    const QString hoja = qApp->styleSheet();
    sd.setPaquete(3, GetParam().Crear());
    EXPECT_FALSE(sd.AplicarSkin(3));
    EXPECT_EQ(sd.SkinActual(), 2);
    EXPECT_EQ(qApp->styleSheet(), hoja);
    QTemporaryDir carpeta;
    EXPECT_FALSE(TSkinData::PrepararPaquete(GetParam().Crear(), carpeta.path()).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Skin, PaquetesMalos,
    ::testing::Values(
        PaqueteMalo{"Empty", [] { return QByteArray(); }},
        PaqueteMalo{"NotZlib", [] { return QByteArray("esto no es un paquete de skin"); }},
        PaqueteMalo{"ByteFlippedInTheMiddle",
                    [] {
                        QByteArray p = Bueno();
                        p[p.size() / 2] = char(p[p.size() / 2] ^ 0x5A);
                        return p;
                    }},
        PaqueteMalo{"Truncated", [] { return Bueno().left(Bueno().size() - 7); }},
        PaqueteMalo{"TrailingGarbage", [] { return Bueno() + QByteArray("xx"); }},
        PaqueteMalo{"ValidZlibButNoArchive", [] { return qCompress(QByteArray("hola")).mid(4); }},
        PaqueteMalo{"NoStyleSheet",
                    [] { return EmpaquetarSkin({{QStringLiteral("marca.png"), PngPequeno()}}); }},
        PaqueteMalo{"ImageThatDoesNotDecode",
                    [] {
                        return EmpaquetarSkin({{QStringLiteral("estilo.qss"), "QWidget { color: red; }"},
                                               {QStringLiteral("marca.png"), "no soy un png"}});
                    }},
        PaqueteMalo{"SheetNamesAMissingImage",
                    [] {
                        return EmpaquetarSkin(
                            {{QStringLiteral("estilo.qss"),
                              "QCheckBox::indicator { image: url(@IMAGENES@/falta.png); }"},
                             {QStringLiteral("marca.png"), PngPequeno()}});
                    }},
        PaqueteMalo{"SheetNotUtf8",
                    [] {
                        return EmpaquetarSkin({{QStringLiteral("estilo.qss"), "QWidget { color: \xff\xfe; }"}});
                    }}),
    [](const ::testing::TestParamInfo<PaqueteMalo>& info) { return std::string(info.param.Nombre); });

TEST(PaqueteSkin, PackAndUnpackRoundTrip) {
    const QMap<QString, QByteArray> archivos{{QStringLiteral("estilo.qss"), "QLabel { color: blue; }"},
                                             {QStringLiteral("a.png"), PngPequeno()}};
    const std::optional<TContenidoSkin> c = DesempaquetarSkin(EmpaquetarSkin(archivos));
    ASSERT_TRUE(c.has_value());
    EXPECT_EQ(c->Hoja, QStringLiteral("QLabel { color: blue; }"));
    EXPECT_EQ(c->Imagenes.keys(), QStringList{QStringLiteral("a.png")});
    EXPECT_EQ(c->Imagenes.value(QStringLiteral("a.png")), PngPequeno());
}

TEST(PaqueteSkin, EntryNamesThatCouldEscapeTheFolderAreRefused) {
    for (const char* nombre : {"../fuera.png", "/etc/passwd", "sub/dir.png", ".oculto", "", "a b.png"})
        EXPECT_FALSE(NombreEntradaValido(QString::fromLatin1(nombre))) << nombre;
    EXPECT_TRUE(NombreEntradaValido(QStringLiteral("flecha_abajo-2.png")));
    EXPECT_TRUE(EmpaquetarSkin({{QStringLiteral("../x.png"), "x"}}).isEmpty());
}

// --- Magnetic snapping ----------------------------------------------------------------------

struct Ajuste {
    const char* Nombre;
    QRect Ventana;
    QList<QRect> Otras;
    QPoint Esperado;
};

class AjustesMagneticos : public ::testing::TestWithParam<Ajuste> {};

TEST_P(AjustesMagneticos, SnapWithinTenPixels) {
    const QRect pantalla(0, 0, 1000, 800);
    EXPECT_EQ(AjusteMagnetico(GetParam().Ventana, pantalla, GetParam().Otras), GetParam().Esperado);
}

const QRect Otra(400, 300, 200, 150); // right edge at 600, bottom at 450

INSTANTIATE_TEST_SUITE_P(
    Skin, AjustesMagneticos,
    ::testing::Values(
        Ajuste{"LeftEdge7pxSnaps", QRect(7, 100, 100, 80), {}, QPoint(0, 100)},
        Ajuste{"LeftEdge15pxStays", QRect(15, 100, 100, 80), {}, QPoint(15, 100)},
        Ajuste{"LeftEdge10pxSnaps", QRect(10, 100, 100, 80), {}, QPoint(0, 100)},
        Ajuste{"LeftEdge11pxStays", QRect(11, 100, 100, 80), {}, QPoint(11, 100)},
        Ajuste{"PastTheLeftEdgeSnapsBack", QRect(-6, 100, 100, 80), {}, QPoint(0, 100)},
        Ajuste{"RightEdge7pxSnaps", QRect(893, 100, 100, 80), {}, QPoint(900, 100)},
        Ajuste{"TopEdge7pxSnaps", QRect(300, 7, 100, 80), {}, QPoint(300, 0)},
        Ajuste{"BottomEdge7pxSnaps", QRect(300, 713, 100, 80), {}, QPoint(300, 720)},
        Ajuste{"BottomEdge15pxStays", QRect(300, 705, 100, 80), {}, QPoint(300, 705)},
        Ajuste{"CornerSnapsBothAxes", QRect(5, 6, 100, 80), {}, QPoint(0, 0)},
        Ajuste{"ToTheRightOfAnotherWindow7px", QRect(607, 320, 100, 80), {Otra}, QPoint(600, 320)},
        Ajuste{"ToTheRightOfAnotherWindow15px", QRect(615, 320, 100, 80), {Otra}, QPoint(615, 320)},
        Ajuste{"ToTheLeftOfAnotherWindow", QRect(293, 320, 100, 80), {Otra}, QPoint(300, 320)},
        Ajuste{"BelowAnotherWindow", QRect(450, 456, 100, 80), {Otra}, QPoint(450, 450)},
        Ajuste{"AboveAnotherWindowLeftEdgesAligned", QRect(404, 215, 100, 80), {Otra},
               QPoint(400, 220)},
        Ajuste{"AnotherWindowFarAwayOnTheOtherAxisIgnored", QRect(607, 600, 100, 80), {Otra},
               QPoint(607, 600)},
        Ajuste{"NearestEdgeWins", QRect(603, 320, 100, 80),
               {Otra, QRect(598, 500, 100, 100)}, QPoint(600, 320)}),
    [](const ::testing::TestParamInfo<Ajuste>& info) { return std::string(info.param.Nombre); });

// --- Frames --------------------------------------------------------------------------------

TEST_F(SkinTest, FrameFollowsTheSkinAndKeepsTheClientArea) {
    auto ventana = VentanaDeControles();
    auto* boton = ventana->findChild<QPushButton*>();
    TMarcoSkin* marco = TMarcoSkin::Instalar(ventana.get(), TMarcoSkin::BotonesPrincipal());
    EXPECT_EQ(TMarcoSkin::Instalar(ventana.get()), marco);
    EXPECT_EQ(TMarcoSkin::De(ventana.get()), marco);
    ventana->show();
    EXPECT_EQ(boton->parentWidget(), marco->Cliente());
    EXPECT_EQ(boton->geometry(), QRect(8, 8, 33, 33));
    EXPECT_EQ(boton->mapTo(ventana.get(), QPoint(0, 0)), QPoint(8, 8));
    EXPECT_FALSE(marco->Activo());
    EXPECT_FALSE(marco->Barra()->isVisible());

    ASSERT_TRUE(SD->AplicarSkin(5));
    EXPECT_TRUE(marco->Activo());
    EXPECT_TRUE(ventana->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(marco->Barra()->isVisible());
    EXPECT_EQ(ventana->size(), QSize(300, 200 + TMarcoSkin::AltoTitulo));
    EXPECT_EQ(marco->Cliente()->geometry(), QRect(0, TMarcoSkin::AltoTitulo, 300, 200));
    EXPECT_EQ(boton->mapTo(ventana.get(), QPoint(0, 0)), QPoint(8, 8 + TMarcoSkin::AltoTitulo));
    EXPECT_EQ(marco->Barra()->Titulo()->text(), QStringLiteral("Prueba"));
    ventana->setWindowTitle(QStringLiteral("Otro título"));
    EXPECT_EQ(marco->Barra()->Titulo()->text(), QStringLiteral("Otro título"));

    ASSERT_TRUE(SD->AplicarSkin(6)); // skin to skin: the frame stays as it is
    EXPECT_EQ(ventana->size(), QSize(300, 200 + TMarcoSkin::AltoTitulo));

    ASSERT_TRUE(SD->AplicarSkin(0));
    EXPECT_FALSE(marco->Activo());
    EXPECT_FALSE(ventana->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_FALSE(marco->Barra()->isVisible());
    EXPECT_EQ(ventana->size(), QSize(300, 200));
    EXPECT_EQ(boton->mapTo(ventana.get(), QPoint(0, 0)), QPoint(8, 8));
}

TEST_F(SkinTest, AWindowCreatedUnderASkinIsFramedAtOnce) {
    ASSERT_TRUE(SD->AplicarSkin(1));
    auto ventana = VentanaDeControles();
    TMarcoSkin* marco = TMarcoSkin::Instalar(ventana.get());
    EXPECT_TRUE(marco->Activo());
    EXPECT_EQ(ventana->height(), 200 + TMarcoSkin::AltoTitulo);
}

TEST_F(SkinTest, AWindowWithALayoutGetsATopMargin) {
    QDialog dialogo;
    auto* disposicion = new QVBoxLayout(&dialogo);
    auto* linea = new QLineEdit(&dialogo);
    disposicion->addWidget(linea);
    disposicion->addStretch();
    dialogo.resize(200, 120);
    TMarcoSkin* marco = TMarcoSkin::Instalar(&dialogo);
    EXPECT_EQ(marco->Cliente(), &dialogo);
    dialogo.show();
    const int arribaAntes = linea->y();
    ASSERT_TRUE(SD->AplicarSkin(1));
    QApplication::processEvents();
    disposicion->activate();
    EXPECT_EQ(linea->y(), arribaAntes + TMarcoSkin::AltoTitulo);
    ASSERT_TRUE(SD->AplicarSkin(0));
    disposicion->activate();
    EXPECT_EQ(linea->y(), arribaAntes);
    EXPECT_EQ(dialogo.contentsMargins().top(), 0);
}

TEST_F(SkinTest, RollUpThenUnrollRestoresTheGeometry) {
    auto ventana = VentanaDeControles();
    TMarcoSkin* marco = TMarcoSkin::Instalar(ventana.get(), TMarcoSkin::BotonesPrincipal());
    ventana->move(50, 60);
    ventana->show();
    ASSERT_TRUE(SD->AplicarSkin(1));
    const QRect antes = ventana->geometry();

    QTest::mouseClick(marco->Barra()->BotonEnrollar(), Qt::LeftButton);
    EXPECT_TRUE(marco->Enrollada());
    EXPECT_EQ(ventana->height(), TMarcoSkin::AltoTitulo);
    EXPECT_EQ(ventana->width(), antes.width());
    EXPECT_FALSE(marco->Cliente()->isVisible());
    EXPECT_TRUE(marco->Barra()->isVisible());

    QTest::mouseClick(marco->Barra()->BotonEnrollar(), Qt::LeftButton);
    EXPECT_FALSE(marco->Enrollada());
    EXPECT_EQ(ventana->geometry(), antes);
    EXPECT_TRUE(marco->Cliente()->isVisible());

    // Through the system menu, and undone by going back to the plain look.
    std::unique_ptr<QMenu> menu(marco->CrearMenuSistema());
    Accion(menu.get(), QStringLiteral("Enro&llar"))->trigger();
    EXPECT_TRUE(marco->Enrollada());
    ASSERT_TRUE(SD->AplicarSkin(0));
    EXPECT_FALSE(marco->Enrollada());
    EXPECT_EQ(ventana->size(), QSize(300, 200));
}

TEST_F(SkinTest, RollingUpNeedsASkin) {
    auto ventana = VentanaDeControles();
    TMarcoSkin* marco = TMarcoSkin::Instalar(ventana.get(), TMarcoSkin::BotonesPrincipal());
    ventana->show();
    marco->Enrollar();
    EXPECT_FALSE(marco->Enrollada());
    EXPECT_EQ(ventana->size(), QSize(300, 200));
}

TEST_F(SkinTest, DraggingTheCaptionSnapsToTheScreenEdge) {
    auto ventana = VentanaDeControles();
    TMarcoSkin* marco = TMarcoSkin::Instalar(ventana.get());
    ventana->move(100, 100);
    ventana->show();
    ASSERT_TRUE(SD->AplicarSkin(1));
    const QRect pantalla = ventana->screen()->availableGeometry();
    marco->MoverA(pantalla.topLeft() + QPoint(7, 40));
    EXPECT_EQ(ventana->pos(), pantalla.topLeft() + QPoint(0, 40));
    marco->MoverA(pantalla.topLeft() + QPoint(15, 40));
    EXPECT_EQ(ventana->pos(), pantalla.topLeft() + QPoint(15, 40));
    marco->setMagnetico(false);
    marco->MoverA(pantalla.topLeft() + QPoint(7, 40));
    EXPECT_EQ(ventana->pos(), pantalla.topLeft() + QPoint(7, 40));
}

TEST_F(SkinTest, CloseButtonClosesTheWindow) {
    auto ventana = VentanaDeControles();
    TMarcoSkin* marco = TMarcoSkin::Instalar(ventana.get());
    ventana->show();
    ASSERT_TRUE(SD->AplicarSkin(7));
    EXPECT_FALSE(marco->Barra()->BotonEnrollar()->isVisible());
    QTest::mouseClick(marco->Barra()->BotonCerrar(), Qt::LeftButton);
    EXPECT_FALSE(ventana->isVisible());
}

TEST_F(SkinTest, ChangingTheSkinWhileAModalDialogIsOpenKeepsItOpen) {
    QDialog dialogo;
    dialogo.setWindowTitle(QStringLiteral("Propiedades"));
    dialogo.resize(200, 100);
    TMarcoSkin* marco = TMarcoSkin::Instalar(&dialogo);
    bool visibleTrasCambio = false;
    AlAparecerDialogo([&](QWidget* w) {
        ASSERT_EQ(w, &dialogo);
        SD->AplicarSkin(3);
        QApplication::processEvents();
        visibleTrasCambio = dialogo.isVisible() && marco->Activo();
        SD->AplicarSkin(0);
        QApplication::processEvents();
        visibleTrasCambio = visibleTrasCambio && dialogo.isVisible();
        dialogo.accept();
    });
    EXPECT_EQ(dialogo.exec(), QDialog::Accepted);
    EXPECT_TRUE(visibleTrasCambio);
    EXPECT_EQ(DialogosPendientes(), 0);
}

// --- Spanish texts ------------------------------------------------------------------------

TEST_F(SkinTest, CaptionHintsAndSystemMenusAreSpanish) {
    auto ventana = VentanaDeControles();
    TMarcoSkin* principal = TMarcoSkin::Instalar(ventana.get(), TMarcoSkin::BotonesPrincipal());
    EXPECT_EQ(principal->Barra()->BotonCerrar()->toolTip(), QStringLiteral("Cerrar"));
    EXPECT_EQ(principal->Barra()->BotonEnrollar()->toolTip(), QStringLiteral("Enrollar"));
    EXPECT_EQ(principal->Barra()->BotonMenu()->toolTip(), QStringLiteral("Menu Sistema"));
    std::unique_ptr<QMenu> menu(principal->CrearMenuSistema());
    EXPECT_EQ(TextosMenu(menu.get()),
              (QStringList{QStringLiteral("&Restaurar"), QStringLiteral("Mi&nimizar"),
                           QStringLiteral("Enro&llar"), QStringLiteral("&Cerrar")}));

    QDialog dialogo;
    TMarcoSkin* marcoDialogo = TMarcoSkin::Instalar(&dialogo);
    std::unique_ptr<QMenu> menuDialogo(marcoDialogo->CrearMenuSistema());
    EXPECT_EQ(TextosMenu(menuDialogo.get()),
              (QStringList{QStringLiteral("&Restaurar"), QStringLiteral("&Cerrar")}));
}

TEST_F(SkinTest, EditBoxesHaveTheSpanishContextMenu) {
    QLineEdit linea;
    linea.setText(QStringLiteral("123,45"));
    linea.setSelection(0, 3);
    std::unique_ptr<QMenu> menu(TSkinData::CrearMenuEdicion(&linea));
    ASSERT_TRUE(menu);
    EXPECT_EQ(TextosMenu(menu.get()),
              (QStringList{QStringLiteral("Deshacer"), QStringLiteral("Cortar"),
                           QStringLiteral("Copiar"), QStringLiteral("Pegar"),
                           QStringLiteral("Borrar"), QStringLiteral("Seleccionar Todo")}));
    EXPECT_FALSE(Accion(menu.get(), QStringLiteral("Deshacer"))->isEnabled());
    EXPECT_TRUE(Accion(menu.get(), QStringLiteral("Copiar"))->isEnabled());
    Accion(menu.get(), QStringLiteral("Borrar"))->trigger();
    EXPECT_EQ(linea.text(), QStringLiteral(",45"));
    Accion(menu.get(), QStringLiteral("Seleccionar Todo"))->trigger();
    EXPECT_EQ(linea.selectedText(), QStringLiteral(",45"));

    linea.setReadOnly(true);
    std::unique_ptr<QMenu> soloLectura(TSkinData::CrearMenuEdicion(&linea));
    EXPECT_FALSE(Accion(soloLectura.get(), QStringLiteral("Cortar"))->isEnabled());
    EXPECT_FALSE(Accion(soloLectura.get(), QStringLiteral("Pegar"))->isEnabled());
    EXPECT_TRUE(Accion(soloLectura.get(), QStringLiteral("Copiar"))->isEnabled());

    QPlainTextEdit texto;
    texto.setPlainText(QStringLiteral("línea"));
    std::unique_ptr<QMenu> menuTexto(TSkinData::CrearMenuEdicion(&texto));
    ASSERT_TRUE(menuTexto);
    EXPECT_EQ(TextosMenu(menuTexto.get()).size(), 6);

    QPushButton boton;
    EXPECT_EQ(TSkinData::CrearMenuEdicion(&boton), nullptr);
}

TEST_F(SkinTest, TheEngineReplacesTheContextMenuOfEditBoxes) {
    QLineEdit linea;
    linea.setText(QStringLiteral("5"));
    linea.show();
    QContextMenuEvent evento(QContextMenuEvent::Mouse, QPoint(2, 2), linea.mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(&linea, &evento);
    auto* menu = linea.window()->findChild<QMenu*>(QStringLiteral("MenuEdicion"));
    if (menu == nullptr) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QStringLiteral("MenuEdicion") && w->isVisible())
                menu = qobject_cast<QMenu*>(w);
    }
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(TextosMenu(menu).contains(QStringLiteral("Seleccionar Todo")));
    menu->close();
}

TEST_F(SkinTest, MessageBoxButtonsAreSpanish) {
    QStringList botones;
    auto leer = [&](QWidget* w) {
        auto* caja = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(caja, nullptr);
        botones.clear();
        for (QAbstractButton* b : caja->buttons())
            botones << b->text();
        for (QAbstractButton* b : caja->buttons())
            if (b->text() == QStringLiteral("Aceptar"))
                b->click();
    };
    AlAparecerDialogo(leer);
    EXPECT_TRUE(TSkinData::Mensaje(nullptr, QStringLiteral("Hola"), true));
    botones.sort();
    EXPECT_EQ(botones, (QStringList{QStringLiteral("Aceptar"), QStringLiteral("Cancelar")}));
    AlAparecerDialogo(leer);
    EXPECT_TRUE(TSkinData::Mensaje(nullptr, QStringLiteral("Hola")));
    EXPECT_EQ(botones, QStringList{QStringLiteral("Aceptar")});
}

} // namespace
