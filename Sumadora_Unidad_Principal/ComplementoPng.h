// Qt's own PNG reader under the name "png", so that loading the program's images does not load
// the image plugins of every other format.
#pragma once

#include <QImageIOPlugin>

class ComplementoPng final : public QImageIOPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QImageIOHandlerFactoryInterface_iid FILE "ComplementoPng.json")

public:
    Capabilities capabilities(QIODevice* dispositivo, const QByteArray& formato) const override;
    QImageIOHandler* create(QIODevice* dispositivo, const QByteArray& formato) const override;
};
