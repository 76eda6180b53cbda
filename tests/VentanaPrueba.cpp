// The main window fixture shared by the tests that work the whole calculator.
#include "VentanaPrueba.h"

#include "ClavesAjustes.h"

#include <QAbstractButton>
#include <QFile>
#include <QHash>
#include <QPrinter>
#include <QTest>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <utility>

using namespace Qt::StringLiterals;

QString Texto(const TZURDigit* registro) {
    return registro->Text().trimmed();
}

QStringList Estado(const TSumadoraFormulario& v) {
    const auto exacto = [](long double valor) {
        char texto[64];
        std::snprintf(texto, sizeof texto, "%La", valor);
        return QString::fromLatin1(texto);
    };
    QStringList estado = v.Cuenta->Lineas();
    estado << u"Operador '%1' abierta %2 total %3"_s.arg(v.Cuenta->Operador())
                  .arg(v.Cuenta->OperadorActivo())
                  .arg(exacto(v.Cuenta->Valor()));
    const std::pair<const char16_t*, TZURLabelNumber*> registros[] = {
        {u"Datos", v.Datos}, {u"Operandos", v.Operandos},
        {u"M1", v.M1},       {u"M2", v.M2},
        {u"M3", v.M3},       {u"M4", v.M4},
        {u"M5", v.M5}};
    for (const auto& [nombre, registro] : registros)
        estado << QString::fromUtf16(nombre) + u" «"_s + Texto(registro) + u"» "_s +
                      exacto(registro->Valor());
    estado << u"Mayúsculas "_s + QString::number(v.PendienteMayusculas);
    return estado;
}

void VentanaPrueba::SetUp() {
    QFile::remove(ArchivoIni::RutaPredeterminada());
}

void VentanaPrueba::TearDown() {
    EXPECT_EQ(DialogosPendientes(), 0) << "an expected dialog never came";
    // Every action that puts the keyboard to rest wakes it again.
    EXPECT_TRUE(!FVentana || FVentana->TecladoActivo) << "keyboard left off";
    FVentana.reset();
}

TSumadoraFormulario& VentanaPrueba::V() {
    if (!FVentana) {
        FVentana = std::make_unique<TSumadoraFormulario>(nullptr, ComoPrograma);
        TSumadoraFormulario& v = *FVentana;
        v.PreguntarArchivoAbrir = [] {
            ADD_FAILURE() << "open dialog";
            return QString();
        };
        v.PreguntarArchivoGuardar = [] {
            ADD_FAILURE() << "save dialog";
            return QString();
        };
        v.ObtenerImpresora = [] {
            ADD_FAILURE() << "printer";
            return std::unique_ptr<QPrinter>();
        };
        v.AbrirAyuda = [](const QUrl&) { ADD_FAILURE() << "help viewer"; };
        if (ConDialogos) {
            v.DialogoAcercaDe();
            v.DialogoPropiedades();
            v.DialogoInteresCompuesto();
            v.DialogoInteresSimple();
            v.DialogoPrestamoFrances();
        }
        v.show();
    }
    return *FVentana;
}

void VentanaPrueba::Reiniciar() {
    FVentana.reset();
    V();
}

void VentanaPrueba::Clic(const QString& nombre) {
    auto* boton = V().findChild<QAbstractButton*>(nombre);
    ASSERT_NE(boton, nullptr) << nombre.toStdString();
    if (boton->isVisible())
        QTest::mouseClick(boton, Qt::LeftButton);
    else
        boton->click();
}

void VentanaPrueba::Pulsar(const QString& teclas) {
    static const QHash<QString, QString> nombres = {
        {u"+"_s, u"OperadorSuma"_s},
        {u"-"_s, u"OperadorResta"_s},
        {u"*"_s, u"OperadorMultiplicacion"_s},
        {u"÷"_s, u"OperadorDivision"_s},
        {u"="_s, u"OperadorIgual"_s},
        {u"Total"_s, u"OperadorTotal"_s},
        {u"CE"_s, u"BorrarOperando"_s},
        {u"C"_s, u"BorrarOperacion"_s},
        {u"±"_s, u"OperadorCambioSigno"_s},
        {u"."_s, u"OperadorDecimal"_s},
        {u"%"_s, u"OperadorPorcentage"_s},
        {u"X²"_s, u"OperadorAlCuadrado"_s},
        {u"X³"_s, u"BotonElevarAlCubo"_s},
        {u"X^Y"_s, u"BotonElevarAN"_s},
        {u"00"_s, u"CeroDoble"_s},
        {u"000"_s, u"TripleCero"_s},
        {u"TRIG"_s, u"BotonTrigonometria"_s},
        {u"FIN"_s, u"BotonFinancieras"_s},
    };
    for (const QString& tecla : teclas.split(u' ', Qt::SkipEmptyParts)) {
        if (!nombres.contains(tecla) &&
            std::all_of(tecla.begin(), tecla.end(), [](QChar c) { return c.isDigit(); })) {
            for (QChar c : tecla)
                Clic(c == u'0' ? u"CeroSimple"_s : u"Numero"_s + c);
        } else {
            Clic(nombres.value(tecla, tecla));
        }
    }
}

QStringList VentanaPrueba::Cinta() {
    return V().Cuenta->Lineas();
}

QString VentanaPrueba::UnidadGuardada() {
    QStringList ciertas;
    for (const auto* clave :
         {&ClavesAjustes::Grados, &ClavesAjustes::Radianes, &ClavesAjustes::Centesimales})
        if (ClavesAjustes::LeerTexto(Ajustes, *clave).toInt() != 0) // a missing key is false
            ciertas << clave->Nombre.toString();
    return ciertas.join(u',');
}

void SecuenciaPrueba::ComprobarResultado() {
    EXPECT_EQ(Cinta(), Lineas(QString::fromUtf16(GetParam().lineas)));
    EXPECT_EQ(Texto(V().Datos), QString::fromUtf16(GetParam().dato));
    EXPECT_EQ(Texto(V().Operandos), QString::fromUtf16(GetParam().total));
    if (GetParam().memoria) {
        EXPECT_EQ(Texto(V().M1), QString::fromUtf16(GetParam().memoria));
    }
}

std::string NombreSecuencia(const ::testing::TestParamInfo<Secuencia>& info) {
    return info.param.nombre;
}
