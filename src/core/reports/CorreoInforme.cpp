#include "core/reports/CorreoInforme.h"

#include "core/i18n/ULenguaje.h"

#include <QDir>
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
        return ReportIoResult::failure(
                Traducir(QStringLiteral("MSG_SIN_PROGRAMA_CORREO"),
                         QStringLiteral(
                                 "NO HAY NINGUN PROGRAMA DE CORREO DISPONIBLE. EL PDF SE HA GUARDADO EN "
                                 "%1 PARA ADJUNTARLO A MANO."))
                        .arg(QDir::toNativeSeparators(QFileInfo(attachment).absoluteFilePath())));
    }
    return ReportIoResult::success();
}

bool CorreoInforme::entregarAlCorreo(const QString &program, const QStringList &arguments)
{
    constexpr int kEsperaMs = 3000;
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty())
        return false;
    // Owned by nobody once it outlives the wait: it frees itself when the mail program ends.
    auto *proceso = new QProcess;
    QObject::connect(proceso, &QProcess::finished, proceso, &QObject::deleteLater);
    proceso->start(path, arguments);
    if (!proceso->waitForStarted(kEsperaMs)) {
        delete proceso;
        return false;
    }
    if (!proceso->waitForFinished(kEsperaMs))
        return true; // a mail program is open with the message
    const bool aceptado = proceso->exitStatus() == QProcess::NormalExit && proceso->exitCode() == 0;
    proceso->deleteLater();
    return aceptado;
}
