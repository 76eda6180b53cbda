// Skin packages: a style sheet plus its images in one small archive, stored as a zlib
// stream. Used at build time by the packer and at run time by the engine (QtCore only).
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QMap>
#include <QString>

#include <optional>

// Name of the style sheet inside a package; every other entry is an image.
inline constexpr char HojaPaquete[] = "estilo.qss";
// Placeholder the style sheets use for the folder their images are unpacked into.
inline constexpr char MarcadorImagenes[] = "@IMAGENES@";

struct TContenidoSkin {
    QString Hoja;                      // the style sheet, still holding the placeholder
    QMap<QString, QByteArray> Imagenes; // file name -> PNG bytes
};

// Archive of name/bytes entries, compressed as one zlib stream. Empty on failure.
QByteArray EmpaquetarSkin(const QMap<QString, QByteArray>& archivos);

// Inflates and checks a package: a complete zlib stream, a well-formed archive, safe
// entry names, a non-empty UTF-8 style sheet. Images are not decoded here.
std::optional<TContenidoSkin> DesempaquetarSkin(QByteArrayView paquete);

// A name that may become a file in the unpacking folder (no paths, no hidden files).
bool NombreEntradaValido(const QString& nombre);
