#include "core/stock/Trazabilidad.h"

#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"

#include <algorithm>

namespace {

// The loads that put the medication into a blister, with the units of it each holds, in the
// situation its dates give: returned (whether delivered or not), else waiting to be collected,
// else delivered. The medication's lines are read through their index and summed per load before
// anything else is joined, so a long history costs one pass over that medication's lines.
const QString kCargas = QStringLiteral(
        "SELECT CASE WHEN r.FechaRetornado IS NOT NULL THEN 'CONSUMIDOS' "
        "WHEN r.FechaEntrega IS NULL THEN 'PDTE ENTREGA' ELSE 'ENTREGADOS' END AS ORIG, "
        "CASE WHEN r.FechaRetornado IS NOT NULL THEN 4 WHEN r.FechaEntrega IS NULL THEN 2 ELSE 3 END AS "
        "CODORIG, "
        "r.idPaciente, SUM(l.Cantidad) AS Cantidad, r.FechaInicio, r.FechaFin, r.idRecarga "
        "FROM RecargaLinea l INNER JOIN Recarga r ON r.idRecarga = l.idRecarga "
        "WHERE l.idMedicamentoR = ?%1 "
        "GROUP BY r.idRecarga, r.idPaciente, r.FechaInicio, r.FechaFin, r.FechaEntrega, r.FechaRetornado");

// Every stock row of the medication, at zero too, summed per patient.
const QString kStock = QStringLiteral(
        "SELECT 'INVENTARIO' AS ORIG, 1 AS CODORIG, i.idPaciente, SUM(i.CantidadRestante) AS Cantidad, "
        "NULL AS FechaInicio, NULL AS FechaFin, 0 AS idRecarga "
        "FROM Inventario i WHERE i.IdMedicamentoReal = ?%1 GROUP BY i.idPaciente");

// The lines with their patients, in the list's order; the source words sort as the situations
// are listed within a patient.
const QString kLineas = QStringLiteral(
        "SELECT t.ORIG, t.CODORIG, p.idPaciente, p.DNI, p.Nombre, p.Telefono, t.Cantidad, t.FechaInicio, "
        "t.FechaFin, t.idRecarga, p.refPaciente FROM (%1 UNION ALL %2) t "
        "INNER JOIN Paciente p ON p.idPaciente = t.idPaciente "
        "ORDER BY t.idPaciente, t.ORIG, t.idRecarga DESC");

QString SituacionMostrada(int codigo)
{
    switch (codigo) {
    case 1:
        return Traducir(QStringLiteral("STR_CINVENTARIO"), QStringLiteral("INVENTARIO"));
    case 2:
        return Traducir(QStringLiteral("STR_CAENTREGAR"), QStringLiteral("PREPARADO"));
    case 3:
        return Traducir(QStringLiteral("STR_CENTREGADO"), QStringLiteral("ENTREGADO"));
    default:
        return Traducir(QStringLiteral("STR_CRETORNADO"), QStringLiteral("RETORNADO"));
    }
}

TLineaTraza LeerLinea(const TConsulta &query)
{
    TLineaTraza linea;
    linea.ORIG = query.value(0).toString();
    linea.DESORIG = SituacionMostrada(query.value(1).toInt());
    linea.IdPaciente = query.value(2).toLongLong();
    linea.DNI = query.value(3).toString();
    linea.Nombre = query.value(4).toString();
    linea.Telefono = query.value(5).toString();
    linea.Cantidad = query.value(6).toDouble();
    linea.FechaInicio = SqlFecha::leerDia(query.value(7));
    linea.FechaFin = SqlFecha::leerDia(query.value(8));
    linea.IdRecarga = query.value(9).toLongLong();
    linea.REFPaciente = query.value(10).toString();
    return linea;
}

} // namespace

TCodigoTrazabilidad LeerCodigoTrazabilidad(const QString &texto)
{
    const QString codigo = texto.trimmed();
    if (codigo.isEmpty())
        return {0,
                Traducir(QStringLiteral("ERR_MEDICAMENTO_NO_DEFINIDA"),
                         QStringLiteral("NO SE HA ESPECIFICADO NUNGUN MEDICAMENTO"))};
    const bool digitos
            = std::all_of(codigo.cbegin(), codigo.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    bool numero = false;
    const qint64 idMedicamento = codigo.toLongLong(&numero);
    if (!digitos || !numero)
        return {0,
                Traducir(QStringLiteral("ERR_CODIGO_NUMERICO"), QStringLiteral("Codigo ha de ser numerico"))};
    return {idMedicamento, {}};
}

TSentenciaTrazabilidad SentenciaTrazabilidad(qint64 idMedicamento, const QString &lote, int desde,
                                             int cuantas)
{
    const QString loteBuscado = lote.trimmed();
    TSentenciaTrazabilidad sentencia;
    // An equality, never LIKE: a lot holding "%" or "_" names that lot only.
    const auto rama = [&](const QString &select, const QString &columnaLote) {
        sentencia.valores << idMedicamento;
        if (loteBuscado.isEmpty())
            return select.arg(QString());
        sentencia.valores << loteBuscado;
        return select.arg(QStringLiteral(" AND UPPER(%1) = UPPER(?)").arg(columnaLote));
    };
    const QString cargas = rama(kCargas, QStringLiteral("l.Lote"));
    sentencia.sql = kLineas.arg(cargas, rama(kStock, QStringLiteral("i.Lote")));
    if (cuantas > 0) {
        sentencia.sql += QStringLiteral(" LIMIT ? OFFSET ?");
        sentencia.valores << cuantas << desde;
    }
    return sentencia;
}

QList<TLineaTraza> ConsultarTrazabilidad(TDM &dm, qint64 idMedicamento, const QString &lote, int desde,
                                         int cuantas)
{
    const TSentenciaTrazabilidad sentencia = SentenciaTrazabilidad(idMedicamento, lote, desde, cuantas);
    TConsulta query = dm.Consulta(sentencia.sql, sentencia.valores);
    QList<TLineaTraza> lineas;
    while (query.next())
        lineas << LeerLinea(query);
    return lineas;
}
