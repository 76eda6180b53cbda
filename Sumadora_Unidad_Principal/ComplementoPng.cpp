// Before its built-in PNG reader, Qt asks every image plugin whether it can read a file, which
// maps the GIF, ICO and JPEG plugins (and libjpeg) into the program at start though all its
// images are PNG. A plugin named "png" is asked first and ends that search; the reading itself
// is left to Qt's built-in reader.
#include "ComplementoPng.h"

#include <QImageReader>

namespace {

// Set while the built-in reader works for this plugin: the plugin then declines "png", so that
// Qt falls through to its own reader instead of back to this one.
thread_local bool Leyendo = false;

class LectorPng final : public QImageIOHandler {
public:
    bool canRead() const override {
        if (device() == nullptr || device()->peek(8) != QByteArray("\x89PNG\r\n\x1a\n", 8))
            return false;
        setFormat("png");
        return true;
    }

    bool read(QImage* imagen) override {
        Leyendo = true;
        QImageReader lector(device(), "png");
        lector.setAutoDetectImageFormat(false);
        const bool leida = lector.read(imagen);
        Leyendo = false;
        return leida;
    }
};

} // namespace

QImageIOPlugin::Capabilities ComplementoPng::capabilities(QIODevice*,
                                                          const QByteArray& formato) const {
    return !Leyendo && formato == "png" ? CanRead : Capabilities();
}

QImageIOHandler* ComplementoPng::create(QIODevice* dispositivo, const QByteArray& formato) const {
    auto* lector = new LectorPng;
    lector->setDevice(dispositivo);
    lector->setFormat(formato);
    return lector;
}
