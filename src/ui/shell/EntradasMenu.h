#pragma once

#include <QList>
#include <QString>

#include <functional>

class QBoxLayout;
class QPushButton;
class QWidget;

// One entry of a hub or menu: a button (whose whole area acts) with its component name, its
// caption (translated through the window texts) and what it does.
struct TEntradaMenu
{
    QString nombre;
    QString texto;
    std::function<void()> accion;
};

// Creates one button per entry, in order, inside `padre` and adds it to `disposicion`.
QList<QPushButton *> CrearEntradas(QWidget *padre, QBoxLayout *disposicion,
                                   const QList<TEntradaMenu> &entradas);
