#include "core/loading/ConsultaCargas.h"

#include "core/data/SqlFecha.h"
#include "core/data/ValoresMostrados.h"
#include "core/data/uDM.h"

#include <QSqlQuery>

QList<TFilaCarga> ConsultarCargas(TDM &dm, const FiltroFechaInicio &filtro)
{
    QString sql = QStringLiteral(
            "SELECT r.idRecarga, r.refRecarga, r.idPaciente, p.refPaciente, p.Nombre, p.CodCategoria, "
            "r.FechaRealizado, r.FechaInicio, r.FechaFin, r.FechaEntrega, r.FechaRetornado, "
            "u.username, v.username, r.IdValidador "
            "FROM Recarga r "
            "INNER JOIN Usuario u ON u.idUsuario = r.idUsuario "
            "INNER JOIN Paciente p ON p.idPaciente = r.idPaciente "
            "LEFT JOIN Usuario v ON v.idUsuario = r.IdValidador");
    QVariantList valores;
    if (filtro.Activo) {
        sql += QStringLiteral(" WHERE r.FechaInicio = ?");
        valores << SqlFecha::valor(filtro.Fecha);
    }
    sql += QStringLiteral(" ORDER BY r.idRecarga");

    QSqlQuery query = dm.Consulta(sql, valores);
    QList<TFilaCarga> filas;
    while (query.next()) {
        TFilaCarga fila;
        fila.idRecarga = query.value(0).toLongLong();
        fila.refRecarga = query.value(1).toInt();
        fila.idPaciente = query.value(2).toInt();
        fila.RefPaciente = query.value(3).toString();
        fila.Nombre = query.value(4).toString();
        fila.CodCategoria = query.value(5);
        fila.FechaRealizado = SqlFecha::leer(query.value(6));
        fila.FechaInicio = SqlFecha::leerDia(query.value(7));
        fila.FechaFin = SqlFecha::leerDia(query.value(8));
        fila.FechaEntrega = SqlFecha::leer(query.value(9));
        fila.FechaRetornado = SqlFecha::leer(query.value(10));
        fila.Preparador = query.value(11).toString();
        // A validator that is no longer a user still marks the load as validated.
        if (!query.value(13).isNull())
            fila.Validador = query.value(12).toString();
        const ValoresMostrados::SituacionEntrega entrega
                = ValoresMostrados::Entrega(fila.FechaEntrega, fila.FechaRetornado);
        fila.SitEntrega = entrega.SitEntrega;
        fila.CodEntrega = entrega.CodEntrega;
        filas << fila;
    }
    return filas;
}
