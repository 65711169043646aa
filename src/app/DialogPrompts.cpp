#include "app/DialogPrompts.h"

#include "core/dispenser/ConfiguracionMaquina.h"
#include "core/i18n/ULenguaje.h"
#include "ui/dispenser/ActualizacionSoftware.h"
#include "ui/i18n/FDlgSelectLanguaje.h"
#include "ui/shell/FDlgNotasVersion.h"
#include "ui/shell/Mensajes.h"
#include "ui/shell/TDlgQuestion.h"
#include "ui/users/Login.h"

void DialogPrompts::showError(const QString &message)
{
    MostrarError(message);
}

void DialogPrompts::showUnhandledError(const QString &message)
{
    MostrarErrorNoControlado(message);
}

bool DialogPrompts::confirm(const QString &question)
{
    return Confirmar(question) == 1;
}

bool DialogPrompts::confirmContinue(const QString &text)
{
    return ConfirmarContinuar(text) == 1;
}

// Only the notes of the versions newer than the build the workstation ran last.
void DialogPrompts::showReleaseNotes(const QString &storedBuild, const QString &title,
                                     const QString &notesFile)
{
    VerNotasVersion(storedBuild, title, notesFile);
}

LanguageChoice DialogPrompts::chooseLanguage()
{
    TDlgSelectLanguaje dialog(&EnviarIdiomaInicial);
    dialog.exec();
    return {dialog.Idioma(), dialog.Pais()};
}

void DialogPrompts::checkMachineSoftwareVersion()
{
    ComprobarVersionMaquina(nullptr);
}

bool DialogPrompts::installMachinePackage(const QString &packagePath)
{
    return InstalarPaqueteAlIniciar(packagePath, nullptr);
}

bool DialogPrompts::login()
{
    return Login();
}

void DialogPrompts::noticeDatabaseUpgrade(const QString &text, const std::function<void()> &upgrade)
{
    TDlgQuestion(text, upgrade).Mostrar();
}
