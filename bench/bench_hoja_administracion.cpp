// The administration chart of one patient with 10 treatment lines of mixed rules on SQLite (a
// temporary database): five weekly loads planned, the slot rows and the weekly document.

#include "BenchBaseDatos.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/patients/InformeHojaAdministracion.h"

#include <benchmark/benchmark.h>

namespace {

const QDate kInicio(2026, 6, 3);

// Wholes, fractions, day and weekday rules, a weekly table, and a line given apart.
const char *const kDosis[] = {
        "1-0-0-0:D:D:1",   "1,5-0-1-0:D:D:1", "0,25-0-0,75-0:D:D:1", "0,33-0-0,66-0:D:D:1", "1-1-1-1:D:D:2",
        "0-0-1-0:S:1,3,5", "2-0-0-0:D:D:1",   "0,5-0,5-0-0:D:D:1",   "0-0-0-1:D:D:1",       "UNO SI DOLOR",
};
constexpr int kLineas = int(std::size(kDosis));

// The patient's identifier.
qint64 Llenar(TDM &dm)
{
    qint64 paciente = 0;
    dm.EnTransaccion([&] {
        paciente = dm.Anadir(QStringLiteral("Paciente"),
                             {{QStringLiteral("Nombre"), QStringLiteral("ANA PEREZ")},
                              {QStringLiteral("refPaciente"), QStringLiteral("REF-1")}});
        for (int m = 1; m <= kLineas; ++m) {
            const QString dosis = QString::fromLatin1(kDosis[m - 1]);
            dm.Anadir(QStringLiteral("Medicamento"),
                      {{QStringLiteral("idMedicamento"), m},
                       {QStringLiteral("Medicamento"), QStringLiteral("MED%1").arg(m)},
                       {QStringLiteral("Descripcion"), QStringLiteral("10MG")},
                       {QStringLiteral("SPD"), m == kLineas ? 0 : 1},
                       {QStringLiteral("Comprimido"), 1}});
            dm.Anadir(QStringLiteral("SPD"),
                      {{QStringLiteral("idPaciente"), paciente},
                       {QStringLiteral("idMedicamento"), m},
                       {QStringLiteral("Dosis"), dosis},
                       {QStringLiteral("DosisS1"), dosis},
                       {QStringLiteral("Cantidad"), 20.0},
                       {QStringLiteral("Inicio"), SqlFecha::valor(QDate(2026, 1, 1))}});
        }
    });
    return paciente;
}

TDM *gDM = nullptr;
qint64 gPaciente = 0;

void BM_HojaAdministracionUnPaciente(benchmark::State &state)
{
    qsizetype bandas = 0;
    for (auto _ : state) {
        const QList<TFilaHoja> filas = HojaAdministracion(*gDM, {gPaciente}, kInicio, kInicio);
        const QList<TFilaFranja> franjas = HojaAdministracionFranjas(filas);
        const TReportDocument documento = InformeHojaAdministracion(filas, {}, {}, kInicio);
        bandas = documento.bands.size();
        benchmark::DoNotOptimize(franjas.size());
    }
    state.counters["bandas"] = double(bandas);
}
BENCHMARK(BM_HojaAdministracionUnPaciente)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return EjecutarConBaseDatos(argc, argv, gDM, [](TDM &dm) { gPaciente = Llenar(dm); });
}
