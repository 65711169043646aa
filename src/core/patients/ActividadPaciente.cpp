#include "core/patients/ActividadPaciente.h"

#include "core/common/Clock.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"

bool CambiarActividadPaciente(TDM &dm, qint64 idPaciente, bool activo)
{
    int cambiados = 0;
    dm.EnTransaccionPaciente(idPaciente, [&] {
        const QVariant baja = activo ? SqlFecha::valor(QDate()) : SqlFecha::valor(Clock::today());
        cambiados = dm.Ejecutar(
                QStringLiteral("UPDATE Paciente SET Iactivo = ?, FechaBaja = ? WHERE idPaciente = ?"),
                {activo ? 1 : 0, baja, idPaciente});
    });
    return cambiados > 0;
}
