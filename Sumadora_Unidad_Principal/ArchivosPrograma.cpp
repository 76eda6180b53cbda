#include "ArchivosPrograma.h"

#include <QCoreApplication>
#include <QFileInfo>

using namespace Qt::StringLiterals;

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
    const QString instalado =
        QFileInfo(carpeta + u"/" SUMADORA_DATOS_RELATIVOS u"/sumadora/ayuda/Sumadora.html"_s)
            .absoluteFilePath();
    if (!QFileInfo::exists(junto) && QFileInfo::exists(instalado))
        return instalado;
    return junto;
}
