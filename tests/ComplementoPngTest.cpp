// The program's images are read by Qt's own PNG reader without loading the plugins of other
// image formats, and read the same as Qt reads them by their content.
#include "TSkinData.h"
#include "VentanaPrueba.h"

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

using ComplementoPngTest = VentanaPrueba;

TEST_F(ComplementoPngTest, LaVentanaEnCadaLookNoCargaOtrosFormatosYLeeComoQt) {
    for (int skin = 0; skin < TSkinData::NumeroSkins(); ++skin) {
        V().SD->AplicarSkin(skin);
        V().grab();
    }
    QFile mapa(u"/proc/self/maps"_s);
    ASSERT_TRUE(mapa.open(QIODevice::ReadOnly));
    EXPECT_FALSE(mapa.readAll().contains("/imageformats/")) << "another format's plugin loaded";

    // By content, Qt asks every plugin and then its own readers: the reference.
    int imagenes = 0;
    for (QDirIterator it(u":/"_s, {u"*.png"_s}, QDir::Files, QDirIterator::Subdirectories);
         it.hasNext(); ++imagenes) {
        const QString ruta = it.next();
        const QImage leida(ruta);
        EXPECT_FALSE(leida.isNull()) << ruta.toStdString();
        EXPECT_EQ(leida, QImage::fromData(LeerArchivo(ruta))) << ruta.toStdString();
    }
    EXPECT_GT(imagenes, 60);

    // A damaged PNG reads as nothing; another format named .png still reads by its content.
    QTemporaryDir dir;
    const QByteArray png = LeerArchivo(u":/iconos/abrir.png"_s);
    EscribirArchivo(dir.filePath(u"roto.png"_s), png.left(png.size() / 2));
    EXPECT_TRUE(QImage(dir.filePath(u"roto.png"_s)).isNull());
    const QImage icono(u":/iconos/abrir.png"_s);
    ASSERT_TRUE(icono.save(dir.filePath(u"mapa.png"_s), "BMP"));
    EXPECT_EQ(QImage(dir.filePath(u"mapa.png"_s)), icono.convertToFormat(QImage::Format_RGB32));
}

} // namespace
