#include "core/reports/CorreoInforme.h"

#include "core/i18n/ULenguaje.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

CorreoInforme::CorreoInforme(Launcher launcher)
    : m_launcher(std::move(launcher))
{ }

ReportIoResult CorreoInforme::enviar(const QString &attachment) const
{
    const QString program = QStringLiteral("xdg-email");
    // The attachment goes as an absolute path so that no working directory is involved.
    const QStringList arguments {QStringLiteral("--attach"), QFileInfo(attachment).absoluteFilePath()};
    if (!m_launcher(program, arguments)) {
        return ReportIoResult::failure(Traducir(QStringLiteral("MSG_ERROR_SEN_MAIL"),
                                                QStringLiteral("Error while trying to send email")));
    }
    return ReportIoResult::success();
}

bool CorreoInforme::startDetached(const QString &program, const QStringList &arguments)
{
    const QString path = QStandardPaths::findExecutable(program);
    return !path.isEmpty() && QProcess::startDetached(path, arguments);
}
