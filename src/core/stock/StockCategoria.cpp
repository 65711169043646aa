#include "core/stock/StockCategoria.h"

#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/stock/NombreStock.h"

#include <QSqlQuery>

QList<TFilaStockCategoria> StockCategoria(TDM &dm, int categoria)
{
    TConsulta query = dm.Consulta(
            QStringLiteral(
                    "SELECT P.idPaciente, P.refPaciente, P.Nombre, I.idMedicamento, I.IdMedicamentoReal, "
                    "I.CantidadRestante, I.Lote, I.Caducidad, %1, %2 "
                    "FROM Inventario I INNER JOIN Paciente P ON I.idPaciente = P.idPaciente "
                    "LEFT JOIN Medicamento M ON M.idMedicamento = I.idMedicamento "
                    "LEFT JOIN Medicamento R ON R.idMedicamento = I.IdMedicamentoReal "
                    "WHERE (P.Iactivo = 1 OR P.Iactivo IS NULL) AND P.CodCategoria = ? "
                    "ORDER BY P.refPaciente, P.idPaciente, I.idMedicamento, I.idInventario")
                    .arg(NombreStock::ColumnasSql(QStringLiteral("M")),
                         NombreStock::ColumnasSql(QStringLiteral("R"))),
            {categoria});
    QList<TFilaStockCategoria> filas;
    while (query.next()) {
        TFilaStockCategoria fila;
        fila.idPaciente = query.value(0).toLongLong();
        fila.RefPaciente = query.value(1).toString();
        fila.Nombre = query.value(2).toString();
        fila.idMedicamento = query.value(3).toLongLong();
        fila.Medicamento = QString::number(fila.idMedicamento) + QLatin1Char(' ')
                + NombreStock::Medicamento(fila.idMedicamento, NombreStock::LeerNombres(query, 8),
                                           query.value(4).toLongLong(), NombreStock::LeerNombres(query, 11));
        fila.Cantidad = query.value(5).toDouble();
        fila.Lote = query.value(6).toString();
        fila.Caducidad = SqlFecha::leerDia(query.value(7));
        filas << fila;
    }
    return filas;
}
