#include "app/Aplicacion.h"

#include "core/data/ManejadorErrores.h"

#include <QIcon>

Aplicacion::Aplicacion(int &argc, char **argv)
    : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("pastillero"));
    setOrganizationName(QStringLiteral("pastillero"));
    // Ties the windows to the desktop entry, so the menu's icon and name are the running ones.
    setDesktopFileName(QStringLiteral("pastillero"));
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icono/%1x%1/apps/pastillero.png").arg(size), QSize(size, size));
    setWindowIcon(icon);
}

bool Aplicacion::notify(QObject *receiver, QEvent *event)
{
    bool handled = false;
    ManejadorErrores::Proteger([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
