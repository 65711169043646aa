#include "core/shell/uLog.h"

#include "core/common/Clock.h"
#include "core/shell/IniFile.h"

#include <QFile>

namespace {

int g_logActivo = 0;
QString g_logPath;

} // namespace

namespace uLog {

void IniciarLog(const IniFile &ini, const QString &logPath)
{
    g_logPath = logPath;
    g_logActivo = ini.readInteger(QStringLiteral("TALLER"), QStringLiteral("TEST"), 0);
    if (g_logActivo != 1)
        g_logActivo = ini.readInteger(QStringLiteral("VERSION"), QStringLiteral("LOG"), 0);
}

int LogActivo()
{
    return g_logActivo;
}

void Log(const QString &mensaje)
{
    if (g_logActivo != 1 || mensaje.isEmpty() || g_logPath.isEmpty())
        return;
    // Append only: if the file cannot be opened for appending the entry is dropped rather
    // than recreating (and so emptying) the log the support service depends on.
    QFile file(g_logPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    const QString stamp = Clock::now().toString(QStringLiteral("dd/MM/yy HH:mm:ss"));
    file.write((stamp + QLatin1Char(' ') + mensaje + QStringLiteral("\r\n")).toUtf8());
}

void CerrarLog()
{
    g_logActivo = 0;
    g_logPath.clear();
}

} // namespace uLog
