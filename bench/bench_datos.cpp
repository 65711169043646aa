#include "BenchServidor.h"
// The data store under a pharmacy-sized load: 5,000 patients with 10 treatment lines each and two
// years of weekly loads with their lines. Measures the lookups and writes the screens make, on
// SQLite and, when PASTILLERO_BENCH_PGURL (or PASTILLERO_TEST_PGURL) names a PostgreSQL database,
// on PostgreSQL. The filled databases are kept (bench-data.dat beside the executable, schema
// "bench" on the server) so later runs skip the filling.
//
//   bench_datos [--benchmark_filter=...]        PASTILLERO_BENCH_PATIENTS=n for a smaller data set

#include "core/common/AppError.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"

#include <QCoreApplication>
#include <QFile>
#include <QUrl>
#include <QUrlQuery>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int kLineasPorPaciente = 10;
constexpr int kSemanas = 104;
constexpr int kLineasPorCarga = 10;
const QDate kPrimerLunes(2023, 1, 2);

int numeroPacientes()
{
    const int pedido = qEnvironmentVariableIntValue("PASTILLERO_BENCH_PATIENTS");
    return pedido > 0 ? pedido : 5000;
}

// The engine's form of "the first Monday plus n days" for statements that generate rows.
QString masDias(SqlEngine motor, const QString &dias)
{
    if (motor == SqlEngine::SQLite)
        return QStringLiteral("strftime('%Y-%m-%dT00:00:00.000Z', '2023-01-02', '+' || (%1) || ' days')")
                .arg(dias);
    return QStringLiteral("(TIMESTAMP '2023-01-02' + (%1) * INTERVAL '1 day')").arg(dias);
}

// Fills the database set-wise (the data set, not the code under measure).
void llenar(TDM &dm, int pacientes)
{
    if (dm.Valor(QStringLiteral("SELECT count(*) FROM Paciente")).toInt() == pacientes)
        return;
    std::fprintf(stderr, "filling %s with %d patients...\n", qPrintable(dm.conexion().describe()), pacientes);
    const SqlEngine motor = dm.motor();
    dm.EnTransaccion([&] {
        for (const char *tabla : {"Paciente", "Medicamento", "SPD", "Recarga", "RecargaLinea", "Usuario"})
            dm.Ejecutar(QStringLiteral("DELETE FROM ") + QLatin1String(tabla));
        dm.Ejecutar(QStringLiteral("DROP TABLE IF EXISTS bench_n"));
        dm.Ejecutar(QStringLiteral("CREATE TABLE bench_n (i INTEGER PRIMARY KEY)"));
        dm.Ejecutar(QStringLiteral("INSERT INTO bench_n (i) WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL "
                                   "SELECT i + 1 FROM n WHERE i < %1) SELECT i FROM n")
                            .arg(qMax(pacientes, 200)));
        dm.Ejecutar(QStringLiteral(
                "INSERT INTO Medicamento (idMedicamento, Medicamento, Descripcion, SPD, Volumen) "
                "SELECT 6500000 + i, 'MEDICAMENTO ' || i, '10 MG 30 COMPRIMIDOS', 1, i % 3 + 1 "
                "FROM bench_n WHERE i <= 200"));
        dm.Ejecutar(QStringLiteral("INSERT INTO Paciente (refPaciente, DNI, Nombre, Iactivo, CodCategoria, "
                                   "NumeroUltimaCargaRealizada) SELECT 'P-' || i, '' || (10000000 + i), "
                                   "'PACIENTE ' || i, 1, i % 5, %1 FROM bench_n WHERE i <= %2")
                            .arg(kSemanas)
                            .arg(pacientes));
        dm.Ejecutar(QStringLiteral(
                            "INSERT INTO SPD (idPaciente, idMedicamento, Inicio, Dosis, DosisS1, Cantidad) "
                            "SELECT p.idPaciente, 6500000 + ((p.idPaciente * 7 + l.i) % 200) + 1, %1, "
                            "'1-0-1-0:D:D:1', '1-0-1-0:D:D:1', 60 FROM Paciente p, bench_n l WHERE l.i <= %2")
                            .arg(masDias(motor, QStringLiteral("0")))
                            .arg(kLineasPorPaciente));
        dm.Ejecutar(
                QStringLiteral(
                        "INSERT INTO Recarga (refRecarga, idPaciente, FechaRealizado, FechaInicio, FechaFin, "
                        "Estado, idTipoBlister, idTratamiento, idUsuario) "
                        "SELECT w.i, p.idPaciente, %1, %1, %2, 0, 0, 0, 1 FROM Paciente p, bench_n w "
                        "WHERE w.i <= %3")
                        .arg(masDias(motor, QStringLiteral("(w.i - 1) * 7")),
                             masDias(motor, QStringLiteral("(w.i - 1) * 7 + 6")))
                        .arg(kSemanas));
        dm.Ejecutar(QStringLiteral("INSERT INTO RecargaLinea (idRecarga, idMedicamento, idMedicamentoR, "
                                   "Cantidad, Dosis, "
                                   "Lote, SPD, Medicamento) SELECT r.idRecarga, 6500000 + ((r.idRecarga + "
                                   "l.i) % 200) + 1, "
                                   "6500000 + ((r.idRecarga + l.i) % 200) + 1, 14, '1-0-1-0:D:D:1', 'L' || "
                                   "(r.idRecarga % 997), "
                                   "1, 'MEDICAMENTO' FROM Recarga r, bench_n l WHERE l.i <= %1")
                            .arg(kLineasPorCarga));
        dm.Ejecutar(QStringLiteral("DROP TABLE bench_n"));
    });
    dm.Ejecutar(QStringLiteral("ANALYZE"));
}

void buscarPorReferencia(benchmark::State &state, TDM &dm, int pacientes)
{
    int n = 0;
    for (auto _ : state) {
        const QString ref = QStringLiteral("p-%1").arg(n++ % pacientes + 1);
        benchmark::DoNotOptimize(dm.PacienteActivoPorReferencia(ref));
    }
}

// The lines of one patient in force over one week, with the medication's displayed name and
// blister flag, in the order of the blister plan.
void planSemanal(benchmark::State &state, TDM &dm, int pacientes)
{
    int n = 0;
    const QDate lunes = kPrimerLunes.addDays(7 * 50);
    for (auto _ : state) {
        QSqlQuery plan = dm.Consulta(
                QStringLiteral("SELECT s.id, s.idMedicamento, s.Dosis, s.SPDP, m.Medicamento, m.Descripcion, "
                               "m.DescUsuario, m.SPD, m.Volumen FROM SPD s LEFT JOIN Medicamento m "
                               "ON m.idMedicamento = s.idMedicamento WHERE s.idPaciente = ? AND s.Inicio < ? "
                               "AND (s.Fin IS NULL OR s.Fin >= ?) ORDER BY m.Medicamento, m.Volumen"),
                {n++ % pacientes + 1, SqlFecha::valor(lunes.addDays(7)), SqlFecha::valor(lunes)});
        int filas = 0;
        while (plan.next())
            ++filas;
        benchmark::DoNotOptimize(filas);
    }
}

// One load with 20 lines and the patient's load number, in one transaction.
void guardarCarga(benchmark::State &state, TDM &dm, int pacientes)
{
    int n = 0;
    for (auto _ : state) {
        const int paciente = n++ % pacientes + 1;
        const QDate inicio = kPrimerLunes.addDays(7 * (kSemanas + n));
        dm.EnTransaccion([&] {
            const qint64 recarga = dm.Anadir(
                    QStringLiteral("Recarga"),
                    {{QStringLiteral("refRecarga"), kSemanas + n},
                     {QStringLiteral("idPaciente"), paciente},
                     {QStringLiteral("FechaRealizado"), SqlFecha::valor(QDateTime(inicio, QTime(9, 0)))},
                     {QStringLiteral("FechaInicio"), SqlFecha::valor(inicio)},
                     {QStringLiteral("FechaFin"), SqlFecha::valor(inicio.addDays(6))},
                     {QStringLiteral("Estado"), 0},
                     {QStringLiteral("idUsuario"), 1}});
            for (int linea = 0; linea < 20; ++linea) {
                dm.Anadir(QStringLiteral("RecargaLinea"),
                          {{QStringLiteral("idRecarga"), recarga},
                           {QStringLiteral("idMedicamento"), 6500001 + linea},
                           {QStringLiteral("idMedicamentoR"), 6500001 + linea},
                           {QStringLiteral("Cantidad"), 14.0},
                           {QStringLiteral("Dosis"), QStringLiteral("1-0-1-0:D:D:1")},
                           {QStringLiteral("Lote"), QStringLiteral("L2024")},
                           {QStringLiteral("SPD"), 1}});
            }
            dm.Ejecutar(QStringLiteral("UPDATE Paciente SET NumeroUltimaCargaRealizada = ?, "
                                       "FechaUltimaCargaRealizada = ? WHERE idPaciente = ?"),
                        {kSemanas + n, SqlFecha::valor(inicio), paciente});
        });
    }
}

void medir(const ConnectionText &conexion, const AppDirectory &directorio, const QString &motor)
{
    TDM dm(conexion, directorio);
    const int pacientes = numeroPacientes();
    llenar(dm, pacientes);
    benchmark::ClearRegisteredBenchmarks();
    benchmark::RegisterBenchmark(qPrintable(motor + QStringLiteral("/PatientByReference")),
                                 buscarPorReferencia, std::ref(dm), pacientes);
    benchmark::RegisterBenchmark(qPrintable(motor + QStringLiteral("/WeeklyPlanOfOnePatient")), planSemanal,
                                 std::ref(dm), pacientes);
    benchmark::RegisterBenchmark(qPrintable(motor + QStringLiteral("/SaveLoadWith20Lines")), guardarCarga,
                                 std::ref(dm), pacientes);
    // One reporter per run: the library's default one does not survive a second run.
    benchmark::ConsoleReporter reporter(benchmark::ConsoleReporter::OO_None);
    benchmark::RunSpecifiedBenchmarks(&reporter);
}

void crearEsquema(const ConnectionText &servidor)
{
    EjecutarEnServidor(servidor, {QStringLiteral("CREATE SCHEMA IF NOT EXISTS bench")});
}

} // namespace

int main(int argc, char **argv)
try {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    const AppDirectory directorio(QCoreApplication::applicationDirPath());
    QFile fichero(directorio.file(QStringLiteral("bench-data.dat")));
    if (!fichero.exists() && fichero.open(QIODevice::WriteOnly))
        fichero.close(); // an empty file is a new SQLite database
    medir(ConnectionText::parse(fichero.fileName(), directorio.path()), directorio, QStringLiteral("SQLite"));

    QString url
            = qEnvironmentVariable("PASTILLERO_BENCH_PGURL", qEnvironmentVariable("PASTILLERO_TEST_PGURL"));
    if (!url.isEmpty()) {
        QUrl conSchema(url);
        QUrlQuery query(conSchema);
        query.addQueryItem(QStringLiteral("options"), QStringLiteral("-c search_path=bench"));
        conSchema.setQuery(query);
        crearEsquema(ConnectionText::parse(url, {}));
        medir(ConnectionText::parse(conSchema.toString(QUrl::FullyEncoded), {}), directorio,
              QStringLiteral("PostgreSQL"));
    }
    benchmark::Shutdown();
    return 0;
} catch (const AppError &error) {
    std::fprintf(stderr, "%s\n", qPrintable(error.message()));
    return 1;
}
