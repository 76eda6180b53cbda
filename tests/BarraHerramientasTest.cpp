// The toolbar of the main window as a user works it: saving and opening tapes in the middle of
// calculations, in the three formats, code pages kept, failures reported with the tape intact,
// printing to a PDF file, clearing, copying the total and the help; the keyboard
// kept off while each of them runs.
#include "VentanaPrueba.h"

#include "AyudasPrueba.h"
#include "ClavesAjustes.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinter>
#include <QStandardPaths>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

class BarraTest : public VentanaPrueba {
protected:
    // The name the "dialog" gives; the keyboard must be off while it is asked.
    std::function<QString()> Responder(const QString& ruta) {
        return [this, ruta] {
            EXPECT_FALSE(V().TecladoActivo) << "keyboard on during the file dialog";
            return ruta;
        };
    }

    // Presses a toolbar button that must fail and returns the message it shows; the tape is
    // as it was.
    QString Fallo(const QString& boton) {
        const QStringList antes = Cinta();
        QString texto;
        EsperarMensaje(&texto);
        Clic(boton);
        EXPECT_EQ(Cinta(), antes);
        return texto;
    }
};

// A saved tape opened in a new start shows the same lines, and the next operation starts a new
// calculation below them. Opened in the middle of a calculation, a file replaces the lines but
// not the running total; saved again, it comes back in the code page it came in.
TEST_F(BarraTest, AbrirEnUnInicioNuevoYEnMedioDeUnCalculo) {
    const QString ruta = FCarpeta.filePath(u"dia.SUMA"_s);
    Pulsar(u"5 + 3 + Total"_s);
    V().PreguntarArchivoGuardar = Responder(ruta);
    Clic(u"GuardarCuenta"_s);
    const QStringList guardadas = Cinta();
    Reiniciar();
    V().PreguntarArchivoAbrir = Responder(ruta);
    Clic(u"BotonAbrirCuenta"_s);
    EXPECT_EQ(Texto(V().Operandos), u"TOTAL"_s);
    Pulsar(u"7 +"_s);
    EXPECT_EQ(Cinta(), guardadas + Lineas(u"7 +"_s));

    const QByteArray datos = "Cami\xC3\xB3n 5\xE2\x82\xAC\r\n\xE2\x86\x92 \xE6\x97\xA5\r\n";
    EscribirArchivo(ruta, datos);
    Clic(u"BotonAbrirCuenta"_s);
    V().PreguntarArchivoGuardar = Responder(FCarpeta.filePath(u"copia.SUMA"_s));
    Clic(u"GuardarCuenta"_s);
    EXPECT_EQ(LeerArchivo(FCarpeta.filePath(u"copia.SUMA"_s)).toHex(' '), datos.toHex(' '));
    Pulsar(u"3 + Total"_s);
    EXPECT_EQ(Cinta(), QStringList({u"Camión 5€"_s, u"→ 日"_s}) + Lineas(u"3 +|---|10 T||"_s));
}

// Saving offers the tape file first, then a spreadsheet and a PDF; the chosen filter gives a
// typed name its suffix. Opening offers the tape file alone.
TEST_F(BarraTest, LosDialogosDeVerdadDanAlNombreElSufijoDelFiltro) {
    V().PreguntarArchivoAbrir = nullptr;
    V().PreguntarArchivoGuardar = nullptr;
    Pulsar(u"5 +"_s);
    const QStringList filtros = {u"Archivos cuenta de Sumadora (*.SUMA)"_s,
                                 u"Hoja de cálculo CSV (*.csv)"_s, u"Documento PDF (*.pdf)"_s};
    const auto responder = [this, filtros](const QString& nombre, int filtro, bool guardar) {
        AlAparecerDialogo([this, filtros, nombre, filtro, guardar](QWidget* w) {
            auto* d = qobject_cast<QFileDialog*>(w);
            ASSERT_NE(d, nullptr) << w->metaObject()->className();
            EXPECT_EQ(d->acceptMode() == QFileDialog::AcceptSave, guardar);
            EXPECT_EQ(d->nameFilters(), guardar ? filtros : filtros.mid(0, 1));
            EXPECT_EQ(d->selectedNameFilter(), filtros[0]);
            d->setDirectory(FCarpeta.path());
            d->selectNameFilter(filtros[filtro]);
            // Typed, as a user would: selectFile() leaves alone a name box that has the focus.
            auto* nombreArchivo = d->findChild<QLineEdit*>(u"fileNameEdit"_s);
            ASSERT_NE(nombreArchivo, nullptr);
            nombreArchivo->setText(nombre);
            static_cast<QDialog*>(d)->accept(); // QFileDialog::accept, which applies the suffix
        });
    };
    EscribirArchivo(FCarpeta.filePath(u"dia.SUMA"_s), "viejo\r\n"); // replaced
    responder(u"dia"_s, 0, true);
    Clic(u"GuardarCuenta"_s);
    EXPECT_EQ(LeerArchivo(FCarpeta.filePath(u"dia.SUMA"_s)), (Cinta()[0] + u"\r\n"_s).toLatin1());
    responder(u"dia"_s, 1, true);
    Clic(u"GuardarCuenta"_s);
    EXPECT_EQ(LeerCsv(FCarpeta.filePath(u"dia.csv"_s)),
              (QList<QStringList>{{u"Importe"_s, u"Operación"_s}, {u"5"_s, u"+"_s}}));

    Clic(u"BorrarCuenta"_s);
    responder(u"dia.SUMA"_s, 0, false);
    Clic(u"BotonAbrirCuenta"_s);
    EXPECT_EQ(Cinta(), Lineas(u"5 +"_s));

    // Cancelled, they change nothing.
    const QStringList archivos = QDir(FCarpeta.path()).entryList(QDir::Files);
    for (const QString& boton : {u"BotonAbrirCuenta"_s, u"GuardarCuenta"_s}) {
        AlAparecerDialogo([](QWidget* d) { static_cast<QDialog*>(d)->reject(); });
        Clic(boton);
    }
    EXPECT_EQ(Cinta(), Lineas(u"5 +"_s));
    EXPECT_EQ(QDir(FCarpeta.path()).entryList(QDir::Files), archivos);
}

// What is refused is tested where files are read; here, that the window says it. In any
// format, a save that fails says where and leaves nothing half-written.
TEST_F(BarraTest, AbrirOGuardarQueFallaLoDiceYNoTocaNada) {
    const QString fichero = FCarpeta.filePath(u"imagen.SUMA"_s); // no folder either
    const QByteArray nulos("PNG\0\0\x01", 6);
    EscribirArchivo(fichero, nulos);
    Pulsar(u"5 +"_s);
    V().PreguntarArchivoAbrir = Responder(fichero);
    const QString rechazo = Fallo(u"BotonAbrirCuenta"_s);
    EXPECT_TRUE(rechazo.contains(u"caracteres nulos"_s)) << rechazo.toStdString();
    for (const QString& nombre : {u"dia.SUMA"_s, u"dia.csv"_s, u"dia.pdf"_s}) {
        const QString ruta = fichero + u'/' + nombre;
        V().PreguntarArchivoGuardar = Responder(ruta);
        const QString texto = Fallo(u"GuardarCuenta"_s);
        EXPECT_TRUE(texto.startsWith(u"No se puede guardar"_s)) << texto.toStdString();
        EXPECT_TRUE(texto.contains(QDir::toNativeSeparators(ruta))) << texto.toStdString();
    }
    EXPECT_EQ(LeerArchivo(fichero), nulos);
    EXPECT_EQ(
        QDir(FCarpeta.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList{u"imagen.SUMA"_s});
}

class ImprimirTest : public BarraTest {
protected:
    void SetUp() override {
        BarraTest::SetUp();
        ASSERT_TRUE(QDir::setCurrent(FCarpeta.path()));
    }
    void TearDown() override {
        QDir::setCurrent(FAnterior);
        BarraTest::TearDown();
    }
    std::unique_ptr<QPrinter> Pdf() {
        auto impresora = std::make_unique<QPrinter>(QPrinter::HighResolution);
        impresora->setOutputFileName(FPdf);
        return impresora;
    }
    const QString FAnterior = QDir::currentPath();
    const QString FPdf = FCarpeta.filePath(u"cuenta.pdf"_s);
};

// Without a printer the message offers a PDF instead; "Aceptar" does nothing more.
TEST_F(ImprimirTest, SinImpresoraOfreceElPdfYLoEscribe) {
    Pulsar(u"5 + 3 + Total"_s);
    V().ObtenerImpresora = [] { return std::unique_ptr<QPrinter>(); };
    V().PreguntarArchivoGuardar = Responder(FPdf);
    for (const bool pdf : {false, true}) {
        AlAparecerDialogo([pdf](QWidget* w) {
            auto* m = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(m, nullptr);
            EXPECT_TRUE(m->text().startsWith(u"No hay ninguna impresora instalada."_s));
            QStringList botones;
            for (QAbstractButton* b : m->buttons())
                botones << b->text();
            botones.sort();
            ASSERT_EQ(botones, (QStringList{u"Aceptar"_s, u"Guardar como PDF…"_s}));
            for (QAbstractButton* b : m->buttons())
                if (b->text() == (pdf ? u"Guardar como PDF…"_s : u"Aceptar"_s))
                    b->click();
        });
        Clic(u"ImprimirCuenta"_s);
        EXPECT_EQ(QFile::exists(FPdf), pdf);
    }
    EXPECT_TRUE(TextoPdf(FPdf).contains(u"8 T"_s));
    EXPECT_FALSE(QFile::exists(u"Imprime.SUMP"_s));
}

// The work file holds the tape; the pages have the settings' header above the tape, and
// saving as PDF gives the same pages.
TEST_F(ImprimirTest, EscribeImprimeSumpEImprimeLasPaginasDelPdfGuardado) {
    Ajustes.Escribir({ClavesAjustes::Escritura(ClavesAjustes::IncluirCabecera, true),
                      ClavesAjustes::Escritura(ClavesAjustes::LineasCabecera[0], u"Bar Pepe"_s)});
    EscribirArchivo(u"Imprime.SUMP"_s, QByteArray(200, 'x')); // rewritten, not appended to
    for (int i = 0; i < 150; ++i)
        V().Cuenta->SumarValor(i + 1);
    Pulsar(u"Total"_s);
    V().ObtenerImpresora = [this] {
        EXPECT_FALSE(V().TecladoActivo);
        return Pdf();
    };
    Clic(u"ImprimirCuenta"_s);
    EXPECT_EQ(LeerArchivo(FCarpeta.filePath(u"Imprime.SUMP"_s)),
              (Cinta().join(u"\r\n"_s) + u"\r\n"_s).toLatin1());

    const QString paginas = TextoPdf(FPdf);
    EXPECT_GE(paginas.count(u'\f'), 2) << "several pages";
    const qsizetype cabecera = paginas.indexOf(u"Bar Pepe"_s);
    EXPECT_TRUE(cabecera >= 0 && cabecera < paginas.indexOf(u"11325 T"_s)) << paginas.toStdString();
    V().PreguntarArchivoGuardar = Responder(FCarpeta.filePath(u"guardado.pdf"_s));
    Clic(u"GuardarCuenta"_s);
    EXPECT_EQ(TextoPdf(FCarpeta.filePath(u"guardado.pdf"_s)), paginas);
}

// The work file goes to the user's cache folder when the working directory cannot take it
// (blocked by a folder of that name, or deleted), never to the filesystem root; with neither
// place writable the tape still prints and no message claims otherwise.
TEST_F(ImprimirTest, ImprimeSumpVaALaCacheONingunaParteYLaCintaSeImprime) {
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    const QString enCache = cache + u"/Imprime.SUMP"_s;
    const QString enRaiz = u"/Imprime.SUMP"_s;
    const QDateTime raizAntes = QFileInfo(enRaiz).lastModified();
    ASSERT_TRUE(QDir().mkdir(FCarpeta.filePath(u"Imprime.SUMP"_s)));
    const QString borrada = FCarpeta.filePath(u"borrada"_s);
    ASSERT_TRUE(QDir().mkdir(borrada));
    V().ObtenerImpresora = [this] { return Pdf(); };
    Pulsar(u"5 +"_s);
    const QByteArray cinta = (Cinta().join(u"\r\n"_s) + u"\r\n"_s).toLatin1();

    enum Caso { Bloqueada, Borrada, CacheBloqueada };
    for (const Caso caso : {Bloqueada, Borrada, CacheBloqueada}) {
        QFile::remove(FPdf);
        QFile::remove(enCache);
        if (caso == Borrada) {
            ASSERT_TRUE(QDir::setCurrent(borrada));
            ASSERT_TRUE(QDir().rmdir(borrada));
        }
        if (caso == CacheBloqueada) {
            ASSERT_TRUE(QDir(cache).removeRecursively());
            EscribirArchivo(cache, "no es una carpeta");
        }
        Clic(u"ImprimirCuenta"_s);
        EXPECT_TRUE(QFile::exists(FPdf)) << caso;
        if (caso == CacheBloqueada)
            EXPECT_FALSE(QFile::exists(enCache));
        else
            EXPECT_EQ(LeerArchivo(enCache), cinta) << caso;
        EXPECT_EQ(QFileInfo(enRaiz).lastModified(), raizAntes) << caso; // none made or changed
    }
    QFile::remove(cache);
}

// How the calculation goes on from 0 is TZURCuenta's.
TEST_F(BarraTest, BorrarEnMedioDeUnProductoLimpiaLaCintaYLosRegistros) {
    Pulsar(u"5 + 3 *"_s);
    Clic(u"BorrarCuenta"_s);
    EXPECT_TRUE(Cinta().isEmpty());
    EXPECT_EQ(Texto(V().Operandos) + Texto(V().Datos), u"00"_s);
}

TEST_F(BarraTest, CopiarLlevaElTotalTalComoSeVeSinBlancos) {
    Clic(u"BotonCopiar"_s);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"TOTAL"_s);
    Pulsar(u"1234 . 5 + 2 +"_s);
    Clic(u"BotonCopiar"_s);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"1236,5"_s);
}

TEST_F(BarraTest, AyudaAbreElManualInstaladoJuntoAlProgramaSinEsperar) {
    QUrl pedida;
    V().AbrirAyuda = [&](const QUrl& url) {
        EXPECT_FALSE(V().TecladoActivo);
        pedida = url;
    };
    Clic(u"BotonAyuda"_s);
    EXPECT_EQ(pedida, QUrl::fromLocalFile(QCoreApplication::applicationDirPath() +
                                          u"/ayuda/Sumadora.html"_s));
}

} // namespace
