#include "core/shell/EnviarCorreo.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

namespace {

constexpr int kEsperaMs = 5000;

// The old mail interface took lines ended by LF CR. In a mailto body (how xdg-email passes it on)
// a bare CR is shown by some mail programs as a stray character or an extra empty line, so each
// line end reaches the mail program as one LF.
QString FinalesDeLineaLF(QString texto)
{
    texto.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    texto.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    texto.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return texto;
}

void AnadirOpcion(QStringList &argumentos, const QString &opcion, const QString &valor)
{
    if (!valor.isEmpty())
        argumentos << opcion << valor;
}

} // namespace

QStringList ArgumentosXdgEmail(const TMensajeCorreo &mensaje)
{
    QStringList argumentos {QStringLiteral("--utf8")};
    AnadirOpcion(argumentos, QStringLiteral("--subject"), mensaje.asunto);
    AnadirOpcion(argumentos, QStringLiteral("--body"), FinalesDeLineaLF(mensaje.cuerpo));
    for (const QString &adjunto : mensaje.adjuntos)
        AnadirOpcion(argumentos, QStringLiteral("--attach"), QFileInfo(adjunto).absoluteFilePath());
    if (!mensaje.para.isEmpty())
        argumentos << mensaje.para;
    return argumentos;
}

int EjecutarProgramaCorreo(const QString &programa, const QStringList &argumentos)
{
    const QString ruta = QStandardPaths::findExecutable(programa);
    if (ruta.isEmpty())
        return kCorreoSinPrograma;
    // Owned by nobody once it outlives the wait: it frees itself when the mail program ends.
    auto *proceso = new QProcess;
    QObject::connect(proceso, &QProcess::finished, proceso, &QObject::deleteLater);
    QEventLoop espera;
    QObject::connect(proceso, &QProcess::finished, &espera, &QEventLoop::quit);
    QObject::connect(proceso, &QProcess::errorOccurred, &espera, [&espera](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            espera.quit();
    });
    QTimer::singleShot(kEsperaMs, &espera, &QEventLoop::quit);
    proceso->start(ruta, argumentos);
    if (proceso->state() != QProcess::NotRunning)
        espera.exec(QEventLoop::ExcludeUserInputEvents);
    if (proceso->state() != QProcess::NotRunning)
        return kCorreoEntregado;
    const bool termino
            = proceso->error() == QProcess::UnknownError && proceso->exitStatus() == QProcess::NormalExit;
    const int resultado = termino ? proceso->exitCode() : kCorreoSinPrograma;
    proceso->deleteLater();
    return resultado;
}

int EnviarCorreo(const TMensajeCorreo &mensaje)
{
    return EjecutarProgramaCorreo(QStringLiteral("xdg-email"), ArgumentosXdgEmail(mensaje));
}
