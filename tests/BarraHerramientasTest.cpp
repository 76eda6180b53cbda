// The toolbar of the main window as a user works it: saving and opening tapes in the middle of
// calculations, code pages kept, failures reported with the tape intact, printing to a PDF
// file, clearing, copying the total, the About box and the help; the keyboard kept off while
// each of them runs.
#include "TSumadoraFormulario.h"

#include "ArchivoIni.h"
#include "AyudasPrueba.h"
#include "TFAcercaDe.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QString Linea(const QString& numero, const QString& sufijo) {
    return numero.rightJustified(22, u' ') + sufijo;
}

QByteArray Leer(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no se pudo leer>");
}

void Escribir(const QString& ruta, const QByteArray& datos) {
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(datos), datos.size());
}

class BarraTest : public ::testing::Test {
protected:
    void SetUp() override { QFile::remove(ArchivoIni::RutaPredeterminada()); }
    void TearDown() override { EXPECT_EQ(DialogosPendientes(), 0) << "an expected dialog never came"; }

    TSumadoraFormulario& V() {
        if (!ventana_)
            ventana_ = NuevaVentana();
        return *ventana_;
    }

    std::unique_ptr<TSumadoraFormulario> NuevaVentana() {
        auto v = std::make_unique<TSumadoraFormulario>();
        // Nothing here may reach a real dialog, printer or viewer.
        v->PreguntarArchivoAbrir = [] {
            ADD_FAILURE() << "open dialog";
            return QString();
        };
        v->PreguntarArchivoGuardar = [] {
            ADD_FAILURE() << "save dialog";
            return QString();
        };
        v->ObtenerImpresora = [] {
            ADD_FAILURE() << "printer";
            return std::unique_ptr<QPrinter>();
        };
        v->AbrirAyuda = [](const QUrl&) { ADD_FAILURE() << "help viewer"; };
        v->show();
        return v;
    }

    // The name the "dialog" gives, noting whether the keyboard was off while it was asked.
    std::function<QString()> Responder(TSumadoraFormulario& v, const QString& ruta) {
        return [this, &v, ruta] {
            tecladoDuranteDialogo_ = v.TecladoActivo;
            return ruta;
        };
    }

    // Digits are typed one by one; "+", "*", "Total" and "." are those keys.
    void Pulsar(TSumadoraFormulario& v, const QString& teclas) {
        for (const QString& t : teclas.split(u' ', Qt::SkipEmptyParts)) {
            QString nombre;
            if (t == u"+"_s)
                nombre = u"OperadorSuma"_s;
            else if (t == u"*"_s)
                nombre = u"OperadorMultiplicacion"_s;
            else if (t == u"Total"_s)
                nombre = u"OperadorTotal"_s;
            else if (t == u"."_s)
                nombre = u"OperadorDecimal"_s;
            if (!nombre.isEmpty()) {
                Clic(v, nombre);
                continue;
            }
            for (QChar c : t)
                Clic(v, c == u'0' ? u"CeroSimple"_s : u"Numero"_s + c);
        }
    }

    void Clic(TSumadoraFormulario& v, const QString& nombre) {
        auto* boton = v.findChild<QAbstractButton*>(nombre);
        ASSERT_NE(boton, nullptr) << nombre.toStdString();
        boton->click();
    }

    // Expects the error message box, notes its text and the keyboard's state while it shows.
    void EsperarError(TSumadoraFormulario& v, QString* texto) {
        AlAparecerDialogo([this, &v, texto](QWidget* w) {
            tecladoDuranteMensaje_ = v.TecladoActivo;
            auto* m = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(m, nullptr) << "expected a message box";
            *texto = m->text();
        });
    }

    QTemporaryDir dir_;
    bool tecladoDuranteDialogo_ = true;
    bool tecladoDuranteMensaje_ = true;

private:
    std::unique_ptr<TSumadoraFormulario> ventana_;
};

// ---- Open and save -----------------------------------------------------------------------

TEST_F(BarraTest, GuardarYAbrirEnUnInicioNuevoMuestraLasMismasLineas) {
    const QString ruta = dir_.filePath(u"dia.SUMA"_s);
    auto primera = NuevaVentana();
    Pulsar(*primera, u"5 + 3 + Total"_s);
    primera->PreguntarArchivoGuardar = Responder(*primera, ruta);
    Clic(*primera, u"GuardarCuenta"_s);
    EXPECT_FALSE(tecladoDuranteDialogo_);
    EXPECT_TRUE(primera->TecladoActivo);
    const QStringList guardadas = primera->Cuenta->Lineas();
    ASSERT_EQ(guardadas.size(), 6);

    TSumadoraFormulario& v = V();
    v.PreguntarArchivoAbrir = Responder(v, ruta);
    tecladoDuranteDialogo_ = true;
    Clic(v, u"BotonAbrirCuenta"_s);
    EXPECT_FALSE(tecladoDuranteDialogo_);
    EXPECT_TRUE(v.TecladoActivo);
    EXPECT_EQ(v.Cuenta->Lineas(), guardadas);
    EXPECT_EQ(v.Operandos->Text().trimmed(), u"TOTAL"_s);

    // The next operation starts a new calculation below the loaded lines.
    Pulsar(v, u"7 +"_s);
    EXPECT_EQ(v.Cuenta->Lineas(), guardadas + QStringList{Linea(u"7"_s, u" +"_s)});
    EXPECT_EQ(v.Operandos->Text().trimmed(), u"7"_s);
}

TEST_F(BarraTest, AbrirDuranteUnCalculoConservaSuTotal) {
    const QString ruta = dir_.filePath(u"otra.SUMA"_s);
    Escribir(ruta, "  100 +\r\n  200 +\r\n");
    TSumadoraFormulario& v = V();
    Pulsar(v, u"5 +"_s);
    v.PreguntarArchivoAbrir = Responder(v, ruta);
    Clic(v, u"BotonAbrirCuenta"_s);
    EXPECT_EQ(v.Cuenta->Lineas(), (QStringList{u"  100 +"_s, u"  200 +"_s}));
    Pulsar(v, u"3 + Total"_s);
    const QStringList cinta = v.Cuenta->Lineas();
    ASSERT_EQ(cinta.size(), 7);
    EXPECT_EQ(cinta[2], Linea(u"3"_s, u" +"_s));
    EXPECT_EQ(cinta[4], Linea(u"8"_s, u" T"_s));
    EXPECT_EQ(v.Operandos->Text().trimmed(), u"8"_s);
}

TEST_F(BarraTest, LosDialogosDeVerdadFiltranSumaYLaAnadenAlNombre) {
    TSumadoraFormulario& v = V();
    v.PreguntarArchivoAbrir = nullptr;
    v.PreguntarArchivoGuardar = nullptr;
    Pulsar(v, u"5 +"_s);
    const auto responder = [&](const QString& nombre, QFileDialog::AcceptMode modo) {
        AlAparecerDialogo([&, nombre, modo](QWidget* w) {
            tecladoDuranteDialogo_ = v.TecladoActivo;
            auto* d = qobject_cast<QFileDialog*>(w);
            ASSERT_NE(d, nullptr) << w->metaObject()->className();
            EXPECT_EQ(d->acceptMode(), modo);
            EXPECT_EQ(d->nameFilters(), QStringList{u"Archivos cuenta de Sumadora (*.SUMA)"_s});
            EXPECT_EQ(d->defaultSuffix(), u"SUMA"_s);
            d->setDirectory(dir_.path());
            // Typed, as a user would: selectFile() leaves alone a name box that has the focus.
            auto* nombreArchivo = d->findChild<QLineEdit*>(u"fileNameEdit"_s);
            ASSERT_NE(nombreArchivo, nullptr);
            nombreArchivo->setText(nombre);
            static_cast<QDialog*>(d)->accept(); // QFileDialog::accept, which applies the suffix
        });
    };
    // A name typed without its extension gets ".SUMA"; an existing file is replaced.
    Escribir(dir_.filePath(u"dia.SUMA"_s), "viejo\r\n");
    responder(u"dia"_s, QFileDialog::AcceptSave);
    Clic(v, u"GuardarCuenta"_s);
    EXPECT_FALSE(tecladoDuranteDialogo_);
    EXPECT_EQ(Leer(dir_.filePath(u"dia.SUMA"_s)), Linea(u"5"_s, u" +\r\n"_s).toLatin1());

    Clic(v, u"BorrarCuenta"_s);
    tecladoDuranteDialogo_ = true;
    responder(u"dia.SUMA"_s, QFileDialog::AcceptOpen);
    Clic(v, u"BotonAbrirCuenta"_s);
    EXPECT_FALSE(tecladoDuranteDialogo_);
    EXPECT_TRUE(v.TecladoActivo);
    EXPECT_EQ(v.Cuenta->Lineas(), QStringList{Linea(u"5"_s, u" +"_s)});
}

TEST_F(BarraTest, CancelarLosDialogosNoCambiaNada) {
    TSumadoraFormulario& v = V();
    Pulsar(v, u"5 +"_s);
    const QStringList antes = v.Cuenta->Lineas();
    v.PreguntarArchivoAbrir = Responder(v, QString());
    v.PreguntarArchivoGuardar = Responder(v, QString());
    Clic(v, u"BotonAbrirCuenta"_s);
    Clic(v, u"GuardarCuenta"_s);
    EXPECT_EQ(v.Cuenta->Lineas(), antes);
    EXPECT_TRUE(v.TecladoActivo);
    EXPECT_TRUE(QDir(dir_.path()).isEmpty());
}

// The code page a file came in is the one the next save writes: its bytes come back.
TEST_F(BarraTest, AbrirUnArchivoUtf8YGuardarloDevuelveLosMismosBytes) {
    const QByteArray datos = "Cami\xC3\xB3n 5\xE2\x82\xAC\r\n\xE2\x86\x92 \xE6\x97\xA5\r\n";
    const QString origen = dir_.filePath(u"origen.SUMA"_s);
    const QString copia = dir_.filePath(u"copia.SUMA"_s);
    Escribir(origen, datos);
    TSumadoraFormulario& v = V();
    v.PreguntarArchivoAbrir = Responder(v, origen);
    v.PreguntarArchivoGuardar = Responder(v, copia);
    Clic(v, u"BotonAbrirCuenta"_s);
    Clic(v, u"GuardarCuenta"_s);
    EXPECT_EQ(Leer(copia).toHex(' '), datos.toHex(' '));
}

// ---- Failures: reported in Spanish, nothing lost, the keyboard back afterwards ------------

TEST_F(BarraTest, UnArchivoConNulosNoSeCargaYLaCintaSigueIgual) {
    const QString ruta = dir_.filePath(u"imagen.SUMA"_s);
    Escribir(ruta, QByteArray("PNG\0\0\x01", 6));
    TSumadoraFormulario& v = V();
    Pulsar(v, u"5 +"_s);
    const QStringList antes = v.Cuenta->Lineas();
    v.PreguntarArchivoAbrir = Responder(v, ruta);
    QString texto;
    EsperarError(v, &texto);
    Clic(v, u"BotonAbrirCuenta"_s);
    EXPECT_TRUE(texto.contains(u"caracteres nulos"_s)) << texto.toStdString();
    EXPECT_FALSE(tecladoDuranteMensaje_);
    EXPECT_TRUE(v.TecladoActivo);
    EXPECT_EQ(v.Cuenta->Lineas(), antes);
}

TEST_F(BarraTest, UnArchivoDeMasDe256MBNoSeLee) {
    // Sparse: it takes no room on the disk, and the size alone refuses it.
    const QString ruta = dir_.filePath(u"enorme.SUMA"_s);
    {
        QFile f(ruta);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(qint64(256) * 1024 * 1024 + 1));
    }
    TSumadoraFormulario& v = V();
    Pulsar(v, u"5 +"_s);
    const QStringList antes = v.Cuenta->Lineas();
    v.PreguntarArchivoAbrir = Responder(v, ruta);
    QString texto;
    EsperarError(v, &texto);
    Clic(v, u"BotonAbrirCuenta"_s);
    EXPECT_TRUE(texto.contains(u"demasiado grande"_s)) << texto.toStdString();
    EXPECT_TRUE(texto.contains(u"256 MB"_s)) << texto.toStdString();
    EXPECT_EQ(v.Cuenta->Lineas(), antes);
    EXPECT_TRUE(v.TecladoActivo);
}

TEST_F(BarraTest, GuardarDondeNoSePuedeLoDiceYNoTocaNada) {
    const QString fichero = dir_.filePath(u"no_es_carpeta"_s);
    Escribir(fichero, "igual");
    TSumadoraFormulario& v = V();
    Pulsar(v, u"5 +"_s);
    v.PreguntarArchivoGuardar = Responder(v, fichero + u"/dia.SUMA"_s);
    QString texto;
    EsperarError(v, &texto);
    Clic(v, u"GuardarCuenta"_s);
    EXPECT_TRUE(texto.startsWith(u"No se puede guardar la cuenta en «"_s)) << texto.toStdString();
    EXPECT_FALSE(tecladoDuranteMensaje_);
    EXPECT_TRUE(v.TecladoActivo);
    EXPECT_EQ(Leer(fichero), QByteArray("igual"));
    EXPECT_EQ(v.Cuenta->Lineas().size(), 1);
}

// ---- Printing ----------------------------------------------------------------------------

class ImprimirTest : public BarraTest {
protected:
    void SetUp() override {
        BarraTest::SetUp();
        anterior_ = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    }
    void TearDown() override {
        QDir::setCurrent(anterior_);
        BarraTest::TearDown();
    }
    QString pdf_ = dir_.filePath(u"cuenta.pdf"_s);
    QString anterior_;
};

TEST_F(ImprimirTest, SinImpresoraLoDiceYNoHaceNadaMas) {
    TSumadoraFormulario& v = V();
    Pulsar(v, u"5 +"_s);
    v.ObtenerImpresora = [] { return std::unique_ptr<QPrinter>(); };
    QString texto;
    EsperarError(v, &texto);
    Clic(v, u"ImprimirCuenta"_s);
    EXPECT_EQ(texto, u"No hay ninguna impresora instalada."_s);
    EXPECT_FALSE(tecladoDuranteMensaje_);
    EXPECT_TRUE(v.TecladoActivo);
    EXPECT_FALSE(QFile::exists(u"Imprime.SUMP"_s));
}

TEST_F(ImprimirTest, EscribeImprimeSumpEImprimeLaCabeceraYLaCinta) {
    ArchivoIni ini;
    ini.EscribirBooleano(u"Imprimir"_s, u"Incluir Cabecera"_s, true);
    ini.EscribirTexto(u"Imprimir"_s, u"L1"_s, u"Bar Pepe"_s);
    TSumadoraFormulario& v = V();
    Pulsar(v, u"5 + 3 + Total"_s);
    bool tecladoAlImprimir = true;
    v.ObtenerImpresora = [&] {
        tecladoAlImprimir = v.TecladoActivo;
        auto impresora = std::make_unique<QPrinter>();
        impresora->setOutputFormat(QPrinter::PdfFormat);
        impresora->setOutputFileName(pdf_);
        return impresora;
    };
    Clic(v, u"ImprimirCuenta"_s);
    EXPECT_FALSE(tecladoAlImprimir);
    EXPECT_TRUE(v.TecladoActivo);

    EXPECT_EQ(Leer(dir_.filePath(u"Imprime.SUMP"_s)),
              (v.Cuenta->Lineas().join(u"\r\n"_s) + u"\r\n"_s).toLatin1());
    QProcess texto;
    texto.start(u"pdftotext"_s, {u"-layout"_s, pdf_, u"-"_s});
    ASSERT_TRUE(texto.waitForFinished(30000)) << "pdftotext (poppler-utils) is needed";
    const QString pagina = QString::fromUtf8(texto.readAllStandardOutput());
    const qsizetype cabecera = pagina.indexOf(u"Bar Pepe"_s);
    const qsizetype regla = pagina.indexOf(QString(23, u'-'));
    const qsizetype total = pagina.indexOf(u"8 T"_s);
    EXPECT_GE(cabecera, 0) << pagina.toStdString();
    EXPECT_GT(regla, cabecera) << pagina.toStdString();
    EXPECT_GT(total, regla) << pagina.toStdString();
}

TEST_F(ImprimirTest, SiNoPuedeEscribirImprimeSumpLoDiceYNoImprime) {
    ASSERT_TRUE(QDir().mkdir(dir_.filePath(u"Imprime.SUMP"_s)));
    TSumadoraFormulario& v = V();
    Pulsar(v, u"5 +"_s);
    v.ObtenerImpresora = [this] {
        auto impresora = std::make_unique<QPrinter>();
        impresora->setOutputFormat(QPrinter::PdfFormat);
        impresora->setOutputFileName(pdf_);
        return impresora;
    };
    QString texto;
    EsperarError(v, &texto);
    Clic(v, u"ImprimirCuenta"_s);
    EXPECT_TRUE(texto.startsWith(u"No se puede escribir el archivo de impresión"_s)) << texto.toStdString();
    EXPECT_FALSE(tecladoDuranteMensaje_);
    EXPECT_TRUE(v.TecladoActivo);
    EXPECT_FALSE(QFile::exists(pdf_));
}

// ---- Clear, copy, About, help ------------------------------------------------------------

TEST_F(BarraTest, BorrarEnMedioDeUnProductoSigueDesdeCero) {
    TSumadoraFormulario& v = V();
    Pulsar(v, u"5 + 3 *"_s);
    Clic(v, u"BorrarCuenta"_s);
    EXPECT_TRUE(v.Cuenta->Lineas().isEmpty());
    EXPECT_EQ(v.Cuenta->Valor(), 0);
    EXPECT_EQ(v.Cuenta->Operador(), u"*"_s);
    EXPECT_TRUE(v.Cuenta->OperadorActivo());
    EXPECT_EQ(v.Operandos->Text().trimmed(), u"0"_s);
    EXPECT_EQ(v.Datos->Text().trimmed(), u"0"_s);
    Pulsar(v, u"5 +"_s);
    EXPECT_EQ(v.Cuenta->Lineas(), (QStringList{Linea(u"0"_s, u" ="_s), Linea(u"5"_s, u" +"_s)}));
}

TEST_F(BarraTest, CopiarLlevaElTotalTalComoSeVeSinBlancos) {
    TSumadoraFormulario& v = V();
    Clic(v, u"BotonCopiar"_s);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"TOTAL"_s);
    Pulsar(v, u"1234 . 5 + 2 +"_s);
    Clic(v, u"BotonCopiar"_s);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"1236,5"_s);
    // Whatever blanks align the text on the display stay there.
    v.Operandos->setText(u"      1236,5 "_s);
    Clic(v, u"BotonCopiar"_s);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"1236,5"_s);
    EXPECT_TRUE(v.TecladoActivo);
}

TEST_F(BarraTest, AcercaDeSeMuestraModalConElTecladoApagado) {
    TSumadoraFormulario& v = V();
    TFAcercaDe* vista = nullptr;
    bool teclado = true;
    for (int vez = 0; vez < 2; ++vez) {
        AlAparecerDialogo([&](QWidget* w) {
            teclado = v.TecladoActivo;
            auto* acercaDe = qobject_cast<TFAcercaDe*>(w);
            ASSERT_NE(acercaDe, nullptr) << w->metaObject()->className();
            // The same box each time: created once, kept between openings.
            if (vista) {
                EXPECT_EQ(acercaDe, vista);
            }
            vista = acercaDe;
        });
        Clic(v, u"BotonAcercaDe"_s);
        EXPECT_FALSE(teclado);
        EXPECT_TRUE(v.TecladoActivo);
    }
}

TEST_F(BarraTest, AyudaAbreElManualInstaladoJuntoAlProgramaSinEsperar) {
    TSumadoraFormulario& v = V();
    QUrl pedida;
    bool teclado = true;
    v.AbrirAyuda = [&](const QUrl& url) {
        pedida = url;
        teclado = v.TecladoActivo;
    };
    Clic(v, u"BotonAyuda"_s);
    EXPECT_EQ(pedida, QUrl::fromLocalFile(QCoreApplication::applicationDirPath() +
                                          u"/ayuda/Sumadora.html"_s));
    EXPECT_FALSE(teclado);
    EXPECT_TRUE(v.TecladoActivo);
}

} // namespace
