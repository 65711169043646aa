#include "core/loading/FechaCargaCategoria.h"

#include "core/common/Clock.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/loading/FechasCarga.h"
#include "core/patients/uHistorialTratamiento.h"

#include <QSqlQuery>

QDate FechaCargaCategoria(TDM &dm, int codCategoria)
{
    TConsulta ultima = dm.Consulta(QStringLiteral("SELECT MAX(r.FechaInicio), MAX(r.FechaFin) FROM Recarga r "
                                                  "JOIN Paciente p ON p.idPaciente = r.idPaciente "
                                                  "WHERE p.CodCategoria = ?"),
                                   {codCategoria});
    const QDate inicio = ultima.next() ? SqlFecha::leerDia(ultima.value(0)) : QDate();
    if (!inicio.isValid())
        return Clock::today();
    const QDate finSiguiente = SqlFecha::leerDia(ultima.value(1)).addDays(1);

    TConsulta pacientes = dm.Consulta(QStringLiteral("SELECT idPaciente FROM Paciente WHERE CodCategoria = ? "
                                                     "AND Iactivo = 1 ORDER BY refPaciente"),
                                      {codCategoria});
    QList<qint64> activos;
    while (pacientes.next())
        activos << pacientes.value(0).toLongLong();
    THistorialTratamiento historial(dm);
    for (const qint64 idPaciente : activos) {
        if (!ExisteCarga(dm, idPaciente, inicio) && historial.TieneLineasActivas(idPaciente, inicio))
            return inicio;
    }
    return finSiguiente.isValid() ? finSiguiente : Clock::today();
}
