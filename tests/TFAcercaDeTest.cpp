// Tests of the About box: caption, sizes, texts, fonts, colours and the picture, in the
// plain look and under a skin.
#include "TFAcercaDe.h"
#include "TMarcoSkin.h"
#include "TSkinData.h"

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QColor Azul(102, 136, 170);

TEST(TFAcercaDe, CaptionSizeAndTexts) {
    TFAcercaDe dialogo;
    EXPECT_EQ(dialogo.windowTitle(), QStringLiteral("Acerca de..."));
    EXPECT_EQ(dialogo.size(), QSize(612, 314));
    EXPECT_EQ(dialogo.minimumSize(), dialogo.maximumSize());
    EXPECT_EQ(dialogo.Titulo->text(), QStringLiteral("Sumadora"));
    EXPECT_EQ(dialogo.Version->text(), QStringLiteral("Versión 3.2.0.405"));
}

TEST(TFAcercaDe, FontsAndColours) {
    TFAcercaDe dialogo;
    dialogo.show();
    const QFont titulo = dialogo.Titulo->font();
    EXPECT_EQ(titulo.family(), QStringLiteral("Verdana"));
    EXPECT_EQ(titulo.pixelSize(), 49);
    EXPECT_TRUE(titulo.bold());
    const QFont version = dialogo.Version->font();
    EXPECT_EQ(version.family(), QStringLiteral("Arial"));
    EXPECT_EQ(version.pixelSize(), 21);
    EXPECT_TRUE(version.bold());
    EXPECT_EQ(dialogo.Titulo->palette().color(QPalette::WindowText), Azul);
    EXPECT_EQ(dialogo.Version->palette().color(QPalette::WindowText), Azul);

    const QImage imagen = dialogo.grab().toImage();
    EXPECT_EQ(imagen.pixelColor(600, 300), QColor(242, 241, 238));
    EXPECT_EQ(imagen.pixelColor(300, 20), QColor(242, 241, 238));
}

TEST(TFAcercaDe, TitleAndVersionCentredRightOfThePicture) {
    TFAcercaDe dialogo;
    EXPECT_EQ(dialogo.Imagen->geometry(), QRect(0, 0, 164, 314));
    for (QLabel* l : {dialogo.Titulo, dialogo.Version}) {
        EXPECT_EQ(l->x(), 164);
        EXPECT_EQ(l->x() + l->width(), 612);
        EXPECT_TRUE(l->alignment() & Qt::AlignHCenter);
        // Wide enough for its text: nothing clipped.
        EXPECT_GE(l->width(), QFontMetrics(l->font()).horizontalAdvance(l->text()));
        EXPECT_GE(l->height(), QFontMetrics(l->font()).height());
    }
    EXPECT_GT(dialogo.Version->y(), dialogo.Titulo->y() + dialogo.Titulo->height() - 1);
}

TEST(TFAcercaDe, PictureFillsTheLeftEdgeProportionally) {
    TFAcercaDe dialogo;
    const QPixmap dibujo = dialogo.Imagen->pixmap();
    ASSERT_FALSE(dibujo.isNull());
    EXPECT_LE(dibujo.width(), 164);
    EXPECT_LE(dibujo.height(), 314);
    EXPECT_TRUE(dibujo.width() == 164 || dibujo.height() == 314);
    // Not a blank picture.
    const QImage imagen = dibujo.toImage();
    QSet<QRgb> colores;
    for (int y = 0; y < imagen.height(); y += 7)
        for (int x = 0; x < imagen.width(); x += 7)
            colores.insert(imagen.pixel(x, y));
    EXPECT_GT(colores.size(), 20);
}

TEST(TFAcercaDe, UnderASkinTheFrameAddsACaptionWithACloseButton) {
    TSkinData sd;
    TFAcercaDe dialogo;
    dialogo.show();
    ASSERT_TRUE(sd.AplicarSkin(1));
    TMarcoSkin* marco = TMarcoSkin::De(&dialogo);
    ASSERT_NE(marco, nullptr);
    EXPECT_TRUE(marco->Activo());
    EXPECT_EQ(dialogo.size(), QSize(612, 314 + TMarcoSkin::AltoTitulo));
    EXPECT_EQ(marco->Cliente()->size(), QSize(612, 314));
    EXPECT_EQ(dialogo.Titulo->palette().color(QPalette::WindowText), Azul);
    const QImage imagen = dialogo.grab().toImage();
    EXPECT_EQ(imagen.pixelColor(600, 300 + TMarcoSkin::AltoTitulo), QColor(242, 241, 238));
    ASSERT_TRUE(sd.AplicarSkin(0));
    EXPECT_EQ(dialogo.size(), QSize(612, 314));
}

} // namespace
