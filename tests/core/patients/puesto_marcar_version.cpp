// One workstation for the concurrent history tests: opens the database of the application
// directory with its own data module, waits for "go" on its standard input, then, as many times
// as asked, changes its own treatment line and marks the patient's version as loaded.
// Arguments: directory, patient, line, tag, rounds. Exits 0 when every round was stored.
#include "core/common/AppError.h"
#include "core/data/uDM.h"
#include "core/patients/uHistorialTratamiento.h"

#include <QCoreApplication>

#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList argumentos = QCoreApplication::arguments();
    if (argumentos.size() != 6)
        return 2;
    const qint64 paciente = argumentos.at(2).toLongLong();
    const qint64 linea = argumentos.at(3).toLongLong();
    const QString marca = argumentos.at(4);
    const int rondas = argumentos.at(5).toInt();
    try {
        TDM dm {AppDirectory(argumentos.at(1))};
        THistorialTratamiento historial(dm);
        std::printf("ready\n");
        std::fflush(stdout);
        std::string orden;
        std::getline(std::cin, orden);
        for (int ronda = 0; ronda < rondas; ++ronda) {
            dm.Ejecutar(QStringLiteral("UPDATE SPD SET Dosis = ? WHERE id = ?"),
                        {QStringLiteral("%1-%2").arg(marca).arg(ronda), linea});
            historial.MarcarVersionCargada(paciente);
        }
    } catch (const AppError &error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.message()));
        return 1;
    }
    return 0;
}
