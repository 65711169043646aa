#include "BenchServidor.h"
#include "SueloEscritura.h"
// Storing a load of 20 portions with its stock consumption (GuardarCarga) on SQLite and, when
// PASTILLERO_BENCH_PGURL (or PASTILLERO_TEST_PGURL) names a PostgreSQL database, on PostgreSQL
// (schema "bench_guardar", emptied first). Each portion walks two stock rows of its medication.
// Beside it, on a database of the same kind, the floor of any store: 21 rows in one transaction.
//
//   bench_guardar_carga [--benchmark_filter=...]

#include "core/common/AppError.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/dosing/URecarga.h"
#include "core/loading/GuardarCarga.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUrl>
#include <QUrlQuery>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>

namespace {

constexpr int kPorciones = 20;
constexpr qint64 kPrimerMedicamento = 6500001;

QString semana()
{
    QString lista;
    for (int celda = 0; celda < 28; ++celda)
        lista += QLatin1String(celda % 4 == 0 ? "1;" : "0;");
    return lista;
}

// One patient with 20 treatment lines; each medication has a half left over (skipped by
// wholes) and a large row that never runs out.
QList<int> preparar(TDM &dm)
{
    const int paciente = int(dm.Anadir(
            QStringLiteral("Paciente"),
            {{QStringLiteral("Nombre"), QStringLiteral("BENCH")}, {QStringLiteral("IConInven"), 1}}));
    dm.idPacienteActivo = paciente;
    QList<int> lineas;
    dm.EnTransaccion([&] {
        for (int i = 0; i < kPorciones; ++i) {
            const qint64 medicamento = kPrimerMedicamento + i;
            dm.Anadir(QStringLiteral("Medicamento"),
                      {{QStringLiteral("idMedicamento"), medicamento},
                       {QStringLiteral("Medicamento"), QStringLiteral("MED %1").arg(i)}});
            lineas << int(dm.Anadir(QStringLiteral("SPD"),
                                    {{QStringLiteral("idPaciente"), paciente},
                                     {QStringLiteral("idMedicamento"), medicamento},
                                     {QStringLiteral("Cantidad"), 1.0e6}}));
            for (const double cantidad : {0.5, 1.0e6})
                dm.Anadir(QStringLiteral("Inventario"),
                          {{QStringLiteral("idPaciente"), paciente},
                           {QStringLiteral("idMedicamento"), medicamento},
                           {QStringLiteral("Lote"), QStringLiteral("L%1").arg(i)},
                           {QStringLiteral("Caducidad"), SqlFecha::valor(QDate(2027, 1, 31))},
                           {QStringLiteral("CantidadRestante"), cantidad}});
        }
    });
    return lineas;
}

// Each run gets a new database holding only the patient it stores loads for.
void guardarCarga(benchmark::State &state,
                  const std::function<ConnectionText(const AppDirectory &)> &conexion)
{
    QTemporaryDir temporal;
    const AppDirectory directorio(temporal.path());
    TDM dm(conexion(directorio), directorio);
    const QList<int> lineas = preparar(dm);
    const QString lista = semana();
    QDate inicio(2024, 1, 1);
    for (auto _ : state) {
        TRecarga carga;
        for (int i = 0; i < kPorciones; ++i) {
            auto porcion = std::make_unique<TDosis>(kPorcionEntera);
            porcion->IdLinea = lineas.at(i);
            porcion->IdMedicamento = qint32(kPrimerMedicamento + i);
            porcion->EsSPD = true;
            porcion->Nombre = QStringLiteral("MED %1").arg(i);
            porcion->ListaSemana = lista;
            porcion->AsignarLista(lista, false);
            carga.Add(std::move(porcion));
        }
        if (GuardarCarga(carga, inicio, inicio.addDays(6)) < 0)
            state.SkipWithError("GuardarCarga failed");
        inicio = inicio.addDays(7);
    }
    state.counters["lines"] = kPorciones;
}

void suelo(benchmark::State &state, const std::function<ConnectionText(const AppDirectory &)> &conexion)
{
    QTemporaryDir temporal;
    const AppDirectory directorio(temporal.path());
    TDM dm(conexion(directorio), directorio);
    preparar(dm);
    SueloEscritura21Filas(state, dm);
}

void vaciarEsquema(const ConnectionText &servidor)
{
    EjecutarEnServidor(servidor,
                       {QStringLiteral("DROP SCHEMA IF EXISTS bench_guardar CASCADE"),
                        QStringLiteral("CREATE SCHEMA bench_guardar")});
}

} // namespace

int main(int argc, char **argv)
try {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    const auto registrar = [](const std::string &motor,
                              const std::function<ConnectionText(const AppDirectory &)> &conexion) {
        benchmark::RegisterBenchmark((motor + "/GuardarCarga20Lines").c_str(), guardarCarga, conexion)
                ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((motor + "/WriteFloor21Rows").c_str(), suelo, conexion)
                ->Unit(benchmark::kMillisecond);
    };
    registrar("SQLite",
              [](const AppDirectory &directorio) { return ConnectionText::forDirectory(directorio); });
    const QString url
            = qEnvironmentVariable("PASTILLERO_BENCH_PGURL", qEnvironmentVariable("PASTILLERO_TEST_PGURL"));
    if (!url.isEmpty()) {
        QUrl conEsquema(url);
        QUrlQuery query(conEsquema);
        query.addQueryItem(QStringLiteral("options"), QStringLiteral("-c search_path=bench_guardar"));
        conEsquema.setQuery(query);
        const ConnectionText servidor = ConnectionText::parse(url, {});
        const ConnectionText esquema = ConnectionText::parse(conEsquema.toString(QUrl::FullyEncoded), {});
        registrar("PostgreSQL", [servidor, esquema](const AppDirectory &) {
            vaciarEsquema(servidor);
            return esquema;
        });
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
} catch (const AppError &error) {
    std::fprintf(stderr, "%s\n", qPrintable(error.message()));
    return 1;
}
