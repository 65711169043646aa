#include "core/stock/GuardarRetorno.h"

#include "core/data/ManejadorErrores.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"

namespace {

// Run under the patient's lock; the load is looked for again there, since another workstation
// may have deleted it before the lock was granted. Tables in the lock rule's order: the load,
// then its rows.
bool Guardar(TDM &dm, qint64 idRecarga, qint64 idPaciente, const TTomasRetornadas &tomas,
             const QDate &fechaRetornado)
{
    const int cambiadas
            = dm.Ejecutar(QStringLiteral("UPDATE Recarga SET FechaRetornado = ?, TomasRetornadas = ?, "
                                         "ComprimidosRetornados = ? WHERE idRecarga = ? AND idPaciente = ?"),
                          {SqlFecha::valor(fechaRetornado), int(tomas.Marcadas().size()),
                           tomas.SumaComprimidos(), idRecarga, idPaciente});
    if (cambiadas == 0)
        return false;
    dm.Ejecutar(QStringLiteral("DELETE FROM RecargaTomasRetornadas WHERE idRecarga = ?"), {idRecarga});
    for (int toma : tomas.Marcadas()) {
        dm.Anadir(QStringLiteral("RecargaTomasRetornadas"),
                  {{QStringLiteral("idRecarga"), idRecarga},
                   {QStringLiteral("idToma"), toma},
                   {QStringLiteral("CantidadComprimidos"), tomas.Toma(toma).Comprimidos},
                   {QStringLiteral("Comentario"), tomas.Toma(toma).Comentario}});
    }
    return true;
}

} // namespace

TResultadoRetorno GuardarRetorno(TDM &dm, qint64 idRecarga, const TTomasRetornadas &tomas,
                                 const QDate &fechaRetornado)
{
    bool guardado = false;
    const bool hecho = ManejadorErrores::Proteger([&] {
        const QVariant paciente
                = dm.Valor(QStringLiteral("SELECT idPaciente FROM Recarga WHERE idRecarga = ?"), {idRecarga});
        if (paciente.isNull())
            return;
        dm.EnTransaccionPaciente(paciente.toLongLong(), [&] {
            guardado = Guardar(dm, idRecarga, paciente.toLongLong(), tomas, fechaRetornado);
        });
    });
    if (!hecho)
        return TResultadoRetorno::Fallo;
    return guardado ? TResultadoRetorno::Guardado : TResultadoRetorno::CargaInexistente;
}
