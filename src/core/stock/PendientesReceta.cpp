#include "core/stock/PendientesReceta.h"

#include "core/common/Clock.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/dosing/ConsultaPlan.h"
#include "core/i18n/ULenguaje.h"
#include "core/loading/TextosEtiqueta.h"
#include "core/stock/uInventario.h"

#include <QHash>
#include <QSqlQuery>

#include <algorithm>
#include <tuple>

namespace {

constexpr int kDiasCarga = 7;

struct TPacienteReceta
{
    qint64 id = 0;
    QString ref;
    QString nombre;
    QDate ultimaCarga;
};

QList<TPacienteReceta> LeerPacientes(TDM &dm, const QString &condicion, const QVariantList &valores)
{
    TConsulta query = dm.Consulta(
            QStringLiteral(
                    "SELECT idPaciente, refPaciente, Nombre, FechaUltimaCargaRealizada FROM Paciente WHERE ")
                    + condicion,
            valores);
    QList<TPacienteReceta> pacientes;
    while (query.next()) {
        pacientes << TPacienteReceta {query.value(0).toLongLong(), query.value(1).toString(),
                                      query.value(2).toString(), SqlFecha::leerDia(query.value(3))};
    }
    return pacientes;
}

// The medications of the load with their need in hundredths of a pill, in load order.
QList<QPair<TPendienteReceta, qint64>> Necesidades(const TRecarga &carga, const TPacienteReceta &paciente,
                                                   const QDate &inicio)
{
    QList<QPair<TPendienteReceta, qint64>> necesidades;
    QHash<qint64, qsizetype> indice;
    for (int i = 0; i < carga.Count(); ++i) {
        const TDosis &porcion = *carga.Linea(i);
        // A week never expanded carries -1 as a marker, not as a need.
        if (porcion.SinExpandir())
            continue;
        auto encontrado = indice.constFind(porcion.IdMedicamento);
        if (encontrado == indice.cend()) {
            TPendienteReceta fila;
            fila.idPaciente = paciente.id;
            fila.RefPaciente = paciente.ref;
            fila.Nombre = paciente.nombre;
            fila.FechaCarga = inicio;
            fila.IdMedicamento = porcion.IdMedicamento;
            fila.Medicamento = TextosEtiqueta::SinPrefijoFraccion(porcion.Nombre);
            encontrado = indice.insert(porcion.IdMedicamento, necesidades.size());
            necesidades.append({fila, 0});
        }
        necesidades[*encontrado].second += porcion.Carga * EnCentesimas(porcion.Porcion);
    }
    return necesidades;
}

QList<TPendienteReceta> Pendientes(TDM &dm, const TPacienteReceta &paciente, const QDate &inicio)
{
    TInventario inventario(dm);
    if (!inventario.ConInventario(paciente.id))
        return {};
    const QDate fin = inicio.addDays(kDiasCarga - 1);
    TRecarga carga;
    ConstruirCarga(carga, ConsultaPlan(dm, paciente.id, inicio, fin), inicio, fin);

    QList<TPendienteReceta> pendientes;
    for (auto [fila, necesidad] : Necesidades(carga, paciente, inicio)) {
        const qint64 utilizable = qMax<qint64>(
                0, EnCentesimas(inventario.StockVigente(paciente.id, fila.IdMedicamento, inicio)));
        if (necesidad <= utilizable)
            continue;
        fila.CantidadNecesaria = double(necesidad) / 100.0;
        fila.CantidadFalta = double(necesidad - utilizable) / 100.0;
        fila.Estado = inventario.StockCaducado(paciente.id, fila.IdMedicamento, inicio) > 0
                ? Traducir(QStringLiteral("MSG_MedicamentoInsuficienteCadu"),
                           QStringLiteral("Insuf. / Caduca."))
                : Traducir(QStringLiteral("MSG_MedicamentoInsuficiente"), QStringLiteral("Insuficiente"));
        pendientes << fila;
    }
    return pendientes;
}

// Each patient's rows for its own next load, in the order of the patients.
QList<TPendienteReceta> PendientesProximaCarga(TDM &dm, const QList<TPacienteReceta> &pacientes)
{
    QList<TPendienteReceta> pendientes;
    for (const TPacienteReceta &paciente : pacientes)
        pendientes << Pendientes(dm, paciente, InicioProximaCarga(paciente.ultimaCarga, Clock::today()));
    return pendientes;
}

} // namespace

QDate InicioProximaCarga(const QDate &fechaUltimaCarga, const QDate &hoy)
{
    if (!fechaUltimaCarga.isValid())
        return hoy;
    // The zero date of a patient whose loads were all deleted lies long past, and gives today too.
    return qMax(fechaUltimaCarga.addDays(kDiasCarga), hoy);
}

QList<TPendienteReceta> PendientesDeReceta(TDM &dm, qint64 idPaciente, const QDate &inicio)
{
    QList<TPendienteReceta> pendientes;
    for (const TPacienteReceta &paciente : LeerPacientes(dm, QStringLiteral("idPaciente = ?"), {idPaciente}))
        pendientes << Pendientes(dm, paciente, inicio);
    return pendientes;
}

QList<TPendienteReceta> PendientesDeReceta(TDM &dm, qint64 idPaciente)
{
    return PendientesProximaCarga(dm, LeerPacientes(dm, QStringLiteral("idPaciente = ?"), {idPaciente}));
}

QList<TPendienteReceta> PendientesDeRecetaCategoria(TDM &dm, int codCategoria)
{
    return PendientesProximaCarga(
            dm,
            LeerPacientes(dm,
                          QStringLiteral("CodCategoria = ? AND (Iactivo = 1 OR Iactivo IS NULL) "
                                         "ORDER BY refPaciente"),
                          {codCategoria}));
}

QList<TPacientePendiente> PacientesPendientes(const QList<TPendienteReceta> &filas)
{
    QList<TPacientePendiente> pacientes;
    for (const TPendienteReceta &fila : filas) {
        const bool listado
                = std::any_of(pacientes.cbegin(), pacientes.cend(), [&](const TPacientePendiente &p) {
                      return p.idPaciente == fila.idPaciente && p.Estado == fila.Estado;
                  });
        if (!listado)
            pacientes << TPacientePendiente {fila.idPaciente, fila.RefPaciente, fila.Nombre, fila.Estado};
    }
    return pacientes;
}

QList<TMedicamentoPendiente> MedicamentosPendientes(const QList<TPendienteReceta> &filas)
{
    struct TSuma
    {
        TMedicamentoPendiente medicamento;
        QString nombre;
        qint64 centesimas = 0;
    };
    QList<TSuma> sumas;
    for (const TPendienteReceta &fila : filas) {
        auto suma = std::find_if(sumas.begin(), sumas.end(), [&](const TSuma &s) {
            return s.medicamento.IdMedicamento == fila.IdMedicamento && s.medicamento.Estado == fila.Estado;
        });
        if (suma == sumas.end()) {
            sumas << TSuma {{fila.IdMedicamento,
                             QString::number(fila.IdMedicamento) + QLatin1Char(' ') + fila.Medicamento,
                             fila.Estado},
                            fila.Medicamento};
            suma = std::prev(sumas.end());
        }
        suma->centesimas += EnCentesimas(fila.CantidadFalta);
    }
    std::stable_sort(sumas.begin(), sumas.end(), [](const TSuma &a, const TSuma &b) {
        return std::tie(a.nombre, a.medicamento.Estado) < std::tie(b.nombre, b.medicamento.Estado);
    });
    QList<TMedicamentoPendiente> medicamentos;
    for (TSuma &suma : sumas) {
        suma.medicamento.Cantidad = double(suma.centesimas) / 100.0;
        medicamentos << suma.medicamento;
    }
    return medicamentos;
}
