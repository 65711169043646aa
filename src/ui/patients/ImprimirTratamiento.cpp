#include "ui/patients/ImprimirTratamiento.h"

#include "core/data/ManejadorErrores.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/settings/uPreferencias.h"
#include "ui/reports/Fpreview.h"

#include <QGuiApplication>
#include <QSqlQuery>

namespace {

TPacienteInforme LeerPaciente(qint64 idPaciente)
{
    TPacienteInforme paciente;
    TConsulta fila
            = DM().Consulta(QStringLiteral("SELECT refPaciente, Nombre, FechaAlta, FechaBaja, CodCategoria "
                                           "FROM Paciente WHERE idPaciente = ?"),
                            {idPaciente});
    if (!fila.next())
        return paciente;
    paciente.RefPaciente = fila.value(0).toString();
    paciente.Nombre = fila.value(1).toString();
    paciente.FechaAlta = SqlFecha::leerDia(fila.value(2));
    paciente.FechaBaja = SqlFecha::leerDia(fila.value(3));
    if (!fila.value(4).isNull())
        paciente.Categoria = DM().DescripcionCategoria(fila.value(4).toString());
    return paciente;
}

} // namespace

void ImprimirTratamiento(const QString &titulo, qint64 idPaciente, const QList<TFilaTratamiento> &lineas,
                         const std::optional<TVersionInforme> &version)
{
    TReportDocument informe;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool hecho = ManejadorErrores::Proteger([&] {
        informe = InformeTratamiento(titulo, LeerPaciente(idPaciente), lineas, version,
                                     MembreteFarmacia(Preferencias()));
    });
    QGuiApplication::restoreOverrideCursor();
    if (hecho)
        TFormPreview::Mostrar(informe);
}
