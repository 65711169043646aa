#include "core/shell/Version.h"

QString VersionBuild()
{
    return QString::number(PASTILLERO_VERSION_BUILD);
}

QString VersionTexto()
{
    return QStringLiteral("Version %1.%2.%3.%4")
            .arg(PASTILLERO_VERSION_MAJOR)
            .arg(PASTILLERO_VERSION_MINOR)
            .arg(PASTILLERO_VERSION_PATCH)
            .arg(PASTILLERO_VERSION_BUILD);
}
