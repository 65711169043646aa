#include "ui/users/Derechos.h"

#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "ui/shell/Mensajes.h"

bool PermisoCambioTratamiento()
{
    if (DM().EsFarmaceutico())
        return true;
    MostrarAviso(Traducir(QStringLiteral("WRN_CAMBIO_TRATAMIENTO"),
                          QStringLiteral("NO TIENES PERMISO PARA MODIFICAR TRATAMIENTO")));
    return false;
}
