#include "core/shell/AppDirectory.h"
#include "support/TestAppDirectory.h"

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

    void writableExecutableFolderIsAPortableInstall()
    {
        TestAppDirectory exe;
        QCOMPARE(AppDirectory::resolve({QStringLiteral("pastillero")}, exe.path()).path(), exe.path());
    }

    void otherwiseTheUsersDataFolder()
    {
        TestAppDirectory exe;
        const QString missing = exe.file(QStringLiteral("not-there"));
        const AppDirectory directory = AppDirectory::resolve({QStringLiteral("pastillero")}, missing);
        QCOMPARE(directory.path(), QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
        QVERIFY(directory.isUsable());
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
