// The needs calculation on SQLite (a temporary database): 200 selected patients, each with 8
// treatment lines (wholes, halves, quarters, thirds and day rules) and two stock rows per line,
// planned for 4 weeks and turned into the order list, as "CALCULAR" of the needs screen does.
//
//   bench_necesidades [--benchmark_filter=...]

#include "BenchBaseDatos.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/stock/Necesidades.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kPacientes = 200;
constexpr int kLineas = 8;
constexpr int kSemanas = 4;
const QDate kHoy(2026, 6, 1);

const char *const kDosis[kLineas] = {
        "1-0-0-0:D:D:1", "1,5-0-1-0:D:D:1", "0,25-0-0,75-0:D:D:1", "0,33-0-0,66-0:D:D:1",
        "1-1-1-1:D:D:2", "0-0-1-0:S:1,3,5", "2-0-0-0:D:D:1",       "0,5-0,5-0-0:D:D:1",
};

QList<TPacienteNecesidad> Llenar(TDM &dm)
{
    QList<TPacienteNecesidad> pacientes;
    dm.EnTransaccion([&] {
        for (int m = 1; m <= kLineas; ++m)
            dm.Anadir(QStringLiteral("Medicamento"),
                      {{QStringLiteral("idMedicamento"), m},
                       {QStringLiteral("Medicamento"), QStringLiteral("MED%1").arg(m)},
                       {QStringLiteral("Descripcion"), QStringLiteral("10MG")},
                       {QStringLiteral("Unidades"), m == kLineas ? 0 : 30},
                       {QStringLiteral("SPD"), 1},
                       {QStringLiteral("Comprimido"), 1}});
        for (int p = 1; p <= kPacientes; ++p) {
            TPacienteNecesidad paciente;
            paciente.refPaciente = QStringLiteral("R%1").arg(p, 4, 10, QLatin1Char('0'));
            paciente.Nombre = QStringLiteral("PACIENTE %1").arg(p);
            paciente.Categoria = QStringLiteral(" ");
            paciente.Selected = true;
            paciente.IdPaciente = dm.Anadir(QStringLiteral("Paciente"),
                                            {{QStringLiteral("refPaciente"), paciente.refPaciente},
                                             {QStringLiteral("Nombre"), paciente.Nombre},
                                             {QStringLiteral("Iactivo"), 1},
                                             {QStringLiteral("IConInven"), 1}});
            for (int m = 1; m <= kLineas; ++m) {
                const QString dosis = QString::fromLatin1(kDosis[m - 1]);
                dm.Anadir(QStringLiteral("SPD"),
                          {{QStringLiteral("idPaciente"), paciente.IdPaciente},
                           {QStringLiteral("idMedicamento"), m},
                           {QStringLiteral("Dosis"), dosis},
                           {QStringLiteral("DosisS1"), dosis},
                           {QStringLiteral("Inicio"), SqlFecha::valor(QDate(2026, 1, 1))}});
                for (const QDate &caducidad : {kHoy.addDays(10), QDate(2027, 1, 31)})
                    dm.Anadir(QStringLiteral("Inventario"),
                              {{QStringLiteral("idPaciente"), paciente.IdPaciente},
                               {QStringLiteral("idMedicamento"), m},
                               {QStringLiteral("Lote"), QStringLiteral("L%1").arg(m)},
                               {QStringLiteral("Caducidad"), SqlFecha::valor(caducidad)},
                               {QStringLiteral("CantidadRestante"), 12.5},
                               {QStringLiteral("TipoAsignacion"), 0}});
            }
            pacientes << paciente;
        }
    });
    return pacientes;
}

TDM *gDM = nullptr;
QList<TPacienteNecesidad> gPacientes;

void BM_NecesidadesYPedido(benchmark::State &state)
{
    qsizetype lineas = 0;
    qsizetype pedido = 0;
    for (auto _ : state) {
        const QList<TFilaNecesidad> cargas = CalcularNecesidades(*gDM, kSemanas, gPacientes, kHoy);
        lineas = cargas.size();
        pedido = ListaPedido(*gDM, cargas).size();
        benchmark::DoNotOptimize(pedido);
    }
    state.counters["lineas"] = double(lineas);
    state.counters["pedido"] = double(pedido);
}
BENCHMARK(BM_NecesidadesYPedido)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return EjecutarConBaseDatos(argc, argv, gDM, [](TDM &dm) { gPacientes = Llenar(dm); });
}
