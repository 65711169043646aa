// The load builder on stored treatments (SQLite, a temporary database): one patient with 15 lines
// of mixed rules, and the 200 patients of one category, each with 15 lines, built one after the
// other as the category load run does.

#include "BenchBaseDatos.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/dosing/ConsultaPlan.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kLineas = 15;
constexpr int kPacientesCategoria = 200;
const QDate kDesde(2026, 6, 1);
const QDate kHasta(2026, 6, 7);

// Every form the builder meets: wholes, fractions, day rules, weekly tables, free text.
const char *const kDosis[] = {
        "1-0-0-0:D:D:1",   "1,5-0-1-0:D:D:1", "0,25-0-0,75-0:D:D:1", "0,33-0-0,66-0:D:D:1", "1-1-1-1:D:D:2",
        "0-0-1-0:S:1,3,5", "2-0-0-0:D:D:1",   "0,5-0,5-0-0:D:D:1",   "1-0-0-0:T",           "0-0-0-1:D:D:1",
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
                       {QStringLiteral("Comprimido"), 1},
                       {QStringLiteral("Volumen"), 1 + m % 3}});
        QString tabla = QStringLiteral("1");
        for (int i = 1; i < 28; ++i)
            tabla += i % 4 == 0 ? QStringLiteral("-1") : QStringLiteral("-0");
        for (int p = 1; p <= kPacientesCategoria; ++p) {
            for (int m = 1; m <= kLineas; ++m) {
                const QString dosis
                        = m == 9 ? tabla + QStringLiteral(":T") : QString::fromLatin1(kDosis[m - 1]);
                dm.Anadir(QStringLiteral("SPD"),
                          {{QStringLiteral("idPaciente"), p},
                           {QStringLiteral("idMedicamento"), m},
                           {QStringLiteral("Dosis"), dosis},
                           {QStringLiteral("DosisS1"), dosis},
                           {QStringLiteral("Cantidad"), 20.0},
                           {QStringLiteral("Inicio"), SqlFecha::valor(QDate(2026, 1, 1))}});
            }
        }
    });
}

TDM *gDM = nullptr;

void BM_CargaUnPaciente(benchmark::State &state)
{
    TRecarga carga;
    gDM->idPacienteActivo = 1;
    for (auto _ : state) {
        ConstruirCarga(*gDM, carga, kDesde, kHasta);
        benchmark::DoNotOptimize(carga.Count());
    }
    state.counters["porciones"] = carga.Count();
}
BENCHMARK(BM_CargaUnPaciente)->Unit(benchmark::kMicrosecond);

void BM_CargaCategoria(benchmark::State &state)
{
    TRecarga carga;
    for (auto _ : state) {
        for (int p = 1; p <= kPacientesCategoria; ++p) {
            gDM->idPacienteActivo = p;
            ConstruirCarga(*gDM, carga, kDesde, kHasta);
            benchmark::DoNotOptimize(carga.Count());
        }
    }
}
BENCHMARK(BM_CargaCategoria)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return EjecutarConBaseDatos(argc, argv, gDM, [](TDM &dm) { Llenar(dm); });
}
