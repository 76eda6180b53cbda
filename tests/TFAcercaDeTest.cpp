// Tests of the About box: the version, the title and version drawn at their sizes in every
// look, nothing clipped, and the picture.
#include "TFAcercaDe.h"
#include "TSkinData.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QColor Azul(102, 136, 170);

// Rows of `zona` in `imagen` holding a pixel of `tinta` colour (within a small distance).
int AltoTinta(const QImage& imagen, const QRect& zona, QColor tinta) {
    int arriba = -1, abajo = -1;
    for (int y = zona.top(); y <= zona.bottom(); ++y)
        for (int x = zona.left(); x <= zona.right(); ++x) {
            const QColor c = imagen.pixelColor(x, y);
            if (qAbs(c.red() - tinta.red()) + qAbs(c.green() - tinta.green()) +
                    qAbs(c.blue() - tinta.blue()) <
                40) {
                arriba = arriba < 0 ? y : arriba;
                abajo = y;
                break;
            }
        }
    return arriba < 0 ? 0 : abajo - arriba + 1;
}

// Ink height of `texto` set in `familia` bold with a character (em) height of `pixeles`.
int AltoEsperado(const QString& familia, int pixeles, const QString& texto) {
    QFont f(familia);
    f.setPixelSize(pixeles);
    f.setBold(true);
    return QFontMetrics(f).tightBoundingRect(texto).height();
}

// What is drawn, in every look and whenever the look was chosen: the 49-pixel Verdana title
// and the 21-pixel Arial version in the dialog's blue on its own background.
TEST(AcercaDe, TituloYVersionDibujadosASuTamanoEnCadaAspecto) {
    TSkinData sd;
    const int titulo = AltoEsperado(u"Verdana"_s, 49, u"Sumadora"_s);
    const int version = AltoEsperado(u"Arial"_s, 21, u"Versión 3.2.0.405"_s);
    ASSERT_GT(titulo, 30); // a real font was found
    // Owned by a window whose sheet sets every font, as the main window's does, created before
    // the look is chosen, as the program does, and afterwards.
    QWidget principal;
    principal.setStyleSheet(u"* { font-family: \"MS Sans Serif\"; font-size: 11px; }"_s);
    TFAcercaDe antes(&principal);
    for (int skin = 0; skin < TSkinData::NumeroSkins(); ++skin) {
        ASSERT_TRUE(sd.AplicarSkin(skin));
        TFAcercaDe despues(&principal);
        for (TFAcercaDe* dialogo : {&antes, &despues}) {
            dialogo->show();
            QApplication::processEvents();
            const QImage imagen = dialogo->grab().toImage();
            const auto zona = [&](QLabel* l) {
                return QRect(l->mapTo(dialogo, QPoint(0, 0)), l->size());
            };
            EXPECT_NEAR(AltoTinta(imagen, zona(dialogo->Titulo), Azul), titulo, 2) << skin;
            EXPECT_NEAR(AltoTinta(imagen, zona(dialogo->Version), Azul), version, 2) << skin;
            dialogo->hide();
        }
    }
}

TEST(AcercaDe, LaVersionDelProgramaSinRecortesYUnDibujo) {
    TFAcercaDe dialogo;
    EXPECT_EQ(dialogo.Version->text(), u"Versión 3.2.0.405"_s);
    for (QLabel* l : {dialogo.Titulo, dialogo.Version}) // the height shows in the ink drawn
        EXPECT_GE(l->width(), QFontMetrics(l->font()).horizontalAdvance(l->text()));
    // A picture, not a blank one.
    const QImage imagen = dialogo.Imagen->pixmap().toImage();
    QSet<QRgb> colores;
    for (int y = 0; y < imagen.height(); y += 7)
        for (int x = 0; x < imagen.width(); x += 7)
            colores.insert(imagen.pixel(x, y));
    EXPECT_GT(colores.size(), 20);
}

} // namespace
