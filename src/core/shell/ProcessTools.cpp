#include "core/shell/ProcessTools.h"

#include "core/common/AppError.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <QTimer>

#include <csignal>
#include <sys/types.h>

namespace {

bool sameName(const QString &candidate, const QString &wanted)
{
    return !candidate.isEmpty()
            && (QFileInfo(candidate).fileName().compare(wanted, Qt::CaseInsensitive) == 0
                || candidate.compare(wanted, Qt::CaseInsensitive) == 0);
}

QString firstArgument(const QString &procDir)
{
    QFile file(procDir + QStringLiteral("/cmdline"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.read(4096);
    return QString::fromLocal8Bit(bytes.left(bytes.indexOf('\0')));
}

bool processAlive(qint64 pid)
{
    return ::kill(static_cast<pid_t>(pid), 0) == 0;
}

} // namespace

bool ProcesoActivo(const QString &nombreEjecutable)
{
    const QDir proc(QStringLiteral("/proc"));
    const QStringList entries = proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        bool isPid = false;
        entry.toLongLong(&isPid);
        if (!isPid)
            continue;
        const QString dir = proc.filePath(entry);
        if (sameName(QFileInfo(dir + QStringLiteral("/exe")).symLinkTarget(), nombreEjecutable)
            || sameName(firstArgument(dir), nombreEjecutable))
            return true;
    }
    return false;
}

qint64 EjecutarPrograma(const QString &programa, const QString &parametros, bool esperar)
{
    qint64 pid = 0;
    if (!QProcess::startDetached(programa, QProcess::splitCommand(parametros), QString(), &pid))
        throw AppError(QStringLiteral("No se puede inicializar la aplicacion"));
    if (!esperar)
        return pid;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (!processAlive(pid) || QCoreApplication::closingDown())
            loop.quit();
    });
    if (QCoreApplication::instance())
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, &loop,
                         &QEventLoop::quit);
    poll.start(100);
    loop.exec();
    return pid;
}

void EsperarMientrasActivo(const QString &nombreEjecutable)
{
    while (ProcesoActivo(nombreEjecutable))
        QThread::msleep(500);
}
