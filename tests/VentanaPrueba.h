// The main window as the tests work it: a fresh settings file and a fresh window shown
// offscreen per test, keys pressed by button, the tape and the registers read back.
#pragma once

#include "AyudasPrueba.h"
#include "TSumadoraFormulario.h"

#include "ArchivoIni.h"

#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>

QString Texto(const TZURDigit* registro); // without the padding blanks
// Everything a key can change, one entry per line so that a failure shows the difference.
QStringList Estado(const TSumadoraFormulario& v);

inline const QString Desbordamiento =
    QStringLiteral("Desbordamiento en operación de coma flotante.");

class VentanaPrueba : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Created on first use, so a test can prepare the settings file before. Its file dialogs,
    // printer and help viewer fail the test unless the test replaces them.
    TSumadoraFormulario& V();
    // A new window in place of the old one, as when the program starts again.
    void Reiniciar();

    void Clic(const QString& nombre);
    // Keys as written on the buttons, separated by blanks; a run of digits is typed one digit
    // at a time except "00" and "000", which are those keys. Any other word is a button's name.
    void Pulsar(const QString& teclas);
    QStringList Cinta();

    // The names of the angle-unit keys stored true, e.g. "RAD".
    QString UnidadGuardada();

    ArchivoIni Ajustes;
    QTemporaryDir FCarpeta;    // the test's own files
    bool ConDialogos = false;  // the five dialogs built at once, not at their first opening
    bool ComoPrograma = false; // the window takes the stored skin, as the program's does

private:
    std::unique_ptr<TSumadoraFormulario> FVentana;
};

// Keys from a fresh window and what they leave on the tape (as for Lineas()), in Datos,
// Operandos and, when given, M1. Each test program presses the keys its own way.
struct Secuencia {
    const char* nombre;
    const char16_t* teclas;
    const char16_t* lineas;
    const char16_t* dato;
    const char16_t* total;
    const char16_t* memoria = nullptr;
};

class SecuenciaPrueba : public VentanaPrueba, public ::testing::WithParamInterface<Secuencia> {
protected:
    void ComprobarResultado();
};

std::string NombreSecuencia(const ::testing::TestParamInfo<Secuencia>& info);
