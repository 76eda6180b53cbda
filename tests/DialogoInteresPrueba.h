// The fixture the simple- and the compound-interest tests share: a fresh dialog per test, as
// created at start, whose three boxes a test fills before pressing Calcular.
#pragma once

#include <QString>

#include <gtest/gtest.h>

template <class Dialogo> class DialogoInteresPrueba : public ::testing::Test {
protected:
    Dialogo dialogo;

    void Calcular(const QString& ci, const QString& ip, const QString& np) {
        dialogo.CI->setText(ci);
        dialogo.IP->setText(ip);
        dialogo.NP->setText(np);
        dialogo.BotonCalcular->click();
    }
    QString CF() const { return dialogo.CF->Text().trimmed(); }
};
