#include "ArchivosPrueba.h"

#include "ErrorSumadora.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QProcess>

#include <gtest/gtest.h>

#include <csignal>

#include <sys/resource.h>

using namespace Qt::StringLiterals;

QString Separador() {
    return u" "_s + QString(21, u'-');
}

QStringList Lineas(const QString& descripcion) {
    QStringList lineas;
    if (descripcion.isEmpty())
        return lineas;
    for (const QString& d : descripcion.split(u'|')) {
        if (d == u"---"_s) {
            lineas << Separador();
        } else if (d.isEmpty()) {
            lineas << QString();
        } else if (const qsizetype espacio = d.lastIndexOf(u' '); espacio < 0) {
            lineas << d.rightJustified(24, u' ');
        } else {
            lineas << d.left(espacio).rightJustified(22, u' ') + d.mid(espacio);
        }
    }
    return lineas;
}

QByteArray LeerArchivo(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no se pudo leer>");
}

void EscribirArchivo(const QString& ruta, const QByteArray& datos) {
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(datos), datos.size());
}

QString Ejecutar(const QString& programa, const QStringList& argumentos, int espera) {
    QProcess p;
    p.start(programa, argumentos);
    if (!p.waitForFinished(espera)) {
        p.kill();
        p.waitForFinished();
        return QString();
    }
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QString();
    const QString salida = QString::fromLocal8Bit(p.readAllStandardOutput());
    return salida.isNull() ? u""_s : salida;
}

namespace {
// A program the tests cannot do without: its failure fails the test.
QString EjecutarNecesario(const QString& programa, const QStringList& argumentos) {
    const QString salida = Ejecutar(programa, argumentos);
    if (salida.isNull())
        ADD_FAILURE() << programa.toStdString() << " failed (scripts/dependencias.sh installs it)";
    return salida;
}
} // namespace

QList<QStringList> LeerCsv(const QString& ruta) {
    static const QString lector =
        u"import csv, json, sys\n"
        u"with open(sys.argv[1], newline='', encoding='utf-8-sig') as f:\n"
        u"    json.dump(list(csv.reader(f, delimiter=';', strict=True)), sys.stdout)\n"_s;
    QList<QStringList> filas;
    const QJsonArray leidas =
        QJsonDocument::fromJson(EjecutarNecesario(u"python3"_s, {u"-c"_s, lector, ruta}).toUtf8())
            .array();
    for (const QJsonValue& fila : leidas)
        filas << fila.toVariant().toStringList();
    return filas;
}

QString TextoPdf(const QString& ruta) {
    return EjecutarNecesario(u"pdftotext"_s, {u"-layout"_s, ruta, u"-"_s});
}

QString MensajeDeError(const std::function<void()>& accion) {
    try {
        accion();
    } catch (const ErrorSumadora& e) {
        return e.Mensaje();
    }
    return QString();
}

QString MensajeConDiscoLleno(qint64 bytes, const std::function<void()>& accion) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit viejo{};
    getrlimit(RLIMIT_FSIZE, &viejo);
    rlimit limite = viejo;
    limite.rlim_cur = rlim_t(bytes);
    if (setrlimit(RLIMIT_FSIZE, &limite) != 0) {
        ADD_FAILURE() << "setrlimit";
        return QString();
    }
    const QString mensaje = MensajeDeError(accion);
    setrlimit(RLIMIT_FSIZE, &viejo);
    return mensaje;
}

void PrintTo(const QString& texto, std::ostream* salida) {
    *salida << '"' << texto.toStdString() << '"';
}
