#include "SimuladorDispensador.h"
#include "app/Inicio.h"
#include "app/StartupPrompts.h"
#include "core/common/Clock.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "core/shell/IniFile.h"
#include "core/shell/Version.h"
#include "core/shell/uLog.h"
#include "support/RechazoEscritura.h"
#include "support/ServidorHttpPrueba.h"
#include "support/TestAppDirectory.h"
#include "ui/shell/FMain.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <QUdpSocket>

namespace {

// Answers the start-up's questions from a script and remembers what it was shown.
class ScriptedPrompts : public StartupPrompts
{
public:
    bool answer = true;
    bool loginAccepted = true;
    QStringList errors;
    QStringList questions;
    QStringList notes;
    QStringList upgradeNotices;
    QStringList packagesOffered;
    int machineVersionChecks = 0;

    LanguageChoice language {QStringLiteral("0"), QStringLiteral("0")};
    int languageDialogs = 0;

    void showError(const QString &message) override { errors << message; }
    void showUnhandledError(const QString &message) override { errors << message; }
    LanguageChoice chooseLanguage() override
    {
        ++languageDialogs;
        return language;
    }
    bool confirm(const QString &question) override
    {
        questions << question;
        return answer;
    }
    bool confirmContinue(const QString &text) override { return confirm(text); }
    bool login() override { return loginAccepted; }
    void noticeDatabaseUpgrade(const QString &text, const std::function<void()> &upgrade) override
    {
        upgradeNotices << text;
        upgrade();
    }
    void checkMachineSoftwareVersion() override { ++machineVersionChecks; }
    bool installMachinePackage(const QString &packagePath) override
    {
        packagesOffered << QFileInfo(packagePath).fileName();
        return true;
    }
    void showReleaseNotes(const QString &storedBuild, const QString &title, const QString &file) override
    {
        notes << storedBuild + QLatin1Char('|') + title + QLatin1Char('|') + QFileInfo(file).fileName();
    }
};

// A UDP port nobody uses now, for a test's announcements.
quint16 freeUdpPort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress::LocalHost, 0);
    return probe.localPort();
}

// The machine link of a test listens on a free loopback port and announces itself on loopback.
const quint16 kDiscoveryPort = freeUdpPort();
const QByteArray kLoopbackLink
        = "[DISPENSADOR]\r\nEscucha=127.0.0.1\r\nPuerto=0\r\n"
          "DestinoBusqueda=127.0.0.1\r\nDireccionAnunciada=127.0.0.1\r\nPuertoBusqueda="
        + QByteArray::number(kDiscoveryPort) + "\r\n";

void writeIni(const TestAppDirectory &dir, const QByteArray &content)
{
    dir.write(QStringLiteral("pastillero.ini"), content + kLoopbackLink);
}

QStringList argumentsFor(const TestAppDirectory &dir, const QString &extra = {})
{
    if (!dir.exists(QStringLiteral("pastillero.ini")))
        writeIni(dir, {});
    QStringList arguments {QStringLiteral("pastillero"), QStringLiteral("--appdir"), dir.path()};
    if (!extra.isEmpty())
        arguments << extra;
    return arguments;
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { uLog::CerrarLog(); }

    void stepsRunInTheirOrder()
    {
        TestAppDirectory dir;
        ScriptedPrompts prompts;
        Inicio inicio(dir.directory(), argumentsFor(dir), prompts);
        QList<int> steps;
        inicio.onStep = [&](int number, const QString &) { steps << number; };
        QCOMPARE(inicio.start(), Inicio::Outcome::Running);
        QList<int> expected;
        for (int i = 1; i <= 20; ++i)
            expected << i;
        QCOMPARE(steps, expected);
        QVERIFY(inicio.mainWindow() && inicio.mainWindow()->isVisible());
    }

    void unusableDirectoryStopsBeforeAnything()
    {
        TestAppDirectory dir;
        dir.write(QStringLiteral("plain"), "x");
        const AppDirectory impossible(dir.file(QStringLiteral("plain/inside")));
        ScriptedPrompts prompts;
        Inicio inicio(impossible, {QStringLiteral("pastillero")}, prompts);
        QList<int> steps;
        inicio.onStep = [&](int number, const QString &) { steps << number; };
        QCOMPARE(inicio.start(), Inicio::Outcome::DirectoryUnusable);
        QVERIFY(steps.isEmpty());
        QCOMPARE(prompts.errors.size(), 1);
        QVERIFY(prompts.errors.first().endsWith(impossible.path()));
    }

    void loginIsLoggedWhenTheSessionOpens()
    {
        TestAppDirectory dir;
        writeIni(dir, "[VERSION]\r\nLOG=1\r\n");
        ScriptedPrompts prompts;
        Inicio inicio(dir.directory(), argumentsFor(dir), prompts);
        QCOMPARE(inicio.start(), Inicio::Outcome::Running);
        QVERIFY(dir.read(QStringLiteral("pastillero.log")).contains(" : LOGIN: \r\n"));
    }

    void refusedLoginEndsTheStartWithItsMessage()
    {
        TestAppDirectory dir;
        ScriptedPrompts prompts;
        prompts.loginAccepted = false;
        Inicio inicio(dir.directory(), argumentsFor(dir), prompts);
        int lastStep = 0;
        inicio.onStep = [&](int number, const QString &) { lastStep = number; };
        QCOMPARE(inicio.start(), Inicio::Outcome::LoginRefused);
        QCOMPARE(lastStep, 16);
        QCOMPARE(prompts.errors, QStringList {QStringLiteral("No estás autorizado a usar esta aplicacion.")});
        QVERIFY(!inicio.mainWindow());
    }

    void releaseNotesAppearOnceAfterAnUpdate()
    {
        TestAppDirectory dir;
        writeIni(dir, "[VERSION]\r\nKelvo_SV=0\r\n");
        dir.write(QStringLiteral("Version.log"), "notes");
        ScriptedPrompts prompts;
        {
            Inicio first(dir.directory(), argumentsFor(dir), prompts);
            QCOMPARE(first.start(), Inicio::Outcome::Running);
            QCOMPARE(prompts.notes, QStringList {QStringLiteral("0|ACTUALIZACIONES REALIZADAS|Version.log")});
            QVERIFY(first.mainWindow()->close());
        }
        QCOMPARE(IniFile(dir.directory().iniFile())
                         .readString(QStringLiteral("VERSION"), QStringLiteral("Kelvo_SV")),
                 VersionBuild());
        Inicio second(dir.directory(), argumentsFor(dir), prompts);
        QCOMPARE(second.start(), Inicio::Outcome::Running);
        QCOMPARE(prompts.notes.size(), 1);
    }

    void languageDialogOnlyWhileNoLanguageIsStored()
    {
        TestAppDirectory dir;
        ScriptedPrompts prompts;
        prompts.language = {QStringLiteral("1"), QString()};
        {
            Inicio first(dir.directory(), argumentsFor(dir), prompts);
            QCOMPARE(first.start(), Inicio::Outcome::Running);
            QCOMPARE(prompts.languageDialogs, 1);
            QCOMPARE(Lenguaje().Idioma(), 1);
            // Portuguese with no country chosen: the country follows the language.
            QCOMPARE(Preferencias().Pais, QStringLiteral("1"));
        }
        Inicio second(dir.directory(), argumentsFor(dir), prompts);
        QCOMPARE(second.start(), Inicio::Outcome::Running);
        QCOMPARE(prompts.languageDialogs, 1);
        QCOMPARE(Preferencias().Idioma, QStringLiteral("1"));
    }

    void databaseThatCannotBeOpenedEndsTheStart()
    {
        TestAppDirectory dir;
        dir.write(QStringLiteral("data.dat"), QByteArray("this is not a database, only text").repeated(200));
        ScriptedPrompts prompts;
        Inicio inicio(dir.directory(), argumentsFor(dir), prompts);
        QList<int> steps;
        inicio.onStep = [&](int number, const QString &) { steps << number; };
        QCOMPARE(inicio.start(), Inicio::Outcome::DatabaseUnusable);
        QCOMPARE(steps.last(), 6);
        QCOMPARE(prompts.errors.size(), 1);
        QVERIFY(!inicio.mainWindow());
    }

    void olderDatabaseIsUpgradedBeforeThePreferencesAreReadAgain_data()
    {
        QTest::addColumn<bool>("refused");
        QTest::newRow("upgraded") << false;
        QTest::newRow("step refused") << true;
    }

    void olderDatabaseIsUpgradedBeforeThePreferencesAreReadAgain()
    {
        QFETCH(bool, refused);
        TestAppDirectory dir;
        {
            TDM older(dir.directory());
            older.Anadir(QStringLiteral("CONF"), {{QStringLiteral("UPDVersion"), QString()}});
            older.Anadir(QStringLiteral("Paciente"),
                         {{QStringLiteral("MedicoNombre"), QStringLiteral(" dr. ruiz ")}});
            if (refused)
                RechazarEscritura(older, QStringLiteral("CONF"), QStringLiteral("UPDATE"),
                                  QStringLiteral("NEW.UPDVersion LIKE '%ACTDB1%'"));
        }
        ScriptedPrompts prompts;
        Inicio inicio(dir.directory(), argumentsFor(dir), prompts);
        int lastStep = 0;
        inicio.onStep = [&](int number, const QString &) { lastStep = number; };
        if (refused) {
            // The handler shows the failure and the start ends before anything else runs.
            QCOMPARE(inicio.start(), Inicio::Outcome::DatabaseUnusable);
            QCOMPARE(lastStep, 9);
            QCOMPARE(prompts.errors.size(), 1);
            return;
        }
        QCOMPARE(inicio.start(), Inicio::Outcome::Running);
        QCOMPARE(prompts.upgradeNotices.size(), 1);
        // The preferences read after the upgrades carry the list of doctors they built.
        QCOMPARE(Preferencias().Medicos, QStringList {QStringLiteral("DR. RUIZ")});
    }

    void silentMachineMeansManualLoads()
    {
        TestAppDirectory dir;
        ScriptedPrompts prompts;
        Inicio inicio(dir.directory(), argumentsFor(dir), prompts);
        QCOMPARE(inicio.start(), Inicio::Outcome::Running);
        QCOMPARE(Preferencias().TipoCarga, 1);
        QCOMPARE(Preferencias().VersionMaquina, 0.0);
        QVERIFY(inicio.mainWindow()->close());
        QVERIFY(!IniFile(dir.directory().iniFile())
                         .valueExists(QStringLiteral("VERSION"), QStringLiteral("DIPA")));
    }

    void answeringMachineMeansAutomaticLoadsAndIsRemembered()
    {
        TestAppDirectory dir;
        OpcionesSimulador opciones;
        opciones.puertoBusqueda = kDiscoveryPort;
        opciones.versionSoftware = QStringLiteral("2.1");
        SimuladorDispensador machine(opciones);
        QVERIFY(machine.Iniciar());
        ScriptedPrompts prompts;
        Inicio inicio(dir.directory(), argumentsFor(dir), prompts);
        // The login dialog gives the machine time to connect; without it the test waits here.
        inicio.onStep = [&](int number, const QString &) {
            if (number == 18)
                QTRY_VERIFY_WITH_TIMEOUT(machine.Conectado(), 10000);
        };
        QCOMPARE(inicio.start(), Inicio::Outcome::Running);
        QCOMPARE(Preferencias().TipoCarga, 0);
        QCOMPARE(Preferencias().VersionMaquina, 2.1);
        QVERIFY(inicio.mainWindow()->close());
        QCOMPARE(IniFile(dir.directory().iniFile())
                         .readString(QStringLiteral("VERSION"), QStringLiteral("DIPA")),
                 QStringLiteral("127.0.0.1"));
    }

    void pendingUpdaterIsInPlaceAfterStart()
    {
        TestAppDirectory dir;
        dir.write(QStringLiteral("update.exe"), "old");
        dir.write(QStringLiteral("UPDATE.UPD"), "new");
        ScriptedPrompts prompts;
        Inicio inicio(dir.directory(), argumentsFor(dir), prompts);
        QCOMPARE(inicio.start(), Inicio::Outcome::Running);
        QCOMPARE(dir.read(QStringLiteral("update.exe")), QByteArray("new"));
        QVERIFY(!dir.exists(QStringLiteral("UPDATE.UPD")));
    }

    // The packages of the application directory in name order: each valid one offered to the
    // machine, a name without a number skipped, an empty one reported, deleted and the end.
    void machinePackagesAreScanned_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("offered");
        QTest::addColumn<QStringList>("errors");
        QTest::addColumn<QStringList>("left");
        const QString emptyMessage
                = QStringLiteral("ACTUALIZACION IMPOSIBLE, PROBLEMAS DESCARGA DE FICHERO  ");
        QTest::newRow("empty package")
                << QStringList {QStringLiteral("Kelvo_Version_2.5.tar.gz=")} << QStringList {}
                << QStringList {emptyMessage + QStringLiteral("Kelvo_Version_2.5.tar.gz")} << QStringList {};
        QTest::newRow("offered in order, a bad name skipped")
                << QStringList {QStringLiteral("Kelvo_Version_19.tar.gz=x"),
                                QStringLiteral("Kelvo_Version_abc.tar.gz=x"),
                                QStringLiteral("Kelvo_Version_2-0.tar.gz=x")}
                << QStringList {QStringLiteral("Kelvo_Version_19.tar.gz"),
                                QStringLiteral("Kelvo_Version_2-0.tar.gz")}
                << QStringList {}
                << QStringList {QStringLiteral("Kelvo_Version_19.tar.gz"),
                                QStringLiteral("Kelvo_Version_2-0.tar.gz"),
                                QStringLiteral("Kelvo_Version_abc.tar.gz")};
        QTest::newRow("an empty package ends the scan")
                << QStringList {QStringLiteral("Kelvo_Version_18.tar.gz="),
                                QStringLiteral("Kelvo_Version_19.tar.gz=x")}
                << QStringList {} << QStringList {emptyMessage + QStringLiteral("Kelvo_Version_18.tar.gz")}
                << QStringList {QStringLiteral("Kelvo_Version_19.tar.gz")};
    }
    void machinePackagesAreScanned()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, offered);
        QFETCH(QStringList, errors);
        QFETCH(QStringList, left);
        TestAppDirectory dir;
        for (const QString &file : files)
            dir.write(file.section(QLatin1Char('='), 0, 0), file.section(QLatin1Char('='), 1).toLatin1());
        ScriptedPrompts prompts;
        Inicio inicio(dir.directory(), argumentsFor(dir), prompts);
        QCOMPARE(inicio.start(), Inicio::Outcome::Running);
        QCOMPARE(prompts.packagesOffered, offered);
        QCOMPARE(prompts.errors, errors);
        QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("Kelvo_Version_*")}, QDir::Files, QDir::Name),
                 left);
    }

    void closingNeedsConfirmation()
    {
        TestAppDirectory dir;
        ScriptedPrompts prompts;
        Inicio inicio(dir.directory(), argumentsFor(dir), prompts);
        QCOMPARE(inicio.start(), Inicio::Outcome::Running);
        prompts.answer = false;
        QVERIFY(!inicio.mainWindow()->close());
        QCOMPARE(prompts.questions, QStringList {QStringLiteral("¿ESTÁ SEGURO DE SALIR DEL PROGRAMA?")});
        const IniFile ini(dir.directory().iniFile());
        QVERIFY(!ini.valueExists(QStringLiteral("VERSION"), QStringLiteral("Kelvo_SV")));
        prompts.answer = true;
        QVERIFY(inicio.mainWindow()->close());
        QVERIFY(ini.valueExists(QStringLiteral("VERSION"), QStringLiteral("Kelvo_SV")));
    }

    void shutdownStartsTheMaintenanceProgramWithTheFirstArgument()
    {
        TestAppDirectory dir;
        const QString program = dir.write(QStringLiteral("CompactSave.exe"),
                                          "#!/bin/sh\necho \"$@\" > \"$(dirname \"$0\")/ran\"\n");
        QFile::setPermissions(program, QFile::permissions(program) | QFileDevice::ExeOwner);
        ScriptedPrompts prompts;
        Inicio inicio(dir.directory(), argumentsFor(dir, QStringLiteral("BETA")), prompts);
        QCOMPARE(inicio.start(), Inicio::Outcome::Running);
        QVERIFY(inicio.mainWindow()->close());
        QTRY_COMPARE_WITH_TIMEOUT(dir.read(QStringLiteral("ran")), QByteArray("BETA\n"), 10000);
    }

    // Step 14 against a stand-in update server whose primary address answers 404: the updater
    // gets the first argument, the language and the country, and the day of its launch is kept.
    void updateCheckAtStart_data()
    {
        QTest::addColumn<QByteArray>("servers"); // "%1": the stand-in server's port
        QTest::addColumn<QByteArray>("description"); // published in the channel of the argument
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QByteArray>("lastView");
        QTest::addColumn<QString>("updater"); // "script", "not executable" or none
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<QStringList>("errors");
        QTest::addColumn<QByteArray>("parameters"); // as the updater received them; empty: not started
        const QByteArray fallback = "[ACTUALIZACION]\r\nServidorPrincipal=http://127.0.0.1:%1/caido/\r\n"
                                    "ServidorAlternativo=http://127.0.0.1:%1/\r\n";
        const QByteArray down = "[ACTUALIZACION]\r\nServidorPrincipal=http://127.0.0.1:1/\r\n"
                                "ServidorAlternativo=http://127.0.0.1:1/otro/\r\n";
        const QByteArray newer = "[VERSION]\r\nKelvo=999999\r\n";
        const QByteArray today = "20260310";
        const QByteArray yesterday = "20260309";
        const QStringList question {QStringLiteral("ACTUALIZACION PENDIENTE ¿QUIERES ACTUALIZAR?")};
        QTest::newRow("asked and accepted") << fallback << newer << "" << today << "script" << true
                                            << question << QStringList {} << QByteArray("2\n3\n");
        QTest::newRow("asked and declined") << fallback << newer << "" << today << "script" << false
                                            << question << QStringList {} << QByteArray();
        QTest::newRow("first start of the day: not asked")
                << fallback << newer << "" << yesterday << "script" << false << QStringList {}
                << QStringList {} << QByteArray("2\n3\n");
        QTest::newRow("beta channel") << fallback << newer << "--beta" << yesterday << "script" << false
                                      << QStringList {} << QStringList {} << QByteArray("--beta\n2\n3\n");
        QTest::newRow("up to date") << fallback << QByteArray("[VERSION]\r\nKelvo=0\r\n") << "" << yesterday
                                    << "script" << true << QStringList {} << QStringList {} << QByteArray();
        QTest::newRow("updater missing") << fallback << newer << "" << today << "" << true << QStringList {}
                                         << QStringList {} << QByteArray();
        QTest::newRow("updater cannot start")
                << fallback << newer << "" << yesterday << "not executable" << true << QStringList {}
                << QStringList {QStringLiteral("No se puede inicializar la aplicacion")} << QByteArray();
        QTest::newRow("both servers down")
                << down << newer << "" << yesterday << "script" << true << QStringList {}
                << QStringList {QStringLiteral("NO HAY CONEXION CON EL SERVIDOR DE ACTUALIZACIONES")}
                << QByteArray();
        QTest::newRow("no servers configured") << QByteArray() << newer << "" << yesterday << "script" << true
                                               << QStringList {} << QStringList {} << QByteArray();
    }
    void updateCheckAtStart()
    {
        QFETCH(QByteArray, servers);
        QFETCH(QByteArray, description);
        QFETCH(QString, argument);
        QFETCH(QByteArray, lastView);
        QFETCH(QString, updater);
        QFETCH(bool, answer);
        QFETCH(QStringList, questions);
        QFETCH(QStringList, errors);
        QFETCH(QByteArray, parameters);
        const FixedClock clock(QDate(2026, 3, 10));
        ServidorHttpPrueba server;
        QVERIFY(server.escucha());
        server.publicar(argument.isEmpty() ? QStringLiteral("Kelvo/update.ini")
                                           : QStringLiteral("Kelvo_BETA/update.ini"),
                        description);
        TestAppDirectory dir;
        writeIni(dir,
                 "[VERSION]\r\nLASTVIEW=" + lastView + "\r\n"
                         + server.conPuerto(QString::fromLatin1(servers)).toLatin1());
        if (!updater.isEmpty()) {
            const QString program
                    = dir.write(QStringLiteral("update.exe"),
                                "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$(dirname \"$0\")/updater-ran\"\n");
            if (updater == QLatin1String("script"))
                QFile::setPermissions(program, QFile::permissions(program) | QFileDevice::ExeOwner);
        }
        ScriptedPrompts prompts;
        prompts.language = {QStringLiteral("2"), QStringLiteral("3")};
        prompts.answer = answer;
        Inicio inicio(dir.directory(), argumentsFor(dir, argument), prompts);
        const bool launched = !parameters.isEmpty();
        QCOMPARE(inicio.start(), launched ? Inicio::Outcome::UpdaterLaunched : Inicio::Outcome::Running);
        QCOMPARE(prompts.questions, questions);
        QCOMPARE(prompts.errors, errors);
        QCOMPARE(IniFile(dir.directory().iniFile())
                         .readString(QStringLiteral("VERSION"), QStringLiteral("LASTVIEW")),
                 QString::fromLatin1(launched ? QByteArray("20260310") : lastView));
        if (launched)
            QTRY_COMPARE_WITH_TIMEOUT(dir.read(QStringLiteral("updater-ran")), parameters, 10000);
        else
            QVERIFY(!dir.exists(QStringLiteral("updater-ran")));
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
