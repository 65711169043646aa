#include "app/Inicio.h"

#include "app/StartupPrompts.h"
#include "core/common/AppError.h"
#include "core/i18n/ULenguaje.h"
#include "core/shell/IniFile.h"
#include "core/shell/MachinePackages.h"
#include "core/shell/PendingUpdater.h"
#include "core/shell/ProcessTools.h"
#include "core/shell/ReleaseNotes.h"
#include "core/shell/Version.h"
#include "core/shell/uCheckPrevious.h"
#include "core/shell/uLog.h"
#include "ui/shell/FMain.h"

#include <QFile>

namespace {

const QString kVersion = QStringLiteral("VERSION");

} // namespace

Inicio::Inicio(AppDirectory directory, QStringList arguments, StartupPrompts &prompts)
    : m_directory(std::move(directory))
    , m_arguments(std::move(arguments))
    , m_prompts(prompts)
{
    AppDirectory::setCurrent(m_directory);
}

Inicio::~Inicio() = default;

Inicio::Outcome Inicio::start()
{
    if (!m_directory.isUsable()) {
        m_prompts.showError(Traducir(QStringLiteral("ERR_DIRECTORIO_APLICACION"),
                                     QStringLiteral("NO SE PUEDE ESCRIBIR EN EL DIRECTORIO DE LA APLICACION"))
                            + QLatin1Char(' ') + m_directory.path());
        return Outcome::DirectoryUnusable;
    }
    step(1, QStringLiteral("single instance"));
    if (!checkSingleInstance())
        return Outcome::AnotherInstance;
    step(2, QStringLiteral("wait for maintenance"));
    waitForMaintenance();
    step(3, QStringLiteral("event log"));
    startLog();
    step(4, QStringLiteral("translation catalogue"));
    createCatalogue();
    step(5, QStringLiteral("dispenser link"));
    createDispenserLink();
    step(6, QStringLiteral("data module"));
    if (!createDataModule())
        return Outcome::DatabaseUnusable;
    step(7, QStringLiteral("preferences"));
    createPreferences();
    step(8, QStringLiteral("language"));
    chooseLanguage();
    step(9, QStringLiteral("database upgrades"));
    upgradeDatabase();
    createPreferences();
    step(10, QStringLiteral("language again"));
    chooseLanguage();
    step(11, QStringLiteral("default country"));
    setDefaultCountry();
    step(12, QStringLiteral("empty medication catalogue"));
    markEmptyMedicationCatalogue();
    step(13, QStringLiteral("pending updater"));
    applyPendingUpdater();
    step(14, QStringLiteral("update check"));
    if (checkForUpdates())
        return Outcome::UpdaterLaunched;
    step(15, QStringLiteral("release notes"));
    showReleaseNotes();
    step(16, QStringLiteral("login"));
    if (!login())
        return Outcome::LoginRefused;
    step(17, QStringLiteral("machine software version"));
    checkMachineSoftwareVersion();
    step(18, QStringLiteral("machine information"));
    requestMachineInformation();
    step(19, QStringLiteral("machine software packages"));
    scanMachinePackages();
    step(20, QStringLiteral("user session and main window"));
    openSession();
    return Outcome::Running;
}

void Inicio::step(int number, const QString &name)
{
    if (onStep)
        onStep(number, name);
}

IniFile Inicio::ini() const
{
    return IniFile(m_directory.iniFile());
}

QString Inicio::firstArgument() const
{
    // Arguments of the application itself; "--appdir DIR" chooses the directory only.
    for (qsizetype i = 1; i < m_arguments.size(); ++i) {
        const QString &argument = m_arguments.at(i);
        if (argument == QLatin1String("--appdir")) {
            ++i;
            continue;
        }
        if (argument.startsWith(QLatin1String("--appdir=")))
            continue;
        return argument;
    }
    return {};
}

bool Inicio::checkSingleInstance()
{
    m_singleInstance = std::make_unique<SingleInstance>(m_directory.path());
    if (m_singleInstance->RestoreIfRunning())
        return false;
    connect(m_singleInstance.get(), &SingleInstance::activationRequested, this, [this] {
        if (m_mainWindow)
            m_mainWindow->bringToFront();
    });
    return true;
}

void Inicio::waitForMaintenance()
{
    EsperarMientrasActivo(AppDirectory::kMaintenanceName);
}

void Inicio::startLog()
{
    uLog::IniciarLog(ini(), m_directory.logFile());
}

void Inicio::createCatalogue()
{
    // Not yet part of the application: the translation catalogue (pastillero.lng).
}

void Inicio::createDispenserLink()
{
    // Not yet part of the application: the dispenser link, listening at once.
}

bool Inicio::createDataModule()
{
    // Not yet part of the application: the data module opening the database.
    return true;
}

void Inicio::createPreferences()
{
    // Not yet part of the application: the preferences, read from the database.
}

void Inicio::chooseLanguage()
{
    // Not yet part of the application: the stored language, or the language dialog.
}

void Inicio::upgradeDatabase()
{
    // Not yet part of the application: the database upgrade steps.
}

void Inicio::setDefaultCountry()
{
    // Not yet part of the application: the country that follows the language.
}

void Inicio::markEmptyMedicationCatalogue()
{
    // Not yet part of the application: "MED" written when the medication table is empty.
}

void Inicio::applyPendingUpdater()
{
    if (ApplyPendingUpdater(m_directory) == PendingUpdaterResult::Failed)
        Log(QStringLiteral(": ERROR:No se pudo sustituir ") + AppDirectory::kUpdaterName);
}

bool Inicio::checkForUpdates()
{
    // Not yet part of the application: the update server's description and the updater.
    return false;
}

void Inicio::showReleaseNotes()
{
    const QString storedBuild = ini().readString(kVersion, QStringLiteral("Kelvo_SV"));
    if (!ReleaseNotes::buildChanged(storedBuild))
        return;
    // Until the catalogue and the preferences are part of the application the language is Spanish.
    const QString notes = ReleaseNotes::notesFile(m_directory, QStringLiteral("0"), QStringLiteral("es"));
    if (QFile::exists(notes))
        m_prompts.showReleaseNotes(storedBuild, QStringLiteral("ACTUALIZACIONES REALIZADAS"), notes);
}

bool Inicio::login()
{
    // Not yet part of the application: the login dialog, one attempt per start.
    return true;
}

void Inicio::checkMachineSoftwareVersion()
{
    // Not yet part of the application: the guided change of old machine software.
}

void Inicio::requestMachineInformation()
{
    // Not yet part of the application: the machine information request (load mode, version).
}

void Inicio::scanMachinePackages()
{
    // Sending a package needs the machine's software service, not yet part of the
    // application; until then the packages stay where they are.
    const QString emptyPackage = MachinePackages::scan(m_directory.path(), [](const QString &) {});
    if (!emptyPackage.isEmpty())
        m_prompts.showError(QStringLiteral("ACTUALIZACION IMPOSIBLE, PROBLEMAS DESCARGA DE FICHERO ")
                            + QLatin1Char(' ') + emptyPackage);
}

void Inicio::openSession()
{
    Log(QStringLiteral(": LOGIN: "));
    m_mainWindow = std::make_unique<TFormInicio>(
            [this] { return m_prompts.confirm(QStringLiteral("¿ESTÁ SEGURO DE SALIR DEL PROGRAMA?")); });
    connect(m_mainWindow.get(), &TFormInicio::closingConfirmed, this, &Inicio::shutdown);
    m_mainWindow->show();
}

void Inicio::shutdown()
{
    IniFile file = ini();
    file.writeString(kVersion, QStringLiteral("Kelvo_SV"), VersionBuild());
    try {
        if (QFile::exists(m_directory.maintenanceFile()))
            EjecutarPrograma(m_directory.maintenanceFile(), firstArgument(), false);
    } catch (const AppError &error) {
        Log(QStringLiteral(": ERROR:") + error.message());
        m_prompts.showError(error.message());
    }
}
