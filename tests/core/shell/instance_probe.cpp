// A second application instance for the single-instance tests: exits 3 when another instance
// runs, otherwise prints "registered" and, with --hold, stays until it is killed.
#include "core/shell/uCheckPrevious.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 2)
        return 2;
    SingleInstance instance(arguments.at(1));
    if (instance.RestoreIfRunning())
        return 3;
    std::printf("registered\n");
    std::fflush(stdout);
    if (!arguments.contains(QStringLiteral("--hold")))
        return 0;
    return QCoreApplication::exec();
}
