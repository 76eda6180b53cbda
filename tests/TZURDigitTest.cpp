// Seven-segment display: glyph pixels worked out by hand from the segment rules, the border,
// the normalising of Text, repaints only on change, and odd sizes.
#include "TZURDigit.h"
#include "AyudasPrueba.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <sstream>
#include <string>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

using Mapa = std::vector<std::string>;

const QColor Fondo(32, 64, 96);
const QColor Tinta(250, 200, 0);
constexpr int Margen = 3;
constexpr int Entre = 3;

// A map written as its rows separated by blanks: '#' ink, '.' background.
Mapa M(const char* filas) {
    std::istringstream es(filas);
    Mapa m;
    for (std::string fila; es >> fila;)
        m.push_back(fila);
    return m;
}

// A display whose cells are exactly w x h pixels: margins 3, gaps 3.
void Preparar(TZURDigit& d, int celdas, int w, int h, int S) {
    d.setColor(Fondo);
    d.setFontColor(Tinta);
    d.setLeftSpace(Margen);
    d.setTopSpace(Margen);
    d.setInterSpace(Entre);
    d.setSegmentWidth(S);
    d.setNumDigits(celdas);
    d.resize(celdas * w + (celdas - 1) * Entre + 2 * Margen, h + 2 * Margen);
}

QImage Pintado(TZURDigit& d) {
    QImage img(std::max(1, d.width()), std::max(1, d.height()), QImage::Format_RGB32);
    img.fill(Qt::magenta);
    QPainter p(&img);
    d.Dibujar(p);
    return img;
}

// The pixels of the rectangle at (x, y): '#' ink, '.' background, the border's g grey,
// w white, k black, s silver, '?' anything else.
Mapa Leer(const QImage& img, int x, int y, int w, int h) {
    const std::vector<std::pair<QColor, char>> clases = {
        {Tinta, '#'},     {Fondo, '.'},     {QColor(128, 128, 128), 'g'},
        {Qt::white, 'w'}, {Qt::black, 'k'}, {QColor(192, 192, 192), 's'}};
    Mapa m(h, std::string(w, '?'));
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            for (const auto& [color, clase] : clases)
                if (img.pixelColor(x + i, y + j) == color)
                    m[j][i] = clase;
    return m;
}

Mapa Celda(const QImage& img, int i, int w = 8, int h = 14) {
    return Leer(img, Margen + i * (w + Entre), Margen, w, h);
}

Mapa Vacio(int w = 8, int h = 14) {
    return Mapa(h, std::string(w, '.'));
}

// Glyphs on an 8 x 14 cell with S = 2: M = 7, half = 1, cw = 4, e = f = 1.
const Mapa Uno2 = M("........ ........ .......# ......## ......## .......# ........ "
                    "........ ........ .......# ......## .......# ........ ........");
const Mapa Dos2 = M(".######. ..####.. .......# ......## ......## .......# ..####.. "
                    ".######. ........ #....... ##...... #....... ..####.. .######.");

TEST(TZURDigit, GlifosPixelesSegunLasReglas) {
    const struct {
        const char* nombre;
        QChar caracter;
        int S, w, h;
        Mapa esperado;
    } casos[] = {
        // Bars narrow one pixel per row; S even: the middle bar is row M and the row above.
        {"Ocho_S2", u'8', 2, 8, 14,
         M(".######. ..####.. #......# ##....## ##....## #......# ..####.. "
           ".######. ........ #......# ##....## #......# ..####.. .######.")},
        // Centre bars: column cw = 4 and, S even, the one to its left only.
        {"Mas_S2", u'+', 2, 8, 14,
         M("........ ........ ........ ........ ....#... ...##... ..####.. "
           ".######. ...##... ...##... ....#... ........ ........ ........")},
        // Dots at 2f and 6f with f = 2: rows 4-5 and 12-13, columns 4e = 4 to 5.
        {"DosPuntos_S2", u':', 2, 8, 16,
         M("........ ........ ........ ........ ....##.. ....##.. ........ ........ "
           "........ ........ ........ ........ ....##.. ....##.. ........ ........")},
        // Tail from (3e + S, B - 3S) to (3e + 2S, B - S): columns 5-6, rows 8-11.
        {"Coma_S2", u',', 2, 8, 14,
         M("........ ........ ........ ........ ........ ........ ........ "
           "........ .....##. .....##. .....##. .....##. ...##... ...##...")},
        // S = 3 on a 10 x 16 cell: M = 8, half = 1, e = 1, f = 2; S odd: the middle bar is
        // one line either side of row M.
        {"Ocho_S3", u'8', 3, 10, 16,
         M(".########. ..######.. #..####..# ##......## ###....### ##......## "
           "#........# ..######.. .########. ..######.. #........# ##......## "
           "##......## #..####..# ..######.. .########.")},
        {"Coma_S3", u',', 3, 10, 16,
         M(".......... .......... .......... .......... .......... .......... "
           ".......... ......###. ......###. ......###. ......###. ......###. "
           "......###. ...###.... ...###.... ...###....")}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        TZURDigit d;
        Preparar(d, 1, c.w, c.h, c.S);
        d.setBorder(false);
        d.setText(QString(c.caracter));
        const QImage img = Pintado(d);
        EXPECT_EQ(Celda(img, 0, c.w, c.h), c.esperado);
        // The margins stay background.
        EXPECT_EQ(Leer(img, 0, 0, d.width(), Margen), Vacio(d.width(), Margen));
        EXPECT_EQ(Leer(img, 0, 0, Margen, d.height()), Vacio(Margen, d.height()));
    }
}

// 8 x 7 control, strip 2 x 1 left blank: g grey, w white, k black, s silver, . background.
TEST(TZURDigit, BordeHundidoDeDosPixeles) {
    TZURDigit d;
    d.setColor(Fondo);
    d.setText(u" "_s);
    d.resize(8, 7);
    EXPECT_EQ(Leer(Pintado(d), 0, 0, 8, 7),
              M("gggggggw gkkkkksw gk....sw gk....sw gk....sw gksssssw .wwwwwww"));
    d.setBorder(false);
    EXPECT_EQ(Leer(Pintado(d), 0, 0, 8, 7), Vacio(8, 7));
}

// The cells show the normalised text: "1" and "2" in their shapes, "b" as a small letter,
// anything else blank.
TEST(TZURDigit, TextoNormalizadoYCeldas) {
    const Mapa b = M("........ ........ #....... ##...... ##...... #....... ..####.. "
                     ".######. ........ #......# ##....## #......# ..####.. .######.");
    const struct {
        const char* nombre;
        TAlignment alineacion;
        int celdas;
        QString texto, normalizado;
    } casos[] = {
        {"IzquierdaSinRelleno", taLeftJustify, 8, u"12"_s, u"12"_s},
        {"CentroMitadTruncada", taCenter, 7, u"12"_s, u"  12"_s},
        {"DerechaTrasRecortarEspaciosYControl", taRightJustify, 4, u"\t 12 \n\x01"_s, u"  12"_s},
        // A character outside the table leaves its cell blank and shifts nothing.
        {"LetraDesconocida", taLeftJustify, 3, u"1X2"_s, u"1X2"_s},
        {"MinusculaComoMayuscula", taLeftJustify, 2, u"1b"_s, u"1B"_s},
        // Mended: a text longer than the cells used to pile up on the first cell; on a display
        // wide enough for it each character now takes a cell of its own.
        {"MasLargoQueLasCeldas", taRightJustify, 2, u"12121"_s, u"12121"_s},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        TZURDigit d;
        const int celdas = std::max(c.celdas, int(c.normalizado.size()));
        Preparar(d, celdas, 8, 14, 2);
        d.setNumDigits(c.celdas);
        d.setAlignment(c.alineacion);
        d.setText(c.texto);
        const QImage img = Pintado(d);
        EXPECT_EQ(d.Text(), c.normalizado);
        for (int i = 0; i < celdas; ++i) {
            const QChar ch = i < c.normalizado.size() ? c.normalizado[i] : QChar();
            const Mapa& forma = ch == u'1' ? Uno2 : ch == u'2' ? Dos2 : ch == u'B' ? b : Vacio();
            EXPECT_EQ(Celda(img, i), forma) << i;
        }
    }
}

// Sizes and values outside what the display is meant for draw something and return;
// NumDigits stays within 1 to 32, a huge segment inside the strip.
TEST(TZURDigit, ValoresFueraDeRangoNoRompen) {
    TZURDigit n;
    for (auto [pedido, queda] : {std::pair{0, 1}, {-7, 1}, {33, 32}, {INT_MAX, 32}}) {
        n.setNumDigits(pedido);
        EXPECT_EQ(n.NumDigits(), queda) << pedido;
    }
    for (auto ajuste : {&TZURDigit::setLeftSpace, &TZURDigit::setTopSpace,
                        &TZURDigit::setInterSpace, &TZURDigit::setSegmentWidth})
        for (int valor : {INT_MIN, INT_MAX}) {
            TZURDigit d;
            Preparar(d, 2, 8, 14, 2);
            d.setBorder(false);
            d.setText(u"8,:+"_s);
            (d.*ajuste)(valor);
            const QImage img = Pintado(d);
            if (ajuste == &TZURDigit::setSegmentWidth) {
                EXPECT_EQ(Leer(img, 0, 0, d.width(), Margen), Vacio(d.width(), Margen)) << valor;
            }
        }
    n.setText(u"8,:+"_s);
    for (QSize tamano : {QSize(0, 0), QSize(5, 5)}) {
        n.resize(tamano);
        Pintado(n);
    }
    n.setText(QString(100000, u'8'));
    Pintado(n);
}

TEST(TZURDigit, RepintaUnaVezSoloSiAlgoCambia) {
    TZURDigit d;
    d.setNumDigits(32);
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    ContadorPintadas contador;
    d.installEventFilter(&contador);
    d.setAlignment(d.Alignment());
    d.setBorder(d.Border());
    d.setText(d.Text());
    d.setColor(d.Color());
    d.setFontColor(d.FontColor());
    d.setSegmentWidth(d.SegmentWidth());
    d.setTopSpace(d.TopSpace());
    d.setLeftSpace(d.LeftSpace());
    d.setInterSpace(d.InterSpace());
    d.setNumDigits(40); // held as 32
    QCoreApplication::processEvents();
    EXPECT_EQ(contador.n, 0);
    d.setText(u"1"_s);
    QCoreApplication::processEvents();
    EXPECT_EQ(contador.n, 1);
}

// Only a paint normalises Text, so a hidden display keeps what it was given; screen readers
// get the trimmed text either way.
TEST(TZURDigit, NormalizaAlPintarYDaSuTextoAccesible) {
    TZURDigit d;
    d.setAlignment(taRightJustify);
    d.setText(u" dato "_s);
    EXPECT_EQ(d.Text(), u" dato "_s);
    EXPECT_EQ(d.accessibleName(), u"DATO"_s);
    Pintado(d);
    EXPECT_EQ(d.Text(), u"    DATO"_s);
    EXPECT_EQ(d.accessibleName(), u"DATO"_s);
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    d.setText(u"12"_s);
    EXPECT_EQ(d.Text(), u"      12"_s);
}

} // namespace
