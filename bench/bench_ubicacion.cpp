// Moving a pharmacy's local database to a shared PostgreSQL database: the tables created on the
// server and every row of a 5,000-patient database copied in one transaction (with the patients'
// files, here none). Runs when PASTILLERO_BENCH_PGURL (or PASTILLERO_TEST_PGURL) names a
// PostgreSQL database; each run starts from an empty schema of its own.
#include "BenchServidor.h"

#include "core/common/AppError.h"
#include "core/data/SqlFecha.h"
#include "core/data/UbicacionBaseDatos.h"
#include "core/data/uDM.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QUrl>
#include <QUrlQuery>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int kPacientes = 5000;
constexpr int kMedicamentos = 500;
constexpr int kLineasPorPaciente = 4;
const QString kEsquema = QStringLiteral("bench_ubicacion");

// Each patient with four treatment lines and a stock row for each.
void Llenar(TDM &dm)
{
    dm.EnTransaccion([&dm] {
        for (int m = 0; m < kMedicamentos; ++m)
            dm.Anadir(QStringLiteral("Medicamento"),
                      {{QStringLiteral("idMedicamento"), 700000 + m},
                       {QStringLiteral("Medicamento"), QStringLiteral("MED %1").arg(m)}});
        for (int p = 0; p < kPacientes; ++p) {
            const qint64 id = dm.Anadir(QStringLiteral("Paciente"),
                                        {{QStringLiteral("Nombre"), QStringLiteral("PACIENTE %1").arg(p)},
                                         {QStringLiteral("refPaciente"), QStringLiteral("R-%1").arg(p)},
                                         {QStringLiteral("Iactivo"), 1}});
            for (int l = 0; l < kLineasPorPaciente; ++l) {
                const int medicamento = 700000 + (p * kLineasPorPaciente + l) % kMedicamentos;
                dm.Anadir(QStringLiteral("SPD"),
                          {{QStringLiteral("idPaciente"), id},
                           {QStringLiteral("idMedicamento"), medicamento},
                           {QStringLiteral("Dosis"), QStringLiteral("1-0-1-0:D:D:1")},
                           {QStringLiteral("Inicio"), SqlFecha::valor(QDate(2026, 1, 1))}});
                dm.Anadir(QStringLiteral("Inventario"),
                          {{QStringLiteral("idPaciente"), id},
                           {QStringLiteral("idMedicamento"), medicamento},
                           {QStringLiteral("Lote"), QStringLiteral("L%1").arg(l)},
                           {QStringLiteral("Caducidad"), SqlFecha::valor(QDate(2027, 6, 30))},
                           {QStringLiteral("CantidadRestante"), 28.0}});
            }
        }
    });
}

void copiarAlServidor(benchmark::State &state, const QString &url)
{
    QTemporaryDir temporal;
    const AppDirectory directorio(temporal.path());
    {
        TDM dm(directorio);
        Llenar(dm);
    }
    const ConnectionText servidor = ConnectionText::parse(url, {});
    QUrl conEsquema(url);
    QUrlQuery query(conEsquema);
    query.addQueryItem(QStringLiteral("options"), QStringLiteral("-c search_path=%1").arg(kEsquema));
    conEsquema.setQuery(query);
    for (auto _ : state) {
        state.PauseTiming();
        EjecutarEnServidor(servidor,
                           {QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(kEsquema),
                            QStringLiteral("CREATE SCHEMA %1").arg(kEsquema)});
        QTemporaryDir compartida;
        state.ResumeTiming();
        const UbicacionBaseDatos::TResultado resultado = UbicacionBaseDatos::CrearInstalacionRed(
                directorio, conEsquema.toString(QUrl::FullyEncoded), compartida.path(), QDateTime());
        if (!resultado.conectado)
            state.SkipWithError(qPrintable(resultado.error));
    }
    state.counters["patients"] = kPacientes;
    EjecutarEnServidor(servidor, {QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(kEsquema)});
}

} // namespace

int main(int argc, char **argv)
try {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    const QString url
            = qEnvironmentVariable("PASTILLERO_BENCH_PGURL", qEnvironmentVariable("PASTILLERO_TEST_PGURL"));
    if (url.isEmpty()) {
        std::fprintf(stderr, "PASTILLERO_BENCH_PGURL is not set: nothing to measure\n");
        return 0;
    }
    benchmark::RegisterBenchmark("PostgreSQL/CopyLocalDatabase5000Patients", copiarAlServidor, url)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
} catch (const AppError &error) {
    std::fprintf(stderr, "%s\n", qPrintable(error.message()));
    return 1;
}
