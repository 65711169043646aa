#pragma once

#include <QString>

class AppDirectory;

// Release notes are shown once after an update changed the build number: the build of the
// last run is kept as VERSION/Kelvo_SV of the initialisation file.
namespace ReleaseNotes {

bool buildChanged(const QString &storedBuild);

// "Version.log" for language "0" (Spanish), else "Version_" + the language code + ".log".
QString notesFile(const AppDirectory &directory, const QString &idioma, const QString &codigoIdioma);

} // namespace ReleaseNotes
