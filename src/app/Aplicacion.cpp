#include "app/Aplicacion.h"

#include "core/data/ManejadorErrores.h"

Aplicacion::Aplicacion(int &argc, char **argv)
    : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("pastillero"));
    setOrganizationName(QStringLiteral("pastillero"));
}

bool Aplicacion::notify(QObject *receiver, QEvent *event)
{
    bool handled = false;
    ManejadorErrores::Proteger([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
