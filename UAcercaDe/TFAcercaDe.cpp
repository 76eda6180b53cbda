// The About box: fixed 612 x 314 client area, picture along the left edge, name and
// version centred to its right; the skin engine gives it its frame.
#include "TFAcercaDe.h"

#include "DibujoSumadora.h"
#include "TMarcoSkin.h"
#include "VersionPrograma.h"

#include <QLabel>
#include <QPixmap>

using namespace Qt::StringLiterals;

namespace {
constexpr int AnchoCliente = 612;
constexpr int AltoCliente = 314;
constexpr int AnchoImagen = 164;
} // namespace

TFAcercaDe::TFAcercaDe(QWidget* padre) : QDialog(padre) {
    setObjectName(u"FAcercaDe"_s);
    setWindowTitle(u"Acerca de..."_s);
    setFixedSize(AnchoCliente, AltoCliente);

    // Its own colours and fonts hold under every skin: the skin draws the frame around them.
    // The fonts are in the sheet too, since a sheet rule without one makes Qt give the label
    // its parent's font instead of its own.
    FContenido = new QWidget(this);
    FContenido->setObjectName(u"ContenidoAcercaDe"_s);
    FContenido->setAttribute(Qt::WA_StyledBackground);
    FContenido->setGeometry(0, 0, AnchoCliente, AltoCliente);
    FContenido->setStyleSheet(
        u"#ContenidoAcercaDe { background-color: rgb(242, 241, 238); }"
        u"#Titulo, #Version { color: rgb(102, 136, 170); background: transparent; }"
        u"#Titulo { font: bold 49px \"Verdana\"; }"
        u"#Version { font: bold 21px \"Arial\"; }"_s);

    Imagen = new QLabel(FContenido);
    Imagen->setObjectName(u"Imagen"_s);
    Imagen->setGeometry(0, 0, AnchoImagen, AltoCliente);
    Imagen->setAlignment(Qt::AlignCenter);
    const QPixmap dibujo = QPixmap::fromImage(DibujoSumadora());
    Imagen->setPixmap(dibujo.scaled(Imagen->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));

    const int derecha = AnchoCliente - AnchoImagen;
    Titulo = new QLabel(u"Sumadora"_s, FContenido);
    Titulo->setObjectName(u"Titulo"_s);
    QFont verdana(u"Verdana"_s);
    verdana.setPixelSize(49);
    verdana.setBold(true);
    Titulo->setFont(verdana);
    Titulo->setAlignment(Qt::AlignCenter);
    Titulo->setGeometry(AnchoImagen, 88, derecha, 72);

    Version = new QLabel(FContenido);
    Version->setObjectName(u"Version"_s);
    QFont arial(u"Arial"_s);
    arial.setPixelSize(21);
    arial.setBold(true);
    Version->setFont(arial);
    Version->setAlignment(Qt::AlignCenter);
    Version->setGeometry(AnchoImagen, 164, derecha, 32);

    FormCreate();
    TMarcoSkin::Instalar(this);
}

void TFAcercaDe::FormCreate() {
    Version->setText(u"Versión "_s + VersionSumadora());
}

void TFAcercaDe::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    TMarcoSkin::CentrarEnPantalla(this);
}
