// One workstation of the concurrent load and stock tests: opens the database of the application
// directory with its own data module, says "ready", then runs one operation on the patient for
// each line of its standard input and answers "ok <value>" or "fail <message>".
// Arguments: directory, patient, the treatment line and its medication.
// Commands (each may start with a pause in milliseconds: "<pausa> <orden> ..."):
//   guardar                       stores a load of the line's medication, 7 units
//   borrar <idRecarga>            deletes a load
//   alta <cantidad>               enters a new stock row of the medication
//   corregir <idInventario> <vista> <nueva>   corrects a stock row's quantity
//   recalcular                    recounts the treatment lines' stock figures
//   espera <ms>                   how long a statement waits for a lock
#include "CargaPrueba.h"
#include "core/common/AppError.h"
#include "core/data/ManejadorErrores.h"
#include "core/loading/BorrarCarga.h"
#include "core/loading/GuardarCarga.h"
#include "core/stock/uInventario.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>
#include <iostream>
#include <string>

namespace {

const QDate kLunes(2024, 5, 6);

struct TPuesto
{
    TDM &dm;
    qint64 paciente;
    int linea;
    qint64 medicamento;

    // The answer to one command.
    QString ultimoError; // what the operations that report their own failures reported

    QString Ejecutar(const QStringList &orden)
    {
        const QString verbo = orden.value(0);
        ultimoError.clear();
        if (verbo == QLatin1String("guardar")) {
            TRecarga carga;
            carga.Add(CargaPrueba::porcion(linea, medicamento, 1.0, 7));
            const qint64 id = GuardarCarga(carga, kLunes, kLunes.addDays(6));
            return id > 0 ? QStringLiteral("ok %1").arg(id) : QStringLiteral("fail ") + ultimoError;
        }
        if (verbo == QLatin1String("borrar"))
            return BorrarCarga(orden.value(1).toLongLong()) == 1 ? QStringLiteral("ok 1")
                                                                 : QStringLiteral("fail ") + ultimoError;
        TInventario inventario(dm);
        if (verbo == QLatin1String("alta")) {
            const qint64 id = inventario.AltaStock({paciente, medicamento, 0, QStringLiteral("NUEVO"),
                                                    QDate(2035, 1, 31), orden.value(1).toDouble()});
            return QStringLiteral("ok %1").arg(id);
        }
        if (verbo == QLatin1String("corregir")) {
            const TCorreccionStock correccion = inventario.ModificarCantidad(
                    orden.value(1).toLongLong(), orden.value(3).toDouble(), orden.value(2).toDouble());
            return QStringLiteral("ok %1 %2").arg(int(correccion.resultado)).arg(correccion.CantidadGuardada);
        }
        if (verbo == QLatin1String("recalcular")) {
            inventario.RecalcularCantidadesSPD(paciente);
            return QStringLiteral("ok 0");
        }
        if (verbo == QLatin1String("espera")) {
            dm.EstablecerEsperaBloqueo(orden.value(1).toInt());
            return QStringLiteral("ok 0");
        }
        return QStringLiteral("fail unknown command");
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList argumentos = QCoreApplication::arguments();
    if (argumentos.size() != 5)
        return 2;
    try {
        TDM dm {AppDirectory(argumentos.at(1))};
        dm.idPacienteActivo = argumentos.at(2).toInt();
        TPuesto puesto {dm,
                        argumentos.at(2).toLongLong(),
                        argumentos.at(3).toInt(),
                        argumentos.at(4).toLongLong(),
                        {}};
        ManejadorErrores::EstablecerPresentador(
                [&puesto](const QString &mensaje) { puesto.ultimoError = mensaje.simplified(); });
        std::printf("ready\n");
        std::fflush(stdout);
        std::string linea;
        while (std::getline(std::cin, linea)) {
            QStringList orden = QString::fromStdString(linea).split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (orden.isEmpty())
                continue;
            if (bool numero = false; orden.first().toInt(&numero), numero)
                QThread::msleep(orden.takeFirst().toULong());
            QString respuesta;
            try {
                respuesta = puesto.Ejecutar(orden);
            } catch (const AppError &error) {
                respuesta = QStringLiteral("fail ") + error.message().simplified();
            }
            std::printf("%s\n", qPrintable(respuesta));
            std::fflush(stdout);
        }
    } catch (const AppError &error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.message()));
        return 1;
    }
    return 0;
}
