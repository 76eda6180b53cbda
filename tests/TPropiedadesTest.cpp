// The Properties dialog over a settings file in a temporary folder: what it shows after
// creation, the enabling rules, the skin it applies, what "Aplicar" writes and how a refused
// write reaches the user.
#include "TPropiedades.h"

#include "AyudasPrueba.h"
#include "ErrorSumadora.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <memory>
#include <ostream>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

class TPropiedadesTest : public ::testing::Test {
protected:
    QString Ruta() const { return carpeta.filePath(u"Sumadora.ini"_s); }

    void EscribirArchivo(const QByteArray& contenido) {
        QFile f(Ruta());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contenido);
    }
    QByteArray Contenido() const {
        QFile f(Ruta());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    std::unique_ptr<TPropiedades> Crear(const QString& ruta = QString()) {
        return std::make_unique<TPropiedades>([this](int i) { aplicadas.push_back(i); },
                                              ArchivoIni(ruta.isEmpty() ? Ruta() : ruta));
    }

    void TearDown() override { EXPECT_EQ(DialogosPendientes(), 0); }

    QTemporaryDir carpeta;
    std::vector<int> aplicadas;
};

// Types any text, also characters QTest has no key for ("ñ", "€").
void Teclear(QWidget* w, const QString& texto) {
    for (const QChar c : texto)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// A click where the user clicks a radio button or a check box: on its mark.
void Pulsar(QWidget* boton) {
    QTest::mouseClick(boton, Qt::LeftButton, Qt::NoModifier, QPoint(6, boton->height() / 2));
}

void ExpectOpcionesFormato(const TPropiedades& d, bool habilitadas) {
    EXPECT_EQ(d.OpcionesFormato->isEnabled(), habilitadas);
    EXPECT_EQ(d.Decimales->isEnabled(), habilitadas);
    EXPECT_EQ(d.EtiquetaDecimales->isEnabled(), habilitadas);
    EXPECT_EQ(d.SeparadorMiles->isEnabled(), habilitadas);
}

void ExpectLineas(const TPropiedades& d, bool habilitadas) {
    for (const QLineEdit* l : {d.L1, d.L2, d.L3, d.L4})
        EXPECT_EQ(l->isEnabled(), habilitadas) << l->objectName().toStdString();
}

// The ten keys, in the order "Aplicar" writes them, of a dialog left as it came up without
// a file.
const QByteArray DiezClavesPorDefecto = "[Opciones]\r\n"
                                        "Formato=1\r\n"
                                        "Decimales=3\r\n"
                                        "Separador Miles=0\r\n"
                                        "\r\n"
                                        "[Tipo de IVA]\r\n"
                                        "IVA=16\r\n"
                                        "\r\n"
                                        "[Imprimir]\r\n"
                                        "Incluir Cabecera=0\r\n"
                                        "L1=\r\n"
                                        "L2=\r\n"
                                        "L3=\r\n"
                                        "L4=\r\n"
                                        "\r\n"
                                        "[Skin]\r\n"
                                        "Tipo=1\r\n";

// ---- The window as the user sees it ----

TEST_F(TPropiedadesTest, VentanaControlesYTextos) {
    auto d = Crear();
    EXPECT_EQ(d->windowTitle(), u"Propiedades"_s);
    EXPECT_EQ(d->minimumSize(), QSize(319, 335));
    EXPECT_EQ(d->maximumSize(), QSize(319, 335));
    EXPECT_FALSE(d->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(d->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(d->windowFlags() & Qt::WindowCloseButtonHint);

    ASSERT_EQ(d->PageControl1->count(), 4);
    const QWidget* paginas[] = {d->PropFormato, d->PropIVA, d->TabSheet1, d->TabSkins};
    const QString titulos[] = {u"Formato"_s, u"I.V.A."_s, u"Impresión"_s, u"Skins"_s};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(d->PageControl1->widget(i), paginas[i]);
        EXPECT_EQ(d->PageControl1->tabText(i), titulos[i]);
    }
    // Group captions keep their blanks.
    EXPECT_EQ(d->Formato->title(), u"  Tipo de número al operar."_s);
    EXPECT_EQ(d->OpcionesFormato->title(), u"  Opciones de Formato  "_s);
    EXPECT_EQ(d->IVA->parentWidget()->property("title").toString(), u"  Tipo de IVA, %  "_s);
    EXPECT_EQ(d->IncluirCabecera->parentWidget()->property("title").toString(),
              u"  Cabecera en impresión.  "_s);
    EXPECT_EQ(d->SelSkin->parentWidget()->property("title").toString(), u"   Seleccionar Skin."_s);

    EXPECT_EQ(d->FormatoGeneral->text(), u"General"_s);
    EXPECT_EQ(d->FormatoFijo->text(), u"Fijo"_s);
    EXPECT_EQ(d->FormatoGeneral->parentWidget(), d->Formato);
    EXPECT_EQ(d->FormatoFijo->parentWidget(), d->Formato);
    EXPECT_EQ(d->EtiquetaDecimales->text(), u"Decimales"_s);
    EXPECT_EQ(d->SeparadorMiles->text(), u"Separador de Miles"_s);
    EXPECT_EQ(d->IncluirCabecera->text(), u"Incluir Cabecera."_s);
    EXPECT_EQ(d->EtiquetaLineas->text(), u"Líneas a escribir (máx. 23 caracteres línea)."_s);
    EXPECT_EQ(d->Aplicar->text(), u"Aplicar"_s);

    const QStringList skins{u"Sin Skin..."_s, u"Vista"_s, u"Metal"_s, u"Aqua"_s,
                            u"Sirius"_s,      u"Optima"_s, u"Smart"_s, u"Bionix"_s};
    ASSERT_EQ(d->SelSkin->count(), skins.size());
    for (int i = 0; i < skins.size(); ++i)
        EXPECT_EQ(d->SelSkin->itemText(i), skins[i]);
    EXPECT_EQ(d->SelSkin->maxVisibleItems(), 8);
}

TEST_F(TPropiedadesTest, LimitesDeLosControles) {
    auto d = Crear();
    EXPECT_EQ(d->Decimales->minimum(), 0);
    EXPECT_EQ(d->Decimales->maximum(), 9);
    EXPECT_EQ(d->Decimales->findChild<QLineEdit*>()->maxLength(), 1);
    EXPECT_EQ(d->IVA->minimum(), 0.0);
    EXPECT_EQ(d->IVA->maximum(), 25.0);
    EXPECT_EQ(d->IVA->decimals(), 1);
    EXPECT_DOUBLE_EQ(d->IVA->singleStep(), 0.1);
    EXPECT_EQ(d->IVA->findChild<QLineEdit*>()->maxLength(), 4);
    for (const QLineEdit* l : {d->L1, d->L2, d->L3, d->L4})
        EXPECT_EQ(l->maxLength(), 23);

    // Typing stops at the limits.
    d->show();
    d->L1->setEnabled(true);
    QTest::keyClicks(d->L1, u"123456789012345678901234567890"_s);
    EXPECT_EQ(d->L1->text(), u"12345678901234567890123"_s);
    d->IVA->selectAll();
    QTest::keyClicks(d->IVA, u"30"_s);
    EXPECT_LE(d->IVA->value(), 25.0);
}

// ---- Filling from the file ----

struct CasoLectura {
    const char* nombre;
    const char* ini; // nullptr: no file at all
    int formato;
    int decimales;
    bool miles;
    double iva;
    QString textoIVA;
    bool cabecera;
    int skin;
    std::vector<int> aplicadas;
};

void PrintTo(const CasoLectura& c, std::ostream* os) { *os << c.nombre; }

class LecturaTest : public TPropiedadesTest, public ::testing::WithParamInterface<CasoLectura> {};

TEST_P(LecturaTest, MuestraLoGuardado) {
    const CasoLectura& c = GetParam();
    if (c.ini)
        EscribirArchivo(c.ini);
    const QByteArray antes = Contenido();
    auto d = Crear();

    EXPECT_EQ(d->IndiceFormato(), c.formato);
    ExpectOpcionesFormato(*d, c.formato == 1);
    EXPECT_EQ(d->Decimales->value(), c.decimales);
    EXPECT_EQ(d->SeparadorMiles->isChecked(), c.miles);
    EXPECT_DOUBLE_EQ(d->IVA->value(), c.iva);
    EXPECT_EQ(d->IVA->text(), c.textoIVA);
    EXPECT_EQ(d->IncluirCabecera->isChecked(), c.cabecera);
    ExpectLineas(*d, c.cabecera);
    EXPECT_EQ(d->SelSkin->currentIndex(), c.skin);
    EXPECT_EQ(aplicadas, c.aplicadas);
    EXPECT_EQ(d->PageControl1->currentWidget(), d->PropFormato);
    // Creating the dialog reads only.
    EXPECT_EQ(Contenido(), antes);
    EXPECT_EQ(QFile::exists(Ruta()), c.ini != nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Archivos, LecturaTest,
    ::testing::Values(
        CasoLectura{"SinArchivo", nullptr, 0, 3, false, 16.0, u"16,0"_s, false, 1, {1}},
        CasoLectura{"ArchivoVacio", "", 0, 3, false, 16.0, u"16,0"_s, false, 1, {1}},
        CasoLectura{"FormatoFijo", "[Opciones]\r\nFormato=0\r\n", 1, 3, false, 16.0, u"16,0"_s,
                    false, 1, {1}},
        CasoLectura{"FormatoDistintoDeCeroEsGeneral", "[Opciones]\nFormato=-2\n", 0, 3, false,
                    16.0, u"16,0"_s, false, 1, {1}},
        CasoLectura{"TodoGuardado",
                    "[Opciones]\nFormato=0\nDecimales=5\nSeparador Miles=1\n"
                    "[Tipo de IVA]\nIVA=21\n[Imprimir]\nIncluir Cabecera=1\n[Skin]\nTipo=2\n",
                    1, 5, true, 21.0, u"21,0"_s, true, 2, {2}},
        CasoLectura{"DecimalesDemasiados", "[Opciones]\nDecimales=15\n", 0, 9, false, 16.0,
                    u"16,0"_s, false, 1, {1}},
        CasoLectura{"DecimalesNegativos", "[Opciones]\nDecimales=-4\n", 0, 0, false, 16.0,
                    u"16,0"_s, false, 1, {1}},
        CasoLectura{"DecimalesTexto", "[Opciones]\nDecimales=dos\n", 0, 3, false, 16.0,
                    u"16,0"_s, false, 1, {1}},
        CasoLectura{"IVAConComa", "[Tipo de IVA]\nIVA=7,5\n", 0, 3, false, 7.5, u"7,5"_s, false,
                    1, {1}},
        CasoLectura{"IVATexto", "[Tipo de IVA]\nIVA=abc\n", 0, 3, false, 16.0, u"16,0"_s, false,
                    1, {1}},
        CasoLectura{"IVAVacio", "[Tipo de IVA]\nIVA=\n", 0, 3, false, 16.0, u"16,0"_s, false, 1,
                    {1}},
        CasoLectura{"IVADemasiado", "[Tipo de IVA]\nIVA=40\n", 0, 3, false, 25.0, u"25,0"_s,
                    false, 1, {1}},
        CasoLectura{"IVAEnorme", "[Tipo de IVA]\nIVA=1e400\n", 0, 3, false, 25.0, u"25,0"_s,
                    false, 1, {1}},
        CasoLectura{"IVANegativo", "[Tipo de IVA]\nIVA=-3\n", 0, 3, false, 0.0, u"0,0"_s, false,
                    1, {1}},
        CasoLectura{"SinSkin", "[Skin]\nTipo=0\n", 0, 3, false, 16.0, u"16,0"_s, false, 0, {0}},
        CasoLectura{"SkinBionix", "[Skin]\nTipo=7\n", 0, 3, false, 16.0, u"16,0"_s, false, 7,
                    {7}},
        CasoLectura{"SkinInexistente", "[Skin]\nTipo=9\n", 0, 3, false, 16.0, u"16,0"_s, false,
                    -1, {}},
        CasoLectura{"SkinNegativo", "[Skin]\nTipo=-1\n", 0, 3, false, 16.0, u"16,0"_s, false,
                    -1, {}},
        CasoLectura{"SkinTexto", "[Skin]\nTipo=Metal\n", 0, 3, false, 16.0, u"16,0"_s, false, 1,
                    {1}}),
    [](const ::testing::TestParamInfo<CasoLectura>& i) { return std::string(i.param.nombre); });

TEST_F(TPropiedadesTest, LineasDeCabeceraLeidas) {
    EscribirArchivo("[Imprimir]\r\nIncluir Cabecera=0\r\nL1=Bar Manolo\r\nL3=C/ Mayor, 1\r\n");
    auto d = Crear();
    EXPECT_EQ(d->L1->text(), u"Bar Manolo"_s);
    EXPECT_EQ(d->L2->text(), QString());
    EXPECT_EQ(d->L3->text(), u"C/ Mayor, 1"_s);
    EXPECT_EQ(d->L4->text(), QString());
}

// ---- Enabling rules ----

TEST_F(TPropiedadesTest, FormatoHabilitaLasOpcionesSoloEnFijo) {
    auto d = Crear();
    d->show();
    Pulsar(d->FormatoFijo);
    EXPECT_EQ(d->IndiceFormato(), 1);
    ExpectOpcionesFormato(*d, true);
    Pulsar(d->FormatoGeneral);
    EXPECT_EQ(d->IndiceFormato(), 0);
    ExpectOpcionesFormato(*d, false);
    d->setIndiceFormato(-1);
    EXPECT_EQ(d->IndiceFormato(), -1);
    ExpectOpcionesFormato(*d, false);
}

TEST_F(TPropiedadesTest, CabeceraHabilitaLasLineas) {
    auto d = Crear();
    d->show();
    Pulsar(d->IncluirCabecera);
    ExpectLineas(*d, true);
    Pulsar(d->IncluirCabecera);
    ExpectLineas(*d, false);
}

// ---- Aplicar ----

TEST_F(TPropiedadesTest, AplicarSinCambiosEscribeLasDiezClavesYCierra) {
    auto d = Crear();
    d->open();
    d->Aplicar->click();
    EXPECT_EQ(Contenido(), DiezClavesPorDefecto);
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_FALSE(d->isVisible());
}

TEST_F(TPropiedadesTest, AplicarSustituyeLoGuardadoYConservaLoDemas) {
    EscribirArchivo("; a mano\r\n[Conversion]\r\nDEG=1\r\n[Skin]\r\nTipo=9\r\n"
                    "[Opciones]\r\nDecimales=15\r\n");
    auto d = Crear();
    d->Aplicar->click();
    EXPECT_EQ(Contenido(), "; a mano\r\n[Conversion]\r\nDEG=1\r\n[Skin]\r\nTipo=-1\r\n"
                           "[Opciones]\r\nDecimales=9\r\nFormato=1\r\nSeparador Miles=0\r\n"
                           "\r\n[Tipo de IVA]\r\nIVA=16\r\n"
                           "\r\n[Imprimir]\r\nIncluir Cabecera=0\r\nL1=\r\nL2=\r\nL3=\r\nL4=\r\n");
}

TEST_F(TPropiedadesTest, AplicarGuardaTambienLoDeshabilitado) {
    auto d = Crear();
    d->show();
    Pulsar(d->FormatoFijo);
    d->Decimales->setValue(5);
    d->SeparadorMiles->setChecked(true);
    Pulsar(d->FormatoGeneral);

    d->PageControl1->setCurrentWidget(d->TabSheet1);
    Pulsar(d->IncluirCabecera);
    Teclear(d->L1, u"  Bar Manolo"_s);
    Teclear(d->L4, u"Año 2024 €"_s);
    Pulsar(d->IncluirCabecera);
    ExpectLineas(*d, false);
    EXPECT_EQ(d->L1->text(), u"  Bar Manolo"_s);

    d->Aplicar->click();
    const QString texto = QString::fromUtf8(Contenido());
    EXPECT_TRUE(texto.contains(u"Formato=1\r\nDecimales=5\r\nSeparador Miles=1\r\n"_s)) << texto.toStdString();
    EXPECT_TRUE(texto.contains(
        u"Incluir Cabecera=0\r\nL1=  Bar Manolo\r\nL2=\r\nL3=\r\nL4=Año 2024 €\r\n"_s))
        << texto.toStdString();
}

TEST_F(TPropiedadesTest, IVAIdaYVuelta) {
    EscribirArchivo("[Tipo de IVA]\r\nIVA=7,5\r\n");
    auto d = Crear();
    d->Aplicar->click();
    EXPECT_TRUE(Contenido().contains("IVA=7,5\r\n")) << Contenido().toStdString();

    auto otra = Crear();
    EXPECT_DOUBLE_EQ(otra->IVA->value(), 7.5);
}

TEST_F(TPropiedadesTest, IVATecleadoConComaOConElPuntoDelTeclado) {
    struct Caso {
        const char* nombre;
        QString teclas;
        Qt::KeyboardModifiers modificadores;
        const char* guardado;
    };
    const Caso casos[] = {
        {"Coma", u"12,3"_s, Qt::NoModifier, "IVA=12,3\r\n"},
        {"PuntoDelTeclado", u"4.5"_s, Qt::NoModifier, "IVA=4,5\r\n"},
        {"PuntoDelTecladoNumerico", u"7.5"_s, Qt::KeypadModifier, "IVA=7,5\r\n"},
        {"Entero", u"21"_s, Qt::NoModifier, "IVA=21\r\n"},
        {"Cero", u"0"_s, Qt::NoModifier, "IVA=0\r\n"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        QFile::remove(Ruta());
        auto d = Crear();
        d->show();
        d->PageControl1->setCurrentWidget(d->PropIVA);
        d->IVA->setFocus();
        d->IVA->selectAll();
        QTest::keyClicks(d->IVA, c.teclas, c.modificadores);
        // Aplicar at once, without leaving the box first.
        d->AplicarClick();
        EXPECT_TRUE(Contenido().contains(c.guardado)) << Contenido().toStdString();
    }
}

// ---- Skins ----

TEST_F(TPropiedadesTest, CambiarDeSkinLoAplicaSinEscribir) {
    auto d = Crear();
    d->open();
    d->PageControl1->setCurrentWidget(d->TabSkins);
    d->SelSkin->setCurrentIndex(4);
    d->SelSkin->setCurrentIndex(0);
    EXPECT_EQ(aplicadas, (std::vector<int>{1, 4, 0}));
    EXPECT_FALSE(QFile::exists(Ruta()));

    // Closed without "Aplicar": the skin stays in force and nothing is written.
    d->reject();
    EXPECT_EQ(aplicadas, (std::vector<int>{1, 4, 0}));
    EXPECT_FALSE(QFile::exists(Ruta()));
}

TEST_F(TPropiedadesTest, SinFuncionDeSkinNoPasaNada) {
    TPropiedades d({}, ArchivoIni(Ruta()));
    d.SelSkin->setCurrentIndex(3);
    d.setAplicarSkin([this](int i) { aplicadas.push_back(i); });
    EXPECT_TRUE(aplicadas.empty());
    d.SelSkin->setCurrentIndex(5);
    EXPECT_EQ(aplicadas, std::vector<int>{5});
}

TEST_F(TPropiedadesTest, UnFalloAlAplicarElSkinSeAvisaYSigue) {
    EscribirArchivo("[Skin]\r\nTipo=3\r\n");
    QString mensaje;
    EsperarMensaje(&mensaje);
    TPropiedades d([](int) { throw ErrorSumadora(u"No se puede cargar el skin."_s); },
                   ArchivoIni(Ruta()));
    EXPECT_EQ(mensaje, u"No se puede cargar el skin."_s);
    EXPECT_EQ(d.SelSkin->currentIndex(), 3);
}

// ---- Between openings ----

TEST_F(TPropiedadesTest, ConservaControlesYPaginaEntreAperturas) {
    auto d = Crear();
    d->open();
    d->PageControl1->setCurrentWidget(d->PropIVA);
    d->IVA->setValue(10.5);
    d->reject();
    d->open();
    EXPECT_EQ(d->PageControl1->currentWidget(), d->PropIVA);
    EXPECT_DOUBLE_EQ(d->IVA->value(), 10.5);
    d->reject();
    EXPECT_FALSE(QFile::exists(Ruta()));
}

// ---- Refused writes ----

TEST_F(TPropiedadesTest, EscrituraRechazadaSeAvisaYElDialogoSigueAbierto) {
    // A regular file where the folder should be: refused even to root.
    {
        QFile tapon(carpeta.filePath(u"no-es-carpeta"_s));
        ASSERT_TRUE(tapon.open(QIODevice::WriteOnly));
    }
    const QString ruta = carpeta.filePath(u"no-es-carpeta/Sumadora.ini"_s);
    auto d = Crear(ruta);
    d->open();
    QString mensaje;
    EsperarMensaje(&mensaje);
    d->Aplicar->click();
    EXPECT_TRUE(mensaje.startsWith(u"No se puede escribir el archivo de configuración"_s))
        << mensaje.toStdString();
    EXPECT_TRUE(d->isVisible());
    EXPECT_NE(d->result(), QDialog::Accepted);
    EXPECT_FALSE(QFile::exists(ruta));
    d->reject();
}

// Lowers the largest file this process may write, as a full disk would; SIGXFSZ is ignored
// so that the write fails instead of ending the process.
class LimiteTamano final {
public:
    explicit LimiteTamano(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &anterior_);
        senal_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit nuevo = anterior_;
        nuevo.rlim_cur = bytes;
        ok_ = setrlimit(RLIMIT_FSIZE, &nuevo) == 0;
    }
    ~LimiteTamano() {
        setrlimit(RLIMIT_FSIZE, &anterior_);
        std::signal(SIGXFSZ, senal_);
    }
    bool Ok() const { return ok_; }

private:
    rlimit anterior_{};
    void (*senal_)(int) = SIG_DFL;
    bool ok_ = false;
};

// Disabled until ArchivoIni flushes before committing: QSaveFile::commit() of Qt 6.4 ignores a
// failed final flush and puts the cut-short file in place of the old one.
TEST_F(TPropiedadesTest, DISABLED_DiscoLlenoAMitadDejaLasClavesAnterioresYElArchivoEntero) {
    // What the file holds after the first four writes: those fit, the fifth does not.
    const QByteArray cuatroClaves = DiezClavesPorDefecto.left(
        DiezClavesPorDefecto.indexOf("IVA=16\r\n") + int(qstrlen("IVA=16\r\n")));
    auto d = Crear();
    d->open();
    QString mensaje;
    EsperarMensaje(&mensaje);
    {
        LimiteTamano limite(static_cast<rlim_t>(cuatroClaves.size()));
        ASSERT_TRUE(limite.Ok());
        d->Aplicar->click();
    }
    EXPECT_TRUE(mensaje.startsWith(u"No se puede escribir el archivo de configuración"_s))
        << mensaje.toStdString();
    EXPECT_EQ(Contenido(), cuatroClaves);
    EXPECT_TRUE(d->isVisible());
    EXPECT_NE(d->result(), QDialog::Accepted);
    // No half-written copy is left beside it.
    EXPECT_EQ(QDir(carpeta.path()).entryList(QDir::Files), QStringList{u"Sumadora.ini"_s});

    // With room again, "Aplicar" completes and closes.
    d->Aplicar->click();
    EXPECT_EQ(Contenido(), DiezClavesPorDefecto);
    EXPECT_EQ(d->result(), QDialog::Accepted);
}

} // namespace
