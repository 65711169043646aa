#include "ui/loading/QREtiquetasImpresion.h"

#include "core/audit/uLOPD.h"
#include "core/common/Clock.h"
#include "core/data/ManejadorErrores.h"
#include "core/i18n/ULenguaje.h"
#include "core/loading/EtiquetaPrueba.h"
#include "core/loading/EtiquetasCarga.h"
#include "core/settings/uPreferencias.h"
#include "core/shell/uLog.h"
#include "render/ReportLayout.h"
#include "ui/reports/Fpreview.h"
#include "ui/reports/ReportPrinting.h"
#include "ui/shell/Mensajes.h"

#include <QGuiApplication>

namespace QREtiquetasImpresion {

namespace {

// The hourglass while the lists are read and the sheet is printed.
class CursorEspera
{
public:
    CursorEspera() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CursorEspera() { QGuiApplication::restoreOverrideCursor(); }
    CursorEspera(const CursorEspera &) = delete;
    CursorEspera &operator=(const CursorEspera &) = delete;
};

void Imprimir(const TReportDocument &informe)
{
    if (informe.bands.isEmpty())
        return;
    const TLaidOutReport laidOut = ReportLayout::layOut(informe);
    for (const QString &aviso : laidOut.warnings)
        Log(QStringLiteral(": F_ERROR: ") + aviso);
    const QString etiquetas = Preferencias().ETIPRINTER;
    ReportPrinting::Result resultado = ReportPrinting::printOn(laidOut, etiquetas);
    if (resultado.outcome == ReportPrinting::Outcome::PrinterNotInstalled) {
        const QString porDefecto = ReportPrinting::defaultPrinterName();
        if (porDefecto.isEmpty()) {
            // No printer at all is how the workstation is set up, not a failure: the sheet opens
            // in the preview (to print, save or mail later) and the status line says why.
            const QString falta = etiquetas.isEmpty()
                    ? Traducir(QStringLiteral("MSG_SIN_IMPRESORA_ETIQUETAS_CONFIGURADA"),
                               QStringLiteral("NO HAY IMPRESORA DE ETIQUETAS CONFIGURADA."))
                    : resultado.message + QLatin1Char('.');
            AvisarEnLineaEstado(falta + QLatin1Char(' ')
                                + Traducir(QStringLiteral("MSG_SIN_IMPRESORA_ETIQUETAS_ESTADO"),
                                           QStringLiteral("LAS ETIQUETAS SE MUESTRAN EN PANTALLA. ELIJA LA "
                                                          "IMPRESORA DE ETIQUETAS EN PREFERENCIAS.")));
            TFormPreview::Mostrar(informe);
            return;
        }
        Log(QStringLiteral(": F_ERROR: ") + resultado.message);
        resultado = ReportPrinting::printOn(laidOut, porDefecto);
    }
    if (resultado.outcome != ReportPrinting::Outcome::Printed)
        MostrarError(resultado.message);
}

// Reads the load and hands its sheet on; false (and no audit row) when the load is not there.
bool ConEtiqueta(qint64 idRecarga, const std::function<void(const TEtiquetaCarga &)> &usar)
{
    CursorEspera espera;
    TEtiquetaCarga etiqueta;
    if (!ManejadorErrores::Proteger([&] { etiqueta = LeerEtiquetaCarga(idRecarga); }) || !etiqueta.existe())
        return false;
    usar(etiqueta);
    AuditarImpresionEtiquetas();
    return true;
}

} // namespace

void AuditarImpresionEtiquetas()
{
    Auditar(Traducir(QStringLiteral("CAPTION_LOPD_IMPRESION_ETIQUETAS_RECARGAS"),
                     QStringLiteral("IMPRESION ETIQUETAS RECARGAS")),
            LOPD::kConsulta, LOPD::kAceptado);
}

bool ImprimirEtiquetasCarga(qint64 idRecarga)
{
    return ConEtiqueta(idRecarga, [](const TEtiquetaCarga &etiqueta) {
        const TPreferences &preferencias = Preferencias();
        const TFormatoEtiqueta formato = FormatoEtiqueta(preferencias.PEtiquetas, preferencias.TipoCarga);
        Imprimir(InformeEtiquetas(etiqueta, formato, OpcionesEtiqueta(etiqueta)));
    });
}

void ImprimirEtiquetaDePrueba()
{
    const TPreferences &preferencias = Preferencias();
    const TFormatoEtiqueta formato = FormatoEtiqueta(preferencias.PEtiquetas, preferencias.TipoCarga);
    if (!FormatoConEtiquetaDePrueba(formato))
        return;
    CursorEspera espera;
    const TEtiquetaCarga etiqueta = EtiquetaDePrueba(preferencias, preferencias.Logo, Clock::now());
    Imprimir(InformeEtiquetas(etiqueta, formato, OpcionesEtiqueta(etiqueta)));
}

void ImprimirResumenCarga(qint64 idRecarga)
{
    ConEtiqueta(idRecarga, [](const TEtiquetaCarga &etiqueta) {
        Imprimir(InformeEtiquetas(etiqueta, TFormatoEtiqueta::Completo, OpcionesEtiqueta(etiqueta)));
    });
}

void MostrarResumenCarga(qint64 idRecarga)
{
    ConEtiqueta(idRecarga, [](const TEtiquetaCarga &etiqueta) {
        TFormPreview::MostrarModal(
                InformeEtiquetas(etiqueta, TFormatoEtiqueta::Completo, OpcionesEtiqueta(etiqueta)));
    });
}

} // namespace QREtiquetasImpresion
