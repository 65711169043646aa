#include "ui/patients/ImprimirTratamiento.h"

#include "core/data/ManejadorErrores.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/patients/Listados.h"
#include "core/settings/uPreferencias.h"
#include "ui/reports/Fpreview.h"
#include "ui/shell/Mensajes.h"

#include <QGuiApplication>

void ImprimirTratamiento(const QString &titulo, qint64 idPaciente, const QList<TFilaTratamiento> &lineas,
                         const std::optional<TVersionInforme> &version)
{
    TReportDocument informe;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool hecho = ManejadorErrores::Proteger([&] {
        informe = InformeTratamiento(titulo, PacienteInforme(DM(), idPaciente), lineas, version,
                                     MembreteFarmacia(Preferencias()));
    });
    QGuiApplication::restoreOverrideCursor();
    if (hecho)
        TFormPreview::Mostrar(informe);
}

bool ImprimirTratamientosPacientes(const QList<qint64> &pacientes)
{
    std::optional<TReportDocument> informe;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool leido = ManejadorErrores::Proteger([&] {
        const QList<TTratamientoInforme> tratamientos = TratamientosPacientes(DM(), pacientes);
        if (!tratamientos.isEmpty())
            informe = InformeTratamientos(Traducir(QStringLiteral("CAPTION_LIS_TRATAMIENTO_DEL_PACIENTE"),
                                                   QStringLiteral("TRATAMIENTO DEL PACIENTE")),
                                          tratamientos, MembreteFarmacia(Preferencias()));
    });
    QGuiApplication::restoreOverrideCursor();
    if (!leido)
        return false;
    if (!informe) {
        MostrarAviso(
                Traducir(QStringLiteral("MSG_LISTADO_VACIO"), QStringLiteral("NO SE HAN ENCONTRADO DATOS")));
        return false;
    }
    TFormPreview::Mostrar(*informe);
    return true;
}
