// The Properties dialog over a settings file in a temporary folder: what it shows after
// creation, the enabling rules, the skin it applies, what "Aplicar" writes and how a refused
// write reaches the user.
#include "TPropiedades.h"

#include "AyudasPrueba.h"
#include "ClavesAjustes.h"
#include "ErrorSumadora.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

namespace C = ClavesAjustes;

class TPropiedadesTest : public ::testing::Test {
protected:
    QString Ruta() const { return carpeta.filePath(u"Sumadora.ini"_s); }
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

// The ten keys, in the order "Aplicar" writes them, of a dialog as it came up without a file:
// the spelling and the default texts that files already on disk have.
const QByteArray DiezClavesPorDefecto =
    "[Opciones]\r\nFormato=1\r\nDecimales=3\r\nSeparador Miles=0\r\n\r\n"
    "[Tipo de IVA]\r\nIVA=16\r\n\r\n"
    "[Imprimir]\r\nIncluir Cabecera=0\r\nL1=\r\nL2=\r\nL3=\r\nL4=\r\n\r\n"
    "[Skin]\r\nTipo=1\r\n";

// What the dialog shows, in one line: the format's index, decimals, thousands separator,
// IVA, header, skin (-1: none chosen), and which of the format's four controls and the
// header's four lines are enabled.
QString Mostrado(const TPropiedades& d) {
    QString habilitados;
    for (const QWidget* w :
         std::initializer_list<const QWidget*>{d.OpcionesFormato, d.Decimales, d.EtiquetaDecimales,
                                               d.SeparadorMiles, d.L1, d.L2, d.L3, d.L4})
        habilitados += w->isEnabled() ? u'1' : u'0';
    return u"%1 %2 %3 %4 %5 %6 %7"_s.arg(d.IndiceFormato())
        .arg(d.Decimales->value())
        .arg(int(d.SeparadorMiles->isChecked()))
        .arg(d.IVA->value())
        .arg(int(d.IncluirCabecera->isChecked()))
        .arg(d.SelSkin->currentIndex())
        .arg(habilitados);
}

struct CasoLectura {
    const char* nombre;
    std::vector<ArchivoIni::Escritura> claves; // none: no file at all
    const char16_t* mostrado;
};

class LecturaTest : public TPropiedadesTest, public ::testing::WithParamInterface<CasoLectura> {};

TEST_P(LecturaTest, MuestraLoGuardadoYAplicaSuSkin) {
    const CasoLectura& c = GetParam();
    if (!c.claves.empty())
        ArchivoIni(Ruta()).Escribir(c.claves);
    const QByteArray antes = LeerArchivo(Ruta());
    auto d = Crear();
    EXPECT_EQ(Mostrado(*d), QString::fromUtf16(c.mostrado));
    const int skin = d->SelSkin->currentIndex(); // none applied when none is chosen
    EXPECT_EQ(aplicadas, skin < 0 ? std::vector<int>{} : std::vector<int>{skin});
    EXPECT_EQ(LeerArchivo(Ruta()), antes); // creating only reads
    EXPECT_EQ(QFile::exists(Ruta()), !c.claves.empty());
}

const CasoLectura kLecturas[] = {
    {"SinArchivo", {}, u"0 3 0 16 0 1 00000000"},
    {"TodoGuardado",
     {C::Escritura(C::Formato, false), C::Escritura(C::Decimales, 5),
      C::Escritura(C::SeparadorMiles, true), C::Escritura(C::IVA, 21.0L),
      C::Escritura(C::IncluirCabecera, true), C::Escritura(C::Skin, 2)},
     u"1 5 1 21 1 2 11111111"},
    {"DecimalesDemasiados", {C::Escritura(C::Decimales, 15)}, u"0 9 0 16 0 1 00000000"},
    {"DecimalesNegativos", {C::Escritura(C::Decimales, -4)}, u"0 0 0 16 0 1 00000000"},
    {"IVAEnorme", {C::EscrituraTexto(C::IVA, u"1e400"_s)}, u"0 3 0 25 0 1 00000000"},
    {"SinSkin", {C::Escritura(C::Skin, 0)}, u"0 3 0 16 0 0 00000000"},
    {"SkinBionix", {C::Escritura(C::Skin, 7)}, u"0 3 0 16 0 7 00000000"},
    {"SkinInexistente", {C::Escritura(C::Skin, 9)}, u"0 3 0 16 0 -1 00000000"}};
INSTANTIATE_TEST_SUITE_P(Archivos, LecturaTest, ::testing::ValuesIn(kLecturas),
                         [](const auto& i) { return std::string(i.param.nombre); });

TEST_F(TPropiedadesTest, LasOpcionesSeHabilitanYSeGuardanAunqueEstenDeshabilitadas) {
    auto d = Crear();
    d->show();
    Pulsar(d->FormatoFijo);
    d->Decimales->setValue(5);
    d->SeparadorMiles->setChecked(true);
    EXPECT_EQ(Mostrado(*d), u"1 5 1 16 0 1 11110000"_s);
    Pulsar(d->FormatoGeneral);
    Pulsar(d->IncluirCabecera);
    EXPECT_EQ(Mostrado(*d), u"0 5 1 16 1 1 00001111"_s);
    Teclear(d->L1, u"  Bar Manolo"_s);
    Teclear(d->L4, u"Año 2024 €"_s);
    Pulsar(d->IncluirCabecera);
    EXPECT_EQ(Mostrado(*d), u"0 5 1 16 0 1 00000000"_s);
    d->Aplicar->click();

    auto otra = Crear();
    EXPECT_EQ(Mostrado(*otra), u"0 5 1 16 0 1 00000000"_s);
    EXPECT_EQ(otra->L1->text(), u"Bar Manolo"_s); // the file keeps no surrounding blanks
    EXPECT_EQ(otra->L4->text(), u"Año 2024 €"_s);
}

TEST_F(TPropiedadesTest, IVATecleadoConComaOConElPuntoDelTecladoYAcotado) {
    const struct {
        QString tecleado;
        Qt::KeyboardModifiers modificadores;
        QString guardado, mostrado;
    } casos[] = {
        {u"12,3"_s, Qt::NoModifier, u"12,3"_s, u"12,3"_s},
        {u"7.5"_s, Qt::KeypadModifier, u"7,5"_s, u"7,5"_s},
        {u"25,5"_s, Qt::NoModifier, u"25"_s, u"25,0"_s},
    };
    for (const auto& c : casos) {
        QFile::remove(Ruta());
        auto d = Crear();
        d->show();
        d->IVA->selectAll();
        Teclear(d->IVA, c.tecleado, c.modificadores);
        d->AplicarClick(); // without leaving the box first
        EXPECT_EQ(C::LeerTexto(ArchivoIni(Ruta()), C::IVA), c.guardado);
        EXPECT_EQ(d->IVA->text(), c.mostrado);
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
    ArchivoIni(Ruta()).Escribir({C::Escritura(C::Skin, 3)});
    QString mensaje;
    EsperarMensaje(&mensaje);
    TPropiedades d([](int) { throw ErrorSumadora(u"No se puede cargar el skin."_s); },
                   ArchivoIni(Ruta()));
    EXPECT_EQ(mensaje, u"No se puede cargar el skin."_s);
    EXPECT_EQ(d.SelSkin->currentIndex(), 3);
}

TEST_F(TPropiedadesTest, AplicarSinCambiosConElDiscoLlenoYLuegoConSitio) {
    // All ten keys are one write: with room for four of them, none is written.
    const QByteArray cuatroClaves =
        DiezClavesPorDefecto.left(DiezClavesPorDefecto.indexOf("IVA=16\r\n") + 8);
    EscribirArchivo(Ruta(), "; mio\r\n");
    auto d = Crear();
    d->open();
    QString mensaje;
    EsperarMensaje(&mensaje);
    MensajeConDiscoLleno(cuatroClaves.size(), [&] { d->Aplicar->click(); });
    EXPECT_TRUE(mensaje.startsWith(u"No se puede escribir el archivo de configuración"_s));
    EXPECT_EQ(LeerArchivo(Ruta()), "; mio\r\n");
    EXPECT_TRUE(d->isVisible());

    d->Aplicar->click(); // with room again: all ten keys, and the dialog closes
    EXPECT_EQ(LeerArchivo(Ruta()), "; mio\r\n\r\n" + DiezClavesPorDefecto);
    EXPECT_EQ(d->result(), QDialog::Accepted);
}

} // namespace
