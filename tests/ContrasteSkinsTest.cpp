// Readable looks: in each of the eight looks, every text of the main window, of Properties
// (each page, its skin chooser open with a row highlighted, the controls its general format
// disables) and of the system menu (a disabled and a highlighted item) is drawn with a
// contrast of at least 4.5:1 against what is behind it, measured on the rendered pixels;
// disabled texts are visibly another colour than enabled ones.
#include "TMarcoSkin.h"
#include "TPropiedades.h"
#include "TSkinData.h"

#include "VentanaPrueba.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <cmath>
#include <map>

using namespace Qt::StringLiterals;

namespace {

double Luminancia(QColor c) {
    const auto lineal = [](double v) {
        v /= 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lineal(c.red()) + 0.7152 * lineal(c.green()) + 0.0722 * lineal(c.blue());
}

double Contraste(QColor a, QColor b) {
    const double la = Luminancia(a), lb = Luminancia(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

struct Medida {
    QColor Texto;
    QColor Fondo;
    double Ratio = 0;
};

// The text drawn in `zona`: the commonest colour there is what lies behind it, the pixel of
// most contrast against that colour is the text.
Medida MedirTexto(const QImage& imagen, QRect zona) {
    zona &= imagen.rect();
    std::map<QRgb, int> cuenta;
    for (int y = zona.top(); y <= zona.bottom(); ++y)
        for (int x = zona.left(); x <= zona.right(); ++x)
            ++cuenta[imagen.pixel(x, y) | 0xff000000u];
    Medida m;
    int mas = 0;
    for (const auto& [color, n] : cuenta)
        if (n > mas) {
            mas = n;
            m.Fondo = QColor::fromRgb(color);
        }
    for (const auto& [color, n] : cuenta) {
        const double r = Contraste(QColor::fromRgb(color), m.Fondo);
        if (r > m.Ratio) {
            m.Ratio = r;
            m.Texto = QColor::fromRgb(color);
        }
    }
    return m;
}

// Where a control draws its text, in its own coordinates; empty for controls without text.
QRect ZonaTexto(QWidget* w) {
    const QFontMetrics fm = w->fontMetrics();
    if (auto* l = qobject_cast<QLabel*>(w)) {
        if (l->text().isEmpty() || !l->pixmap().isNull())
            return {};
        return l->style()
            ->itemTextRect(fm, l->contentsRect(), int(l->alignment()), true, l->text())
            .adjusted(-1, -1, 1, 1);
    }
    if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
        auto* b = static_cast<QAbstractButton*>(w);
        QStyleOptionButton opcion;
        opcion.initFrom(b);
        opcion.text = b->text();
        const auto elemento = qobject_cast<QCheckBox*>(w) ? QStyle::SE_CheckBoxContents
                                                          : QStyle::SE_RadioButtonContents;
        const QRect contenido = b->style()->subElementRect(elemento, &opcion, b);
        return QRect(contenido.left(), 0, fm.horizontalAdvance(b->text()) + 4, b->height());
    }
    if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        if (b->text().isEmpty() || !b->icon().isNull())
            return {};
        return b->rect().adjusted(3, 3, -3, -3);
    }
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->rect().adjusted(3, 3, -22, -3);
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text().isEmpty() ? QRect() : e->rect().adjusted(3, 3, -3, -3);
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return QRect(4, 0, fm.horizontalAdvance(g->title()) + 16, fm.height() + 2);
    return {};
}

class ContrasteSkinsTest : public VentanaPrueba {
protected:
    void Comprobar(const QImage& imagen, const QRect& zona, const QString& que) {
        const Medida m = MedirTexto(imagen, zona);
        EXPECT_GE(m.Ratio, 4.5) << Look << " " << que.toStdString() << ": "
                                << m.Texto.name().toStdString() << " on "
                                << m.Fondo.name().toStdString();
    }

    // Every visible text control of `ventana`, measured on the window's rendering.
    void ComprobarVentana(QWidget* ventana, const QString& donde) {
        QApplication::processEvents();
        const QImage imagen = ventana->grab().toImage();
        for (QWidget* w : ventana->findChildren<QWidget*>()) {
            if (!w->isVisible() || qobject_cast<QTabBar*>(w->parentWidget()))
                continue;
            if (auto* barra = qobject_cast<QTabBar*>(w)) {
                for (int i = 0; i < barra->count(); ++i) {
                    const QRect zona = barra->tabRect(i)
                                           .adjusted(4, 4, -4, -2)
                                           .translated(barra->mapTo(ventana, QPoint()));
                    if (ventana->rect().contains(zona))
                        Comprobar(imagen, zona, donde + u" pestaña "_s + barra->tabText(i));
                }
                continue;
            }
            const QRect zona = ZonaTexto(w).translated(w->mapTo(ventana, QPoint()));
            // Controls outside the window (the main window's folded side panel) are not seen.
            if (zona.isEmpty() || !ventana->rect().contains(zona))
                continue;
            Comprobar(imagen, zona,
                      donde + u" "_s + QLatin1String(w->metaObject()->className()) + u" "_s +
                          w->objectName());
        }
    }

    std::string Look;
};

TEST_F(ContrasteSkinsTest, CadaTextoLegibleEnCadaAspecto) {
    TSumadoraFormulario& v = V();
    for (int skin = 0; skin < TSkinData::NumeroSkins(); ++skin) {
        Look = TSkinData::NombresSkins().at(skin).toStdString();
        ASSERT_TRUE(TSkinData::Actual()->AplicarSkin(skin));
        v.show();
        ComprobarVentana(&v, u"principal"_s);

        TPropiedades* p = v.DialogoPropiedades();
        p->FormatoGeneral->setChecked(true); // disables the decimals and the separator
        p->setWindowModality(Qt::NonModal);
        p->show();
        auto* paginas = p->findChild<QTabWidget*>();
        for (int i = 0; i < paginas->count(); ++i) {
            paginas->setCurrentIndex(i);
            ComprobarVentana(p, u"Propiedades"_s);
        }
        // Disabled texts stand apart from enabled ones.
        const auto colorTexto = [&](QWidget* w, QRadioButton* formato) {
            formato->setChecked(true);
            QApplication::processEvents();
            const QImage imagen = p->grab().toImage();
            return MedirTexto(imagen, ZonaTexto(w).translated(w->mapTo(p, QPoint()))).Texto;
        };
        paginas->setCurrentIndex(0);
        for (QWidget* w : QList<QWidget*>{p->SeparadorMiles, p->EtiquetaDecimales}) {
            const QColor inactivo = colorTexto(w, p->FormatoGeneral);
            const QColor activo = colorTexto(w, p->FormatoFijo);
            EXPECT_GT(std::hypot(activo.red() - inactivo.red(), activo.green() - inactivo.green(),
                                 activo.blue() - inactivo.blue()),
                      60.0)
                << Look << " " << w->objectName().toStdString() << ": disabled "
                << inactivo.name().toStdString() << ", enabled " << activo.name().toStdString();
        }

        paginas->setCurrentIndex(paginas->count() - 1);
        const QSignalBlocker sinCambio(p->SelSkin);
        p->SelSkin->showPopup();
        QAbstractItemView* lista = p->SelSkin->view();
        lista->setCurrentIndex(lista->model()->index((skin + 3) % 8, 0));
        // Its rows: the highlighted one and the others.
        QApplication::processEvents();
        const QImage filas = lista->window()->grab().toImage();
        const QPoint origen = lista->viewport()->mapTo(lista->window(), QPoint());
        for (int fila = 0; fila < lista->model()->rowCount(); ++fila)
            Comprobar(filas,
                      lista->visualRect(lista->model()->index(fila, 0))
                          .adjusted(2, 1, -2, -1)
                          .translated(origen),
                      u"Seleccionar Skin fila "_s + QString::number(fila) +
                          (fila == lista->currentIndex().row() ? u" resaltada"_s : QString()));
        p->SelSkin->hidePopup();
        p->hide();

        // The system menu, its last item highlighted.
        std::unique_ptr<QMenu> menu(TMarcoSkin::De(&v)->CrearMenuSistema(&v));
        menu->popup(QPoint(50, 50));
        QApplication::processEvents();
        menu->setActiveAction(menu->actions().constLast());
        QApplication::processEvents();
        const QImage imagen = menu->grab().toImage();
        for (QAction* a : menu->actions())
            if (!a->isSeparator())
                Comprobar(imagen, menu->actionGeometry(a).adjusted(2, 1, -2, -1),
                          u"menú de sistema "_s + a->text() +
                              (a->isEnabled() ? QString() : u" (inactiva)"_s) +
                              (a == menu->activeAction() ? u" (resaltada)"_s : QString()));
        menu->close();
    }
    ASSERT_TRUE(TSkinData::Actual()->AplicarSkin(0));
}

} // namespace
