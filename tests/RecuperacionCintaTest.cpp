// Nothing lost in a crash. The programs killed are this test program started again as a
// child that runs RecuperacionHijo.
#include "VentanaPrueba.h"

#include "ArchivoRecuperacion.h"
#include "AyudasPrueba.h"
#include "RecuperacionCinta.h"

#include <QDir>
#include <QEventLoop>
#include <QMessageBox>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

QStringList LineasSumadas(int n) {
    QStringList lineas;
    for (int i = 1; i <= n; ++i)
        lineas << QString::number(i).rightJustified(22) + u" +"_s;
    return lineas;
}

// The child: a calculator keeping its tape in $XDG_STATE_HOME/Sumadora, SUMADORA_HIJO lines
// added, "listo" said, then running until it is killed.
TEST(RecuperacionHijo, AgregaLineasYEspera) {
    const int lineas = qEnvironmentVariableIntValue("SUMADORA_HIJO");
    if (lineas == 0)
        GTEST_SKIP() << "only run as a child of RecuperacionTest";
    TSumadoraFormulario ventana;
    new RecuperacionCinta(ventana, RecuperacionCinta::CarpetaPredeterminada());
    for (int i = 1; i <= lineas; ++i)
        ventana.Cuenta->SumarValor(i);
    QCoreApplication::processEvents();
    std::printf("listo\n");
    std::fflush(stdout);
    QEventLoop().exec();
}

class RecuperacionTest : public VentanaPrueba {
protected:
    // A calculator started again on this state folder, its offer made.
    void Arrancar() {
        Reiniciar();
        FRecuperacion = new RecuperacionCinta(V(), FSumadora);
        FRecuperacion->OfrecerRecuperacion();
    }
    std::unique_ptr<QProcess> Hijo(int lineas) {
        auto hijo = std::make_unique<QProcess>();
        QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
        entorno.insert(u"SUMADORA_HIJO"_s, QString::number(lineas));
        entorno.insert(u"XDG_STATE_HOME"_s, FCarpeta.path());
        hijo->setProcessEnvironment(entorno);
        hijo->start(QCoreApplication::applicationFilePath(),
                    {u"--gtest_filter=RecuperacionHijo.*"_s});
        return hijo;
    }
    // GoogleTest speaks first; the child's own word ends its output.
    static void EsperarListo(QProcess& hijo) {
        QByteArray salida;
        while (!salida.endsWith("listo\n") && (hijo.canReadLine() || hijo.waitForReadyRead(60000)))
            salida += hijo.readLine();
        ASSERT_TRUE(salida.endsWith("listo\n"))
            << salida.toStdString() << hijo.readAllStandardError().toStdString();
    }
    QStringList Copias() const { return QDir(FSumadora).entryList({u"*.cinta"_s}, QDir::Files); }
    // Answers the next recovery question, which must name `lineas` lines.
    static void Responder(int lineas, bool recuperar) {
        AlAparecerDialogo([lineas, recuperar](QWidget* w) {
            auto* m = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(m, nullptr);
            EXPECT_TRUE(m->text().contains(
                u"¿Desea recuperar la cuenta anterior (%1 líneas)?"_s.arg(lineas)))
                << m->text().toStdString();
            m->button(recuperar ? QMessageBox::Yes : QMessageBox::No)->click();
        });
    }

    const QString FSumadora = FCarpeta.filePath(u"Sumadora"_s); // under XDG_STATE_HOME
    RecuperacionCinta* FRecuperacion = nullptr;
};

TEST_F(RecuperacionTest, DosProgramasMatadosDejanSusCintasYCadaUnaSeOfreceSoloMuertoSuPrograma) {
    const auto mil = Hijo(1000);
    const auto tres = Hijo(3);
    EsperarListo(*mil);
    EsperarListo(*tres);
    QTest::qWait(2500); // lines added more than a second ago are in the copies
    EXPECT_EQ(Copias().size(), 2);

    tres->kill(); // SIGKILL
    tres->waitForFinished();
    Responder(3, false); // only the dead program's copy is offered; refused, it goes
    Arrancar();
    EXPECT_TRUE(Cinta().isEmpty());
    EXPECT_EQ(Copias().size(), 1);

    mil->kill();
    mil->waitForFinished();
    Responder(1000, true);
    Arrancar();
    EXPECT_EQ(Cinta(), LineasSumadas(1000));
    EXPECT_TRUE(Copias().isEmpty());
}

TEST_F(RecuperacionTest, UnaSalidaNormalNoDejaNadaYUnArranqueSinCopiaNoPregunta) {
    Arrancar(); // nothing to offer: no question
    Pulsar(u"5 + 3 +"_s);
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return QFile::exists(FRecuperacion->RutaCopia()); }, 10000));
    EXPECT_EQ(DecodificarRecuperacion(LeerArchivo(FRecuperacion->RutaCopia())).Texto.Lineas(),
              Cinta());
    Reiniciar(); // the window and its keeper end as at a normal exit
    EXPECT_TRUE(QDir(FSumadora).isEmpty()) << QDir(FSumadora).entryList().join(u' ').toStdString();
}

TEST_F(RecuperacionTest, UnaCopiaDanadaSeRechazaConUnMensajeYSeDejaAparte) {
    ASSERT_TRUE(QDir().mkpath(FSumadora));
    const QString copia = FSumadora + u"/Sumadora-1-1.cinta"_s;
    EscribirArchivo(copia, CodificarRecuperacion(TextoLineas(LineasSumadas(50))).chopped(7));
    QString mensaje;
    EsperarMensaje(&mensaje);
    Arrancar();
    EXPECT_TRUE(mensaje.contains(u"incompleta o dañada"_s)) << mensaje.toStdString();
    EXPECT_TRUE(Cinta().isEmpty());
    EXPECT_TRUE(Copias().isEmpty());
    EXPECT_TRUE(QFile::exists(copia + u".dañada"_s));
    Arrancar(); // refused once, not offered again
}

TEST_F(RecuperacionTest, SiLaCopiaNoSePuedeGuardarLoDiceUnaVez) {
    Arrancar();
    ASSERT_TRUE(QDir().mkpath(FRecuperacion->RutaCopia())); // a folder where the copy goes
    QString mensaje;
    EsperarMensaje(&mensaje);
    Pulsar(u"5 +"_s);
    (void)QTest::qWaitFor([] { return DialogosPendientes() == 0; }, 10000);
    EXPECT_TRUE(mensaje.startsWith(u"No se puede guardar la copia de recuperación"_s))
        << mensaje.toStdString();
    Pulsar(u"3 +"_s);
    QTest::qWait(1500); // the next write fails too, silently
}

} // namespace
