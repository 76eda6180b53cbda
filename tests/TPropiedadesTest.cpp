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
    std::unique_ptr<TPropiedades> Crear() {
        return std::make_unique<TPropiedades>([this](int i) { aplicadas.push_back(i); },
                                              ArchivoIni(Ruta()));
    }
    void TearDown() override { EXPECT_EQ(DialogosPendientes(), 0); }

    QTemporaryDir carpeta;
    std::vector<int> aplicadas;
};

// Types any text, also characters QTest has no key for ("ñ", "€").
void Teclear(QWidget* w, const QString& texto, Qt::KeyboardModifiers mod = Qt::NoModifier) {
    for (const QChar c : texto)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), mod);
}

// A click where the user clicks a radio button or a check box: on its mark.
void Pulsar(QWidget* boton) {
    QTest::mouseClick(boton, Qt::LeftButton, Qt::NoModifier, QPoint(6, boton->height() / 2));
}

void ExpectHabilitados(std::initializer_list<const QWidget*> controles, bool habilitados) {
    for (const QWidget* w : controles)
        EXPECT_EQ(w->isEnabled(), habilitados) << w->objectName().toStdString();
}
void ExpectOpciones(const TPropiedades& d, bool h) {
    ExpectHabilitados({d.OpcionesFormato, d.Decimales, d.EtiquetaDecimales, d.SeparadorMiles}, h);
}
void ExpectLineas(const TPropiedades& d, bool h) {
    ExpectHabilitados({d.L1, d.L2, d.L3, d.L4}, h);
}

// The ten keys, in the order "Aplicar" writes them, of a dialog as it came up without a file.
const QByteArray DiezClavesPorDefecto =
    "[Opciones]\r\nFormato=1\r\nDecimales=3\r\nSeparador Miles=0\r\n\r\n"
    "[Tipo de IVA]\r\nIVA=16\r\n\r\n"
    "[Imprimir]\r\nIncluir Cabecera=0\r\nL1=\r\nL2=\r\nL3=\r\nL4=\r\n\r\n"
    "[Skin]\r\nTipo=1\r\n";

TEST_F(TPropiedadesTest, TextosYLimitesDeLaVentana) {
    auto d = Crear();
    EXPECT_EQ(d->windowTitle(), u"Propiedades"_s);
    EXPECT_EQ(d->minimumSize(), QSize(319, 335));
    EXPECT_EQ(d->maximumSize(), QSize(319, 335));
    QStringList textos;
    for (int i = 0; i < d->PageControl1->count(); ++i)
        textos << d->PageControl1->tabText(i);
    // Group captions keep their blanks.
    for (const QWidget* w : std::initializer_list<const QWidget*>{
             d->FormatoFijo, d->Decimales, d->IVA, d->IncluirCabecera, d->SelSkin})
        textos << w->parentWidget()->property("title").toString();
    for (int i = 0; i < d->SelSkin->count(); ++i)
        textos << d->SelSkin->itemText(i);
    EXPECT_EQ(textos,
              (QStringList{u"Formato"_s, u"I.V.A."_s, u"Impresión"_s, u"Skins"_s,
                           u"  Tipo de número al operar."_s, u"  Opciones de Formato  "_s,
                           u"  Tipo de IVA, %  "_s, u"  Cabecera en impresión.  "_s,
                           u"   Seleccionar Skin."_s, u"Sin Skin..."_s, u"Vista"_s, u"Metal"_s,
                           u"Aqua"_s, u"Sirius"_s, u"Optima"_s, u"Smart"_s, u"Bionix"_s}));

    // Typing stops at the limits: one digit of decimals, four characters of IVA, 23 per line.
    EXPECT_EQ(d->L4->maxLength(), 23);
    EXPECT_EQ(d->Decimales->findChild<QLineEdit*>()->maxLength(), 1);
    EXPECT_EQ(d->IVA->findChild<QLineEdit*>()->maxLength(), 4);
}

struct CasoLectura {
    const char* nombre;
    const char* ini; // nullptr: no file at all
    int formato, decimales;
    bool miles;
    QString iva;
    bool cabecera;
    int skin; // -1: none chosen, and none applied
};

class LecturaTest : public TPropiedadesTest, public ::testing::WithParamInterface<CasoLectura> {};

TEST_P(LecturaTest, MuestraLoGuardadoYAplicaSuSkin) {
    const CasoLectura& c = GetParam();
    if (c.ini)
        EscribirArchivo(c.ini);
    const QByteArray antes = Contenido();
    auto d = Crear();
    EXPECT_EQ(d->IndiceFormato(), c.formato);
    ExpectOpciones(*d, c.formato == 1);
    EXPECT_EQ(d->Decimales->value(), c.decimales);
    EXPECT_EQ(d->SeparadorMiles->isChecked(), c.miles);
    EXPECT_EQ(d->IVA->text(), c.iva);
    EXPECT_EQ(d->IncluirCabecera->isChecked(), c.cabecera);
    ExpectLineas(*d, c.cabecera);
    EXPECT_EQ(d->SelSkin->currentIndex(), c.skin);
    EXPECT_EQ(aplicadas, c.skin < 0 ? std::vector<int>{} : std::vector<int>{c.skin});
    EXPECT_EQ(d->PageControl1->currentWidget(), d->PropFormato);
    EXPECT_EQ(Contenido(), antes); // creating only reads
    EXPECT_EQ(QFile::exists(Ruta()), c.ini != nullptr);
}

const char* const kTodo = "[Opciones]\nFormato=0\nDecimales=5\nSeparador Miles=1\n[Tipo de IVA]\n"
                          "IVA=21\n[Imprimir]\nIncluir Cabecera=1\n[Skin]\nTipo=2\n";
const CasoLectura kLecturas[] = {
    {"SinArchivo", nullptr, 0, 3, false, u"16,0"_s, false, 1},
    {"TodoGuardado", kTodo, 1, 5, true, u"21,0"_s, true, 2},
    {"DecimalesDemasiados", "[Opciones]\nDecimales=15\n", 0, 9, false, u"16,0"_s, false, 1},
    {"DecimalesNegativos", "[Opciones]\nDecimales=-4\n", 0, 0, false, u"16,0"_s, false, 1},
    {"IVAConComa", "[Tipo de IVA]\nIVA=7,5\n", 0, 3, false, u"7,5"_s, false, 1},
    {"IVATexto", "[Tipo de IVA]\nIVA=abc\n", 0, 3, false, u"16,0"_s, false, 1},
    {"IVAEnorme", "[Tipo de IVA]\nIVA=1e400\n", 0, 3, false, u"25,0"_s, false, 1},
    {"SinSkin", "[Skin]\nTipo=0\n", 0, 3, false, u"16,0"_s, false, 0},
    {"SkinBionix", "[Skin]\nTipo=7\n", 0, 3, false, u"16,0"_s, false, 7},
    {"SkinInexistente", "[Skin]\nTipo=9\n", 0, 3, false, u"16,0"_s, false, -1}};
INSTANTIATE_TEST_SUITE_P(Archivos, LecturaTest, ::testing::ValuesIn(kLecturas),
                         [](const auto& i) { return std::string(i.param.nombre); });

TEST_F(TPropiedadesTest, LasOpcionesSeHabilitanYSeGuardanAunqueEstenDeshabilitadas) {
    auto d = Crear();
    d->show();
    Pulsar(d->FormatoFijo);
    ExpectOpciones(*d, true);
    d->Decimales->setValue(5);
    d->SeparadorMiles->setChecked(true);
    Pulsar(d->FormatoGeneral);
    ExpectOpciones(*d, false);
    Pulsar(d->IncluirCabecera);
    ExpectLineas(*d, true);
    Teclear(d->L1, u"  Bar Manolo"_s);
    Teclear(d->L4, u"Año 2024 €"_s);
    Pulsar(d->IncluirCabecera);
    ExpectLineas(*d, false);
    EXPECT_EQ(d->L1->text(), u"  Bar Manolo"_s);
    d->Aplicar->click();
    EXPECT_TRUE(Contenido().contains("Formato=1\r\nDecimales=5\r\nSeparador Miles=1\r\n"));

    auto otra = Crear();
    EXPECT_EQ(otra->IndiceFormato(), 0);
    EXPECT_EQ(otra->Decimales->value(), 5);
    EXPECT_TRUE(otra->SeparadorMiles->isChecked());
    EXPECT_FALSE(otra->IncluirCabecera->isChecked());
    EXPECT_EQ(otra->L1->text(), u"Bar Manolo"_s); // the file keeps no surrounding blanks
    EXPECT_EQ(otra->L4->text(), u"Año 2024 €"_s);
}

// Typed with the comma or the pad's point; a value beyond the range is brought into it.
TEST_F(TPropiedadesTest, IVATecleadoConComaOConElPuntoDelTecladoYAcotado) {
    const struct {
        QString tecleado;
        Qt::KeyboardModifiers modificadores;
        const char* guardado;
        QString mostrado;
    } casos[] = {
        {u"12,3"_s, Qt::NoModifier, "IVA=12,3\r\n", u"12,3"_s},
        {u"7.5"_s, Qt::KeypadModifier, "IVA=7,5\r\n", u"7,5"_s},
        {u"30"_s, Qt::NoModifier, "IVA=25\r\n", u"25,0"_s},
        {u"25,5"_s, Qt::NoModifier, "IVA=25\r\n", u"25,0"_s},
    };
    for (const auto& c : casos) {
        QFile::remove(Ruta());
        auto d = Crear();
        d->show();
        d->IVA->selectAll();
        Teclear(d->IVA, c.tecleado, c.modificadores);
        d->AplicarClick(); // without leaving the box first
        EXPECT_TRUE(Contenido().contains(c.guardado)) << Contenido().toStdString();
        EXPECT_EQ(d->IVA->text(), c.mostrado);
        EXPECT_EQ(Crear()->IVA->text(), c.mostrado);
    }
}

TEST_F(TPropiedadesTest, CerrarSinAplicarDejaElSkinElegidoYLosControles) {
    auto d = Crear();
    d->open();
    d->PageControl1->setCurrentWidget(d->PropIVA);
    d->IVA->setValue(10.5);
    d->SelSkin->setCurrentIndex(4);
    d->SelSkin->setCurrentIndex(0);
    d->reject(); // the skin stays in force, nothing is written
    EXPECT_EQ(aplicadas, (std::vector<int>{1, 4, 0}));
    EXPECT_FALSE(QFile::exists(Ruta()));
    d->open();
    EXPECT_EQ(d->PageControl1->currentWidget(), d->PropIVA);
    EXPECT_EQ(d->IVA->text(), u"10,5"_s);
    d->reject();
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

// Lowers the largest file this process may write, as a full disk would; SIGXFSZ is ignored
// so that the write fails instead of ending the process.
struct LimiteTamano {
    explicit LimiteTamano(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &anterior);
        const rlimit nuevo{bytes, anterior.rlim_max};
        ok = setrlimit(RLIMIT_FSIZE, &nuevo) == 0;
    }
    ~LimiteTamano() {
        setrlimit(RLIMIT_FSIZE, &anterior);
        std::signal(SIGXFSZ, senal);
    }
    void (*senal)(int) = std::signal(SIGXFSZ, SIG_IGN);
    rlimit anterior{};
    bool ok = false;
};

TEST_F(TPropiedadesTest, AplicarSinCambiosConElDiscoLlenoYLuegoConSitio) {
    // All ten keys are one write: with room for four of them, none is written.
    const QByteArray cuatroClaves =
        DiezClavesPorDefecto.left(DiezClavesPorDefecto.indexOf("IVA=16\r\n") + 8);
    EscribirArchivo("; mio\r\n");
    auto d = Crear();
    d->open();
    QString mensaje;
    EsperarMensaje(&mensaje);
    {
        LimiteTamano limite(static_cast<rlim_t>(cuatroClaves.size()));
        ASSERT_TRUE(limite.ok);
        d->Aplicar->click();
    }
    EXPECT_TRUE(mensaje.startsWith(u"No se puede escribir el archivo de configuración"_s));
    EXPECT_EQ(Contenido(), "; mio\r\n");
    EXPECT_TRUE(d->isVisible());
    EXPECT_NE(d->result(), QDialog::Accepted);
    EXPECT_EQ(QDir(carpeta.path()).entryList(QDir::Files),
              (QStringList{u"Sumadora.ini"_s, u"Sumadora.ini.lock"_s}));

    d->Aplicar->click(); // with room again: all ten keys, and the dialog closes
    EXPECT_EQ(Contenido(), "; mio\r\n\r\n" + DiezClavesPorDefecto);
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_FALSE(d->isVisible());
}

} // namespace
