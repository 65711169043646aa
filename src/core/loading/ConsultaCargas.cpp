#include "core/loading/ConsultaCargas.h"

#include "core/data/SqlFecha.h"
#include "core/data/ValoresMostrados.h"
#include "core/data/uDM.h"

#include <QSqlQuery>

namespace {

const QString kSelect = QStringLiteral(
        "SELECT r.idRecarga, r.refRecarga, r.idPaciente, p.refPaciente, p.Nombre, p.CodCategoria, "
        "r.FechaRealizado, r.FechaInicio, r.FechaFin, r.FechaEntrega, r.FechaRetornado, "
        "u.username, v.username, r.IdValidador "
        "FROM Recarga r "
        "INNER JOIN Paciente p ON p.idPaciente = r.idPaciente "
        "LEFT JOIN Usuario u ON u.idUsuario = r.idUsuario "
        "LEFT JOIN Usuario v ON v.idUsuario = r.IdValidador");

// The situation as the display values compute it: returned before delivered.
const QString kCodigoEntregaSql = QStringLiteral(
        "CASE WHEN r.FechaRetornado IS NOT NULL THEN 3 WHEN r.FechaEntrega IS NOT NULL THEN 2 ELSE 1 END");

QString ColumnaSql(TColumnaCargas columna)
{
    switch (columna) {
    case TColumnaCargas::Fecha:
        return QStringLiteral("r.FechaRealizado");
    case TColumnaCargas::Recarga:
        return QStringLiteral("r.refRecarga");
    case TColumnaCargas::Paciente:
        return QStringLiteral("p.refPaciente");
    case TColumnaCargas::SitEntrega:
        return kCodigoEntregaSql;
    case TColumnaCargas::Inicio:
        return QStringLiteral("r.FechaInicio");
    case TColumnaCargas::Fin:
        return QStringLiteral("r.FechaFin");
    case TColumnaCargas::Preparador:
        return QStringLiteral("u.username");
    case TColumnaCargas::Validador:
        return QStringLiteral("v.username");
    }
    return QStringLiteral("r.idRecarga");
}

QString SituacionSql(TSituacionCargas situacion)
{
    switch (situacion) {
    case TSituacionCargas::Todas:
        break;
    case TSituacionCargas::Preparados:
        return QStringLiteral("r.FechaRetornado IS NULL AND r.FechaEntrega IS NULL");
    case TSituacionCargas::Entregados:
        return QStringLiteral("r.FechaRetornado IS NULL AND r.FechaEntrega IS NOT NULL");
    case TSituacionCargas::Retornados:
        return QStringLiteral("r.FechaRetornado IS NOT NULL");
    }
    return {};
}

// Columns every stored load fills, ordered as they stand so that an index can give the order (the
// date made is the usual "newest first"); the others may be empty.
bool SiempreLlena(TColumnaCargas columna)
{
    return columna == TColumnaCargas::Fecha || columna == TColumnaCargas::Recarga
            || columna == TColumnaCargas::SitEntrega || columna == TColumnaCargas::Inicio
            || columna == TColumnaCargas::Fin;
}

// Empty values count as the smallest on both engines (PostgreSQL alone would put them last).
QString OrdenSql(const TOrdenCargas &orden)
{
    const QString sentido = orden.Descendente ? QStringLiteral(" DESC") : QString();
    if (!orden.Columna)
        return QStringLiteral(" ORDER BY r.idRecarga") + sentido;
    const QString columna = ColumnaSql(*orden.Columna);
    if (SiempreLlena(*orden.Columna))
        return QStringLiteral(" ORDER BY %1%2, r.idRecarga%2").arg(columna, sentido);
    return QStringLiteral(" ORDER BY CASE WHEN %1 IS NULL THEN 0 ELSE 1 END%2, %1%2, r.idRecarga%2")
            .arg(columna, sentido);
}

TFilaCarga LeerFila(const TConsulta &query)
{
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
    return fila;
}

QList<TFilaCarga> Leer(TDM &dm, const TSentenciaCargas &sentencia)
{
    TConsulta query = dm.Consulta(sentencia.sql, sentencia.valores);
    QList<TFilaCarga> filas;
    while (query.next())
        filas << LeerFila(query);
    return filas;
}

} // namespace

TSentenciaCargas SentenciaCargas(const TFiltroCargas &filtro, const TOrdenCargas &orden, int desde,
                                 int cuantas)
{
    QStringList condiciones;
    QVariantList valores;
    const auto condicion = [&](const QString &sql, const QVariant &valor = {}) {
        condiciones << sql;
        if (valor.isValid())
            valores << valor;
    };
    if (filtro.FechaInicio.Activo)
        condicion(QStringLiteral("r.FechaInicio = ?"), SqlFecha::valor(filtro.FechaInicio.Fecha));
    QStringList ventana;
    QVariantList valoresVentana;
    if (filtro.Desde.isValid()) {
        ventana << QStringLiteral("FechaRealizado >= ?");
        valoresVentana << SqlFecha::valor(QDateTime(filtro.Desde, QTime(0, 0)));
    }
    // Up to the start of the next day, which is left out.
    if (filtro.Hasta.isValid()) {
        ventana << QStringLiteral("FechaRealizado < ?");
        valoresVentana << SqlFecha::valor(QDateTime(filtro.Hasta.addDays(1), QTime(0, 0)));
    }
    for (int i = 0; i < ventana.size(); ++i)
        condicion(QStringLiteral("r.") + ventana.at(i), valoresVentana.at(i));
    // In the order of the key, the key range of the dates' loads is given as well: it changes no
    // row, and it keeps the database from walking the key from its start through years of loads
    // before the first one of a recent window (PostgreSQL expects the window spread over the key;
    // the loads of a window follow each other, as the key follows time). The range is read from
    // the dates' index alone.
    if (!ventana.isEmpty() && !orden.Columna) {
        const QString limite = QStringLiteral("(SELECT %1(x.idRecarga + 0) FROM Recarga x WHERE x.")
                + ventana.join(QStringLiteral(" AND x.")) + QLatin1Char(')');
        condiciones << QStringLiteral("r.idRecarga >= ") + limite.arg(QStringLiteral("MIN"))
                        + QStringLiteral(" AND r.idRecarga <= ") + limite.arg(QStringLiteral("MAX"));
        valores << valoresVentana << valoresVentana;
    }
    if (filtro.idPaciente)
        condicion(QStringLiteral("r.idPaciente = ?"), *filtro.idPaciente);
    if (filtro.refRecarga)
        condicion(QStringLiteral("r.refRecarga = ?"), *filtro.refRecarga);
    if (const QString situacion = SituacionSql(filtro.Situacion); !situacion.isEmpty())
        condicion(situacion);
    if (filtro.Categoria)
        condicion(QStringLiteral("p.CodCategoria = ?"), *filtro.Categoria);

    TSentenciaCargas sentencia {kSelect, valores};
    if (!condiciones.isEmpty())
        sentencia.sql += QStringLiteral(" WHERE ") + condiciones.join(QStringLiteral(" AND "));
    sentencia.sql += OrdenSql(orden);
    if (cuantas > 0) {
        sentencia.sql += QStringLiteral(" LIMIT ? OFFSET ?");
        sentencia.valores << cuantas << desde;
    }
    return sentencia;
}

QList<TFilaCarga> ConsultarCargas(TDM &dm, const FiltroFechaInicio &filtro)
{
    TFiltroCargas cargas;
    cargas.FechaInicio = filtro;
    return ConsultarCargas(dm, cargas);
}

QList<TFilaCarga> ConsultarCargas(TDM &dm, const TFiltroCargas &filtro, const TOrdenCargas &orden)
{
    return Leer(dm, SentenciaCargas(filtro, orden));
}

QList<TFilaCarga> ConsultarPaginaCargas(TDM &dm, const TFiltroCargas &filtro, const TOrdenCargas &orden,
                                        int desde, int cuantas)
{
    return Leer(dm, SentenciaCargas(filtro, orden, desde, cuantas));
}
