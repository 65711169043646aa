#include "app/Aplicacion.h"
#include "app/DialogPrompts.h"
#include "app/Inicio.h"

int main(int argc, char *argv[])
{
    Aplicacion application(argc, argv);
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
