// Backup and restore of an embedded database the size of a large pharmacy's: 5,000 patients,
// each with five treatment lines and 20 stored loads of five lines (100,000 loads, 500,000 load
// lines). The backup is the snapshot written beside the database and renamed over the backup
// file; the restore checks the backup and puts it in place of the database (reopening the
// database between runs is not counted).
#include "core/data/CopiaSeguridad.h"
#include "core/data/uDM.h"
#include "core/shell/AppDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace CopiaSeguridad;

namespace {

const QDateTime kAhora(QDate(2024, 5, 6), QTime(10, 0));

std::unique_ptr<AppDirectory> g_directorio;
std::unique_ptr<TDM> g_dm;

// Rows made by the database itself from a counter, so that filling takes seconds.
void Llenar(TDM &dm)
{
    const QString numeros = QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                                           "WHERE i < %1) ");
    dm.EnTransaccion([&] {
        dm.Ejecutar(numeros.arg(5000)
                    + QStringLiteral("INSERT INTO Paciente (refPaciente, Nombre, DNI, Iactivo) "
                                     "SELECT 'R-' || i, 'PACIENTE ' || i, substr('0000000' || i, -8) || 'A', "
                                     "1 FROM n"));
        dm.Ejecutar(numeros.arg(25000)
                    + QStringLiteral("INSERT INTO SPD (idPaciente, idMedicamento, Cantidad, Dosis, Medico) "
                                     "SELECT (i - 1) / 5 + 1, 700000 + i % 40, 20, '1-0-1-0:D:D:1', "
                                     "'DRA. RUIZ' FROM n"));
        dm.Ejecutar(numeros.arg(100000)
                    + QStringLiteral("INSERT INTO Recarga (refRecarga, idPaciente, Estado) "
                                     "SELECT (i - 1) % 20 + 1, (i - 1) / 20 + 1, 1 FROM n"));
        dm.Ejecutar(numeros.arg(500000)
                    + QStringLiteral("INSERT INTO RecargaLinea (idRecarga, idMedicamento, Cantidad, Dosis, "
                                     "Medicamento, descripcion, posologia) "
                                     "SELECT (i - 1) / 5 + 1, 700000 + i % 40, 1, '1-0-1-0', 'ENALAPRIL', "
                                     "'10 MG 28 COMPRIMIDOS', 'UNO EN DESAYUNO Y CENA' FROM n"));
    });
}

void AbrirBaseDatos()
{
    g_dm = std::make_unique<TDM>(*g_directorio);
}

void Backup(benchmark::State &state)
{
    const TPlanBackup plan = PlanBackup(*g_dm, kBackupCierre, kAhora);
    for (auto _ : state) {
        if (!Copiar(plan))
            state.SkipWithError("the backup failed");
    }
    state.counters["MB"] = double(QFileInfo(plan.destino).size()) / (1024 * 1024);
}

void Restaurar(benchmark::State &state)
{
    const QString copia
            = QDir(CarpetaBackup(*g_dm)).filePath(NombreBackup(kBackupCierre, kAhora, g_dm->motor()));
    if (!Copiar(PlanBackup(*g_dm, kBackupCierre, kAhora)))
        state.SkipWithError("the backup failed");
    for (auto _ : state) {
        if (!RestaurarBaseDatos(*g_dm, copia).correcta)
            state.SkipWithError("the restore failed");
        state.PauseTiming();
        g_dm.reset();
        AbrirBaseDatos();
        state.ResumeTiming();
    }
}

BENCHMARK(Backup)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Restaurar)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir carpeta;
    g_directorio = std::make_unique<AppDirectory>(carpeta.path());
    AbrirBaseDatos();
    Llenar(*g_dm);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_dm.reset();
    return 0;
}
