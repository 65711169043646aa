#include "core/common/Clock.h"
#include "core/shell/IniFile.h"
#include "core/shell/uLog.h"
#include "support/TestAppDirectory.h"

#include <QDir>
#include <QTest>

class TestLog : public QObject
{
    Q_OBJECT

private:
    static void start(const TestAppDirectory &dir, const QByteArray &ini)
    {
        if (!ini.isNull())
            dir.write(QStringLiteral("pastillero.ini"), ini);
        uLog::IniciarLog(IniFile(dir.directory().iniFile()), dir.directory().logFile());
    }

private slots:
    void cleanup() { uLog::CerrarLog(); }

    void switchComesFromWorkshopOrVersionKey_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<bool>("logs");
        QTest::newRow("no file") << QByteArray() << false;
        QTest::newRow("neither key") << QByteArray("[VERSION]\nLASTVIEW=0\n") << false;
        QTest::newRow("VERSION/LOG=1") << QByteArray("[VERSION]\nLOG=1\n") << true;
        QTest::newRow("TALLER/TEST=1 overrides LOG=0")
                << QByteArray("[TALLER]\nTEST=1\n[VERSION]\nLOG=0\n") << true;
        QTest::newRow("TALLER/TEST=2 then LOG=1 decides")
                << QByteArray("[TALLER]\nTEST=2\n[VERSION]\nLOG=1\n") << true;
        QTest::newRow("TALLER/TEST=2 alone") << QByteArray("[TALLER]\nTEST=2\n") << false;
        QTest::newRow("LOG=2 is not on") << QByteArray("[VERSION]\nLOG=2\n") << false;
        QTest::newRow("keys in lower case") << QByteArray("[version]\nlog=1\n") << true;
    }
    void switchComesFromWorkshopOrVersionKey()
    {
        QFETCH(QByteArray, ini);
        QFETCH(bool, logs);
        TestAppDirectory dir;
        start(dir, ini);
        Log(QStringLiteral(": LOGIN: ana"));
        QCOMPARE(dir.exists(QStringLiteral("pastillero.log")), logs);
        QCOMPARE(uLog::LogActivo() == 1, logs);
    }

    void linesHaveDateBlankMessageAndCrLf()
    {
        TestAppDirectory dir;
        start(dir, "[VERSION]\nLOG=1\n");
        FixedClock clock(QDateTime(QDate(2026, 3, 7), QTime(9, 5, 3)));
        Log(QStringLiteral(": LOGIN: José"));
        Log(QString());
        Log(QStringLiteral(": FORM: TFormInicio"));
        QCOMPARE(dir.read(QStringLiteral("pastillero.log")),
                 QByteArray("07/03/26 09:05:03 : LOGIN: Jos\xC3\xA9\r\n"
                            "07/03/26 09:05:03 : FORM: TFormInicio\r\n"));
    }

    void existingLogIsAppendedNeverTruncated()
    {
        TestAppDirectory dir;
        dir.write(QStringLiteral("pastillero.log"), "old line\r\n");
        start(dir, "[VERSION]\nLOG=1\n");
        FixedClock clock(QDateTime(QDate(2026, 12, 9), QTime(18, 0, 0)));
        Log(QStringLiteral(": PACI: 0"));
        QCOMPARE(dir.read(QStringLiteral("pastillero.log")),
                 QByteArray("old line\r\n09/12/26 18:00:00 : PACI: 0\r\n"));
    }

    void unwritableLogLosesTheEntryQuietly()
    {
        TestAppDirectory dir;
        start(dir, "[VERSION]\nLOG=1\n");
        // A folder where the log should be cannot be appended to: the entry is dropped and
        // the folder (with what is in it) stays.
        QDir().mkpath(dir.file(QStringLiteral("pastillero.log")));
        dir.write(QStringLiteral("pastillero.log/keep"), "k");
        Log(QStringLiteral(": ERROR:disco lleno"));
        QCOMPARE(dir.read(QStringLiteral("pastillero.log/keep")), QByteArray("k"));
    }
};

QTEST_GUILESS_MAIN(TestLog)
#include "test_log.moc"
