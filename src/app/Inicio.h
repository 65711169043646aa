#pragma once

#include "core/shell/AppDirectory.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

class IniFile;
class SingleInstance;
class TDM;
class TDispenserTCP;
class TLenguaje;
class TPreferences;
class StartupPrompts;
class TFormInicio;

// The application's start-up, in its fixed order, and its shutdown. Each step is one call into
// the object that owns it; steps whose objects are not part of the application yet are marked
// as such and do nothing.
class Inicio : public QObject
{
    Q_OBJECT

public:
    // How the start-up ended.
    enum class Outcome {
        Running, // the main window is open; the event loop may run
        DirectoryUnusable, // the application directory cannot be created or written
        AnotherInstance, // another instance was asked to show itself
        UpdaterLaunched, // the updater took over
        LoginRefused, // the one login attempt failed
        DatabaseUnusable, // start-up cannot go on without the database
    };

    Inicio(AppDirectory directory, QStringList arguments, StartupPrompts &prompts);
    ~Inicio() override;

    // Steps 1 to 20. The caller runs the event loop (step 21) when the result is Running.
    Outcome start();

    // Shutdown steps 2 to 6, run when the main window's closing was confirmed.
    void shutdown();

    TFormInicio *mainWindow() const { return m_mainWindow.get(); }

    // Called with the number and name of every step as it begins (tests, and the log).
    std::function<void(int step, const QString &name)> onStep;

private:
    void step(int number, const QString &name);
    // The application directory exists, accepts files and has room on its disk; else says why.
    bool checkDirectory();
    // Says in the log and on the standard error where a part of the installation lives.
    void announce(const QString &what, const QString &where);

    bool checkSingleInstance();
    void waitForMaintenance();
    void startLog();
    void createCatalogue();
    void createDispenserLink();
    bool createDataModule();
    bool createPreferences();
    void chooseLanguage();
    bool upgradeDatabase();
    void setDefaultCountry();
    void markEmptyMedicationCatalogue();
    void applyPendingUpdater();
    bool checkForUpdates();
    void showReleaseNotes();
    bool login();
    void checkMachineSoftwareVersion();
    void requestMachineInformation();
    void scanMachinePackages();
    void openSession();

    QString firstArgument() const;
    bool updatesFromBetaChannel() const;
    IniFile ini() const;

    AppDirectory m_directory;
    QStringList m_arguments;
    StartupPrompts &m_prompts;
    std::unique_ptr<SingleInstance> m_singleInstance;
    std::unique_ptr<TLenguaje> m_lenguaje;
    std::unique_ptr<TDispenserTCP> m_dispenser;
    std::unique_ptr<TDM> m_dm;
    std::unique_ptr<TPreferences> m_preferences;
    std::unique_ptr<TFormInicio> m_mainWindow;
};
