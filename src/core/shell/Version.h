#pragma once

#include <QString>

// The application's four-component version, set in the build and compiled in.
QString VersionBuild(); // the fourth component (build) as decimal text
QString VersionTexto(); // "Version " and the four components joined by "."
