#pragma once

#include "app/StartupPrompts.h"

// The start-up's questions and messages as modal dialogs.
class DialogPrompts : public StartupPrompts
{
public:
    void showError(const QString &message) override;
    void showUnhandledError(const QString &message) override;
    bool confirm(const QString &question) override;
    bool confirmContinue(const QString &text) override;
    void showReleaseNotes(const QString &storedBuild, const QString &title,
                          const QString &notesFile) override;
    LanguageChoice chooseLanguage() override;
    bool login() override;
    void checkMachineSoftwareVersion() override;
    bool installMachinePackage(const QString &packagePath) override;
    void noticeDatabaseUpgrade(const QString &text, const std::function<void()> &upgrade) override;
};
