#include "core/shell/MachinePackages.h"
#include "core/shell/PendingUpdater.h"
#include "core/shell/ReleaseNotes.h"
#include "core/shell/Version.h"
#include "support/TestAppDirectory.h"

#include <QDir>
#include <QTest>

// The files the start-up looks at in the application directory: the pending updater, the
// machine software packages and the release notes.
class TestStartupFiles : public QObject
{
    Q_OBJECT

private slots:
    void pendingUpdaterReplacesTheUpdater()
    {
        TestAppDirectory dir;
        dir.write(QStringLiteral("update.exe"), "old updater");
        dir.write(QStringLiteral("UPDATE.UPD"), "new updater");
        QCOMPARE(ApplyPendingUpdater(dir.directory()), PendingUpdaterResult::Replaced);
        QCOMPARE(dir.read(QStringLiteral("update.exe")), QByteArray("new updater"));
        QVERIFY(!dir.exists(QStringLiteral("UPDATE.UPD")));
        QVERIFY(QFileInfo(dir.file(QStringLiteral("update.exe"))).isExecutable());
    }

    void pendingUpdaterWithoutOldUpdater()
    {
        TestAppDirectory dir;
        dir.write(QStringLiteral("UPDATE.UPD"), QByteArray(300000, 'u'));
        QCOMPARE(ApplyPendingUpdater(dir.directory()), PendingUpdaterResult::Replaced);
        QCOMPARE(dir.read(QStringLiteral("update.exe")).size(), 300000);
    }

    void nothingPendingTouchesNothing()
    {
        TestAppDirectory dir;
        dir.write(QStringLiteral("update.exe"), "old updater");
        QCOMPARE(ApplyPendingUpdater(dir.directory()), PendingUpdaterResult::NothingPending);
        QCOMPARE(dir.read(QStringLiteral("update.exe")), QByteArray("old updater"));
    }

    void failedCopyKeepsTheNewCopy()
    {
        TestAppDirectory dir;
        dir.write(QStringLiteral("UPDATE.UPD"), "new updater");
        // The updater's name is taken by a folder the new copy cannot replace.
        dir.write(QStringLiteral("update.exe/inside"), "x");
        QCOMPARE(ApplyPendingUpdater(dir.directory()), PendingUpdaterResult::Failed);
        QCOMPARE(dir.read(QStringLiteral("UPDATE.UPD")), QByteArray("new updater"));
        QCOMPARE(dir.read(QStringLiteral("update.exe/inside")), QByteArray("x"));
    }

    void emptyPackageStopsTheScan()
    {
        TestAppDirectory dir;
        dir.write(QStringLiteral("Kelvo_Version_2.1.tar.gz"), "package");
        dir.write(QStringLiteral("Kelvo_Version_2.2.tar.gz"), "");
        dir.write(QStringLiteral("Kelvo_Version_2.3.tar.gz"), "package");
        QDir().mkpath(dir.file(QStringLiteral("Kelvo_Version_2.0.tar.gz")));
        dir.write(QStringLiteral("Other_Version_9.tar.gz"), "package");

        QStringList handed;
        const QString empty = MachinePackages::scan(
                dir.path(), [&](const QString &path) { handed << QFileInfo(path).fileName(); });
        QCOMPARE(empty, QStringLiteral("Kelvo_Version_2.2.tar.gz"));
        QCOMPARE(handed, QStringList {QStringLiteral("Kelvo_Version_2.1.tar.gz")});
        QVERIFY(!dir.exists(QStringLiteral("Kelvo_Version_2.2.tar.gz")));
        QVERIFY(dir.exists(QStringLiteral("Kelvo_Version_2.3.tar.gz")));
    }

    void scanWithoutEmptyPackagesHandsAllInOrder()
    {
        TestAppDirectory dir;
        dir.write(QStringLiteral("Kelvo_Version_3.0.tar.gz"), "b");
        dir.write(QStringLiteral("Kelvo_Version_2.9.tar.gz"), "a");
        QStringList handed;
        QCOMPARE(MachinePackages::scan(dir.path(),
                                       [&](const QString &path) { handed << QFileInfo(path).fileName(); }),
                 QString());
        QCOMPARE(handed,
                 (QStringList {QStringLiteral("Kelvo_Version_2.9.tar.gz"),
                               QStringLiteral("Kelvo_Version_3.0.tar.gz")}));
    }

    void releaseNotesFile_data()
    {
        QTest::addColumn<QString>("idioma");
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("file");
        QTest::newRow("spanish") << "0"
                                 << "es"
                                 << "Version.log";
        QTest::newRow("portuguese") << "1"
                                    << "pt"
                                    << "Version_pt.log";
        QTest::newRow("italian") << "4"
                                 << "it"
                                 << "Version_it.log";
    }
    void releaseNotesFile()
    {
        QFETCH(QString, idioma);
        QFETCH(QString, codigo);
        QFETCH(QString, file);
        TestAppDirectory dir;
        QCOMPARE(ReleaseNotes::notesFile(dir.directory(), idioma, codigo), dir.file(file));
    }

    void releaseNotesOnlyAfterBuildChanged()
    {
        QVERIFY(ReleaseNotes::buildChanged(QString()));
        QVERIFY(ReleaseNotes::buildChanged(QStringLiteral("0")));
        QVERIFY(!ReleaseNotes::buildChanged(VersionBuild()));
    }

    void versionTextHasFourComponents()
    {
        const QString text = VersionTexto();
        QVERIFY(text.startsWith(QStringLiteral("Version ")));
        const QStringList parts = text.mid(8).split(QLatin1Char('.'));
        QCOMPARE(parts.size(), 4);
        QCOMPARE(parts.last(), VersionBuild());
    }
};

QTEST_GUILESS_MAIN(TestStartupFiles)
#include "test_startup_files.moc"
