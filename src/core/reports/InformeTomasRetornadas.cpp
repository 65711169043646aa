#include "core/reports/InformeTomasRetornadas.h"

#include "core/dosing/UPosologia.h"
#include "core/i18n/ULenguaje.h"
#include "core/reports/ReportListing.h"

namespace {

QString Texto(const char *clave, const char *porDefecto)
{
    return Traducir(QString::fromLatin1(clave), QString::fromUtf8(porDefecto));
}

// Captions and their values on one header line, the pairs apart from each other.
QString Linea(const QList<std::pair<QString, QString>> &campos)
{
    QStringList partes;
    for (const auto &[rotulo, valor] : campos)
        partes << (valor.isEmpty() ? rotulo : rotulo + QLatin1Char(' ') + valor);
    return partes.join(QStringLiteral("    "));
}

} // namespace

TReportDocument InformeTomasRetornadas(const TDatosTomasRetornadas &datos, const TMembreteFarmacia &membrete)
{
    const QList<ListingColumn> columnas {
            {Texto("INF_RETORNO_COL_TOMA", "TOMA"), 22.0},
            {Texto("INF_RETORNO_COL_DIA", "DIA"), 45.0},
            {Texto("INF_RETORNO_CANTIDAD", "CANTIDAD"), 23.0, Qt::AlignRight | Qt::AlignVCenter},
            {Texto("INF_RETORNO_MOTIVO", "MOTIVO"), 100.0},
    };
    ListingFrame marco;
    marco.logo = membrete.Logo;
    marco.footerLeft = membrete.DireccionTelefono;
    marco.pageNumberPattern = QStringLiteral("%1  / %2");
    marco.headerLines = {
            Linea({{Texto("INF_RETORNO_PACIENTE", "PACIENTE"),
                    datos.RefPaciente + QStringLiteral("  ") + datos.Nombre}}),
            Linea({{Texto("INF_RETORNO_BLISTER", "REF. BLISTER:"), QString::number(datos.refRecarga)}}),
            Linea({{Texto("INF_RETORNO_PREPARADO", "PREPARADO POR:"), datos.Preparador},
                   {Texto("INF_RETORNO_MEDICO", "MEDICO:"), datos.Medico}}),
            Linea({{Texto("INF_RETORNO_FECHA_INICIO", "FECHA INICIO"), TextoFecha(datos.FechaInicio)},
                   {Texto("INF_RETORNO_FECHA_FIN", "FECHA FIN:"), TextoFecha(datos.FechaFin)},
                   {Texto("INF_RETORNO_FECHA_RETORNO", "FECHA RETORNO:"), TextoFecha(datos.FechaRetorno)}}),
            Linea({{Texto("INF_RETORNO_CONDICIONES", "CONDICIONES CARGA"), QString()},
                   {Texto("INF_RETORNO_HUMEDAD", "HUMEDAD:"), datos.Humedad},
                   {Texto("INF_RETORNO_TEMPERATURA", "TEMPERATURA:"), datos.Temperatura}}),
    };

    ReportListing listado(
            Traducir(QStringLiteral("CAPTION_LIS_TOMAS_RETORNADAS"), QStringLiteral("TOMAS RETORNADAS")),
            ReportPageSetup::a4(), columnas, marco);
    const QString toma = Texto("INF_RETORNO_TOMA", "Toma ");
    for (const TLineaTomaRetornada &linea : datos.Tomas) {
        listado.addRow({toma + QString::number(linea.Toma), linea.DiaToma, QString::number(linea.Comprimidos),
                        linea.Motivo});
    }
    return listado.document();
}
