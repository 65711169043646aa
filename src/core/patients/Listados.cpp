#include "core/patients/Listados.h"

#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"

QList<TPacienteNecesidad> PacientesListado(TDM &dm, const std::optional<int> &categoria)
{
    return PacientesNecesidad(dm, {!categoria.has_value(), categoria.value_or(0)});
}

TPacienteInforme PacienteInforme(TDM &dm, qint64 idPaciente)
{
    TPacienteInforme paciente;
    TConsulta fila
            = dm.Consulta(QStringLiteral("SELECT refPaciente, Nombre, FechaAlta, FechaBaja, CodCategoria "
                                         "FROM Paciente WHERE idPaciente = ?"),
                          {idPaciente});
    if (!fila.next())
        return paciente;
    paciente.RefPaciente = fila.value(0).toString();
    paciente.Nombre = fila.value(1).toString();
    paciente.FechaAlta = SqlFecha::leerDia(fila.value(2));
    paciente.FechaBaja = SqlFecha::leerDia(fila.value(3));
    if (!fila.value(4).isNull())
        paciente.Categoria = dm.DescripcionCategoria(fila.value(4).toString());
    return paciente;
}

QList<TTratamientoInforme> TratamientosPacientes(TDM &dm, const QList<qint64> &pacientes)
{
    QList<TTratamientoInforme> tratamientos;
    for (const qint64 idPaciente : pacientes) {
        QList<TFilaTratamiento> lineas = LineasTratamiento(dm, idPaciente);
        if (!lineas.isEmpty())
            tratamientos.append({PacienteInforme(dm, idPaciente), std::move(lineas)});
    }
    return tratamientos;
}
