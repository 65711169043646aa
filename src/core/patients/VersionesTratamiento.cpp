#include "core/patients/VersionesTratamiento.h"

#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/patients/LineaTratamiento.h"

#include <QSqlQuery>

QList<TVersionTratamiento> VersionesTratamiento(TDM &dm, qint64 idPaciente, bool soloCargadas)
{
    // Every row of a version carries the same date, user and mark; one row per version.
    TConsulta query = dm.Consulta(
            QStringLiteral("SELECT IdVersion, MAX(FechaActualizacion), MAX(username), MAX(IuCarga) "
                           "FROM SPDHIST WHERE IDPaciente = ?")
                    + (soloCargadas ? QStringLiteral(" AND IuCarga = 1") : QString())
                    + QStringLiteral(" GROUP BY IdVersion ORDER BY IdVersion DESC"),
            {idPaciente});
    QList<TVersionTratamiento> versiones;
    while (query.next())
        versiones.append({query.value(0).toInt(), SqlFecha::leer(query.value(1)), query.value(2).toString(),
                          query.value(3).toInt() == 1});
    return versiones;
}

QList<TFilaTratamiento> LineasDeVersion(TDM &dm, qint64 idPaciente, int version)
{
    TConsulta query = dm.Consulta(
            QStringLiteral(
                    "SELECT H.ID, H.IDMedicamento, H.Medico, H.Dosis, H.DosisEtiqueta, H.Inicio, H.Fin, "
                    "H.Notas, H.SPDP, M.idMedicamento, M.SPD, M.DescUsuario, M.Medicamento, "
                    "M.Descripcion FROM SPDHIST H LEFT JOIN Medicamento M "
                    "ON M.idMedicamento = H.IDMedicamento "
                    "WHERE H.IDPaciente = ? AND H.IdVersion = ? ORDER BY H.ID"),
            {idPaciente, version});
    QList<TFilaTratamiento> filas;
    while (query.next()) {
        TFilaTratamiento fila;
        fila.id = query.value(0).toLongLong();
        fila.Idpaciente = idPaciente;
        fila.IdMedicamento = query.value(1).toLongLong();
        fila.Medico = query.value(2).toString();
        fila.Dosis = query.value(3).toString();
        fila.DosisEtiqueta = query.value(4).toString();
        fila.DosisVer = ColumnasTratamiento::DosisVer(fila.DosisEtiqueta, fila.Dosis);
        fila.Inicio = SqlFecha::leerDia(query.value(5));
        fila.Fin = SqlFecha::leerDia(query.value(6));
        fila.Notas = query.value(7).toString();
        fila.SPDP = query.value(8);
        fila.Kelvo = ColumnasTratamiento::Kelvo(fila.SPDP, query.value(10));
        const bool existe = !query.value(9).isNull();
        const QString propio = query.value(11).toString();
        fila.Medicamento = !existe ? dm.NombreMedicamento(fila.IdMedicamento)
                : propio.isEmpty()
                ? query.value(12).toString() + QLatin1Char(' ') + query.value(13).toString()
                : propio;
        filas.append(fila);
    }
    return filas;
}
