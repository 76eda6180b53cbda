// The skin engine: stored packages, applying and clearing skins, Spanish edit menus.
#include "TSkinData.h"

#include "TMarcoSkin.h"
#include "TextosSkin.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextEdit>

using namespace Qt::StringLiterals;

namespace {

QList<TSkinData*>& Motores() {
    static QList<TSkinData*> motores;
    return motores;
}

// The plain look's palette with Fusion's light grey for disabled text and its pale highlight
// darkened to a 4.5:1 contrast; the skins' sheets set their own colours over it.
QPalette PaletaLegible(QPalette paleta) {
    const QColor inactivo(0x66, 0x66, 0x66);
    for (const QPalette::ColorRole papel :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        paleta.setColor(QPalette::Disabled, papel, inactivo);
    for (const QPalette::ColorGroup grupo : {QPalette::Active, QPalette::Inactive}) {
        paleta.setColor(grupo, QPalette::Highlight, QColor(0x2a, 0x6d, 0xb5));
        paleta.setColor(grupo, QPalette::HighlightedText, Qt::white);
    }
    return paleta;
}

} // namespace

TSkinData::TSkinData(QObject* padre) : QObject(padre) {
    setObjectName(u"SD"_s);
    Motores().append(this);
    if (qApp != nullptr) {
        qApp->installEventFilter(this);
        QApplication::setPalette(PaletaLegible(QApplication::palette()));
    }
}

TSkinData::~TSkinData() {
    // The look goes with the engine.
    if (FSkinActual != 0 && qApp != nullptr) {
        qApp->setStyleSheet(QString());
        TMarcoSkin::ActivarTodos(false);
    }
    Motores().removeAll(this);
}

TSkinData* TSkinData::Actual() {
    return Motores().isEmpty() ? nullptr : Motores().constLast();
}

QStringList TSkinData::NombresSkins() {
    return {u"Sin Skin..."_s, u"Vista"_s,  u"Metal"_s, u"Aqua"_s,
            u"Sirius"_s,      u"Optima"_s, u"Smart"_s, u"Bionix"_s};
}

QString TSkinData::ComponenteSkin(int indice) {
    static const char* const componentes[] = {"CSS_Ampix",     "CSS_SmoothGreen", "CSS_SmoothRed",
                                              "CSS_Exclusive", "CSS_ExclusiveXP", "CSS_Longhorn",
                                              "CSS_MediaZone"};
    if (indice < 1 || indice >= NumeroSkins())
        return {};
    return QLatin1String(componentes[indice - 1]);
}

QString TSkinData::CarpetaAlmacenada(int indice) {
    if (indice < 1 || indice >= NumeroSkins())
        return {};
    // Each stored skin's resource folder bears its chooser name.
    return u":/skins/"_s + NombresSkins().at(indice);
}

void TSkinData::setCarpeta(int indice, const QString& carpeta) {
    if (indice < 1 || indice >= NumeroSkins())
        return;
    FCarpetas.insert(indice, carpeta);
    FHojas.remove(indice);
}

std::optional<QString> TSkinData::LeerHoja(const QString& carpeta, bool decodificarImagenes) {
    QFile archivo(carpeta + u"/estilo.qss"_s);
    if (!archivo.open(QIODevice::ReadOnly))
        return std::nullopt;
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString hoja = utf8(archivo.readAll());
    if (utf8.hasError() || hoja.trimmed().isEmpty())
        return std::nullopt;
    // Only plain names of files inside the folder: nothing reaches outside it.
    static const QRegularExpression referencia(u"@IMAGENES@/([^)\"'\\s]*)"_s);
    static const QRegularExpression nombreValido(u"^[A-Za-z0-9_-][A-Za-z0-9_.-]*$"_s);
    const QDir dir(carpeta);
    for (auto it = referencia.globalMatch(hoja); it.hasNext();) {
        const QString nombre = it.next().captured(1);
        if (!nombreValido.match(nombre).hasMatch() || !dir.exists(nombre))
            return std::nullopt;
        if (decodificarImagenes && QImage(dir.filePath(nombre)).isNull())
            return std::nullopt;
    }
    return hoja.replace(u"@IMAGENES@"_s, carpeta);
}

std::optional<QString> TSkinData::Hoja(int indice) {
    if (auto it = FHojas.constFind(indice); it != FHojas.constEnd())
        return *it;
    // The compiled-in skins are checked whole by the tests; a replacement folder is not.
    const auto reemplazo = FCarpetas.constFind(indice);
    std::optional<QString> hoja = reemplazo != FCarpetas.constEnd()
                                      ? LeerHoja(*reemplazo, true)
                                      : LeerHoja(CarpetaAlmacenada(indice), false);
    if (hoja)
        FHojas.insert(indice, *hoja);
    return hoja;
}

bool TSkinData::AplicarSkin(int indice) {
    if (indice < 0 || indice >= NumeroSkins())
        return false;
    if (indice == FSkinActual)
        return true;
    if (indice == 0) {
        qApp->setStyleSheet(QString());
    } else {
        const std::optional<QString> hoja = Hoja(indice);
        if (!hoja)
            return false;
        qApp->setStyleSheet(*hoja);
    }
    FSkinActual = indice;
    TMarcoSkin::ActivarTodos(indice != 0);
    Q_EMIT SkinCambiado(indice);
    return true;
}

QMenu* TSkinData::CrearMenuEdicion(QWidget* edicion, QWidget* padre) {
    auto* menu = new QMenu(padre);
    menu->setObjectName(u"MenuEdicion"_s);
    auto anadir = [menu](const QString& texto, bool activa, auto accion) {
        QAction* a = menu->addAction(texto);
        a->setEnabled(activa);
        QObject::connect(a, &QAction::triggered, menu, accion);
    };
    const bool hayPortapapeles = !QGuiApplication::clipboard()->text().isEmpty();

    if (auto* linea = qobject_cast<QLineEdit*>(edicion)) {
        QPointer<QLineEdit> l(linea);
        const bool soloLectura = linea->isReadOnly();
        const bool oculto = linea->echoMode() != QLineEdit::Normal;
        const bool sel = linea->hasSelectedText();
        anadir(TextosSkin::Deshacer(), !soloLectura && linea->isUndoAvailable(), [l] {
            if (l)
                l->undo();
        });
        menu->addSeparator();
        anadir(TextosSkin::Cortar(), !soloLectura && sel && !oculto, [l] {
            if (l)
                l->cut();
        });
        anadir(TextosSkin::Copiar(), sel && !oculto, [l] {
            if (l)
                l->copy();
        });
        anadir(TextosSkin::Pegar(), !soloLectura && hayPortapapeles, [l] {
            if (l)
                l->paste();
        });
        anadir(TextosSkin::Borrar(), !soloLectura && sel, [l] {
            if (l)
                l->del();
        });
        menu->addSeparator();
        anadir(TextosSkin::SeleccionarTodo(),
               !linea->text().isEmpty() && linea->selectedText() != linea->text(), [l] {
                   if (l)
                       l->selectAll();
               });
        return menu;
    }

    // QTextEdit and QPlainTextEdit share the operations but not a base class for them.
    auto texto = [&](auto* e) {
        using Tipo = std::remove_pointer_t<decltype(e)>;
        QPointer<Tipo> t(e);
        const bool soloLectura = e->isReadOnly();
        const bool sel = e->textCursor().hasSelection();
        const bool vacio = e->document()->isEmpty();
        anadir(TextosSkin::Deshacer(), !soloLectura && e->document()->isUndoAvailable(), [t] {
            if (t)
                t->undo();
        });
        menu->addSeparator();
        anadir(TextosSkin::Cortar(), !soloLectura && sel, [t] {
            if (t)
                t->cut();
        });
        anadir(TextosSkin::Copiar(), sel, [t] {
            if (t)
                t->copy();
        });
        anadir(TextosSkin::Pegar(), !soloLectura && hayPortapapeles, [t] {
            if (t)
                t->paste();
        });
        anadir(TextosSkin::Borrar(), !soloLectura && sel, [t] {
            if (t)
                t->textCursor().removeSelectedText();
        });
        menu->addSeparator();
        anadir(TextosSkin::SeleccionarTodo(), !vacio, [t] {
            if (t)
                t->selectAll();
        });
    };
    if (auto* t = qobject_cast<QTextEdit*>(edicion)) {
        texto(t);
        return menu;
    }
    if (auto* t = qobject_cast<QPlainTextEdit*>(edicion)) {
        texto(t);
        return menu;
    }
    delete menu;
    return nullptr;
}

bool TSkinData::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() != QEvent::ContextMenu || !objeto->isWidgetType() || Actual() != this)
        return QObject::eventFilter(objeto, evento);
    auto* w = static_cast<QWidget*>(objeto);
    // Text edits receive their context menu events on the viewport.
    if (auto* area = qobject_cast<QAbstractScrollArea*>(w->parentWidget());
        area != nullptr && area->viewport() == w)
        w = area;
    if (!w->isEnabled() || w->contextMenuPolicy() != Qt::DefaultContextMenu)
        return QObject::eventFilter(objeto, evento);
    QMenu* menu = CrearMenuEdicion(w);
    if (menu == nullptr)
        return QObject::eventFilter(objeto, evento);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(static_cast<QContextMenuEvent*>(evento)->globalPos());
    return true;
}
