#include "core/dosing/ConsultaPlan.h"

#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"

#include <QSqlQuery>

namespace {

// The effective blister flag as 1 or 0 on both engines: the line's override when set (1 means
// yes), else the medication's flag (any non-zero value means yes).
const QString kSpdEfectivo
        = QStringLiteral("CASE WHEN S.SPDP IS NULL THEN (CASE WHEN M.SPD <> 0 THEN 1 ELSE 0 END) "
                         "WHEN S.SPDP = 1 THEN 1 ELSE 0 END");

std::optional<QString> TextoONulo(const QVariant &valor)
{
    return valor.isNull() ? std::nullopt : std::optional<QString>(valor.toString());
}

} // namespace

std::vector<TFilaPlan> ConsultaPlan(TDM &dm, qint64 idPaciente, const QDate &desde, const QDate &hasta)
{
    TConsulta query = dm.Consulta(
            QStringLiteral(
                    "SELECT S.id, S.idMedicamento, S.SPDP, M.SPD, S.Cantidad, S.Dosis, S.DosisEtiqueta, "
                    "S.DosisS1, S.Inicio, S.Fin, S.Lote, S.Caducidad, S.Medico, M.Medicamento, "
                    "M.Descripcion, M.DescUsuario, M.Forma, M.Color, M.Comprimido "
                    "FROM SPD S INNER JOIN Medicamento M ON S.idMedicamento = M.idMedicamento "
                    "WHERE S.idPaciente = ? AND S.Inicio < ? AND (S.Fin IS NULL OR S.Fin >= ?) "
                    "ORDER BY ")
                    + kSpdEfectivo + QStringLiteral(" DESC, COALESCE(M.Volumen, 0), S.id"),
            {idPaciente, SqlFecha::valor(hasta.addDays(1)), SqlFecha::valor(desde)});
    std::vector<TFilaPlan> filas;
    while (query.next()) {
        TFilaPlan fila;
        fila.id = query.value(0).toInt();
        fila.idMedicamento = query.value(1).toLongLong();
        if (!query.value(2).isNull())
            fila.SPDP = query.value(2).toInt();
        fila.SPD = query.value(3).toInt() != 0;
        fila.Cantidad = query.value(4).toDouble();
        fila.Dosis = query.value(5).toString();
        fila.DosisEtiqueta = TextoONulo(query.value(6));
        fila.DosisS1 = query.value(7).toString();
        fila.Inicio = SqlFecha::leerDia(query.value(8));
        fila.Fin = SqlFecha::leerDia(query.value(9));
        fila.Lote = TextoONulo(query.value(10));
        fila.Caducidad = SqlFecha::leerDia(query.value(11));
        fila.Medico = query.value(12).toString();
        fila.Medicamento = query.value(13).toString();
        fila.Descripcion = query.value(14).toString();
        fila.DescUsuario = query.value(15).toString();
        fila.Forma = query.value(16).toString();
        fila.Color = query.value(17).toString();
        fila.Comprimido = query.value(18).toInt() != 0;
        filas.push_back(fila);
    }
    return filas;
}

void ConstruirCarga(TDM &dm, TRecarga &carga, const QDate &desde, const QDate &hasta)
{
    ConstruirCarga(carga, ConsultaPlan(dm, dm.idPacienteActivo, desde, hasta), desde, hasta);
}

void ConstruirCarga(TRecarga &carga, const QDate &desde, const QDate &hasta)
{
    ConstruirCarga(DM(), carga, desde, hasta);
}
