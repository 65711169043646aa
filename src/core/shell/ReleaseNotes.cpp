#include "core/shell/ReleaseNotes.h"

#include "core/shell/AppDirectory.h"
#include "core/shell/Version.h"

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

} // namespace ReleaseNotes
