#include "app/DialogPrompts.h"
#include "app/Inicio.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("pastillero"));
    QApplication::setOrganizationName(QStringLiteral("pastillero"));

    const QStringList arguments = QApplication::arguments();
    DialogPrompts prompts;
    Inicio inicio(AppDirectory::resolve(arguments, QApplication::applicationDirPath()), arguments, prompts);
    switch (inicio.start()) {
    case Inicio::Outcome::Running:
        return QApplication::exec();
    case Inicio::Outcome::DirectoryUnusable:
    case Inicio::Outcome::DatabaseUnusable:
        return 1;
    default:
        return 0; // another instance, the updater, or a refused login: a normal end
    }
}
