// Seven-segment display: glyph pixels worked out by hand from the segment rules, the border,
// the normalising of Text, the immediate repaint of changing setters, and odd sizes.
#include "TZURDigit.h"

#include <QEvent>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

using Mapa = std::vector<std::string>;

const QColor Fondo(32, 64, 96);
const QColor Tinta(250, 200, 0);
constexpr int Margen = 3;
constexpr int Entre = 3;

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

// The pixels of the rectangle at (x, y): '#' ink, '.' background, '?' anything else.
Mapa Leer(const QImage& img, int x, int y, int w, int h) {
    Mapa m;
    for (int j = 0; j < h; ++j) {
        std::string fila;
        for (int i = 0; i < w; ++i) {
            const QRgb p = img.pixel(x + i, y + j);
            fila += p == Tinta.rgb() ? '#' : p == Fondo.rgb() ? '.' : '?';
        }
        m.push_back(fila);
    }
    return m;
}

Mapa Celda(const QImage& img, int i, int w, int h) {
    return Leer(img, Margen + i * (w + Entre), Margen, w, h);
}

Mapa Vacio(int w, int h) {
    return Mapa(h, std::string(w, '.'));
}

// Glyphs on an 8 x 14 cell with S = 2: M = 7, half = 1, e = f = 1.
const Mapa Ocho2 = {
    ".######.", "..####..", "#......#", "##....##", "##....##", "#......#", "..####..",
    ".######.", "........", "#......#", "##....##", "#......#", "..####..", ".######.",
};
const Mapa Uno2 = {
    "........", "........", ".......#", "......##", "......##", ".......#", "........",
    "........", "........", ".......#", "......##", ".......#", "........", "........",
};
const Mapa Dos2 = {
    ".######.", "..####..", ".......#", "......##", "......##", ".......#", "..####..",
    ".######.", "........", "#.......", "##......", "#.......", "..####..", ".######.",
};
const Mapa B2 = {
    "........", "........", "#.......", "##......", "##......", "#.......", "..####..",
    ".######.", "........", "#......#", "##....##", "#......#", "..####..", ".######.",
};
const Mapa E2 = {
    ".######.", "..####..", "#.......", "##......", "##......", "#.......", "..####..",
    ".######.", "........", "#.......", "##......", "#.......", "..####..", ".######.",
};

struct CasoGlifo {
    const char* nombre;
    QChar caracter;
    int S, w, h;
    Mapa esperado;
};

void PrintTo(const CasoGlifo& c, std::ostream* os) {
    *os << c.nombre;
}

class Glifos : public ::testing::TestWithParam<CasoGlifo> {};

TEST_P(Glifos, PixelesSegunLasReglas) {
    const CasoGlifo& c = GetParam();
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

INSTANTIATE_TEST_SUITE_P(
    Tabla, Glifos,
    ::testing::Values(
        // S = 2: the bars narrow one pixel per row; the middle bar is row M and the row above.
        CasoGlifo{"Ocho_S2", u'8', 2, 8, 14, Ocho2},
        CasoGlifo{"Uno_S2", u'1', 2, 8, 14, Uno2},
        CasoGlifo{"Dos_S2", u'2', 2, 8, 14, Dos2},
        CasoGlifo{"Menos_S2", u'-', 2, 8, 14,
                  {"........", "........", "........", "........", "........", "........",
                   "..####..", ".######.", "........", "........", "........", "........",
                   "........", "........"}},
        // Centre bars: column cw = 4 and, S even, the one to its left only.
        CasoGlifo{"Mas_S2", u'+', 2, 8, 14,
                  {"........", "........", "........", "........", "....#...", "...##...",
                   "..####..", ".######.", "...##...", "...##...", "....#...", "........",
                   "........", "........"}},
        // Dots at 2f and 6f with f = 2: rows 4-5 and 12-13, columns 4e = 4 to 5.
        CasoGlifo{"DosPuntos_S2", u':', 2, 8, 16,
                  {"........", "........", "........", "........", "....##..", "....##..",
                   "........", "........", "........", "........", "........", "........",
                   "....##..", "....##..", "........", "........"}},
        CasoGlifo{"Punto_S2", u'.', 2, 8, 14,
                  {"........", "........", "........", "........", "........", "........",
                   "........", "........", "........", "........", "........", "........",
                   "...##...", "...##..."}},
        // Tail from (3e + S, B - 3S) to (3e + 2S, B - S): columns 5-6, rows 8-11.
        CasoGlifo{"Coma_S2", u',', 2, 8, 14,
                  {"........", "........", "........", "........", "........", "........",
                   "........", "........", ".....##.", ".....##.", ".....##.", ".....##.",
                   "...##...", "...##..."}},
        // S = 3 on a 10 x 16 cell: M = 8, half = 1, cw = 5, e = 1, f = 2.
        CasoGlifo{"Ocho_S3", u'8', 3, 10, 16,
                  {".########.", "..######..", "#..####..#", "##......##", "###....###",
                   "##......##", "#........#", "..######..", ".########.", "..######..",
                   "#........#", "##......##", "##......##", "#..####..#", "..######..",
                   ".########."}},
        CasoGlifo{"Mas_S3", u'+', 3, 10, 16,
                  {"..........", "..........", "..........", "..........", ".....#....",
                   "....###...", "....###...", "..######..", ".########.", "..######..",
                   "....###...", "....###...", ".....#....", "..........", "..........",
                   ".........."}},
        CasoGlifo{"DosPuntos_S3", u':', 3, 10, 16,
                  {"..........", "..........", "..........", "..........", "....###...",
                   "....###...", "....###...", "..........", "..........", "..........",
                   "..........", "..........", "....###...", "....###...", "....###...",
                   ".........."}},
        CasoGlifo{"Punto_S3", u'.', 3, 10, 16,
                  {"..........", "..........", "..........", "..........", "..........",
                   "..........", "..........", "..........", "..........", "..........",
                   "..........", "..........", "..........", "...###....", "...###....",
                   "...###...."}},
        CasoGlifo{"Coma_S3", u',', 3, 10, 16,
                  {"..........", "..........", "..........", "..........", "..........",
                   "..........", "..........", "......###.", "......###.", "......###.",
                   "......###.", "......###.", "......###.", "...###....", "...###....",
                   "...###...."}}),
    [](const ::testing::TestParamInfo<CasoGlifo>& info) { return std::string(info.param.nombre); });

TEST(TZURDigit, ValoresIniciales) {
    TZURDigit d;
    EXPECT_EQ(d.Alignment(), taLeftJustify);
    EXPECT_TRUE(d.Border());
    EXPECT_EQ(d.Text(), u"9AF+-:.,"_s);
    EXPECT_EQ(d.Color(), d.palette().color(QPalette::Button));
    EXPECT_EQ(d.FontColor(), QColor(Qt::black));
    EXPECT_EQ(d.SegmentWidth(), 2);
    EXPECT_EQ(d.TopSpace(), 3);
    EXPECT_EQ(d.LeftSpace(), 3);
    EXPECT_EQ(d.InterSpace(), 3);
    EXPECT_EQ(d.NumDigits(), 8);
    EXPECT_EQ(d.size(), QSize(125, 25));
}

// 8 x 7 control, strip 2 x 1 left blank: g grey, w white, k black, s silver, . background.
TEST(TZURDigit, BordeHundidoDeDosPixeles) {
    TZURDigit d;
    d.setColor(Fondo);
    d.setText(u" "_s);
    d.resize(8, 7);
    const Mapa esperado = {"gggggggw", "gkkkkksw", "gk....sw", "gk....sw",
                           "gk....sw", "gksssssw", ".wwwwwww"};
    const QImage img = Pintado(d);
    Mapa leido;
    for (int y = 0; y < 7; ++y) {
        std::string fila;
        for (int x = 0; x < 8; ++x) {
            const QColor c = img.pixelColor(x, y);
            fila += c == QColor(128, 128, 128) ? 'g'
                  : c == QColor(255, 255, 255) ? 'w'
                  : c == QColor(0, 0, 0)       ? 'k'
                  : c == QColor(192, 192, 192) ? 's'
                  : c == Fondo                 ? '.'
                                               : '?';
        }
        leido.push_back(fila);
    }
    EXPECT_EQ(leido, esperado);

    d.setBorder(false);
    EXPECT_EQ(Leer(Pintado(d), 0, 0, 8, 7), Vacio(8, 7));
}

struct CasoTexto {
    const char* nombre;
    TAlignment alineacion;
    int celdas;
    QString texto;
    QString normalizado;
    std::vector<int> celdaDelUno; // where the "1" is drawn, -1 for none
};

void PrintTo(const CasoTexto& c, std::ostream* os) {
    *os << c.nombre;
}

class Normalizar : public ::testing::TestWithParam<CasoTexto> {};

TEST_P(Normalizar, TextoYCeldas) {
    const CasoTexto& c = GetParam();
    TZURDigit d;
    Preparar(d, c.celdas, 8, 14, 2);
    d.setAlignment(c.alineacion);
    d.setText(c.texto);
    const QImage img = Pintado(d);
    EXPECT_EQ(d.Text(), c.normalizado);
    for (int i = 0; i < c.celdas; ++i) {
        SCOPED_TRACE(i);
        const bool esUno = std::find(c.celdaDelUno.begin(), c.celdaDelUno.end(), i) !=
                           c.celdaDelUno.end();
        const bool esDos = i > 0 && std::find(c.celdaDelUno.begin(), c.celdaDelUno.end(),
                                              i - 1) != c.celdaDelUno.end();
        EXPECT_EQ(Celda(img, i, 8, 14), esUno ? Uno2 : esDos ? Dos2 : Vacio(8, 14));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tabla, Normalizar,
    ::testing::Values(
        CasoTexto{"IzquierdaSinRelleno", taLeftJustify, 8, u"12"_s, u"12"_s, {0}},
        CasoTexto{"DerechaSeisEspacios", taRightJustify, 8, u"12"_s, u"      12"_s, {6}},
        CasoTexto{"CentroMitadTruncada", taCenter, 7, u"12"_s, u"  12"_s, {2}},
        CasoTexto{"RecortaEspaciosYControl", taLeftJustify, 4, u"\t 12 \n\x01"_s, u"12"_s, {0}},
        CasoTexto{"DerechaTrasRecortar", taRightJustify, 4, u" 12 "_s, u"  12"_s, {2}},
        CasoTexto{"LlenoSinRelleno", taRightJustify, 4, u"1212"_s, u"1212"_s, {0, 2}}),
    [](const ::testing::TestParamInfo<CasoTexto>& info) { return std::string(info.param.nombre); });

TEST(TZURDigit, MinusculasComoMayusculas) {
    TZURDigit d;
    Preparar(d, 2, 8, 14, 2);
    d.setText(u"eb"_s);
    const QImage img = Pintado(d);
    EXPECT_EQ(d.Text(), u"EB"_s);
    EXPECT_EQ(Celda(img, 0, 8, 14), E2);
    EXPECT_EQ(Celda(img, 1, 8, 14), B2);
}

TEST(TZURDigit, CaracterDesconocidoDejaSuCeldaEnBlanco) {
    for (const QString& texto : {u"1X2"_s, u"1 2"_s, u"1?2"_s, u"1\u00e92"_s}) {
        SCOPED_TRACE(texto.toStdString());
        TZURDigit d;
        Preparar(d, 3, 8, 14, 2);
        d.setText(texto);
        const QImage img = Pintado(d);
        EXPECT_EQ(Celda(img, 0, 8, 14), Uno2);
        EXPECT_EQ(Celda(img, 1, 8, 14), Vacio(8, 14));
        EXPECT_EQ(Celda(img, 2, 8, 14), Dos2);
    }
}

// Five characters in two cells: five narrower cells, each character in its own.
TEST(TZURDigit, TextoMasLargoQueLasCeldasNoSeSolapa) {
    TZURDigit d;
    Preparar(d, 2, 8, 14, 2);
    d.resize(5 * 8 + 4 * Entre + 2 * Margen, 14 + 2 * Margen);
    d.setAlignment(taRightJustify);
    d.setText(u"12121"_s);
    const QImage img = Pintado(d);
    EXPECT_EQ(d.Text(), u"12121"_s);
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Celda(img, i, 8, 14), i % 2 == 0 ? Uno2 : Dos2);
        if (i < 4) {
            EXPECT_EQ(Leer(img, Margen + i * 11 + 8, Margen, Entre, 14), Vacio(Entre, 14));
        }
    }
}

TEST(TZURDigit, NumDigitsSeMantieneEntreUnoYTreintaYDos) {
    TZURDigit d;
    d.setNumDigits(0);
    EXPECT_EQ(d.NumDigits(), 1);
    d.setNumDigits(-7);
    EXPECT_EQ(d.NumDigits(), 1);
    d.setNumDigits(33);
    EXPECT_EQ(d.NumDigits(), 32);
    d.setNumDigits(INT_MAX);
    EXPECT_EQ(d.NumDigits(), 32);
}

// Sizes and values outside what the display is meant for draw something and return.
TEST(TZURDigit, ValoresFueraDeRangoNoRompen) {
    const std::vector<std::pair<const char*, std::function<void(TZURDigit&)>>> casos = {
        {"Diminuto", [](TZURDigit& d) { d.resize(1, 1); }},
        {"SinTamano", [](TZURDigit& d) { d.resize(0, 0); }},
        {"MenorQueLosMargenes", [](TZURDigit& d) { d.resize(5, 5); }},
        {"MargenEnorme", [](TZURDigit& d) { d.setLeftSpace(INT_MAX); d.setTopSpace(INT_MAX); }},
        {"MargenNegativo", [](TZURDigit& d) { d.setLeftSpace(INT_MIN); d.setTopSpace(INT_MIN); }},
        {"HuecoEnorme", [](TZURDigit& d) { d.setInterSpace(INT_MAX); }},
        {"HuecoNegativo", [](TZURDigit& d) { d.setInterSpace(INT_MIN); }},
        {"SegmentoEnorme", [](TZURDigit& d) { d.setSegmentWidth(INT_MAX); }},
        {"SegmentoNegativo", [](TZURDigit& d) { d.setSegmentWidth(INT_MIN); }},
        {"TextoLarguisimo", [](TZURDigit& d) { d.setText(QString(100000, u'8')); }},
    };
    for (const auto& [nombre, ajustar] : casos) {
        SCOPED_TRACE(nombre);
        TZURDigit d;
        d.setColor(Fondo);
        d.setText(u"8,:+"_s);
        ajustar(d);
        const QImage img = Pintado(d);
        EXPECT_FALSE(img.isNull());
    }
}

TEST(TZURDigit, SegmentoEnormeNoPintaFueraDeLaTira) {
    TZURDigit d;
    Preparar(d, 2, 8, 14, 2);
    d.setBorder(false);
    d.setText(u"88"_s);
    d.setSegmentWidth(INT_MAX);
    const QImage img = Pintado(d);
    EXPECT_EQ(Leer(img, 0, 0, d.width(), Margen), Vacio(d.width(), Margen));
}

TEST(TZURDigit, NombreAccesibleEsElTextoMostrado) {
    TZURDigit d;
    EXPECT_EQ(d.accessibleName(), u"9AF+-:.,"_s);
    d.setAlignment(taRightJustify);
    d.setText(u" dato "_s);
    EXPECT_EQ(d.accessibleName(), u"DATO"_s);
    Pintado(d);
    EXPECT_EQ(d.Text(), u"    DATO"_s);
    EXPECT_EQ(d.accessibleName(), u"DATO"_s);
}

class ContadorPintadas final : public QObject {
public:
    int n = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            ++n;
        return false;
    }
};

struct CasoSetter {
    const char* nombre;
    std::function<void(TZURDigit&)> igual, distinto;
};

TEST(TZURDigit, CadaSetterRepintaAlMomentoSoloSiCambia) {
    const std::vector<CasoSetter> casos = {
        {"Alignment", [](TZURDigit& d) { d.setAlignment(d.Alignment()); },
         [](TZURDigit& d) { d.setAlignment(taCenter); }},
        {"Border", [](TZURDigit& d) { d.setBorder(d.Border()); },
         [](TZURDigit& d) { d.setBorder(!d.Border()); }},
        {"Text", [](TZURDigit& d) { d.setText(d.Text()); },
         [](TZURDigit& d) { d.setText(u"123"_s); }},
        {"Color", [](TZURDigit& d) { d.setColor(d.Color()); },
         [](TZURDigit& d) { d.setColor(Fondo); }},
        {"FontColor", [](TZURDigit& d) { d.setFontColor(d.FontColor()); },
         [](TZURDigit& d) { d.setFontColor(Tinta); }},
        {"SegmentWidth", [](TZURDigit& d) { d.setSegmentWidth(d.SegmentWidth()); },
         [](TZURDigit& d) { d.setSegmentWidth(3); }},
        {"TopSpace", [](TZURDigit& d) { d.setTopSpace(d.TopSpace()); },
         [](TZURDigit& d) { d.setTopSpace(4); }},
        {"LeftSpace", [](TZURDigit& d) { d.setLeftSpace(d.LeftSpace()); },
         [](TZURDigit& d) { d.setLeftSpace(4); }},
        {"InterSpace", [](TZURDigit& d) { d.setInterSpace(d.InterSpace()); },
         [](TZURDigit& d) { d.setInterSpace(4); }},
        {"NumDigits", [](TZURDigit& d) { d.setNumDigits(d.NumDigits()); },
         [](TZURDigit& d) { d.setNumDigits(5); }},
        {"NumDigitsFueraDeRangoIgual", [](TZURDigit& d) { d.setNumDigits(40); },
         [](TZURDigit& d) { d.setNumDigits(1); }},
    };
    for (const CasoSetter& c : casos) {
        SCOPED_TRACE(c.nombre);
        TZURDigit d;
        d.setNumDigits(32);
        d.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
        ContadorPintadas contador;
        d.installEventFilter(&contador);
        c.igual(d);
        c.igual(d);
        EXPECT_EQ(contador.n, 0);
        // No event processing in between: the paint happens inside the setter.
        c.distinto(d);
        EXPECT_EQ(contador.n, 1);
        d.removeEventFilter(&contador);
    }
}

TEST(TZURDigit, VisibleNormalizaAlRepintar) {
    TZURDigit d;
    d.setAlignment(taRightJustify);
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    d.setText(u"12"_s);
    EXPECT_EQ(d.Text(), u"      12"_s);
}

TEST(TZURDigit, OcultoNoTocaElTexto) {
    TZURDigit d;
    d.setAlignment(taRightJustify);
    d.setText(u" ab"_s);
    EXPECT_EQ(d.Text(), u" ab"_s);
}

} // namespace
