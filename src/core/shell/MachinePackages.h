#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// Machine software packages ("Kelvo_Version_*.tar.gz") waiting in the application directory
// to be sent to the dispenser machine.
class MachinePackages
{
public:
    using Installer = std::function<void(const QString &packagePath)>;

    // The package files of the directory (folders skipped), in name order.
    static QStringList list(const QString &directory);

    // Hands each package to `install` in order. A file whose name carries no valid package
    // number is skipped and logged. An empty file (a failed download) stops the scan: it is
    // deleted and its file name returned for the error message; otherwise the result is empty.
    static QString scan(const QString &directory, const Installer &install);

    // The package's number from its file name "Kelvo_Version_<x>.tar.gz": the text after the
    // second "_" up to the first ".", where "-" stands for the decimal point ("2-0" is 2.0),
    // truncated to a whole number. Nothing when the name is not of that form.
    static std::optional<int> number(const QString &fileName);

    // Whether a package number as the update server publishes it ("MAQ" of "update.ini") is
    // digits with at most one "-" between digits: only such a text ever becomes a file name.
    static bool validNumberText(const QString &text);

    // "Kelvo_Version_" + numberText + ".tar.gz".
    static QString fileName(const QString &numberText);

    // Whether the file starts as a gzip stream does (0x1f 0x8b): a package the machine can
    // unpack, not an error page a server sent instead.
    static bool looksLikeGzip(const QString &path);
};
