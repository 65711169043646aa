#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Machine software packages ("Kelvo_Version_*.tar.gz") waiting in the application directory
// to be sent to the dispenser machine.
class MachinePackages
{
public:
    using Installer = std::function<void(const QString &packagePath)>;

    // The package files of the directory (folders skipped), in name order.
    static QStringList list(const QString &directory);

    // Hands each package to `install` in order. An empty file (a failed download) stops the
    // scan: it is deleted and its file name returned for the error message; otherwise the
    // result is empty.
    static QString scan(const QString &directory, const Installer &install);
};
