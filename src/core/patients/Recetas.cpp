#include "core/patients/Recetas.h"

#include "core/common/AppError.h"
#include "core/common/Clock.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/patients/EsFecha.h"

#include <QSqlQuery>

double TRecetas::LeerPrecio(const QVariant &valor)
{
    if (valor.isNull())
        return 0.0;
    if (valor.typeId() != QMetaType::QString)
        return valor.toDouble();
    bool numero = false;
    const double precio
            = valor.toString().trimmed().replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&numero);
    return numero ? precio : 0.0;
}

QList<TFilaReceta> TRecetas::Pendientes(qint64 idPaciente)
{
    TConsulta q = m_dm.Consulta(
            QStringLiteral("SELECT r.idReceta, r.idMedicamento, r.FechaReceta, m.Medicamento, m.Unidades, "
                           "r.MedicoReceta FROM Receta r LEFT JOIN Medicamento m ON m.idMedicamento = "
                           "r.idMedicamento WHERE r.idPaciente = ? ORDER BY r.FechaReceta, r.idReceta"),
            {idPaciente});
    QList<TFilaReceta> filas;
    while (q.next())
        filas.append({q.value(0).toLongLong(), q.value(1).toLongLong(), SqlFecha::leerDia(q.value(2)),
                      q.value(3).toString(), q.value(4).toInt(), q.value(5).toString()});
    return filas;
}

TRecetas::TRechazo TRecetas::Comprobar(const TNuevaReceta &receta, const QDate &hoy)
{
    const QDate fecha = LeerFecha(receta.Fecha);
    if (!fecha.isValid())
        return {Traducir(QStringLiteral("ERR_FECHA_INVALIDA"), QStringLiteral("INTRODUCIR FECHA VALIDA")),
                Campo::Fecha};
    // A prescription is brought in once written: a later date is a typing slip.
    if (fecha > hoy)
        return {Traducir(QStringLiteral("ERR_FECHA_SUPERIORHOY"),
                         QStringLiteral("LA FECHA NO PUEDE SER MAYOR QUE HOY")),
                Campo::Fecha};
    if (receta.idProducto <= 0 && receta.idPrincipio <= 0)
        return {Traducir(QStringLiteral("ERR_MEDICAMENTO_OBLIGATORIO"),
                         QStringLiteral("Obligatorio introducir CODIGO medicamento")),
                Campo::Medicamento};
    return {};
}

qint64 TRecetas::Guardar(qint64 idPaciente, const TNuevaReceta &receta)
{
    if (const TRechazo rechazo = Comprobar(receta, Clock::today()); !rechazo.Error.isEmpty())
        throw AppError(rechazo.Error);
    const qint64 idMedicamento = receta.idProducto > 0 ? receta.idProducto : receta.idPrincipio;
    TConsulta q = m_dm.Consulta(QStringLiteral("SELECT PVP FROM Medicamento WHERE idMedicamento = ?"),
                                {idMedicamento});
    if (!q.next())
        throw AppError(Traducir(QStringLiteral("ERR_MEDICAMENTO_INEXISTENTE"),
                                QStringLiteral("MEDICAMENTO INEXITENTE")));
    return m_dm.Anadir(QStringLiteral("Receta"),
                       {{QStringLiteral("idPaciente"), idPaciente},
                        {QStringLiteral("idMedicamento"), idMedicamento},
                        {QStringLiteral("FechaReceta"), SqlFecha::valor(LeerFecha(receta.Fecha))},
                        {QStringLiteral("MedicoReceta"), receta.Medico.trimmed().left(50)},
                        {QStringLiteral("PVP"), LeerPrecio(q.value(0))}});
}

bool TRecetas::Borrar(qint64 idPaciente, qint64 idReceta)
{
    return m_dm.Ejecutar(QStringLiteral("DELETE FROM Receta WHERE idReceta = ? AND idPaciente = ?"),
                         {idReceta, idPaciente})
            > 0;
}

qint64 TRecetas::Dispensar(qint64 idReceta, const TEntradaStock &entrada)
{
    qint64 id = 0;
    m_dm.EnTransaccionPaciente(entrada.idPaciente, [&] {
        id = TInventario(m_dm).AltaStock(entrada);
        if (!Borrar(entrada.idPaciente, idReceta))
            throw AppError(Traducir(QStringLiteral("ERR_RECETA_INEXISTENTE"),
                                    QStringLiteral("LA RECETA YA NO ESTA PENDIENTE")));
    });
    return id;
}
