// The category load screen's list on SQLite (a temporary database): the 200 active patients of
// one category, each with 15 treatment lines and a stock row per line, evaluated for one week as
// the screen does when it opens or its date changes (the stock figures recomputed under each
// patient's lock, the load built, its state chosen); one patient in four has the week stored.
// Also one patient alone.
//
//   bench_categoria_carga [--benchmark_filter=...]

#include "BenchBaseDatos.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/loading/ListaPacientesCategoria.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kCategoria = 3;
constexpr int kPacientes = 200;
constexpr int kLineas = 15;
const QDate kSemana(2026, 6, 1);

// Wholes, fractions, day rules, a weekly table and free text, as treatments hold them.
const char *const kDosis[kLineas] = {
        "1-0-0-0:D:D:1",   "1,5-0-1-0:D:D:1", "0,25-0-0,75-0:D:D:1", "0,33-0-0,66-0:D:D:1", "1-1-1-1:D:D:2",
        "0-0-1-0:S:1,3,5", "2-0-0-0:D:D:1",   "0,5-0,5-0-0:D:D:1",   "1-0-0-0:D:D:1",       "0-0-0-1:D:D:1",
        "UNO SI DOLOR",    "1-0-1-0:D:D:1",   "0-1-0-0:D:D:3",       "1,5-0-0-0:D:D:1",     "0-0-2-0:D:D:1",
};

void Llenar(TDM &dm)
{
    dm.EnTransaccion([&] {
        for (int m = 1; m <= kLineas; ++m)
            dm.Anadir(QStringLiteral("Medicamento"),
                      {{QStringLiteral("idMedicamento"), m},
                       {QStringLiteral("Medicamento"), QStringLiteral("MED%1").arg(m)},
                       {QStringLiteral("Descripcion"), QStringLiteral("10MG")},
                       {QStringLiteral("SPD"), m == 11 ? 0 : 1},
                       {QStringLiteral("Comprimido"), 1}});
        for (int p = 1; p <= kPacientes; ++p) {
            const qint64 id = dm.Anadir(
                    QStringLiteral("Paciente"),
                    {{QStringLiteral("refPaciente"), QStringLiteral("R%1").arg(p, 4, 10, QLatin1Char('0'))},
                     {QStringLiteral("Nombre"), QStringLiteral("PACIENTE %1").arg(p)},
                     {QStringLiteral("CodCategoria"), kCategoria},
                     {QStringLiteral("Iactivo"), 1},
                     {QStringLiteral("IConInven"), 1}});
            for (int m = 1; m <= kLineas; ++m) {
                const QString dosis = QString::fromLatin1(kDosis[m - 1]);
                dm.Anadir(QStringLiteral("SPD"),
                          {{QStringLiteral("idPaciente"), id},
                           {QStringLiteral("idMedicamento"), m},
                           {QStringLiteral("Dosis"), dosis},
                           {QStringLiteral("DosisS1"), dosis},
                           {QStringLiteral("Inicio"), SqlFecha::valor(QDate(2026, 1, 1))}});
                dm.Anadir(QStringLiteral("Inventario"),
                          {{QStringLiteral("idPaciente"), id},
                           {QStringLiteral("idMedicamento"), m},
                           {QStringLiteral("Lote"), QStringLiteral("L%1").arg(m)},
                           {QStringLiteral("Caducidad"), SqlFecha::valor(QDate(2027, 1, 31))},
                           {QStringLiteral("CantidadRestante"), 30.0},
                           {QStringLiteral("TipoAsignacion"), 0}});
            }
            if (p % 4 == 0)
                dm.Anadir(QStringLiteral("Recarga"),
                          {{QStringLiteral("idPaciente"), id},
                           {QStringLiteral("refRecarga"), 1},
                           {QStringLiteral("FechaInicio"), SqlFecha::valor(kSemana)},
                           {QStringLiteral("FechaFin"), SqlFecha::valor(kSemana.addDays(6))}});
        }
    });
}

TDM *gDM = nullptr;

void BM_ListaCategoria(benchmark::State &state)
{
    qsizetype filas = 0;
    for (auto _ : state) {
        filas = ListarPacientes(*gDM, kCategoria, kSemana).size();
        benchmark::DoNotOptimize(filas);
    }
    state.counters["listados"] = double(filas);
}
BENCHMARK(BM_ListaCategoria)->Unit(benchmark::kMillisecond);

void BM_EvaluarUnPaciente(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(EvaluarPaciente(*gDM, 1, kSemana));
}
BENCHMARK(BM_EvaluarUnPaciente)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return EjecutarConBaseDatos(argc, argv, gDM, [](TDM &dm) { Llenar(dm); });
}
