#include "core/stock/StockPaciente.h"

#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/stock/NombreStock.h"

#include <QSqlQuery>

QList<TFilaStockPaciente> StockPaciente(TDM &dm, qint64 idPaciente, std::optional<qint64> idMedicamento)
{
    QString sql = QStringLiteral("SELECT I.idInventario, I.idMedicamento, I.IdMedicamentoReal, I.Lote, "
                                 "I.Caducidad, I.CantidadRestante, %1, %2 FROM Inventario I "
                                 "LEFT JOIN Medicamento M ON M.idMedicamento = I.idMedicamento "
                                 "LEFT JOIN Medicamento R ON R.idMedicamento = I.IdMedicamentoReal "
                                 "WHERE I.idPaciente = ?")
                          .arg(NombreStock::ColumnasSql(QStringLiteral("M")),
                               NombreStock::ColumnasSql(QStringLiteral("R")));
    QVariantList valores {idPaciente};
    if (idMedicamento) {
        sql += QStringLiteral(" AND I.idMedicamento = ?");
        valores << *idMedicamento;
    }
    sql += QStringLiteral(" ORDER BY I.idInventario");
    TConsulta query = dm.Consulta(sql, valores);
    QList<TFilaStockPaciente> filas;
    while (query.next()) {
        TFilaStockPaciente fila;
        fila.idInventario = query.value(0).toLongLong();
        fila.idMedicamento = query.value(1).toLongLong();
        fila.IdMedicamentoReal = query.value(2).toLongLong();
        fila.Lote = query.value(3).toString();
        fila.Caducidad = SqlFecha::leerDia(query.value(4));
        fila.CantidadRestante = query.value(5).toDouble();
        const TNombresMedicamento real = NombreStock::LeerNombres(query, 9);
        fila.Medicamento = NombreStock::Medicamento(fila.idMedicamento, NombreStock::LeerNombres(query, 6),
                                                    fila.IdMedicamentoReal, real);
        fila.MedicamentoReal = NombreStock::MedicamentoReal(real);
        filas << fila;
    }
    return filas;
}
