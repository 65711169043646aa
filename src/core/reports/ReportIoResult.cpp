#include "core/reports/ReportIoResult.h"

#include "core/i18n/ULenguaje.h"

ReportIoResult ReportIoResult::cannotWrite(const QString &path, const QString &detail)
{
    QString message =
        Traducir(QStringLiteral("ERR_INFORME_NO_GUARDA"), QStringLiteral("NO SE HA PODIDO GUARDAR EL ARCHIVO: "))
        + path;
    if (!detail.isEmpty())
        message += QStringLiteral(" (") + detail + QLatin1Char(')');
    return failure(message);
}
