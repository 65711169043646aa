#pragma once

#include <QList>
#include <QString>

class QObject;

// The texts of a window that the catalogue may translate and capture, by the property names
// its keys use: "windowTitle", "text", "title", "toolTip", "placeholderText", and the list
// texts "items" (combo and list boxes), "headers" (the column headings of tables and trees,
// and of grids over a model of the window's own, a QStandardItemModel) and "tabs". Nothing
// else of a window can be reached from a catalogue line. A list text joins its entries
// with "#".
namespace TextosVentana {

struct TPropiedad
{
    QString Nombre;
    bool Lista = false;
};

// The properties of the object that are captured, in capture order. The window title counts
// only for the window itself (`esVentana`) and dock panels.
QList<TPropiedad> Propiedades(const QObject &objeto, bool esVentana);

QString Leer(const QObject &objeto, const QString &propiedad);

// Sets a text property (also to an empty text) or a list: the items of a combo or list box
// become exactly the text's entries; headers and tabs are renamed position by position (never
// adding or removing a column or a page). An empty list text changes nothing. The property name
// is compared without regard to case. False when the object has no such translatable property.
bool Escribir(QObject &objeto, const QString &propiedad, const QString &texto);

} // namespace TextosVentana
