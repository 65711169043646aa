#include "core/patients/TratamientoPaciente.h"

#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/patients/LineaTratamiento.h"

#include <QSqlQuery>

QList<TFilaTratamiento> LineasTratamiento(TDM &dm, qint64 idPaciente)
{
    TConsulta query = dm.Consulta(
            QStringLiteral(
                    "SELECT S.id, S.idMedicamento, S.Medico, S.Cantidad, S.Dosis, S.DosisEtiqueta, S.Inicio, "
                    "S.Fin, S.DosisS1, S.Notas, S.SPDP, M.SPD, M.DescUsuario, M.Medicamento, "
                    "M.Descripcion FROM SPD S LEFT JOIN Medicamento M ON M.idMedicamento = S.idMedicamento "
                    "WHERE S.idPaciente = ?"),
            {idPaciente});
    QList<TFilaTratamiento> filas;
    while (query.next()) {
        TFilaTratamiento fila;
        fila.id = query.value(0).toLongLong();
        fila.Idpaciente = idPaciente;
        fila.IdMedicamento = query.value(1).toLongLong();
        fila.Medico = query.value(2).toString();
        fila.Cantidad = query.value(3).toDouble();
        fila.Dosis = query.value(4).toString();
        fila.DosisEtiqueta = query.value(5).toString();
        fila.DosisVer = ColumnasTratamiento::DosisVer(fila.DosisEtiqueta, fila.Dosis);
        fila.Inicio = SqlFecha::leerDia(query.value(6));
        fila.Fin = SqlFecha::leerDia(query.value(7));
        fila.DosisS1Real = query.value(8).toString();
        fila.Notas = query.value(9).toString();
        fila.SPDP = query.value(10);
        fila.Kelvo = ColumnasTratamiento::Kelvo(fila.SPDP, query.value(11));
        const QString propio = query.value(12).toString();
        fila.Medicamento = propio.isEmpty()
                ? query.value(13).toString() + QLatin1Char(' ') + query.value(14).toString()
                : propio;
        filas.append(fila);
    }
    return filas;
}

bool BorrarLineaTratamiento(TDM &dm, qint64 idPaciente, qint64 idLinea)
{
    int borradas = 0;
    dm.EnTransaccionPaciente(idPaciente, [&] {
        borradas = dm.Ejecutar(QStringLiteral("DELETE FROM SPD WHERE id = ? AND idPaciente = ?"),
                               {idLinea, idPaciente});
    });
    return borradas > 0;
}
