#include "core/loading/InformeCargas.h"

#include "core/dosing/UPosologia.h"
#include "core/i18n/ULenguaje.h"
#include "core/loading/ModeloCargas.h"
#include "core/reports/ReportListing.h"

namespace {

QString Texto(const char *clave, const char *texto)
{
    return Traducir(QString::fromLatin1(clave), QString::fromUtf8(texto));
}

// A caption and its value, the way the header prints each filter.
QString Campo(const QString &titulo, const QString &valor)
{
    return titulo + QLatin1Char(' ') + valor;
}

} // namespace

QStringList TCabeceraListaCargas::Textos() const
{
    const QString separacion = QStringLiteral("     ");
    const QString sinPaciente = QStringLiteral("N/A");
    QStringList textos {Campo(Texto("INF_CARGAS_FECHA_DESDE", "FECHA DESDE:"), Desde) + separacion
                                + Campo(Texto("INF_CARGAS_FECHA_HASTA", "FECHA HASTA:"), Hasta),
                        Campo(Texto("INF_CARGAS_SIT_ENTREGA", "SIT. ENTREGA:"), Situacion) + separacion
                                + Campo(Texto("INF_CARGAS_CATEGORIA", "CATEGORIA:"), Categoria)};
    const QString alta = Texto("INF_TRAT_FECHA_ALTA", "FECHA ALTA:");
    const QString baja = Texto("INF_TRAT_FECHA_BAJA", "FECHA BAJA:");
    if (paciente)
        textos << paciente->refPaciente + QLatin1Char(' ') + paciente->Nombre + separacion
                        + Campo(alta, TextoFecha(paciente->FechaAlta)) + separacion
                        + Campo(baja, TextoFecha(paciente->FechaBaja));
    else
        textos << sinPaciente + separacion + Campo(alta, sinPaciente) + separacion + Campo(baja, sinPaciente);
    return textos;
}

TReportDocument InformeCargas(const TCabeceraListaCargas &cabecera, const QList<TFilaCarga> &filas,
                              const TMembreteFarmacia &membrete)
{
    // A list of one patient's loads names the patient once, in the header.
    const bool conPaciente = !cabecera.paciente;
    QList<ListingColumn> columnas {
            {Texto("INF_CARGAS_FECHA", "FECHA"), 34.0},
            {Texto("INF_CARGAS_REF_BLISTER", "REF. BLISTER Kelvo"), 34.0, Qt::AlignRight | Qt::AlignVCenter},
            {Texto("INF_CARGAS_PREPARADOR", "PREPARADOR"), 34.0},
            {Texto("INF_CARGAS_SIT_ENTREGA_COLUMNA", "SIT ENTREGA"), 30.0},
            {Texto("INF_CARGAS_VALIDADOR", "VALIDADOR"), 34.0}};
    if (conPaciente)
        columnas << ListingColumn {Texto("INF_CARGAS_PACIENTE", "PACIENTE"), 24.0};

    ListingFrame marco;
    marco.logo = membrete.Logo;
    marco.headerLines = cabecera.Textos();
    marco.footerLeft = membrete.DireccionTelefono;
    marco.pageNumberPattern = QStringLiteral("%1  / %2");
    ReportListing listado(Texto("CAPTION_LIS_CARGAS_REALIZADAS", "CARGAS REALIZADAS"), ReportPageSetup::a4(),
                          columnas, marco);
    for (const TFilaCarga &fila : filas) {
        QStringList celdas {TModeloCargas::Texto(fila, TColumnaCargas::Fecha),
                            QString::number(fila.idRecarga), fila.Preparador, fila.SitEntrega,
                            fila.Validador};
        if (conPaciente)
            celdas << fila.RefPaciente;
        listado.addRow(celdas);
    }
    return listado.document();
}
