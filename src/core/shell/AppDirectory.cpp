#include "core/shell/AppDirectory.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

AppDirectory g_current;

bool isWritableDirectory(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isDir())
        return false;
    // The permission bits do not tell about read-only mounts; a real file does.
    QTemporaryFile probe(QDir(path).filePath(QStringLiteral(".write-probe-XXXXXX")));
    return probe.open();
}

} // namespace

AppDirectory::AppDirectory(QString path)
    : m_path(QDir::cleanPath(QDir(path).absolutePath()))
{ }

QString appDirArgument(const QStringList &arguments)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--appdir") && i + 1 < arguments.size())
            return arguments.at(i + 1);
        if (argument.startsWith(QLatin1String("--appdir=")))
            return argument.mid(9);
    }
    return {};
}

AppDirectory AppDirectory::resolve(const QStringList &arguments, const QString &executableDir)
{
    QString chosen = appDirArgument(arguments);
    if (chosen.isEmpty())
        chosen = isWritableDirectory(executableDir)
                ? executableDir
                : QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(chosen);
    return AppDirectory(chosen);
}

const AppDirectory &AppDirectory::current()
{
    return g_current;
}

void AppDirectory::setCurrent(const AppDirectory &directory)
{
    g_current = directory;
}

bool AppDirectory::isUsable() const
{
    return isWritableDirectory(m_path);
}

QString AppDirectory::file(const QString &name) const
{
    return QDir(m_path).filePath(name);
}
