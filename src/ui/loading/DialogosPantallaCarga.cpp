#include "ui/loading/DialogosPantallaCarga.h"

#include "ui/loading/FDlgBlisterManual.h"
#include "ui/loading/QREtiquetasImpresion.h"
#include "ui/shell/Mensajes.h"

void TDialogosPantallaCarga::Error(const QString &texto)
{
    MostrarError(texto);
}

void TDialogosPantallaCarga::Informar(const QString &texto)
{
    MostrarAviso(texto);
}

bool TDialogosPantallaCarga::Aceptar(const QString &texto)
{
    return ConfirmarContinuar(texto) == 1;
}

bool TDialogosPantallaCarga::Confirmar(const QString &pregunta)
{
    return ::Confirmar(pregunta) == 1;
}

bool TDialogosPantallaCarga::BlisterManual(const TBlisterManual &blister)
{
    return ::BlisterManual(blister, m_ventana) == 1;
}

void TDialogosPantallaCarga::ImprimirEtiquetas(qint64 idRecarga)
{
    if (ImprimirEtiquetasCarga(idRecarga))
        AuditarImpresionEtiquetas(); // the loading screen's own row, beside the print's
}
