#include "ui/i18n/TextosVentana.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTextEdit>
#include <QTreeView>
#include <QTreeWidget>

#include <functional>

namespace {

const QChar kSeparadorLista = QLatin1Char('#');

template<typename T> const T *Como(const QObject &objeto)
{
    return qobject_cast<const T *>(&objeto);
}

template<typename T> T *Como(QObject &objeto)
{
    return qobject_cast<T *>(&objeto);
}

// One translatable property: which objects have it and how its text is read and written. A
// text property reads and writes one entry; a list property all its entries at once.
struct TAcceso
{
    QLatin1String nombre;
    bool lista;
    std::function<bool(const QObject &)> tiene;
    std::function<QStringList(const QObject &)> leer;
    std::function<void(QObject &, const QStringList &)> escribir;
};

// A text property's writer from a writer of one text.
template<typename Escritor> auto DeTexto(Escritor escribir)
{
    return [escribir](QObject &o, const QStringList &textos) { escribir(o, textos.value(0)); };
}

// Headers and tabs are the screen's structure: the texts rename them position by position and
// never add or remove a column or a page.
template<typename Escritor> auto PorPosicion(Escritor escribir)
{
    return [escribir](QObject &o, const QStringList &textos) {
        for (int i = 0; i < textos.size(); ++i)
            escribir(o, i, textos.at(i));
    };
}

// The items of a drop-down or list box become exactly the line's items; the selected position
// is kept where the new list still has it. A list of as many items is renamed in place, so the
// values the window keeps with its items stay with them.
void ReemplazarElementos(QObject &objeto, const QStringList &textos)
{
    const QSignalBlocker bloqueo(&objeto);
    if (auto *combo = Como<QComboBox>(objeto)) {
        if (combo->count() == textos.size()) {
            for (int i = 0; i < textos.size(); ++i)
                combo->setItemText(i, textos.at(i));
            return;
        }
        const int actual = combo->currentIndex();
        combo->clear();
        combo->addItems(textos);
        combo->setCurrentIndex(actual < textos.size() ? actual : 0);
        return;
    }
    auto *lista = Como<QListWidget>(objeto);
    if (lista->count() == textos.size()) {
        for (int i = 0; i < textos.size(); ++i)
            lista->item(i)->setText(textos.at(i));
        return;
    }
    const int actual = lista->currentRow();
    lista->clear();
    lista->addItems(textos);
    if (actual < textos.size())
        lista->setCurrentRow(actual);
}

QStringList Entradas(int cuenta, const std::function<QString(int)> &texto)
{
    QStringList entradas;
    for (int i = 0; i < cuenta; ++i)
        entradas << texto(i);
    return entradas;
}

// A grid over a model of the window's own (not one of data that names its columns itself).
const QStandardItemModel *ModeloPropio(const QObject &objeto)
{
    const auto *vista = Como<QAbstractItemView>(objeto);
    return vista ? qobject_cast<const QStandardItemModel *>(vista->model()) : nullptr;
}

bool TieneCabeceras(const QObject &objeto)
{
    return Como<QTableWidget>(objeto) || Como<QTreeWidget>(objeto)
            || ((Como<QTableView>(objeto) || Como<QTreeView>(objeto)) && ModeloPropio(objeto));
}

QStringList Cabeceras(const QObject &objeto)
{
    if (const auto *tabla = Como<QTableWidget>(objeto))
        return Entradas(tabla->columnCount(), [tabla](int i) {
            const QTableWidgetItem *item = tabla->horizontalHeaderItem(i);
            return item ? item->text() : QString();
        });
    if (const auto *arbol = Como<QTreeWidget>(objeto))
        return Entradas(arbol->columnCount(), [arbol](int i) { return arbol->headerItem()->text(i); });
    const QStandardItemModel *modelo = ModeloPropio(objeto);
    return Entradas(modelo->columnCount(),
                    [modelo](int i) { return modelo->headerData(i, Qt::Horizontal).toString(); });
}

void EscribirCabecera(QObject &objeto, int indice, const QString &texto)
{
    if (auto *tabla = Como<QTableWidget>(objeto)) {
        if (indice >= tabla->columnCount())
            return;
        if (!tabla->horizontalHeaderItem(indice))
            tabla->setHorizontalHeaderItem(indice, new QTableWidgetItem);
        tabla->horizontalHeaderItem(indice)->setText(texto);
        return;
    }
    if (auto *arbol = Como<QTreeWidget>(objeto)) {
        if (indice < arbol->columnCount())
            arbol->headerItem()->setText(indice, texto);
        return;
    }
    auto *modelo = const_cast<QStandardItemModel *>(ModeloPropio(objeto));
    if (indice < modelo->columnCount())
        modelo->setHeaderData(indice, Qt::Horizontal, texto);
}

const QList<TAcceso> &Accesos()
{
    static const QList<TAcceso> accesos = {
            {QLatin1String("windowTitle"), false, [](const QObject &o) { return o.isWidgetType(); },
             [](const QObject &o) { return QStringList {static_cast<const QWidget &>(o).windowTitle()}; },
             DeTexto([](QObject &o, const QString &t) { static_cast<QWidget &>(o).setWindowTitle(t); })},
            {QLatin1String("text"), false,
             [](const QObject &o) { return Como<QLabel>(o) || Como<QAbstractButton>(o) || Como<QAction>(o); },
             [](const QObject &o) {
                 if (const auto *etiqueta = Como<QLabel>(o))
                     return QStringList {etiqueta->text()};
                 if (const auto *boton = Como<QAbstractButton>(o))
                     return QStringList {boton->text()};
                 return QStringList {Como<QAction>(o)->text()};
             },
             DeTexto([](QObject &o, const QString &t) {
                 if (auto *etiqueta = Como<QLabel>(o))
                     etiqueta->setText(t);
                 else if (auto *boton = Como<QAbstractButton>(o))
                     boton->setText(t);
                 else
                     Como<QAction>(o)->setText(t);
             })},
            {QLatin1String("title"), false,
             [](const QObject &o) { return Como<QGroupBox>(o) || Como<QMenu>(o); },
             [](const QObject &o) {
                 if (const auto *grupo = Como<QGroupBox>(o))
                     return QStringList {grupo->title()};
                 return QStringList {Como<QMenu>(o)->title()};
             },
             DeTexto([](QObject &o, const QString &t) {
                 if (auto *grupo = Como<QGroupBox>(o))
                     grupo->setTitle(t);
                 else
                     Como<QMenu>(o)->setTitle(t);
             })},
            // An action's tool tip follows its text unless set; it is not a text of its own.
            {QLatin1String("toolTip"), false, [](const QObject &o) { return o.isWidgetType(); },
             [](const QObject &o) { return QStringList {o.property("toolTip").toString()}; },
             DeTexto([](QObject &o, const QString &t) { o.setProperty("toolTip", t); })},
            {QLatin1String("placeholderText"), false,
             [](const QObject &o) {
                 return Como<QLineEdit>(o) || Como<QTextEdit>(o) || Como<QPlainTextEdit>(o)
                         || Como<QComboBox>(o);
             },
             [](const QObject &o) { return QStringList {o.property("placeholderText").toString()}; },
             DeTexto([](QObject &o, const QString &t) { o.setProperty("placeholderText", t); })},
            {QLatin1String("items"), true,
             [](const QObject &o) { return Como<QComboBox>(o) || Como<QListWidget>(o); },
             [](const QObject &o) {
                 if (const auto *combo = Como<QComboBox>(o))
                     return Entradas(combo->count(), [combo](int i) { return combo->itemText(i); });
                 const auto *lista = Como<QListWidget>(o);
                 return Entradas(lista->count(), [lista](int i) { return lista->item(i)->text(); });
             },
             ReemplazarElementos},
            {QLatin1String("headers"), true, TieneCabeceras, Cabeceras, PorPosicion(EscribirCabecera)},
            {QLatin1String("tabs"), true, [](const QObject &o) { return Como<QTabWidget>(o); },
             [](const QObject &o) {
                 const auto *pestanas = Como<QTabWidget>(o);
                 return Entradas(pestanas->count(), [pestanas](int i) { return pestanas->tabText(i); });
             },
             PorPosicion([](QObject &o, int i, const QString &t) {
                 if (auto *pestanas = Como<QTabWidget>(o); i < pestanas->count())
                     pestanas->setTabText(i, t);
             })},
    };
    return accesos;
}

const TAcceso *Acceso(const QObject &objeto, const QString &propiedad)
{
    for (const TAcceso &acceso : Accesos()) {
        if (QString::compare(acceso.nombre, propiedad, Qt::CaseInsensitive) == 0 && acceso.tiene(objeto))
            return &acceso;
    }
    return nullptr;
}

} // namespace

namespace TextosVentana {

QList<TPropiedad> Propiedades(const QObject &objeto, bool esVentana)
{
    QList<TPropiedad> propiedades;
    for (const TAcceso &acceso : Accesos()) {
        if (!acceso.tiene(objeto))
            continue;
        if (acceso.nombre == QLatin1String("windowTitle") && !esVentana && !Como<QDockWidget>(objeto))
            continue;
        propiedades.append({acceso.nombre, acceso.lista});
    }
    return propiedades;
}

QString Leer(const QObject &objeto, const QString &propiedad)
{
    const TAcceso *acceso = Acceso(objeto, propiedad);
    return acceso ? acceso->leer(objeto).join(kSeparadorLista) : QString();
}

bool Escribir(QObject &objeto, const QString &propiedad, const QString &texto)
{
    const TAcceso *acceso = Acceso(objeto, propiedad);
    if (!acceso)
        return false;
    if (!acceso->lista)
        acceso->escribir(objeto, {texto});
    else if (!texto.isEmpty())
        acceso->escribir(objeto, texto.split(kSeparadorLista));
    return true;
}

} // namespace TextosVentana
