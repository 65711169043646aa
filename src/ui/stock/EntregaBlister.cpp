#include "ui/stock/EntregaBlister.h"

#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/loading/CargasPendientes.h"
#include "core/loading/EntregaCarga.h"
#include "ui/loading/QREtiquetasImpresion.h"
#include "ui/shell/Mensajes.h"

namespace {

// The load that was not delivered, as the user finds it on the shelf: its code and its patient.
QString TextoNoGuardada(const TFilaCarga &carga, const QString &error)
{
    return Traducir(QStringLiteral("ERR_ENTREGA_NO_GUARDADA"),
                    QStringLiteral("NO SE HA PODIDO GUARDAR LA ENTREGA DEL BLISTER "))
            + CodigoBlister(carga) + QStringLiteral(" (") + carga.RefPaciente + QLatin1Char(' ')
            + carga.Nombre + QStringLiteral(")\n") + error;
}

QString NoEncontrada()
{
    return Traducir(QStringLiteral("WRN_RECARGA_NO_ENCONTRADA"),
                    QStringLiteral("NO SE HA ENCONTRADO LA ROSSETA SOLICITADA"));
}

} // namespace

TEntregaBlister::TEntregaBlister()
    : ImprimirResumen(&ImprimirResumenCarga)
{ }

void TEntregaBlister::EntregarCodigo(const QString &codigo, const QList<TFilaCarga> &pendientes,
                                     const TAmbitoEntrega &ambito)
{
    const TCargaBuscada busqueda = BuscarCargaPorCodigo(DM(), codigo, pendientes, ambito);
    if (busqueda.Resultado != TCargaBuscada::Encontrada) {
        MostrarAviso(AvisoCodigo(busqueda));
        return;
    }
    Entregar(busqueda.Carga);
}

void TEntregaBlister::Entregar(const TFilaCarga &carga)
{
    if (PreguntarResumen())
        ImprimirResumen(carga.idRecarga);
    const TEntrega entrega = EntregarCarga(DM(), carga.idRecarga);
    switch (entrega.Resultado) {
    case TResultadoEntrega::Entregada:
        if (AlEntregar)
            AlEntregar(carga);
        break;
    case TResultadoEntrega::Fallida:
        MostrarError(TextoNoGuardada(carga, entrega.Error));
        break;
    default:
        // Delivered or removed by another workstation since the list was read.
        MostrarAviso(NoEncontrada());
        break;
    }
}

void TEntregaBlister::EntregarTodas(const QList<TFilaCarga> &cargas)
{
    if (cargas.isEmpty())
        return;
    const bool imprimir = PreguntarResumen();
    // The loads are taken from the list as it stood before the first delivery.
    QList<qint64> ids;
    for (const TFilaCarga &carga : cargas)
        ids << carga.idRecarga;
    const TEntregaVarias resultado = EntregarCargas(DM(), ids, [&](qint64 idRecarga) {
        if (imprimir)
            ImprimirResumen(idRecarga);
    });
    for (const TFilaCarga &carga : cargas) {
        if (AlEntregar && resultado.Entregadas.contains(carga.idRecarga))
            AlEntregar(carga);
    }
    if (!resultado.Fallida)
        return;
    const TFilaCarga &fallida = cargas.at(ids.indexOf(*resultado.Fallida));
    QString texto = TextoNoGuardada(fallida, resultado.Error);
    if (ids.last() != *resultado.Fallida)
        texto += QLatin1Char('\n')
                + Traducir(QStringLiteral("ERR_ENTREGA_DETENIDA"),
                           QStringLiteral("LOS BLISTERS SIGUIENTES DE LA LISTA NO SE HAN ENTREGADO"));
    MostrarError(texto);
}

bool TEntregaBlister::PreguntarResumen() const
{
    return Confirmar(Traducir(QStringLiteral("QST_QUIERE_IMPRIMIR_CARGA_RESUMEN"),
                              QStringLiteral("¿DESEA IMPRIMIR UN RESUMEN DE LA CARGA?")))
            == 1;
}
