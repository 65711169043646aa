#pragma once

#include <QString>

#include <functional>

// The language and country chosen in the language dialog; empty when not chosen.
struct LanguageChoice
{
    QString idioma;
    QString pais;
};

// What the start-up and shutdown sequence asks of the user. The application answers with its
// modal dialogs; tests answer with a script, so the whole sequence runs in-process.
class StartupPrompts
{
public:
    virtual ~StartupPrompts() = default;

    virtual void showError(const QString &message) = 0;
    // An error the application-wide handler has already logged: shown, not logged again.
    virtual void showUnhandledError(const QString &message) = 0;
    // true when the user accepts.
    virtual bool confirm(const QString &question) = 0;
    virtual bool confirmContinue(const QString &text) = 0;
    virtual void showReleaseNotes(const QString &storedBuild, const QString &title, const QString &notesFile)
            = 0;
    virtual LanguageChoice chooseLanguage() = 0;
    // The one login attempt of the start: true when a known user logged in.
    virtual bool login() = 0;
    // The guided change of an old machine software, when the machine has one.
    virtual void checkMachineSoftwareVersion() = 0;
    // Installs a machine package waiting in the application directory when the machine needs
    // it; false when the user left the update for later (the other packages wait too).
    virtual bool installMachinePackage(const QString &packagePath) = 0;
    // The notice before a long database upgrade: `upgrade` runs when the user accepts it, and what
    // it throws goes on to the caller.
    virtual void noticeDatabaseUpgrade(const QString &text, const std::function<void()> &upgrade) = 0;
};
