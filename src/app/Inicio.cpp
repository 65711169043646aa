#include "app/Inicio.h"

#include "app/Pantallas.h"
#include "app/StartupPrompts.h"
#include "core/common/AppError.h"
#include "core/common/Clock.h"
#include "core/data/ActualizacionBaseDatos.h"
#include "core/data/DemoPharmacy.h"
#include "core/data/ManejadorErrores.h"
#include "core/data/uDM.h"
#include "core/dispenser/ConfiguracionRedDispensador.h"
#include "core/dispenser/UDispenserTCP.h"
#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "core/shell/ComprobacionActualizaciones.h"
#include "core/shell/IniFile.h"
#include "core/shell/MachinePackages.h"
#include "core/shell/PendingUpdater.h"
#include "core/shell/ProcessTools.h"
#include "core/shell/ReleaseNotes.h"
#include "core/shell/ServidorActualizaciones.h"
#include "core/shell/Version.h"
#include "core/shell/uCheckPrevious.h"
#include "core/shell/uLog.h"
#include "ui/data/BackupSistema.h"
#include "ui/i18n/TKelvoVentana.h"
#include "ui/shell/FMain.h"
#include "ui/shell/Mensajes.h"

#include <QCoreApplication>
#include <QFile>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcInicio, "pastillero.inicio", QtInfoMsg)

namespace {

const QString kVersion = QStringLiteral("VERSION");

// Starts the updater once the maintenance program is done with the database; a failure to
// start it is reported and the start goes on. True when the updater runs.
bool launchUpdater(const AppDirectory &directory, const QString &parameters, IniFile &file,
                   const QDate &today)
{
    EsperarMientrasActivo(AppDirectory::kMaintenanceName);
    if (!ManejadorErrores::Proteger([&] { EjecutarPrograma(directory.updaterFile(), parameters, false); }))
        return false;
    AnotarLanzamientoActualizador(file, today);
    return true;
}

} // namespace

Inicio::Inicio(AppDirectory directory, QStringList arguments, StartupPrompts &prompts)
    : m_directory(std::move(directory))
    , m_arguments(std::move(arguments))
    , m_prompts(prompts)
{
    AppDirectory::setCurrent(m_directory);
}

Inicio::~Inicio()
{
    // The main window goes first: its screens still reach the shared objects while closing.
    m_mainWindow.reset();
    m_preferences.reset();
    m_dm.reset();
    m_dispenser.reset();
    ManejadorErrores::EstablecerPresentador({});
    ManejadorErrores::EstablecerAvisoGuardado({});
}

Inicio::Outcome Inicio::start()
{
    if (!checkDirectory())
        return Outcome::DirectoryUnusable;
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
    if (!createPreferences())
        return Outcome::DatabaseUnusable;
    step(8, QStringLiteral("language"));
    chooseLanguage();
    step(9, QStringLiteral("database upgrades"));
    if (!upgradeDatabase() || !createPreferences())
        return Outcome::DatabaseUnusable;
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
    qCInfo(lcInicio).noquote() << "step" << number << name;
    if (onStep)
        onStep(number, name);
}

bool Inicio::checkDirectory()
{
    // Checked before anything is written, so a refused start leaves no file behind.
    QString problem;
    if (!m_directory.hasRoomToWork())
        problem = Traducir(
                QStringLiteral("ERR_DIRECTORIO_SIN_ESPACIO"),
                QStringLiteral("NO QUEDA ESPACIO LIBRE EN EL DISCO DEL DIRECTORIO DE LA APLICACION"));
    else if (!m_directory.isUsable())
        problem = Traducir(QStringLiteral("ERR_DIRECTORIO_APLICACION"),
                           QStringLiteral("NO SE PUEDE ESCRIBIR EN EL DIRECTORIO DE LA APLICACION"));
    if (problem.isEmpty())
        return true;
    problem += QLatin1Char(' ') + m_directory.path();
    qCWarning(lcInicio).noquote() << problem;
    m_prompts.showError(problem);
    return false;
}

void Inicio::announce(const QString &what, const QString &where)
{
    // Support asks first where a workstation keeps its files: the log and the standard error
    // (the desktop session's journal) both say it.
    Log(QStringLiteral(": ") + what + QStringLiteral(": ") + where);
    qCInfo(lcInicio).noquote() << what << where;
}

IniFile Inicio::ini() const
{
    return IniFile(m_directory.iniFile());
}

QString Inicio::firstArgument() const
{
    // Arguments of the application itself; "--appdir DIR" chooses the directory and "--demo"
    // asks for the demo pharmacy, neither is handed on.
    for (qsizetype i = 1; i < m_arguments.size(); ++i) {
        const QString &argument = m_arguments.at(i);
        if (argument == QLatin1String("--appdir")) {
            ++i;
            continue;
        }
        if (argument.startsWith(QLatin1String("--appdir="))
            || argument == QLatin1String(DemoPharmacy::kArgumentoDemo))
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
    announce(QStringLiteral("DIRECTORIO APLICACION"), m_directory.path());
}

void Inicio::createCatalogue()
{
    const QString shipped = m_directory.shippedCatalogueFile();
    if (!shipped.isEmpty())
        announce(QStringLiteral("TRADUCCIONES INSTALADAS"), shipped);
    m_lenguaje = std::make_unique<TLenguaje>(m_directory.catalogueFile(), shipped);
    m_lenguaje->SetModoDesarrollo(firstArgument() == kArgumentoDesarrollo);
}

void Inicio::createDispenserLink()
{
    // Listening and announcing start at once, so the machine has found us by step 18.
    m_dispenser = std::make_unique<TDispenserTCP>(TConfiguracionRedDispensador::Leer(ini()));
}

bool Inicio::createDataModule()
{
    ManejadorErrores::EstablecerPresentador(
            [this](const QString &message) { m_prompts.showUnhandledError(message); });
    ManejadorErrores::EstablecerAvisoGuardado(MostrarAviso);
    try {
        m_dm = std::make_unique<TDM>(m_directory);
    } catch (const AppError &error) {
        qCWarning(lcInicio).noquote() << error.message();
        ManejadorErrores::Reportar(error.message());
        return false;
    }
    announce(QStringLiteral("BASE DE DATOS"), m_dm->DescripcionConexion());
    return true;
}

bool Inicio::createPreferences()
{
    // A second creation (after the upgrades) replaces the first: everything after sees the
    // upgraded data.
    try {
        m_preferences = std::make_unique<TPreferences>(ini());
    } catch (const AppError &error) {
        ManejadorErrores::Reportar(error.message());
        return false;
    }
    return true;
}

void Inicio::chooseLanguage()
{
    TPreferences &preferencias = Preferencias();
    if (!preferencias.Idioma.isEmpty()) {
        Lenguaje().SetIdioma(preferencias.Idioma);
        return;
    }
    const LanguageChoice choice = m_prompts.chooseLanguage();
    if (!choice.idioma.isEmpty()) {
        preferencias.Idioma = choice.idioma;
        Lenguaje().SetIdioma(choice.idioma);
    }
    if (!choice.pais.isEmpty())
        preferencias.Pais = choice.pais;
    ManejadorErrores::Proteger([&preferencias] { preferencias.Guardar(); });
}

bool Inicio::upgradeDatabase()
{
    // A step that failed is not recorded: the start ends and the next one runs it again.
    return ManejadorErrores::Proteger([this] {
        ActualizarBaseDatos(DM(), Clock::today(),
                            [this](const QString &text, const std::function<void()> &upgrade) {
                                m_prompts.noticeDatabaseUpgrade(text, upgrade);
                            });
    });
}

void Inicio::setDefaultCountry()
{
    ManejadorErrores::Proteger([] { Preferencias().PaisPorDefecto(); });
}

void Inicio::markEmptyMedicationCatalogue()
{
    // The demo pharmacy first, so a demo directory never reads as an empty catalogue.
    IniFile file = ini();
    const bool demoAskedFor = m_arguments.contains(QLatin1String(DemoPharmacy::kArgumentoDemo));
    ManejadorErrores::Proteger([&file, demoAskedFor] {
        DemoPharmacy::PrepararSiProcede(file, demoAskedFor, DM(), Preferencias());
        MarcarCatalogoVacio(file);
    });
}

void Inicio::applyPendingUpdater()
{
    if (ApplyPendingUpdater(m_directory) == PendingUpdaterResult::Failed)
        Log(QStringLiteral(": ERROR:No se pudo sustituir ") + AppDirectory::kUpdaterName);
}

bool Inicio::checkForUpdates()
{
    IniFile file = ini();
    const EstadoActualizacion estado = ComprobarActualizacion(
            ServidoresActualizacion::Leer(file), updatesFromBetaChannel(), m_directory.updateDir(),
            TVersionesInstaladas::De(m_directory, DM().DirectorioBaseDatos()), Preferencias().Pais);
    if (estado == EstadoActualizacion::SinConexion)
        m_prompts.showError(Traducir(QStringLiteral("ERR_CONEXION_IMPOSIBLE"),
                                     QStringLiteral("NO HAY CONEXION CON EL SERVIDOR DE ACTUALIZACIONES")));
    if (estado != EstadoActualizacion::Pendiente)
        return false;
    // Without the updater the question would offer what cannot be done.
    if (!QFile::exists(m_directory.updaterFile())) {
        Log(QStringLiteral(": ACTUALIZACION: falta ") + AppDirectory::kUpdaterName);
        return false;
    }
    const QDate today = Clock::today();
    if (!PrimerInicioDelDia(file, today)
        && !m_prompts.confirm(Traducir(QStringLiteral("QST_ACTUALIZAR_UPD"),
                                       QStringLiteral("ACTUALIZACION PENDIENTE ¿QUIERES ACTUALIZAR?"))))
        return false;
    // The updater reads the first argument, the language and the country by position.
    const QString parameters = firstArgument() + QLatin1Char(' ') + QString::number(Lenguaje().Idioma())
            + QStringLiteral("  ") + Preferencias().Pais;
    return launchUpdater(m_directory, parameters, file, today);
}

bool Inicio::updatesFromBetaChannel() const
{
    return EsCanalBeta(firstArgument(), Lenguaje().ModoDesarrollo(), ini());
}

void Inicio::showReleaseNotes()
{
    const QString storedBuild = ini().readString(kVersion, QStringLiteral("Kelvo_SV"));
    if (!ReleaseNotes::buildChanged(storedBuild))
        return;
    const QString notes = ReleaseNotes::notesFile(m_directory, Preferencias().Idioma);
    if (QFile::exists(notes))
        m_prompts.showReleaseNotes(storedBuild,
                                   Traducir(QStringLiteral("STR_ACTUALIZACIONES_REALIZADAS"),
                                            QStringLiteral("ACTUALIZACIONES REALIZADAS")),
                                   notes);
}

bool Inicio::login()
{
    if (m_prompts.login())
        return true;
    m_prompts.showError(Traducir(QStringLiteral("ERR_USUARIO_NO_AUTORIZADO"),
                                 QStringLiteral("No estás autorizado a usar esta aplicacion.")));
    return false;
}

void Inicio::checkMachineSoftwareVersion()
{
    // A machine that answered the announcement meanwhile is accepted before it is asked.
    QCoreApplication::processEvents();
    m_prompts.checkMachineSoftwareVersion();
}

void Inicio::requestMachineInformation()
{
    // A machine that answered the announcement while the steps before ran is waiting to be
    // accepted: let the link take it before asking.
    QCoreApplication::processEvents();
    // Also sets the machine version that decides the encoding of what the link sends.
    const TMaquinaConsultada maquina = Dispenser().ConsultarMaquina();
    Preferencias().TipoCarga = maquina.TipoCarga;
    Preferencias().VersionMaquina = maquina.VersionMaquina;
}

void Inicio::scanMachinePackages()
{
    // The machine installs what it needs; a package left for later stays for the next start.
    bool goOn = true;
    const QString emptyPackage
            = MachinePackages::scan(m_directory.path(), [this, &goOn](const QString &path) {
                  if (goOn)
                      goOn = m_prompts.installMachinePackage(path);
              });
    if (!emptyPackage.isEmpty())
        m_prompts.showError(
                Traducir(QStringLiteral("ERR_ACT_MAQUINA_FILESIZE_CERO"),
                         QStringLiteral("ACTUALIZACION IMPOSIBLE, PROBLEMAS DESCARGA DE FICHERO "))
                + QLatin1Char(' ') + emptyPackage);

    const std::optional<TInfoMaquina> info = Dispenser().PedirInfo();
    if (info && info->Ver_PIC.isEmpty())
        m_prompts.confirmContinue(
                Traducir(QStringLiteral("MSG_PROBLEMA_SOFTWARE_MAQUINA"),
                         QStringLiteral("PROBLEMAS SOFTWARE MAQUINA"))
                + QStringLiteral("\n\r")
                + Traducir(QStringLiteral("MSG_CAMBIAR_VERSION_MAQUINA"),
                           QStringLiteral(
                                   "REINICIE LA MAQUINA Y CAMBIE LA VERSION FIRMWARE MAQUINA MANUALMENTE")));
}

void Inicio::openSession()
{
    Log(QStringLiteral(": LOGIN: ") + (DM().Usuario ? DM().Usuario->username : QString()));
    m_mainWindow = std::make_unique<TFormInicio>([this] {
        return m_prompts.confirm(Traducir(QStringLiteral("QST_SALIR_APP"),
                                          QStringLiteral("¿ESTÁ SEGURO DE SALIR DEL PROGRAMA?")));
    });
    connect(m_mainWindow.get(), &TFormInicio::closingConfirmed, this, &Inicio::shutdown);
    TKelvoVentana::SetAlCambiarCaptura([] {
        if (ExisteFormInicio())
            FormInicio().ActualizarTitulo();
    });
    m_mainWindow->SetCanalBeta(updatesFromBetaChannel());
    RegistrarPantallas();
    m_mainWindow->show();
}

void Inicio::shutdown()
{
    IniFile file = ini();
    if (const QString address = Dispenser().DireccionUltimaMaquina(); !address.isEmpty())
        file.writeString(kVersion, QStringLiteral("DIPA"), address);
    file.writeString(kVersion, QStringLiteral("Kelvo_SV"), VersionBuild());
    try {
        if (QFile::exists(m_directory.maintenanceFile()))
            EjecutarPrograma(m_directory.maintenanceFile(), firstArgument(), false);
        else
            BackupAlCerrar();
    } catch (const AppError &error) {
        ManejadorErrores::Reportar(error.message());
    }
    Dispenser().CerrarConexion();
}
