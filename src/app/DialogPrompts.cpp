#include "app/DialogPrompts.h"

#include "core/common/TextEncoding.h"
#include "core/shell/uLog.h"

#include <QFile>
#include <QMessageBox>

void DialogPrompts::showError(const QString &message)
{
    Log(QStringLiteral(": F_ERROR:") + message);
    QMessageBox::critical(nullptr, QStringLiteral("ERROR"), message);
}

bool DialogPrompts::confirm(const QString &question)
{
    return QMessageBox::question(nullptr, QStringLiteral("CONFIRMACIONES"), question,
                                 QMessageBox::Ok | QMessageBox::Cancel)
            == QMessageBox::Ok;
}

bool DialogPrompts::confirmContinue(const QString &text)
{
    return confirm(text);
}

void DialogPrompts::showReleaseNotes(const QString &, const QString &title, const QString &notesFile)
{
    QFile file(notesFile);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QMessageBox::information(nullptr, title, TextEncoding::decodeUtf8OrWindows1252(file.readAll()));
}
