#include "core/shell/MachinePackages.h"

#include <QDir>
#include <QFileInfo>

QStringList MachinePackages::list(const QString &directory)
{
    const QDir dir(directory);
    QStringList paths;
    const QFileInfoList entries = dir.entryInfoList({QStringLiteral("Kelvo_Version_*.tar.gz")},
                                                    QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo &entry : entries)
        paths << entry.absoluteFilePath();
    return paths;
}

QString MachinePackages::scan(const QString &directory, const Installer &install)
{
    const QStringList packages = list(directory);
    for (const QString &path : packages) {
        const QFileInfo info(path);
        if (info.size() == 0) {
            QFile::remove(path);
            return info.fileName();
        }
        install(path);
    }
    return {};
}
