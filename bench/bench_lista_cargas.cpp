#include "BenchServidor.h"
// The list of loads on a pharmacy's two years: 5,000 patients with a weekly load each (520,000
// loads), most delivered, some returned and validated. Measures the time until the list shows its
// first screenful (the model's first page) with no filter, with a date filter of the last month
// and of one year, one patient's loads, the prepared ones, newest first, and, as the contrast, the
// whole list read at once. On SQLite and, when PASTILLERO_BENCH_PGURL (or PASTILLERO_TEST_PGURL)
// names a PostgreSQL database, on PostgreSQL. The filled databases are kept (bench-cargas.dat
// beside the executable, schema "bench_cargas" on the server) so later runs skip the filling.
//
//   bench_lista_cargas [--benchmark_filter=...]   PASTILLERO_BENCH_PATIENTS=n for a smaller data set

#include "core/common/AppError.h"
#include "core/data/uDM.h"
#include "core/loading/ModeloCargas.h"

#include <QCoreApplication>
#include <QFile>
#include <QUrl>
#include <QUrlQuery>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int kSemanas = 104;
const QDate kPrimerLunes(2023, 1, 2);
const QDate kUltimoViernes = kPrimerLunes.addDays(7 * (kSemanas - 1) + 4); // the last load made

int numeroPacientes()
{
    const int pedido = qEnvironmentVariableIntValue("PASTILLERO_BENCH_PATIENTS");
    return pedido > 0 ? pedido : 5000;
}

// The engine's form of "the first Monday plus n days and some hours" for statements that generate rows.
QString masDias(SqlEngine motor, const QString &dias, int horas)
{
    if (motor == SqlEngine::SQLite)
        return QStringLiteral("strftime('%Y-%m-%dT%H:00:00.000Z', '2023-01-02', '+' || (%1) || ' days', "
                              "'+%2 hours')")
                .arg(dias)
                .arg(horas);
    return QStringLiteral("(TIMESTAMP '2023-01-02' + (%1) * INTERVAL '1 day' + INTERVAL '%2 hours')")
            .arg(dias)
            .arg(horas);
}

// Fills the database set-wise (the data set, not the code under measure). A patient's load of week
// w is made on the Friday before it; all but the last four weeks' were delivered, one in ten of
// them returned, and one patient's loads in three validated.
void llenar(TDM &dm, int pacientes)
{
    if (dm.Valor(QStringLiteral("SELECT count(*) FROM Paciente")).toInt() == pacientes)
        return;
    std::fprintf(stderr, "filling %s with %d patients...\n", qPrintable(dm.conexion().describe()), pacientes);
    const SqlEngine motor = dm.motor();
    dm.EnTransaccion([&] {
        for (const char *tabla : {"Paciente", "Recarga", "Usuario"})
            dm.Ejecutar(QStringLiteral("DELETE FROM ") + QLatin1String(tabla));
        dm.Ejecutar(QStringLiteral("DROP TABLE IF EXISTS bench_n"));
        dm.Ejecutar(QStringLiteral("CREATE TABLE bench_n (i INTEGER PRIMARY KEY)"));
        dm.Ejecutar(QStringLiteral("INSERT INTO bench_n (i) WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL "
                                   "SELECT i + 1 FROM n WHERE i < %1) SELECT i FROM n")
                            .arg(qMax(pacientes, kSemanas)));
        dm.Ejecutar(QStringLiteral("INSERT INTO Usuario (idUsuario, Nombre, username, idPerfil) "
                                   "VALUES (1, 'PEPA', 'pepa', 1), (2, 'LUIS', 'luis', 1)"));
        dm.Ejecutar(
                QStringLiteral("INSERT INTO Paciente (refPaciente, Nombre, Iactivo, CodCategoria, "
                               "NumeroUltimaCargaRealizada) SELECT 'P-' || i, 'PACIENTE ' || i, 1, i % 5, %1 "
                               "FROM bench_n WHERE i <= %2")
                        .arg(kSemanas)
                        .arg(pacientes));
        dm.Ejecutar(
                QStringLiteral(
                        "INSERT INTO Recarga (refRecarga, idPaciente, FechaRealizado, FechaInicio, FechaFin, "
                        "Estado, idTipoBlister, idTratamiento, idUsuario, FechaEntrega, FechaRetornado, "
                        "IdValidador, FechaValidado) "
                        "SELECT w.i, p.idPaciente, %1, %2, %3, 0, 0, 0, 1, "
                        "CASE WHEN w.i <= %4 THEN %2 END, "
                        "CASE WHEN w.i <= %4 AND p.idPaciente % 10 = 0 THEN %3 END, "
                        "CASE WHEN p.idPaciente % 3 = 0 THEN 2 END, "
                        "CASE WHEN p.idPaciente % 3 = 0 THEN %1 END "
                        "FROM Paciente p, bench_n w WHERE w.i <= %5")
                        .arg(masDias(motor, QStringLiteral("(w.i - 1) * 7 + 4"), 9),
                             masDias(motor, QStringLiteral("w.i * 7"), 0),
                             masDias(motor, QStringLiteral("w.i * 7 + 6"), 0))
                        .arg(kSemanas - 4)
                        .arg(kSemanas));
        dm.Ejecutar(QStringLiteral("DROP TABLE bench_n"));
    });
    dm.Ejecutar(QStringLiteral("ANALYZE"));
}

// The list opened as the screen opens it: the first page the grid shows.
void primeraPantalla(benchmark::State &state, TDM &dm, const TFiltroCargas &filtro, const TOrdenCargas &orden)
{
    TModeloCargas modelo(dm);
    if (orden.Columna)
        modelo.sort(int(*orden.Columna), orden.Descendente ? Qt::DescendingOrder : Qt::AscendingOrder);
    for (auto _ : state) {
        modelo.Consultar(filtro);
        benchmark::DoNotOptimize(modelo.rowCount());
    }
    state.counters["rows"] = modelo.rowCount();
}

void todaLaLista(benchmark::State &state, TDM &dm)
{
    for (auto _ : state) {
        const QList<TFilaCarga> filas = ConsultarCargas(dm);
        state.counters["rows"] = double(filas.size());
    }
}

void medir(const ConnectionText &conexion, const AppDirectory &directorio, const QString &motor)
{
    TDM dm(conexion, directorio);
    const int pacientes = numeroPacientes();
    llenar(dm, pacientes);

    TFiltroCargas mes;
    mes.Desde = kUltimoViernes.addDays(-28);
    mes.Hasta = kUltimoViernes;
    TFiltroCargas anio;
    anio.Desde = kUltimoViernes.addYears(-1);
    anio.Hasta = kUltimoViernes;
    TFiltroCargas paciente;
    paciente.idPaciente = dm.Valor(QStringLiteral("SELECT idPaciente FROM Paciente WHERE refPaciente = ?"),
                                   {QStringLiteral("P-%1").arg(pacientes / 2)})
                                  .toLongLong();
    TFiltroCargas preparadas;
    preparadas.Situacion = TSituacionCargas::Preparados;
    const TOrdenCargas recientes {TColumnaCargas::Fecha, true};

    benchmark::ClearRegisteredBenchmarks();
    const auto registrar
            = [&](const char *nombre, const TFiltroCargas &filtro, const TOrdenCargas &orden = {}) {
                  benchmark::RegisterBenchmark(
                          qPrintable(motor + QStringLiteral("/FirstScreen/") + QLatin1String(nombre)),
                          primeraPantalla, std::ref(dm), filtro, orden)
                          ->Unit(benchmark::kMillisecond);
              };
    registrar("NoFilter", {});
    registrar("LastMonth", mes);
    registrar("LastYear", anio);
    registrar("OnePatient", paciente);
    registrar("Prepared", preparadas);
    registrar("NoFilterNewestFirst", {}, recientes);
    registrar("LastMonthNewestFirst", mes, recientes);
    benchmark::RegisterBenchmark(qPrintable(motor + QStringLiteral("/WholeListAtOnce")), todaLaLista,
                                 std::ref(dm))
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3);
    // One reporter per run: the library's default one does not survive a second run.
    benchmark::ConsoleReporter reporter(benchmark::ConsoleReporter::OO_None);
    benchmark::RunSpecifiedBenchmarks(&reporter);
}

} // namespace

int main(int argc, char **argv)
try {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    const AppDirectory directorio(QCoreApplication::applicationDirPath());
    QFile fichero(directorio.file(QStringLiteral("bench-cargas.dat")));
    if (!fichero.exists() && fichero.open(QIODevice::WriteOnly))
        fichero.close(); // an empty file is a new SQLite database
    medir(ConnectionText::parse(fichero.fileName(), directorio.path()), directorio, QStringLiteral("SQLite"));

    const QString url
            = qEnvironmentVariable("PASTILLERO_BENCH_PGURL", qEnvironmentVariable("PASTILLERO_TEST_PGURL"));
    if (!url.isEmpty()) {
        QUrl conSchema(url);
        QUrlQuery query(conSchema);
        query.addQueryItem(QStringLiteral("options"), QStringLiteral("-c search_path=bench_cargas"));
        conSchema.setQuery(query);
        EjecutarEnServidor(ConnectionText::parse(url, {}),
                           {QStringLiteral("CREATE SCHEMA IF NOT EXISTS bench_cargas")});
        medir(ConnectionText::parse(conSchema.toString(QUrl::FullyEncoded), {}), directorio,
              QStringLiteral("PostgreSQL"));
    }
    benchmark::Shutdown();
    return 0;
} catch (const AppError &error) {
    std::fprintf(stderr, "%s\n", qPrintable(error.message()));
    return 1;
}
