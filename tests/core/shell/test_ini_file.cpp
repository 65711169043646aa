#include "core/shell/IniFile.h"
#include "support/TestAppDirectory.h"

#include <QDir>
#include <QTest>

class TestIniFile : public QObject
{
    Q_OBJECT

private:
    static const QByteArray kSample;

private slots:
    void readsWithoutRegardToCase_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("as written") << "VERSION"
                                    << "LASTVIEW"
                                    << "20261208";
        QTest::newRow("lower case") << "version"
                                    << "lastview"
                                    << "20261208";
        QTest::newRow("mixed case") << "Preferences"
                                    << "EtiPrinter"
                                    << "Zebra, planta 2";
        QTest::newRow("blanks around key") << "TALLER"
                                           << "TEST"
                                           << "1";
        QTest::newRow("quoted value loses its quotes") << "PREFERENCES"
                                                       << "Titulo"
                                                       << " Farmacia ";
        QTest::newRow("equals sign inside value") << "PREFERENCES"
                                                  << "Conexion"
                                                  << "host=a;user=b";
        QTest::newRow("missing key") << "VERSION"
                                     << "DIPA"
                                     << "default";
        QTest::newRow("missing section") << "NADA"
                                         << "LOG"
                                         << "default";
        QTest::newRow("first of duplicates") << "VERSION"
                                             << "LOG"
                                             << "1";
    }
    void readsWithoutRegardToCase()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        TestAppDirectory dir;
        IniFile ini(dir.write(QStringLiteral("pastillero.ini"), kSample));
        QCOMPARE(ini.readString(section, key, QStringLiteral("default")), expected);
    }

    void readsIntegersAsWindowsDoes_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("number") << QByteArray("42") << 42;
        QTest::newRow("negative") << QByteArray("-3") << -3;
        QTest::newRow("trailing text") << QByteArray("12abc") << 12;
        QTest::newRow("not a number") << QByteArray("abc") << 7;
        QTest::newRow("empty") << QByteArray("") << 7;
        QTest::newRow("too many digits") << QByteArray("99999999999999") << 7;
    }
    void readsIntegersAsWindowsDoes()
    {
        QFETCH(QByteArray, value);
        QFETCH(int, expected);
        TestAppDirectory dir;
        IniFile ini(dir.write(QStringLiteral("pastillero.ini"), "[A]\nN=" + value + "\n"));
        QCOMPARE(ini.readInteger(QStringLiteral("a"), QStringLiteral("n"), 7), expected);
    }

    void writeKeepsEverythingElse()
    {
        TestAppDirectory dir;
        const QString path = dir.write(QStringLiteral("pastillero.ini"), kSample);
        IniFile ini(path);
        QVERIFY(ini.writeString(QStringLiteral("version"), QStringLiteral("lastview"),
                                QStringLiteral("20261209")));
        QVERIFY(ini.writeString(QStringLiteral("VERSION"), QStringLiteral("DIPA"),
                                QStringLiteral("127.0.0.1")));
        QVERIFY(ini.writeString(QStringLiteral("NUEVA"), QStringLiteral("Clave"), QStringLiteral("x")));

        QByteArray expected = kSample;
        expected.replace("LASTVIEW=20261208", "LASTVIEW=20261209");
        expected.replace("Log=0\r\n", "Log=0\r\nDIPA=127.0.0.1\r\n");
        expected.append("\r\n[NUEVA]\r\nClave=x\r\n");
        QCOMPARE(dir.read(QStringLiteral("pastillero.ini")), expected);
    }

    void valuesAreKeptVerbatim_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("printer with comma") << QStringLiteral("HP LaserJet, 2ª planta");
        QTest::newRow("semicolons and equals") << QStringLiteral("a=b;c=d");
        QTest::newRow("backslashes") << QStringLiteral("\\\\servidor\\farmacia\\data.dat");
        QTest::newRow("percent and hash") << QStringLiteral("100% #1");
        QTest::newRow("empty") << QString();
    }
    void valuesAreKeptVerbatim()
    {
        QFETCH(QString, value);
        TestAppDirectory dir;
        IniFile ini(dir.file(QStringLiteral("pastillero.ini")));
        QVERIFY(ini.writeString(QStringLiteral("PREFERENCES"), QStringLiteral("ETIPRINTER"), value));
        QCOMPARE(ini.readString(QStringLiteral("PREFERENCES"), QStringLiteral("ETIPRINTER"),
                                QStringLiteral("?")),
                 value);
        QVERIFY(dir.read(QStringLiteral("pastillero.ini")).contains(("ETIPRINTER=" + value).toUtf8()));
    }

    void twoHoldersDoNotLoseEachOthersWrites()
    {
        TestAppDirectory dir;
        IniFile first(dir.file(QStringLiteral("pastillero.ini")));
        IniFile second(dir.file(QStringLiteral("pastillero.ini")));
        QVERIFY(first.writeString(QStringLiteral("VERSION"), QStringLiteral("MED"), QStringLiteral("0")));
        QVERIFY(second.writeString(QStringLiteral("VERSION"), QStringLiteral("Kelvo_SV"),
                                   QStringLiteral("12")));
        QCOMPARE(first.readString(QStringLiteral("VERSION"), QStringLiteral("MED")), QStringLiteral("0"));
        QCOMPARE(first.readString(QStringLiteral("VERSION"), QStringLiteral("Kelvo_SV")),
                 QStringLiteral("12"));
    }

    void readsWindows1252File()
    {
        TestAppDirectory dir;
        IniFile ini(
                dir.write(QStringLiteral("pastillero.ini"), "[PREFERENCES]\r\nTitulo=Farmacia Mu\xF1oz\r\n"));
        QCOMPARE(ini.readString(QStringLiteral("PREFERENCES"), QStringLiteral("Titulo")),
                 QStringLiteral("Farmacia Muñoz"));
        QVERIFY(ini.writeString(QStringLiteral("PREFERENCES"), QStringLiteral("Otro"), QStringLiteral("ñ")));
        QCOMPARE(ini.readString(QStringLiteral("PREFERENCES"), QStringLiteral("Titulo")),
                 QStringLiteral("Farmacia Muñoz"));
        QVERIFY(dir.read(QStringLiteral("pastillero.ini")).contains("Mu\xC3\xB1oz"));
    }

    void unusableFilesReadAsDefaults_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("binary") << QByteArray("\x00\x01\xFF[\x00VERSION\x00]\nLOG=", 16);
        QTest::newRow("only garbage") << QByteArray("=\n[\n]\n==\n;LOG=1\n");
    }
    void unusableFilesReadAsDefaults()
    {
        QFETCH(QByteArray, content);
        TestAppDirectory dir;
        IniFile ini(dir.write(QStringLiteral("pastillero.ini"), content));
        QCOMPARE(ini.readInteger(QStringLiteral("VERSION"), QStringLiteral("LOG"), 0), 0);
        QCOMPARE(ini.readString(QStringLiteral("VERSION"), QStringLiteral("LASTVIEW"), QStringLiteral("0")),
                 QStringLiteral("0"));
    }

    void missingFileReadsDefaultsAndIsNotCreatedByReading()
    {
        TestAppDirectory dir;
        IniFile ini(dir.file(QStringLiteral("pastillero.ini")));
        QCOMPARE(ini.readString(QStringLiteral("VERSION"), QStringLiteral("Kelvo_SV")), QString());
        QVERIFY(!ini.sectionExists(QStringLiteral("VERSION")));
        QVERIFY(!dir.exists(QStringLiteral("pastillero.ini")));
    }

    void failedSaveLeavesFileUntouched()
    {
        TestAppDirectory dir;
        // A path whose parent is a file cannot be saved: nothing may be written anywhere.
        dir.write(QStringLiteral("plain"), "x");
        IniFile impossible(dir.file(QStringLiteral("plain/pastillero.ini")));
        QVERIFY(!impossible.writeString(QStringLiteral("VERSION"), QStringLiteral("LOG"),
                                        QStringLiteral("1")));
        QCOMPARE(dir.read(QStringLiteral("plain")), QByteArray("x"));

        // An existing file that cannot be read is never replaced by what a write would make.
        const QString path = dir.file(QStringLiteral("pastillero.ini"));
        QDir().mkpath(path); // a folder under the file's name cannot be read as a file
        IniFile unreadable(path);
        QVERIFY(!unreadable.writeString(QStringLiteral("VERSION"), QStringLiteral("LOG"),
                                        QStringLiteral("1")));
        QVERIFY(QFileInfo(path).isDir());
    }

    void deletesKeysAndSections()
    {
        TestAppDirectory dir;
        IniFile ini(dir.write(QStringLiteral("pastillero.ini"), kSample));
        QVERIFY(ini.deleteKey(QStringLiteral("version"), QStringLiteral("lastview")));
        QVERIFY(!ini.valueExists(QStringLiteral("VERSION"), QStringLiteral("LASTVIEW")));
        QVERIFY(ini.eraseSection(QStringLiteral("taller")));
        QCOMPARE(ini.sections(), (QStringList {QStringLiteral("VERSION"), QStringLiteral("Preferences")}));
        QCOMPARE(ini.keys(QStringLiteral("VERSION")),
                 (QStringList {QStringLiteral("LOG"), QStringLiteral("Log")}));
    }
};

const QByteArray TestIniFile::kSample = "; Puesto de la farmacia\r\n"
                                        "[VERSION]\r\n"
                                        "LASTVIEW=20261208\r\n"
                                        "LOG=1\r\n"
                                        "Log=0\r\n"
                                        "\r\n"
                                        "[Preferences]\r\n"
                                        "EtiPrinter=Zebra, planta 2\r\n"
                                        "Titulo=\" Farmacia \"\r\n"
                                        "Conexion=host=a;user=b\r\n"
                                        "linea sin igual\r\n"
                                        "\r\n"
                                        "[TALLER]\r\n"
                                        "  TEST  = 1\r\n";

QTEST_GUILESS_MAIN(TestIniFile)
#include "test_ini_file.moc"
