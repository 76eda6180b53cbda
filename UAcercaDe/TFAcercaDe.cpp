// The About box: fixed 612 x 314 client area, picture along the left edge, name and
// version centred to its right; the skin engine gives it its frame.
#include "TFAcercaDe.h"

#include "DibujoSumadora.h"
#include "TMarcoSkin.h"
#include "VersionPrograma.h"

#include <QLabel>
#include <QPixmap>

namespace {
constexpr int AnchoCliente = 612;
constexpr int AltoCliente = 314;
constexpr int AnchoImagen = 164;
} // namespace

TFAcercaDe::TFAcercaDe(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("FAcercaDe"));
    setWindowTitle(QStringLiteral("Acerca de..."));
    setFixedSize(AnchoCliente, AltoCliente);

    // Its own colours and fonts hold under every skin: the skin draws the frame around them.
    // The fonts are in the sheet too, since a sheet rule without one makes Qt give the label
    // its parent's font instead of its own.
    FContenido = new QWidget(this);
    FContenido->setObjectName(QStringLiteral("ContenidoAcercaDe"));
    FContenido->setAttribute(Qt::WA_StyledBackground);
    FContenido->setGeometry(0, 0, AnchoCliente, AltoCliente);
    FContenido->setStyleSheet(QStringLiteral(
        "#ContenidoAcercaDe { background-color: rgb(242, 241, 238); }"
        "#Titulo, #Version { color: rgb(102, 136, 170); background: transparent; }"
        "#Titulo { font: bold 49px \"Verdana\"; }"
        "#Version { font: bold 21px \"Arial\"; }"));

    Imagen = new QLabel(FContenido);
    Imagen->setObjectName(QStringLiteral("Imagen"));
    Imagen->setGeometry(0, 0, AnchoImagen, AltoCliente);
    Imagen->setAlignment(Qt::AlignCenter);
    const QPixmap dibujo = QPixmap::fromImage(DibujoSumadora());
    Imagen->setPixmap(dibujo.scaled(Imagen->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));

    const int derecha = AnchoCliente - AnchoImagen;
    Titulo = new QLabel(QStringLiteral("Sumadora"), FContenido);
    Titulo->setObjectName(QStringLiteral("Titulo"));
    QFont verdana(QStringLiteral("Verdana"));
    verdana.setPixelSize(49);
    verdana.setBold(true);
    Titulo->setFont(verdana);
    Titulo->setAlignment(Qt::AlignCenter);
    Titulo->setGeometry(AnchoImagen, 88, derecha, 72);

    Version = new QLabel(FContenido);
    Version->setObjectName(QStringLiteral("Version"));
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(21);
    arial.setBold(true);
    Version->setFont(arial);
    Version->setAlignment(Qt::AlignCenter);
    Version->setGeometry(AnchoImagen, 164, derecha, 32);

    FormCreate();
    TMarcoSkin::Instalar(this);
}

void TFAcercaDe::FormCreate() { Version->setText(QStringLiteral("Versión ") + VersionSumadora()); }
