#include "core/shell/ReleaseNotes.h"

#include "core/common/TextEncoding.h"
#include "core/i18n/ULenguaje.h"
#include "core/shell/AppDirectory.h"
#include "core/shell/Version.h"

#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <optional>

namespace {

const QString kOpening = QStringLiteral("|||*");
const QString kVersionMark = QStringLiteral("|*|");

QString withoutVersionMarks(QString line)
{
    return line.remove(kVersionMark);
}

// The build of a version line or a stored build as a number, when it is a whole number.
std::optional<qulonglong> wholeNumber(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    bool ok = false;
    const qulonglong number = text.toULongLong(&ok);
    if (!ok || !digits.match(text).hasMatch())
        return std::nullopt;
    return number;
}

// A version line ends the list at the build the workstation had and at any older version: its
// build is the text after the third "." ("18" in "1.0.0.18"), alone or followed by a blank and
// a word ("1.0.0.17 beta").
bool reachesBuild(const QString &versionLine, const QString &build)
{
    const QString versionBuild = withoutVersionMarks(versionLine).section(QLatin1Char('.'), 3);
    const QString buildWord = versionBuild.section(QLatin1Char(' '), 0, 0);
    if (versionBuild == build || buildWord == build)
        return true;
    // The number before the word counts too: an older "17 beta" is not a newer version.
    const auto versionNumber = wholeNumber(buildWord);
    const auto buildNumber = wholeNumber(build);
    return versionNumber && buildNumber && *versionNumber < *buildNumber;
}

QStringList wholeFile(const QStringList &lines)
{
    QStringList shown;
    shown.reserve(lines.size());
    for (const QString &line : lines)
        shown.append(withoutVersionMarks(QString(line).replace(kOpening, QStringLiteral("*"))));
    return shown;
}

} // namespace

namespace ReleaseNotes {

bool buildChanged(const QString &storedBuild)
{
    return storedBuild != VersionBuild();
}

QString notesFile(const AppDirectory &directory, const QString &idioma, const QString &codigoIdioma)
{
    if (idioma == QLatin1String("0"))
        return directory.file(QStringLiteral("Version.log"));
    return directory.file(QStringLiteral("Version_") + codigoIdioma + QStringLiteral(".log"));
}

QString notesFile(const AppDirectory &directory, const QString &idioma)
{
    const QString stored = idioma.isEmpty() ? QStringLiteral("0") : idioma;
    return notesFile(directory, stored, CodigoIdioma(stored));
}

QStringList readNotes(const QString &file)
{
    QFile notes(file);
    if (!notes.open(QIODevice::ReadOnly))
        return {};
    QString text = TextEncoding::decodeUtf8OrWindows1252(notes.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

QStringList notesSince(const QStringList &lines, const QString &build)
{
    if (build == kWholeFile)
        return wholeFile(lines);
    const auto opening = std::find_if(lines.cbegin(), lines.cend(),
                                      [](const QString &line) { return line.startsWith(kOpening); });
    if (opening == lines.cend())
        return {};
    // The opening line and the one after it head the whole file (its title and the line under
    // it); they are left out here, so that a workstation already at the newest build is shown
    // no notes and the list after an update starts with the newest version.
    const qsizetype first = opening - lines.cbegin() + 2;
    QStringList shown;
    for (qsizetype i = first; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (line.startsWith(kVersionMark) && reachesBuild(line, build))
            break;
        shown.append(withoutVersionMarks(line));
    }
    return shown;
}

} // namespace ReleaseNotes
