#include "LineaOrdenes.h"

#include "ArchivosPrograma.h"
#include "VersionPrograma.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

QString Ayuda() {
    return u"Uso: sumadora [OPCIÓN…] [CINTA.SUMA]\n"
           u"Calculadora sumadora con rollo de papel.\n"
           u"\n"
           u"  -h, --help       muestra esta ayuda y termina\n"
           u"  -v, --version    muestra la versión y termina\n"
           u"  CINTA.SUMA       abre esa cinta al empezar, como el botón de abrir\n"
           u"\n"
           u"Manual de ayuda: %1\n"_s.arg(RutaManualAyuda());
}

LineaOrdenes Error(const QString& texto) {
    return {true, 2, u"sumadora: %1; «sumadora --help» muestra las opciones.\n"_s.arg(texto), {}};
}

} // namespace

LineaOrdenes LeerLineaOrdenes(const QStringList& argumentos) {
    QCommandLineParser analizador;
    // Qt's options are written with one dash, like -platform.
    analizador.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption ayuda(QStringList{u"h"_s, u"help"_s});
    const QCommandLineOption version(QStringList{u"v"_s, u"version"_s});
    analizador.addOptions({ayuda, version});
    for (const QString& opcionQt :
         {u"platform"_s, u"platformpluginpath"_s, u"platformtheme"_s, u"plugin"_s,
          u"qwindowgeometry"_s, u"qwindowicon"_s, u"qwindowtitle"_s, u"session"_s, u"display"_s,
          u"geometry"_s, u"style"_s, u"stylesheet"_s})
        analizador.addOption(QCommandLineOption(opcionQt, QString(), u"valor"_s));
    analizador.addOptions({QCommandLineOption(u"reverse"_s), QCommandLineOption(u"widgetcount"_s)});

    if (!analizador.parse(argumentos)) {
        const QStringList desconocidas = analizador.unknownOptionNames();
        if (!desconocidas.isEmpty()) {
            // Named as typed, one dash or two, without any "=value".
            const QString nombre = desconocidas.constFirst();
            QString escrita = u"--"_s + nombre;
            for (const QString& a : argumentos.mid(1)) {
                const QString antes = a.section(u'=', 0, 0);
                if (antes == u"-"_s + nombre || antes == u"--"_s + nombre) {
                    escrita = antes;
                    break;
                }
            }
            return Error(u"opción desconocida «%1»"_s.arg(escrita));
        }
        return Error(u"falta el valor de una opción"_s);
    }
    if (analizador.isSet(ayuda))
        return {true, 0, Ayuda(), {}};
    if (analizador.isSet(version))
        return {true, 0, u"Sumadora %1\n"_s.arg(VersionSumadora()), {}};
    const QStringList cintas = analizador.positionalArguments();
    if (cintas.size() > 1)
        return Error(u"se abre una sola cinta, sobra «%1»"_s.arg(cintas.at(1)));
    LineaOrdenes ordenes;
    if (!cintas.isEmpty())
        ordenes.Cinta = QFileInfo(cintas.constFirst()).absoluteFilePath();
    return ordenes;
}

int LineaOrdenes::Responder() const {
    std::FILE* salida = Codigo == 0 ? stdout : stderr;
    std::fputs(Mensaje.toLocal8Bit().constData(), salida);
    std::fflush(salida);
    return Codigo;
}

QStringList ArgumentosPrograma(int argc, char** argv) {
    QStringList argumentos;
    for (int i = 0; i < argc; ++i)
        argumentos.append(QFile::decodeName(argv[i]));
    return argumentos;
}
