#pragma once

#include <QString>

#include <optional>

// A machine software package found in the machine's "/tmp", as the machine reads its file name:
// "Kelvo_Version_<build>.tar.gz" brings a new build of the installed version;
// "Kelvo_Version_<major>-<minor>.tar.gz" and "Kelvo_uPC_v<major>.<minor>" bring a new version.
struct PaqueteSoftware
{
    QString archivo; // its path
    QString version; // the version it installs ("1.3", "2.0"); empty for a build package
    int build = 0; // the build it installs, for a build package

    // The package `archivo` is, by its name; none when the name is not a package's.
    static std::optional<PaqueteSoftware> Leer(const QString &archivo);
    // The package written last into `carpeta`; none when it holds none.
    static std::optional<PaqueteSoftware> MasReciente(const QString &carpeta);
};
