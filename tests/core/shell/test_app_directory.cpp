#include "core/shell/AppDirectory.h"
#include "support/TestAppDirectory.h"

#include <QDir>
#include <QStandardPaths>
#include <QTest>

class TestAppDirectoryChoice : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void commandLineWins_data()
    {
        QTest::addColumn<QString>("form");
        QTest::newRow("separate value") << "separate";
        QTest::newRow("joined value") << "joined";
    }
    void commandLineWins()
    {
        QFETCH(QString, form);
        TestAppDirectory exe;
        TestAppDirectory chosen;
        const QString target = chosen.file(QStringLiteral("farmacia"));
        const QStringList arguments = form == QLatin1String("separate")
                ? QStringList {QStringLiteral("pastillero"), QStringLiteral("--appdir"), target}
                : QStringList {QStringLiteral("pastillero"), QStringLiteral("--appdir=") + target};
        const AppDirectory directory = AppDirectory::resolve(arguments, exe.path());
        QCOMPARE(directory.path(), target);
        QVERIFY(directory.isUsable());
        QCOMPARE(directory.iniFile(), target + QStringLiteral("/pastillero.ini"));
    }

    // Where the executable lies decides the folder: the layout is made under a temporary prefix.
    void chosenFromTheExecutablesPlace_data()
    {
        QTest::addColumn<QString>("executableDir");
        QTest::addColumn<QStringList>("shippedFolders");
        QTest::addColumn<bool>("usersDataFolder");
        QTest::newRow("portable: a writable folder") << "farmacia" << QStringList {} << false;
        QTest::newRow("a bin folder without shipped files is portable") << "bin" << QStringList {} << false;
        QTest::newRow("installed: bin beside share/pastillero, writable or not")
                << "bin" << QStringList {"share/pastillero"} << true;
        QTest::newRow("a folder that cannot be written") << "not-there" << QStringList {} << true;
    }
    void chosenFromTheExecutablesPlace()
    {
        QFETCH(QString, executableDir);
        QFETCH(QStringList, shippedFolders);
        QFETCH(bool, usersDataFolder);
        TestAppDirectory prefix;
        if (executableDir != QLatin1String("not-there"))
            QVERIFY(QDir(prefix.path()).mkpath(executableDir));
        for (const QString &folder : shippedFolders)
            QVERIFY(QDir(prefix.path()).mkpath(folder));
        const QString exe = prefix.file(executableDir);

        const AppDirectory directory = AppDirectory::resolve({QStringLiteral("pastillero")}, exe);
        QCOMPARE(directory.path(),
                 usersDataFolder ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) : exe);
        QVERIFY(directory.isUsable());
        QCOMPARE(directory.shippedCatalogueFile(),
                 shippedFolders.isEmpty() ? QString()
                                          : prefix.file(QStringLiteral("share/pastillero/pastillero.lng")));
    }

    void namedFilesKeepTheirNames()
    {
        const AppDirectory directory(QStringLiteral("/srv/farmacia"));
        QCOMPARE(directory.logFile(), QStringLiteral("/srv/farmacia/pastillero.log"));
        QCOMPARE(directory.databaseFile(), QStringLiteral("/srv/farmacia/data.dat"));
        QCOMPARE(directory.pendingUpdaterFile(), QStringLiteral("/srv/farmacia/UPDATE.UPD"));
        QCOMPARE(directory.updaterFile(), QStringLiteral("/srv/farmacia/update.exe"));
        QCOMPARE(directory.maintenanceFile(), QStringLiteral("/srv/farmacia/CompactSave.exe"));
    }
};

QTEST_GUILESS_MAIN(TestAppDirectoryChoice)
#include "test_app_directory.moc"
