#include "ui/shell/SoporteSat.h"

#include "core/i18n/ULenguaje.h"
#include "core/shell/AppDirectory.h"
#include "core/shell/SolicitudSoporte.h"
#include "ui/shell/Mensajes.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

void EnviarSolicitudSoporte()
{
    if (SolicitudSoporte() == kCorreoEntregado)
        return;
    MostrarError(Traducir(QStringLiteral("MSG_ERROR_SEN_MAIL"),
                          QStringLiteral("Error while trying to send email")));
    QDesktopServices::openUrl(
            QUrl::fromLocalFile(QFileInfo(AppDirectory::current().logFile()).absolutePath()));
}
