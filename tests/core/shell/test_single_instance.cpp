#include "core/common/AppError.h"
#include "core/shell/ProcessTools.h"
#include "core/shell/uCheckPrevious.h"
#include "support/TestAppDirectory.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <csignal>

namespace {

const QString kProbe = QStringLiteral(INSTANCE_PROBE);

// Every file of the directory with a digest of its content.
QMap<QString, QByteArray> snapshot(const QString &path)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(path, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        file.open(QIODevice::ReadOnly);
        files.insert(it.filePath(), QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1));
    }
    return files;
}

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void secondStartAsksTheFirstToShowAndStops()
    {
        TestAppDirectory dir;
        SingleInstance first(dir.path());
        QVERIFY(!first.RestoreIfRunning());
        QSignalSpy shown(&first, &SingleInstance::activationRequested);
        const auto before = snapshot(dir.path());

        QProcess second;
        second.start(kProbe, {dir.path()});
        QVERIFY(shown.wait(10000));
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitCode(), 3);
        QCOMPARE(snapshot(dir.path()), before);
    }

    void crashedInstanceDoesNotLockTheApplicationOut()
    {
        TestAppDirectory dir;
        QProcess crashed;
        crashed.start(kProbe, {dir.path(), QStringLiteral("--hold")});
        QVERIFY(crashed.waitForReadyRead(10000));
        QCOMPARE(crashed.readAll().trimmed(), QByteArray("registered"));
        ::kill(static_cast<pid_t>(crashed.processId()), SIGKILL);
        QVERIFY(crashed.waitForFinished(10000));

        SingleInstance next(dir.path());
        QVERIFY(!next.RestoreIfRunning());
        QVERIFY(next.registered());
    }

    void instanceThatEndedFreesItsPlace()
    {
        TestAppDirectory dir;
        {
            SingleInstance first(dir.path());
            QVERIFY(!first.RestoreIfRunning());
        }
        QProcess second;
        second.start(kProbe, {dir.path()});
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitCode(), 0);
    }

    void processIsFoundByExecutableNameWithoutRegardToCase()
    {
        TestAppDirectory dir;
        const QString program = dir.file(QStringLiteral("CompactSave.exe"));
        QVERIFY(QFile::copy(QStringLiteral("/bin/sleep"), program));
        QVERIFY(!ProcesoActivo(QStringLiteral("CompactSave.exe")));
        QProcess maintenance;
        maintenance.start(program, {QStringLiteral("30")});
        QVERIFY(maintenance.waitForStarted());
        QVERIFY(ProcesoActivo(QStringLiteral("compactsave.EXE")));
        QVERIFY(!ProcesoActivo(QStringLiteral("CompactSave")));
        maintenance.kill();
        maintenance.waitForFinished();
        QVERIFY(!ProcesoActivo(QStringLiteral("CompactSave.exe")));
    }

    void programThatCannotStartRaisesTheError()
    {
        TestAppDirectory dir;
        try {
            EjecutarPrograma(dir.file(QStringLiteral("update.exe")), QStringLiteral("x 0  0"), false);
            QFAIL("no error raised");
        } catch (const AppError &error) {
            QCOMPARE(error.message(), QStringLiteral("No se puede inicializar la aplicacion"));
        }
    }

    void waitingReturnsWhenTheProgramEnded()
    {
        TestAppDirectory dir;
        const QString marker = dir.file(QStringLiteral("done"));
        const qint64 pid = EjecutarPrograma(QStringLiteral("/bin/sh"),
                                            QStringLiteral("-c \"sleep 0.3; touch '%1'\"").arg(marker), true);
        QVERIFY(pid > 0);
        QVERIFY(QFile::exists(marker));
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "test_single_instance.moc"
