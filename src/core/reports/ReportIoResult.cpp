#include "core/reports/ReportIoResult.h"

#include "core/common/EscrituraSegura.h"
#include "core/i18n/ULenguaje.h"

#include <QSaveFile>

ReportIoResult ReportIoResult::cannotWrite(const QString &path, const QString &detail)
{
    QString message = Traducir(QStringLiteral("ERR_INFORME_NO_GUARDA"),
                               QStringLiteral("NO SE HA PODIDO GUARDAR EL ARCHIVO: "))
            + path;
    if (!detail.isEmpty())
        message += QStringLiteral(" (") + detail + QLatin1Char(')');
    return failure(message);
}

ReportIoResult commitWhole(QSaveFile &file)
{
    if (!ConfirmarEscritura(file))
        return ReportIoResult::cannotWrite(file.fileName(), file.errorString());
    return ReportIoResult::success();
}

ReportIoResult writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return ReportIoResult::cannotWrite(path, file.errorString());
    if (file.write(bytes) != bytes.size())
        return ReportIoResult::cannotWrite(path, file.errorString());
    return commitWhole(file);
}
