// The machine simulator as a program: the demo starts it beside the application.
#include "OpcionesSimulador.h"
#include "SimuladorDispensador.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTextStream>

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
    return app.exec();
}
