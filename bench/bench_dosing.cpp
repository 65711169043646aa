// Expanding a typical treatment line over a week, and its posology text. The text forms read
// the dose on every call; the parsed forms show reading and expanding apart.

#include "core/dosing/UDispenserTypes.h"
#include "core/dosing/UPosologia.h"

#include <benchmark/benchmark.h>

namespace {

const QDate kInicio(2026, 1, 7);
const QDate kDesde(2026, 6, 1);
const QDate kHasta(2026, 6, 7);

void BM_ExpandirSemanaPauta(benchmark::State &state)
{
    const QString dosis = QStringLiteral("1,5-0-0,25-1:D:R:21:7");
    for (auto _ : state) {
        QString regla = dosis;
        const TListasPorcion listas = DividirPauta(CortarHasta(regla, QStringLiteral(":")));
        benchmark::DoNotOptimize(ExpandirSemanaPauta(listas.Enteros + QStringLiteral(":D:R:21:7"), kInicio,
                                                     QDate(), kDesde, kHasta));
        benchmark::DoNotOptimize(ExpandirSemanaPauta(listas.Medios + QStringLiteral(":D:R:21:7"), kInicio,
                                                     QDate(), kDesde, kHasta));
    }
}
BENCHMARK(BM_ExpandirSemanaPauta);

// The same line read once, then expanded: the two steps apart.
void BM_ParsearPauta(benchmark::State &state)
{
    const QString dosis = QStringLiteral("1-0-0-1:D:R:21:7");
    for (auto _ : state)
        benchmark::DoNotOptimize(LeerDosisPauta(dosis));
}
BENCHMARK(BM_ParsearPauta);

void BM_ExpandirSemanaParseada(benchmark::State &state)
{
    const TDosisLeida dosis = LeerDosisPauta(QStringLiteral("1-0-0-1:D:R:21:7"));
    const TVentanaDosis ventana {kInicio, FinEfectivo(QDate()), kDesde, kHasta};
    for (auto _ : state)
        benchmark::DoNotOptimize(ExpandirSemana(dosis, ventana));
}
BENCHMARK(BM_ExpandirSemanaParseada);

void BM_ExpandirSemanaTabla(benchmark::State &state)
{
    const QString tabla = QStringList(7, QStringLiteral("1-0-1-0")).join(QLatin1Char('-'));
    for (auto _ : state)
        benchmark::DoNotOptimize(ExpandirSemanaTabla(tabla, kInicio, QDate(), kDesde, kHasta));
}
BENCHMARK(BM_ExpandirSemanaTabla);

void BM_ExpandirSemanaTablaParseada(benchmark::State &state)
{
    const TDosisLeida tabla
            = LeerDosisTabla(QStringList(7, QStringLiteral("1-0-1-0")).join(QLatin1Char('-')));
    const TVentanaDosis ventana {kInicio, FinEfectivo(QDate()), kDesde, kHasta};
    for (auto _ : state)
        benchmark::DoNotOptimize(ExpandirSemana(tabla, ventana));
}
BENCHMARK(BM_ExpandirSemanaTablaParseada);

void BM_TextoPosologia(benchmark::State &state)
{
    const QString dosis = QStringLiteral("1-0-0,5-0:D:D:1");
    for (auto _ : state)
        benchmark::DoNotOptimize(TextoPosologia(dosis));
}
BENCHMARK(BM_TextoPosologia);

} // namespace

BENCHMARK_MAIN();
