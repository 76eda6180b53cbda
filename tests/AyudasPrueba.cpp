#include "AyudasPrueba.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QMessageBox>
#include <QProcess>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>

namespace {
std::deque<std::function<void(QWidget*)>>& Pendientes() {
    static std::deque<std::function<void(QWidget*)>> cola;
    return cola;
}

void Cerrar(QWidget* w) {
    if (auto* d = qobject_cast<QDialog*>(w))
        d->reject();
    else
        w->close();
}
} // namespace

// Polled by a timer of the test main while nested event loops (exec) run.
void AtenderDialogosModales() {
    QWidget* w = QApplication::activeModalWidget();
    if (!w || !w->isVisible())
        return;
    if (Pendientes().empty()) {
        QString texto;
        if (auto* m = qobject_cast<QMessageBox*>(w))
            texto = m->text();
        ADD_FAILURE() << "Unexpected modal dialog: " << w->metaObject()->className() << " "
                      << w->windowTitle().toStdString() << " " << texto.toStdString();
        Cerrar(w);
        return;
    }
    auto accion = std::move(Pendientes().front());
    Pendientes().pop_front();
    accion(w);
    if (w->isVisible() && QApplication::activeModalWidget() == w)
        Cerrar(w);
}

void AlAparecerDialogo(std::function<void(QWidget*)> accion) {
    Pendientes().push_back(std::move(accion));
}

int DialogosPendientes() {
    return static_cast<int>(Pendientes().size());
}

void EsperarMensaje(QString* texto, QMessageBox::Icon* icono) {
    AlAparecerDialogo([texto, icono](QWidget* w) {
        auto* m = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(m, nullptr) << "expected a message box";
        if (texto)
            *texto = m->text();
        if (icono)
            *icono = m->icon();
    });
}

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
