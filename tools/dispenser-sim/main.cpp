// The machine simulator as a program: the demo starts it beside the application.
#include "OpcionesSimulador.h"
#include "SimuladorDispensador.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSocketNotifier>
#include <QTextStream>

#include <csignal>
#include <unistd.h>

namespace {

int g_avisoFin[2] = {-1, -1}; // a signal handler may only write to a pipe

void AlPedirFin(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t escrito = ::write(g_avisoFin[1], &byte, 1);
}

// SIGTERM (the demo's end) and SIGINT end the event loop like a normal exit, so the FTP service
// and its temporary folder go with the simulator.
void TerminarConSenales(QCoreApplication &app)
{
    if (::pipe(g_avisoFin) != 0)
        return;
    auto *aviso = new QSocketNotifier(g_avisoFin[0], QSocketNotifier::Read, &app);
    QObject::connect(aviso, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    std::signal(SIGTERM, AlPedirFin);
    std::signal(SIGINT, AlPedirFin);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream salida(stdout);
    OpcionesSimulador opciones;
    if (const auto error = OpcionesSimulador::Leer(app.arguments(), opciones)) {
        if (opciones.soloAyuda) {
            salida << *error;
            return 0;
        }
        QTextStream(stderr) << *error << '\n';
        return 2;
    }
    SimuladorDispensador simulador(opciones);
    QObject::connect(&simulador, &SimuladorDispensador::registro, &app, [&salida](const QString &linea) {
        salida << QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss.zzz"))
               << " dispenser-sim: " << linea << Qt::endl;
    });
    if (!simulador.Iniciar())
        return 1;
    TerminarConSenales(app);
    return app.exec();
}
