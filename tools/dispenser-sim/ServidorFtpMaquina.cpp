#include "ServidorFtpMaquina.h"

#include <QDeadlineTimer>
#include <QFileInfo>

namespace {

// Python and the FTP library take a moment to start on a busy machine.
constexpr int kEsperaArranqueMs = 15000;
constexpr int kEsperaFinMs = 3000;

// The FTP library comes as a package of the system (scripts/packages.txt), so the system's
// Python runs the server even when another Python comes first in PATH.
QString Python()
{
    const QString sistema = QStringLiteral("/usr/bin/python3");
    return QFileInfo(sistema).isExecutable() ? sistema : QStringLiteral("python3");
}

} // namespace

ServidorFtpMaquina::ServidorFtpMaquina(QObject *parent)
    : QObject(parent)
{
    m_proceso.setProcessChannelMode(QProcess::MergedChannels);
    connect(&m_proceso, &QProcess::readyReadStandardOutput, this, &ServidorFtpMaquina::LeerSalida);
    connect(&m_proceso, &QProcess::finished, this, [this](int codigo) {
        m_puerto = 0;
        emit registro(QStringLiteral("FTP server ended (exit code %1)").arg(codigo));
    });
}

ServidorFtpMaquina::~ServidorFtpMaquina()
{
    m_proceso.disconnect(this);
    Detener();
}

bool ServidorFtpMaquina::Iniciar(const Parametros &parametros)
{
    Detener();
    m_parametros = parametros;
    m_proceso.start(Python(), Argumentos());
    const QDeadlineTimer limite(kEsperaArranqueMs);
    // Its output is read as it arrives (LeerSalida): the port comes with "LISTO".
    while (m_puerto == 0 && m_proceso.state() != QProcess::NotRunning && !limite.hasExpired())
        m_proceso.waitForReadyRead(int(limite.remainingTime()));
    if (m_puerto == 0) {
        emit registro(QStringLiteral("the FTP server did not start: ") + m_proceso.errorString());
        Detener();
        return false;
    }
    emit registro(
            QStringLiteral("FTP server on 127.0.0.1:%1, root %2").arg(m_puerto).arg(parametros.directorio));
    return true;
}

void ServidorFtpMaquina::Detener()
{
    if (m_proceso.state() == QProcess::NotRunning)
        return;
    m_proceso.closeWriteChannel(); // the server's signal to end
    if (!m_proceso.waitForFinished(kEsperaFinMs)) {
        m_proceso.kill();
        m_proceso.waitForFinished(kEsperaFinMs);
    }
    m_puerto = 0;
}

QStringList ServidorFtpMaquina::Argumentos() const
{
    QStringList argumentos {m_parametros.script,
                            QStringLiteral("--puerto"),
                            QString::number(m_parametros.puerto),
                            QStringLiteral("--directorio"),
                            m_parametros.directorio,
                            QStringLiteral("--usuario"),
                            QStringLiteral("root"),
                            QStringLiteral("--clave"),
                            m_parametros.clave};
    if (m_parametros.rechazarSubida)
        argumentos << QStringLiteral("--rechazar-subida");
    if (m_parametros.cortarTras > 0)
        argumentos << QStringLiteral("--cortar-tras") << QString::number(m_parametros.cortarTras);
    if (m_parametros.bytesPorSegundo > 0)
        argumentos << QStringLiteral("--lento") << QString::number(m_parametros.bytesPorSegundo);
    return argumentos;
}

void ServidorFtpMaquina::LeerSalida()
{
    while (m_proceso.canReadLine()) {
        const QString linea = QString::fromUtf8(m_proceso.readLine()).trimmed();
        if (m_puerto == 0 && linea.startsWith(QLatin1String("LISTO ")))
            m_puerto = linea.mid(6).toUShort();
        else
            emit registro(QStringLiteral("FTP server: ") + linea);
    }
}
