#include "RecuperacionCinta.h"

#include "ArchivoRecuperacion.h"
#include "ErrorSumadora.h"
#include "GuardiaErrores.h"
#include "TSumadoraFormulario.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>

#include <algorithm>
#include <new>

using namespace Qt::StringLiterals;

namespace {

// At least a second between writes, and never more than a twentieth of the time spent
// writing: a huge tape is kept less often rather than slowing the calculator down.
constexpr int IntervaloMinimo = 1000;
constexpr int FactorIntervalo = 20;

QString Nativo(const QString& ruta) {
    return QDir::toNativeSeparators(ruta);
}

QString TextoLineasRecuperables(int n) {
    return n == 1 ? u"1 línea"_s : u"%1 líneas"_s.arg(n);
}

bool PreguntarRecuperar(QWidget* padre, int lineas) {
    QMessageBox caja(
        QMessageBox::Question, u"Sumadora"_s,
        u"El programa no se cerró normalmente la última vez.\n"
        "¿Desea recuperar la cuenta anterior (%1)?"_s.arg(TextoLineasRecuperables(lineas)),
        QMessageBox::Yes | QMessageBox::No, padre);
    caja.button(QMessageBox::Yes)->setText(u"Sí"_s);
    caja.button(QMessageBox::No)->setText(u"No"_s);
    caja.setDefaultButton(QMessageBox::Yes);
    return caja.exec() == QMessageBox::Yes;
}

} // namespace

RecuperacionCinta::RecuperacionCinta(TSumadoraFormulario& ventana, const QString& carpeta)
    : QObject(&ventana), v(ventana), Carpeta(carpeta),
      Nombre(u"Sumadora-%1-%2"_s.arg(QCoreApplication::applicationPid())
                 .arg(QDateTime::currentMSecsSinceEpoch())) {
    Temporizador.setSingleShot(true);
    connect(&Temporizador, &QTimer::timeout, this, &RecuperacionCinta::Escribir);
    const QAbstractItemModel* modelo = v.Cuenta->model();
    connect(modelo, &QAbstractItemModel::rowsInserted, this, &RecuperacionCinta::Programar);
    connect(modelo, &QAbstractItemModel::rowsRemoved, this, &RecuperacionCinta::Programar);
    connect(modelo, &QAbstractItemModel::modelReset, this, &RecuperacionCinta::Programar);
}

RecuperacionCinta::~RecuperacionCinta() {
    // The copy goes before its lock: a copy without a live lock is a lost program's.
    if (Cerrojo)
        QFile::remove(RutaCopia());
}

void RecuperacionCinta::Iniciar(TSumadoraFormulario& ventana) {
    auto* recuperacion = new RecuperacionCinta(ventana, CarpetaPredeterminada());
    QTimer::singleShot(0, recuperacion, &RecuperacionCinta::OfrecerRecuperacion);
}

QString RecuperacionCinta::CarpetaPredeterminada() {
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(base))
        base = QDir::homePath() + u"/.local/state"_s;
    return QDir::cleanPath(base + u"/Sumadora"_s);
}

void RecuperacionCinta::Programar() {
    if (!Temporizador.isActive())
        Temporizador.start();
}

void RecuperacionCinta::Escribir() {
    QElapsedTimer reloj;
    reloj.start();
    const TextoLineas& texto = v.Cuenta->Texto();
    if (texto.Cantidad() == 0) {
        QFile::remove(RutaCopia());
        return;
    }
    if (!Bloquear())
        return;
    QString fallo;
    try {
        QSaveFile archivo(RutaCopia());
        const QByteArray datos = CodificarRecuperacion(texto);
        if (!archivo.open(QIODevice::WriteOnly) || archivo.write(datos) != datos.size() ||
            !archivo.commit()) {
            fallo = archivo.errorString();
            archivo.cancelWriting();
        }
    } catch (const std::bad_alloc&) {
        fallo = u"no hay memoria suficiente."_s;
    }
    // Measured before any message, whose time on screen is not the write's.
    Temporizador.setInterval(static_cast<int>(
        std::clamp<qint64>(FactorIntervalo * reloj.elapsed(), IntervaloMinimo, 600'000)));
    if (fallo.isEmpty())
        Avisado = false;
    else
        Avisar(u"No se puede guardar la copia de recuperación «%1»: %2"_s.arg(Nativo(RutaCopia()),
                                                                              fallo));
}

bool RecuperacionCinta::Bloquear() {
    // Taken with the first copy, so that a start that keys nothing writes nothing.
    if (Cerrojo)
        return true;
    if (!QDir().mkpath(Carpeta)) {
        Avisar(u"No se puede crear la carpeta «%1»."_s.arg(Nativo(Carpeta)));
        return false;
    }
    auto cerrojo = std::make_unique<QLockFile>(Carpeta + u'/' + Nombre + u".lock"_s);
    if (!cerrojo->tryLock(0)) {
        Avisar(u"No se puede crear el archivo «%1»."_s.arg(Nativo(cerrojo->fileName())));
        return false;
    }
    Cerrojo = std::move(cerrojo);
    return true;
}

void RecuperacionCinta::Avisar(const QString& texto) {
    if (Avisado)
        return;
    Avisado = true;
    const TecladoSuspendido suspension(v.TecladoActivo);
    MostrarMensaje(&v, texto + u"\nSi el programa se cerrara de forma inesperada, la cuenta "
                               "no se podría recuperar."_s);
}

void RecuperacionCinta::OfrecerRecuperacion() {
    const TecladoSuspendido suspension(v.TecladoActivo);
    const QDir carpeta(Carpeta);
    // Locks whose program is gone and that guard no copy: only left-overs.
    for (const QString& nombre : carpeta.entryList({u"Sumadora-*.lock"_s}, QDir::Files)) {
        const QString base = nombre.chopped(5);
        if (base != Nombre && !carpeta.exists(base + u".cinta"_s)) {
            QLockFile cerrojo(carpeta.filePath(nombre));
            cerrojo.setStaleLockTime(0);
            cerrojo.tryLock(0); // unlocked, and so removed, at the end of the scope
        }
    }
    const QStringList copias = carpeta.entryList({u"Sumadora-*.cinta"_s}, QDir::Files, QDir::Time);
    for (const QString& nombre : copias) {
        const QString base = nombre.chopped(6);
        if (base == Nombre)
            continue;
        // Taking the lock proves its program gone; a running program keeps its copy.
        QLockFile cerrojo(carpeta.filePath(base + u".lock"_s));
        cerrojo.setStaleLockTime(0);
        if (!cerrojo.tryLock(0))
            continue;
        const QString ruta = carpeta.filePath(nombre);
        TextoCuenta cuenta;
        try {
            QFile archivo(ruta);
            if (!archivo.open(QIODevice::ReadOnly))
                throw ErrorSumadora(
                    u"No se puede leer la copia de recuperación: %1"_s.arg(archivo.errorString()));
            if (archivo.size() > LimiteArchivoCuenta + 1024)
                throw ErrorSumadora(u"La copia de recuperación es demasiado grande."_s);
            cuenta = DecodificarRecuperacion(archivo.readAll());
        } catch (const ErrorSumadora& e) {
            // Kept aside, never lost, and never offered again.
            const QString aparte = ruta + u".dañada"_s;
            QFile::rename(ruta, aparte);
            MostrarMensaje(&v, e.Mensaje() +
                                   u"\nNo se ha recuperado la cuenta anterior; la "
                                   "copia se ha dejado aparte como «%1»."_s.arg(Nativo(aparte)));
            continue;
        } catch (const std::bad_alloc&) {
            MostrarMensaje(&v, u"No hay memoria suficiente para recuperar la cuenta anterior."_s);
            continue;
        }
        const int lineas = cuenta.Texto.Cantidad();
        if (lineas > 0 && PreguntarRecuperar(&v, lineas)) {
            v.Cuenta->CargarTexto(std::move(cuenta.Texto));
            v.CodificacionArchivo = cuenta.Codificacion;
            QFile::remove(ruta);
            return;
        }
        QFile::remove(ruta);
    }
}
