#include "core/reports/CorreoInforme.h"

#include "core/i18n/ULenguaje.h"
#include "core/shell/EnviarCorreo.h"

#include <QDir>
#include <QFileInfo>

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
    return EjecutarProgramaCorreo(program, arguments) == kCorreoEntregado;
}
