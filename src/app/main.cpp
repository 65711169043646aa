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
    if (inicio.start() != Inicio::Outcome::Running)
        return 0;
    return QApplication::exec();
}
