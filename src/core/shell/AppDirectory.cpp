#include "core/shell/AppDirectory.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStorageInfo>
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

QString AppDirectory::installedFilesDir(const QString &executableDir)
{
    if (QFileInfo(executableDir).fileName() != QLatin1String("bin"))
        return {};
    const QString shared = QDir::cleanPath(executableDir + QStringLiteral("/../share/pastillero"));
    return QFileInfo(shared).isDir() ? shared : QString();
}

AppDirectory AppDirectory::resolve(const QStringList &arguments, const QString &executableDir)
{
    const QString installedFiles = installedFilesDir(executableDir);
    QString chosen = appDirArgument(arguments);
    // An installed copy never writes beside its executable, even when it could (run by root):
    // the package manager owns that folder and each user keeps their own pharmacy files.
    if (chosen.isEmpty())
        chosen = installedFiles.isEmpty() && isWritableDirectory(executableDir)
                ? executableDir
                : QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(chosen);
    AppDirectory directory(chosen);
    directory.m_installedFiles = installedFiles;
    return directory;
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

bool AppDirectory::hasRoomToWork() const
{
    // The folder may be missing when its disk refused even to create it: ask the nearest parent.
    QString existing = m_path;
    while (!QFileInfo::exists(existing) && existing != QFileInfo(existing).absolutePath())
        existing = QFileInfo(existing).absolutePath();
    const QStorageInfo disk(existing);
    // A filesystem that does not report its space is not refused for it.
    return !disk.isValid() || disk.bytesAvailable() < 0 || disk.bytesAvailable() >= kMinimumFreeBytes;
}

QString AppDirectory::shippedCatalogueFile() const
{
    return m_installedFiles.isEmpty() ? QString() : QDir(m_installedFiles).filePath(kCatalogueName);
}

QString AppDirectory::file(const QString &name) const
{
    return QDir(m_path).filePath(name);
}
