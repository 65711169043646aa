#include "core/shell/MachinePackages.h"

#include "core/shell/uLog.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

const QString kPrefix = QStringLiteral("Kelvo_Version_");

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool allDigits(const QString &text)
{
    return !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), isAsciiDigit);
}

// The whole part of a number text (digits, optionally "-" and more digits); nothing when the
// text breaks the rule or the number does not fit.
std::optional<int> wholePart(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('-'));
    if (parts.size() > 2 || !std::all_of(parts.cbegin(), parts.cend(), allDigits))
        return std::nullopt;
    bool ok = false;
    const int value = parts.first().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

QStringList MachinePackages::list(const QString &directory)
{
    const QDir dir(directory);
    QStringList paths;
    const QFileInfoList entries = dir.entryInfoList({kPrefix + QStringLiteral("*.tar.gz")},
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
        if (!number(info.fileName())) {
            Log(QStringLiteral(": ERROR:Paquete de maquina ignorado, su nombre no da un numero: ")
                + info.fileName());
            continue;
        }
        if (info.size() == 0) {
            QFile::remove(path);
            return info.fileName();
        }
        install(path);
    }
    return {};
}

std::optional<int> MachinePackages::number(const QString &fileName)
{
    if (!fileName.startsWith(kPrefix))
        return std::nullopt;
    const QString rest = fileName.mid(kPrefix.size());
    return wholePart(rest.left(rest.indexOf(QLatin1Char('.'))));
}

bool MachinePackages::validNumberText(const QString &text)
{
    return wholePart(text).has_value();
}

QString MachinePackages::fileName(const QString &numberText)
{
    return kPrefix + numberText + QStringLiteral(".tar.gz");
}

bool MachinePackages::looksLikeGzip(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(2) == QByteArrayLiteral("\x1f\x8b");
}
