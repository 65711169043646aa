#include "core/loading/EntregaCarga.h"

#include "core/common/AppError.h"
#include "core/common/Clock.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"

#include <QSqlQuery>

namespace {

// Why the load cannot be delivered now (delivered already, or not there); nothing while it is
// pending.
std::optional<TResultadoEntrega> NoPendiente(TDM &dm, qint64 idRecarga)
{
    TConsulta carga = dm.Consulta(QStringLiteral("SELECT FechaEntrega FROM Recarga WHERE idRecarga = ?"),
                                  {idRecarga});
    if (!carga.next())
        return TResultadoEntrega::NoExiste;
    if (!carga.value(0).isNull())
        return TResultadoEntrega::YaEntregada;
    return std::nullopt;
}

// One load of a run: passed over unless it is still pending, when `antes` runs and the load is
// delivered.
TEntrega EntregarPendiente(TDM &dm, qint64 idRecarga, const std::function<void(qint64)> &antes)
{
    try {
        if (const std::optional<TResultadoEntrega> motivo = NoPendiente(dm, idRecarga))
            return {*motivo, {}};
    } catch (const AppError &error) {
        return {TResultadoEntrega::Fallida, error.message()};
    }
    if (antes)
        antes(idRecarga);
    return EntregarCarga(dm, idRecarga);
}

} // namespace

TEntrega EntregarCarga(TDM &dm, qint64 idRecarga)
{
    TEntrega entrega;
    try {
        const QVariant paciente
                = dm.Valor(QStringLiteral("SELECT idPaciente FROM Recarga WHERE idRecarga = ?"), {idRecarga});
        if (paciente.isNull())
            return {TResultadoEntrega::NoExiste, {}};
        dm.EnTransaccionPaciente(paciente.toLongLong(), [&] {
            // Read again under the lock: another workstation may have delivered it meanwhile.
            if (const std::optional<TResultadoEntrega> motivo = NoPendiente(dm, idRecarga)) {
                entrega.Resultado = *motivo;
                return;
            }
            dm.Ejecutar(QStringLiteral("UPDATE Recarga SET FechaEntrega = ? WHERE idRecarga = ?"),
                        {SqlFecha::valor(Clock::today()), idRecarga});
            entrega.Resultado = TResultadoEntrega::Entregada;
        });
    } catch (const AppError &error) {
        return {TResultadoEntrega::Fallida, error.message()};
    }
    return entrega;
}

TEntregaVarias EntregarCargas(TDM &dm, const QList<qint64> &cargas, const std::function<void(qint64)> &antes)
{
    TEntregaVarias resultado;
    for (const qint64 idRecarga : cargas) {
        const TEntrega entrega = EntregarPendiente(dm, idRecarga, antes);
        if (entrega.Resultado == TResultadoEntrega::Fallida) {
            resultado.Fallida = idRecarga;
            resultado.Error = entrega.Error;
            break;
        }
        if (entrega.Resultado == TResultadoEntrega::Entregada)
            resultado.Entregadas << idRecarga;
    }
    return resultado;
}
