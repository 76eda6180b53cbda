#include "ArchivosPrograma.h"

#include <QCoreApplication>
#include <QFileInfo>

using namespace Qt::StringLiterals;

// Outside any namespace: the registration function it names is a global one.
static void IniciarIcono() {
    // The images live in a static library: without this call the linker may drop them.
    static const bool iniciado = [] {
        Q_INIT_RESOURCE(icono);
        return true;
    }();
    (void)iniciado;
}

namespace {

// Also before the application object exists, as when answering --help.
QString CarpetaPrograma() {
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(u"/proc/self/exe"_s).canonicalPath();
}

} // namespace

QString RutaManualAyuda() {
    const QString carpeta = CarpetaPrograma();
    const QString junto = carpeta + u"/ayuda/Sumadora.html"_s;
    const QString instalado = QFileInfo(carpeta + u"/" SUMADORA_DATOS_RELATIVOS
                                                  u"/sumadora/ayuda/Sumadora.html"_s)
                                  .absoluteFilePath();
    if (!QFileInfo::exists(junto) && QFileInfo::exists(instalado))
        return instalado;
    return junto;
}

QIcon IconoPrograma() {
    IniciarIcono();
    QIcon icono;
    for (const int lado : {16, 24, 32, 48, 64, 128, 256})
        icono.addFile(u":/icono/sumadora-%1.png"_s.arg(lado), QSize(lado, lado));
    return icono;
}
