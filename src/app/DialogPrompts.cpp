#include "app/DialogPrompts.h"

#include "core/common/TextEncoding.h"
#include "core/i18n/ULenguaje.h"
#include "ui/i18n/FDlgSelectLanguaje.h"
#include "ui/shell/Mensajes.h"
#include "ui/shell/TDlgQuestion.h"
#include "ui/users/Login.h"

#include <QFile>
#include <QMessageBox>

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

void DialogPrompts::showReleaseNotes(const QString &, const QString &title, const QString &notesFile)
{
    QFile file(notesFile);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QMessageBox::information(nullptr, title, TextEncoding::decodeUtf8OrWindows1252(file.readAll()));
}

LanguageChoice DialogPrompts::chooseLanguage()
{
    TDlgSelectLanguaje dialog;
    dialog.exec();
    return {dialog.Idioma(), dialog.Pais()};
}

bool DialogPrompts::login()
{
    return Login();
}

void DialogPrompts::noticeDatabaseUpgrade(const QString &text, const std::function<void()> &upgrade)
{
    TDlgQuestion(text, upgrade).Mostrar();
}
