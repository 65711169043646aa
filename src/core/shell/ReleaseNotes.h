#pragma once

#include <QString>
#include <QStringList>

class AppDirectory;

// Release notes are shown once after an update changed the build number: the build of the
// last run is kept as VERSION/Kelvo_SV of the initialisation file.
namespace ReleaseNotes {

// The build that asks for the whole notes file instead of the notes newer than a build.
inline const QString kWholeFile = QStringLiteral("000");

bool buildChanged(const QString &storedBuild);

// "Version.log" for language "0" (Spanish), else "Version_" + the language code + ".log".
QString notesFile(const AppDirectory &directory, const QString &idioma, const QString &codigoIdioma);
// The same for a stored language; with no language stored (the language dialog left with only
// a country) the notes are the Spanish ones.
QString notesFile(const AppDirectory &directory, const QString &idioma);

// The lines of a notes file, read as files of older installations are read (UTF-8, else
// Windows-1252), split on CRLF or LF; nothing when it cannot be read.
QStringList readNotes(const QString &file);

// The lines the release-notes viewer lists. In a notes file a line starting with "|||*" opens
// the notes, a line starting with "|*|" heads a version ("|*|1.0.0.18") and any other line is
// note text. With the build kWholeFile every line, "|||*" written as "*" and "|*|" removed;
// otherwise the notes of every version newer than the build: the version lines after the
// opening one up to the first version that is the build or older than it.
QStringList notesSince(const QStringList &lines, const QString &build);

} // namespace ReleaseNotes
