// Repaint pacing: changes made while a frame is held back are painted together, once, with
// the held frame; none is dropped.
#include "RitmoFotogramas.h"
#include "AyudasPrueba.h"

#include <QCoreApplication>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>

using namespace Qt::StringLiterals;

namespace {

TEST(RitmoFotogramas, UnaRafagaSePintaUnaVezConLoUltimo) {
    QWidget ventana;
    auto* etiqueta = new QLabel(u"0"_s, &ventana);
    etiqueta->resize(100, 20);
    ventana.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&ventana));
    QCoreApplication::processEvents();
    RitmoFotogramas ritmo(&ventana);
    ritmo.setPeriodo(std::chrono::hours(1)); // no frame falls due during the test
    ContadorPintadas contador;
    etiqueta->installEventFilter(&contador);

    etiqueta->setText(u"1"_s); // the first change after a quiet spell paints at once
    QCoreApplication::processEvents();
    EXPECT_EQ(contador.n, 1);
    EXPECT_FALSE(ritmo.HayPendiente());

    for (const QString& t : {u"2"_s, u"3"_s, u"4"_s})
        etiqueta->setText(t);
    QCoreApplication::processEvents();
    EXPECT_EQ(contador.n, 1);
    EXPECT_TRUE(ritmo.HayPendiente());
    ritmo.PintarPendiente();
    EXPECT_EQ(contador.n, 2);
    EXPECT_EQ(etiqueta->text(), u"4"_s);

    ritmo.setPeriodo(std::chrono::nanoseconds(0)); // a frame due at every change
    etiqueta->setText(u"5"_s);
    QCoreApplication::processEvents();
    EXPECT_EQ(contador.n, 3);
}

} // namespace
