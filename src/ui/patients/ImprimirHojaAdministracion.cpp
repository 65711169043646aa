#include "ui/patients/ImprimirHojaAdministracion.h"

#include "core/common/Clock.h"
#include "core/data/ManejadorErrores.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/patients/InformeHojaAdministracion.h"
#include "core/settings/uPreferencias.h"
#include "ui/reports/Fpreview.h"
#include "ui/shell/Mensajes.h"

#include <QGuiApplication>

namespace {

// Shows the busy cursor while it lives.
class CursorOcupado
{
public:
    CursorOcupado() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CursorOcupado() { QGuiApplication::restoreOverrideCursor(); }
    CursorOcupado(const CursorOcupado &) = delete;
    CursorOcupado &operator=(const CursorOcupado &) = delete;
};

TReportDocument DocumentoHoja(const QList<TFilaHoja> &filas, const QList<qint64> &pacientes,
                              TFormatoHoja formato)
{
    const TFarmaciaHoja farmacia = FarmaciaHoja(Preferencias());
    const QHash<qint64, QByteArray> fotos = FotosPacientes(DM(), pacientes);
    if (formato == TFormatoHoja::Semanas)
        return InformeHojaAdministracion(filas, farmacia, fotos, Clock::today());
    return InformeHojaFranjas(HojaAdministracionFranjas(filas), farmacia, fotos, Clock::today());
}

} // namespace

bool ImprimirHojaAdministracion(const QList<qint64> &pacientes, const std::optional<QDate> &inicio,
                                TFormatoHoja formato)
{
    std::optional<TReportDocument> documento;
    const bool leida = ManejadorErrores::Proteger([&] {
        const CursorOcupado ocupado;
        const QList<TFilaHoja> filas = HojaAdministracion(DM(), pacientes, inicio, Clock::today());
        if (!filas.isEmpty())
            documento = DocumentoHoja(filas, pacientes, formato);
    });
    if (!leida)
        return false;
    if (!documento) {
        MostrarAviso(
                Traducir(QStringLiteral("MSG_LISTADO_VACIO"), QStringLiteral("NO SE HAN ENCONTRADO DATOS")));
        return false;
    }
    TFormPreview::Mostrar(*documento);
    return true;
}
