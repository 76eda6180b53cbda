#include "ArchivosPrueba.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QProcess>

#include <gtest/gtest.h>

QString RutaDatos(const QString& nombre) {
    return QStringLiteral(DATOS_PRUEBA) + QLatin1Char('/') + nombre;
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

namespace {
QByteArray Ejecutar(const QString& programa, const QStringList& argumentos) {
    QProcess p;
    p.start(programa, argumentos);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << programa.toStdString() << " failed (scripts/dependencias.sh installs it): "
                      << p.readAllStandardError().toStdString();
        return QByteArray();
    }
    return p.readAllStandardOutput();
}
} // namespace

QList<QStringList> LeerCsv(const QString& ruta) {
    static const QString lector = QStringLiteral(
        "import csv, json, sys\n"
        "with open(sys.argv[1], newline='', encoding='utf-8-sig') as f:\n"
        "    json.dump(list(csv.reader(f, delimiter=';', strict=True)), sys.stdout)\n");
    QList<QStringList> filas;
    const QJsonArray leidas = QJsonDocument::fromJson(
        Ejecutar(QStringLiteral("python3"), {QStringLiteral("-c"), lector, ruta})).array();
    for (const QJsonValue& fila : leidas)
        filas << fila.toVariant().toStringList();
    return filas;
}

QString TextoPdf(const QString& ruta) {
    return QString::fromUtf8(Ejecutar(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), ruta, QStringLiteral("-")}));
}

void PrintTo(const QString& texto, std::ostream* salida) {
    *salida << '"' << texto.toStdString() << '"';
}
