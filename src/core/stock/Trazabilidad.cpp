#include "core/stock/Trazabilidad.h"

#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"

#include <algorithm>

namespace {

// The load lines that put the medication into a blister, each in the situation its load's dates
// give: returned (whether delivered or not), else waiting to be collected, else delivered. One
// read of the medication's lines, into their loads by key: a condition on the loads' dates would
// lead the planner to read through all loads.
const QString kLineasDeCarga = QStringLiteral(
        "SELECT CASE WHEN r.FechaRetornado IS NOT NULL THEN 'CONSUMIDOS' "
        "WHEN r.FechaEntrega IS NULL THEN 'PDTE ENTREGA' ELSE 'ENTREGADOS' END AS ORIG, "
        "CASE WHEN r.FechaRetornado IS NOT NULL THEN 4 "
        "WHEN r.FechaEntrega IS NULL THEN 2 ELSE 3 END AS CODORIG, "
        "p.idPaciente, p.DNI, p.Nombre, p.Telefono, l.idMedicamentoR AS idMedicamento, l.Lote, l.Caducidad, "
        "l.Cantidad, r.FechaRealizado, r.FechaInicio, r.FechaFin, r.FechaCaducidad, r.FechaRetornado, "
        "r.Estado, r.idRecarga, p.refPaciente "
        "FROM RecargaLinea l INNER JOIN Recarga r ON r.idRecarga = l.idRecarga "
        "INNER JOIN Paciente p ON p.idPaciente = r.idPaciente "
        "WHERE l.idMedicamentoR = ?");

const QString kFilasDeStock = QStringLiteral(
        "SELECT 'INVENTARIO' AS ORIG, 1 AS CODORIG, p.idPaciente, p.DNI, p.Nombre, p.Telefono, "
        "i.IdMedicamentoReal AS idMedicamento, i.Lote, i.Caducidad, i.CantidadRestante AS Cantidad, "
        "NULL, NULL, NULL, NULL, NULL, NULL, NULL, p.refPaciente "
        "FROM Inventario i INNER JOIN Paciente p ON p.idPaciente = i.idPaciente "
        "WHERE i.IdMedicamentoReal = ?");

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
    linea.Cantidad = query.value(9).toDouble();
    linea.FechaInicio = SqlFecha::leerDia(query.value(11));
    linea.FechaFin = SqlFecha::leerDia(query.value(12));
    linea.IdRecarga = query.value(16).toLongLong();
    linea.REFPaciente = query.value(17).toString();
    return linea;
}

// Adds the line's units to the last line when both are of one patient, situation and load.
void Acumular(QList<TLineaTraza> &lineas, const TLineaTraza &linea)
{
    if (!lineas.isEmpty()) {
        TLineaTraza &ultima = lineas.last();
        if (ultima.IdPaciente == linea.IdPaciente && ultima.ORIG == linea.ORIG
            && ultima.IdRecarga == linea.IdRecarga) {
            ultima.Cantidad += linea.Cantidad;
            return;
        }
    }
    lineas << linea;
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

TSentenciaTrazabilidad SentenciaTrazabilidad(qint64 idMedicamento, const QString &lote)
{
    const QString loteBuscado = lote.trimmed();
    TSentenciaTrazabilidad sentencia;
    const auto rama = [&](const QString &select, const QString &columnaLote) {
        sentencia.valores << idMedicamento;
        if (loteBuscado.isEmpty())
            return select;
        sentencia.valores << loteBuscado;
        return select + QStringLiteral(" AND UPPER(%1) = UPPER(?)").arg(columnaLote);
    };
    sentencia.sql = rama(kLineasDeCarga, QStringLiteral("l.Lote")) + QStringLiteral(" UNION ALL ")
            + rama(kFilasDeStock, QStringLiteral("i.Lote")) + QStringLiteral(" ORDER BY 3, 1, 17 DESC");
    return sentencia;
}

QList<TLineaTraza> ConsultarTrazabilidad(TDM &dm, qint64 idMedicamento, const QString &lote)
{
    const TSentenciaTrazabilidad sentencia = SentenciaTrazabilidad(idMedicamento, lote);
    TConsulta query = dm.Consulta(sentencia.sql, sentencia.valores);
    QList<TLineaTraza> lineas;
    while (query.next())
        Acumular(lineas, LeerLinea(query));
    return lineas;
}
