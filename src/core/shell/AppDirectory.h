#pragma once

#include <QString>
#include <QStringList>

// The application directory: where the initialisation file, catalogue, log, database and the
// folders of one installation live. Chosen once at start: "--appdir DIR" on the command line,
// else the user's data directory for an installed copy (a package), else the executable's
// directory when writable (a portable install), else the user's data directory. Paths are
// always built absolute; the working directory is never relied on.
//
// An installed copy has the executable in <prefix>/bin and the files its package ships in
// <prefix>/share/pastillero: read-only, replaced by each new package, never the pharmacy's data.
class AppDirectory
{
public:
    AppDirectory() = default;
    explicit AppDirectory(QString path);

    // The directory the command line and the executable's location select, created if missing.
    static AppDirectory resolve(const QStringList &arguments, const QString &executableDir);

    // The folder of the files an installed copy ships; empty for a portable copy or a build.
    static QString installedFilesDir(const QString &executableDir);

    // The process-wide directory, set once by the start-up sequence.
    static const AppDirectory &current();
    static void setCurrent(const AppDirectory &directory);

    const QString &path() const { return m_path; }
    bool isValid() const { return !m_path.isEmpty(); }
    // An existing folder that accepts new files: an installation cannot run without one.
    bool isUsable() const;
    // Room on its disk for the database and files of a working day: below it the start-up stops
    // before writing anything, rather than fail halfway through a save.
    bool hasRoomToWork() const;
    static constexpr qint64 kMinimumFreeBytes = 16 * 1024 * 1024;
    QString file(const QString &name) const;

    QString iniFile() const { return file(QStringLiteral("pastillero.ini")); }
    QString catalogueFile() const { return file(kCatalogueName); }
    // The catalogue the installed package ships; empty when this copy is not installed.
    QString shippedCatalogueFile() const;
    QString logFile() const { return file(QStringLiteral("pastillero.log")); }
    QString databaseFile() const { return file(QStringLiteral("data.dat")); }
    QString dataLinkFile() const { return file(QStringLiteral("data.udl")); }
    QString backupDir() const { return file(QStringLiteral("backup")); }
    QString filesDir() const { return file(QStringLiteral("files")); }
    QString tempDir() const { return file(QStringLiteral("temp")); }
    // The working folder of downloads from the update server (machine packages included).
    QString updateDir() const { return file(QStringLiteral("UPDATE")); }
    QString pendingUpdaterFile() const { return file(QStringLiteral("UPDATE.UPD")); }
    QString updaterFile() const { return file(kUpdaterName); }
    QString maintenanceFile() const { return file(kMaintenanceName); }

    static inline const QString kCatalogueName = QStringLiteral("pastillero.lng");
    static inline const QString kUpdaterName = QStringLiteral("update.exe");
    static inline const QString kMaintenanceName = QStringLiteral("CompactSave.exe");

private:
    QString m_path;
    QString m_installedFiles;
};

// The value of "--appdir DIR" or "--appdir=DIR"; empty when absent.
QString appDirArgument(const QStringList &arguments);
