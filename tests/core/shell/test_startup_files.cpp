#include "core/shell/IniFile.h"
#include "core/shell/MachinePackages.h"
#include "core/shell/PendingUpdater.h"
#include "core/shell/ReleaseNotes.h"
#include "core/shell/Version.h"
#include "core/shell/uLog.h"
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

    void packageNumberFromFileName_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<int>("number"); // -1: no number
        QTest::newRow("build") << "Kelvo_Version_18.tar.gz" << 18;
        QTest::newRow("version with dash") << "Kelvo_Version_2-0.tar.gz" << 2;
        QTest::newRow("version with dot") << "Kelvo_Version_2.1.tar.gz" << 2;
        QTest::newRow("folders") << "Kelvo_Version_../../x.tar.gz" << -1;
        QTest::newRow("two dashes") << "Kelvo_Version_1-2-3.tar.gz" << -1;
        QTest::newRow("empty") << "Kelvo_Version_.tar.gz" << -1;
        QTest::newRow("letters") << "Kelvo_Version_abc.tar.gz" << -1;
        QTest::newRow("trailing dash") << "Kelvo_Version_2-.tar.gz" << -1;
        QTest::newRow("other prefix") << "Other_Version_18.tar.gz" << -1;
        QTest::newRow("too large") << "Kelvo_Version_99999999999.tar.gz" << -1;
    }
    void packageNumberFromFileName()
    {
        QFETCH(QString, fileName);
        QFETCH(int, number);
        QCOMPARE(MachinePackages::number(fileName).value_or(-1), number);
    }

    void scanSkipsPackagesWithoutNumber()
    {
        TestAppDirectory dir;
        dir.write(QStringLiteral("pastillero.ini"), "[VERSION]\nLOG=1\n");
        uLog::IniciarLog(IniFile(dir.directory().iniFile()), dir.directory().logFile());
        dir.write(QStringLiteral("Kelvo_Version_abc.tar.gz"), "");
        dir.write(QStringLiteral("Kelvo_Version_5.tar.gz"), "package");
        QStringList handed;
        QCOMPARE(MachinePackages::scan(dir.path(),
                                       [&](const QString &path) { handed << QFileInfo(path).fileName(); }),
                 QString());
        uLog::CerrarLog();
        QCOMPARE(handed, QStringList {QStringLiteral("Kelvo_Version_5.tar.gz")});
        QVERIFY(dir.exists(QStringLiteral("Kelvo_Version_abc.tar.gz")));
        QVERIFY(dir.read(QStringLiteral("pastillero.log")).contains(": ERROR:"));
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
