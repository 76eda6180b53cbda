// Draws the images of the seven stored skins (check marks, radio dots, arrows and
// background tiles) into forms/skins/<skin>/. Run by hand after changing a colour:
//   generar_imagenes_skins <repo>/forms/skins
#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

struct TColoresSkin {
    const char* Carpeta;
    QColor Glifo; // arrows
    QColor Marca; // check mark and radio dot
};

// Deterministic noise, so the committed images do not change from run to run.
struct Azar {
    std::uint32_t Estado;
    double Siguiente() {
        Estado = Estado * 1664525u + 1013904223u;
        return double(Estado >> 8) / double(1u << 24);
    }
};

bool Guardar(const QImage& imagen, const QString& ruta) {
    if (!imagen.save(ruta, "PNG")) {
        std::fprintf(stderr, "no se puede escribir %s\n", qPrintable(ruta));
        return false;
    }
    return true;
}

QImage Lienzo(int ancho, int alto) {
    QImage imagen(ancho, alto, QImage::Format_ARGB32_Premultiplied);
    imagen.fill(Qt::transparent);
    return imagen;
}

QImage Marca(const QColor& color) {
    QImage imagen = Lienzo(13, 13);
    QPainter p(&imagen);
    p.setRenderHint(QPainter::Antialiasing);
    QPen pluma(color, 2.2);
    pluma.setCapStyle(Qt::RoundCap);
    pluma.setJoinStyle(Qt::RoundJoin);
    p.setPen(pluma);
    QPainterPath trazo;
    trazo.moveTo(2.8, 6.8);
    trazo.lineTo(5.4, 9.4);
    trazo.lineTo(10.4, 3.4);
    p.drawPath(trazo);
    return imagen;
}

QImage Punto(const QColor& color) {
    QImage imagen = Lienzo(13, 13);
    QPainter p(&imagen);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient brillo(QPointF(5.5, 5.0), 4.5);
    brillo.setColorAt(0, color.lighter(160));
    brillo.setColorAt(1, color);
    p.setBrush(brillo);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(6.5, 6.5), 3.3, 3.3);
    return imagen;
}

// A filled triangle pointing in `angulo` degrees (0 = down), 9 x 9.
QImage Flecha(const QColor& color, double angulo) {
    QImage imagen = Lienzo(9, 9);
    QPainter p(&imagen);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(4.5, 4.5);
    p.rotate(angulo);
    QPainterPath t;
    t.moveTo(-3.6, -1.8);
    t.lineTo(3.6, -1.8);
    t.lineTo(0, 2.2);
    t.closeSubpath();
    p.fillPath(t, color);
    return imagen;
}

QImage Cepillado() {
    QImage imagen(160, 64, QImage::Format_RGB32);
    Azar azar{7};
    for (int y = 0; y < imagen.height(); ++y) {
        // Streaks: each row varies slowly along x, rows differ from each other.
        const double base = 184 + 10 * (azar.Siguiente() - 0.5);
        double v = base;
        for (int x = 0; x < imagen.width(); ++x) {
            v += 1.6 * (azar.Siguiente() - 0.5);
            v = 0.97 * v + 0.03 * base;
            const int g = qBound(0, int(v), 255);
            imagen.setPixel(x, y, qRgb(g - 4, g, g + 4));
        }
    }
    return imagen;
}

QImage Rayas() {
    QImage imagen(4, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            imagen.setPixel(x, y, y < 2 ? qRgb(250, 250, 251) : qRgb(236, 237, 240));
    return imagen;
}

QImage Estrellas() {
    QImage imagen(192, 192, QImage::Format_RGB32);
    QPainter p(&imagen);
    QLinearGradient cielo(0, 0, 0, 192);
    cielo.setColorAt(0, QColor(16, 26, 52));
    cielo.setColorAt(0.5, QColor(20, 34, 66));
    cielo.setColorAt(1, QColor(16, 26, 52));
    p.fillRect(imagen.rect(), cielo);
    p.setRenderHint(QPainter::Antialiasing);
    Azar azar{42};
    for (int i = 0; i < 70; ++i) {
        const double x = azar.Siguiente() * 192;
        const double y = azar.Siguiente() * 192;
        const double brillo = azar.Siguiente();
        QColor c(190, 225, 255, int(60 + 150 * brillo * brillo));
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawEllipse(QPointF(x, y), 0.5 + brillo * 0.8, 0.5 + brillo * 0.8);
    }
    return imagen;
}

QImage Carbono() {
    QImage imagen(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            // Two woven strands: each 4x4 cell shaded along its own direction.
            const bool horizontal = ((x / 4) + (y / 4)) % 2 == 0;
            const int t = horizontal ? y % 4 : x % 4;
            const int luz = 40 + (t == 1 ? 14 : t == 2 ? 10 : t == 0 ? 2 : 0);
            imagen.setPixel(x, y, qRgb(luz + 8, luz - 4, luz + 18));
        }
    return imagen;
}

QImage Pizarra() {
    QImage imagen(96, 96, QImage::Format_RGB32);
    Azar azar{1234};
    for (int y = 0; y < imagen.height(); ++y)
        for (int x = 0; x < imagen.width(); ++x) {
            const double n = azar.Siguiente();
            const int g = 52 + int(6 * n) + ((x + y) % 23 == 0 ? 3 : 0);
            imagen.setPixel(x, y, qRgb(g + 2, g, g - 3));
        }
    return imagen;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "uso: generar_imagenes_skins CARPETA_SKINS\n");
        return 1;
    }
    const QDir raiz(QString::fromLocal8Bit(argv[1]));
    const TColoresSkin skins[] = {
        {"Vista", QColor(0x1e, 0x3f, 0x66), QColor(0x1f, 0x5f, 0xbf)},
        {"Metal", QColor(0x2b, 0x30, 0x36), QColor(0x2e, 0x7d, 0x32)},
        {"Aqua", QColor(0x3a, 0x3a, 0x3a), QColor(0xc6, 0x28, 0x28)},
        {"Sirius", QColor(0xbf, 0xe9, 0xff), QColor(0x4f, 0xd5, 0xff)},
        {"Optima", QColor(0x4d, 0x61, 0x85), QColor(0x21, 0xa1, 0x21)},
        {"Smart", QColor(0xf0, 0xa0, 0x30), QColor(0xff, 0xb3, 0x47)},
        {"Bionix", QColor(0xc6, 0xff, 0x3d), QColor(0xc6, 0xff, 0x3d)},
    };
    bool bien = true;
    for (const TColoresSkin& s : skins) {
        const QString carpeta = raiz.filePath(QLatin1String(s.Carpeta));
        QDir().mkpath(carpeta);
        auto ruta = [&](const char* nombre) {
            return carpeta + QLatin1Char('/') + QLatin1String(nombre);
        };
        bien &= Guardar(Marca(s.Marca), ruta("marca.png"));
        bien &= Guardar(Punto(s.Marca), ruta("punto.png"));
        bien &= Guardar(Flecha(s.Glifo, 0), ruta("flecha_abajo.png"));
        bien &= Guardar(Flecha(s.Glifo, 180), ruta("flecha_arriba.png"));
        bien &= Guardar(Flecha(s.Glifo, 90), ruta("flecha_izquierda.png"));
        bien &= Guardar(Flecha(s.Glifo, -90), ruta("flecha_derecha.png"));
        QColor apagado = s.Glifo;
        apagado.setAlpha(90);
        bien &= Guardar(Flecha(apagado, 0), ruta("flecha_abajo_inactiva.png"));
    }
    bien &= Guardar(Cepillado(), raiz.filePath(u"Metal/cepillado.png"_s));
    bien &= Guardar(Rayas(), raiz.filePath(u"Aqua/rayas.png"_s));
    bien &= Guardar(Estrellas(), raiz.filePath(u"Sirius/estrellas.png"_s));
    bien &= Guardar(Pizarra(), raiz.filePath(u"Smart/pizarra.png"_s));
    bien &= Guardar(Carbono(), raiz.filePath(u"Bionix/carbono.png"_s));
    return bien ? 0 : 1;
}
