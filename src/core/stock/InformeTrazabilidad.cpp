#include "core/stock/InformeTrazabilidad.h"

#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/reports/ReportListing.h"
#include "core/stock/ModeloTrazabilidad.h"

namespace {

QString TextoInforme(const char *clave, const char *texto)
{
    return Traducir(QString::fromLatin1(clave), QString::fromUtf8(texto));
}

QStringList LineasCabecera(const TCabeceraTrazabilidad &cabecera)
{
    const QString medicamento = (cabecera.Codigo + QLatin1Char(' ') + cabecera.Medicamento).trimmed();
    return {TextoInforme("INF_TRAZA_MEDICAMENTO", "MEDICAMENTO") + QStringLiteral(": ") + medicamento,
            TextoInforme("INF_TRAZA_LOTE", "LOTE") + QStringLiteral(": ") + cabecera.Lote};
}

} // namespace

TCabeceraTrazabilidad CabeceraTrazabilidad(TDM &dm, const QString &codigo, const QString &lote)
{
    TCabeceraTrazabilidad cabecera {codigo.trimmed(), {}, lote.trimmed()};
    if (const TCodigoTrazabilidad leido = LeerCodigoTrazabilidad(codigo); leido.Error.isEmpty())
        cabecera.Medicamento
                = dm.Valor(QStringLiteral("SELECT Medicamento FROM Medicamento WHERE idMedicamento = ?"),
                           {leido.idMedicamento})
                          .toString();
    return cabecera;
}

TReportDocument InformeTrazabilidad(const TCabeceraTrazabilidad &cabecera, const QList<TLineaTraza> &lineas,
                                    const TMembreteFarmacia &membrete)
{
    const auto columna = [](const char *clave, const char *texto, double ancho,
                            Qt::Alignment alineacion = Qt::AlignLeft | Qt::AlignVCenter) {
        return ListingColumn {TextoInforme(clave, texto), ancho, alineacion};
    };
    const QList<ListingColumn> columnas {
            columna("INF_TRAZA_PACIENTE", "PACIENTE", 28.0),
            columna("INF_TRAZA_DNI", "DNI", 25.0),
            columna("INF_TRAZA_NOMBRE", "NOMBRE", 70.0),
            columna("INF_TRAZA_TELEFONO", "TELEFONO", 28.0),
            columna("INF_TRAZA_SITUACION", "SITUACION", 30.0),
            columna("INF_TRAZA_CANTIDAD", "CANTIDAD", 22.0, Qt::AlignRight | Qt::AlignVCenter),
            columna("INF_TRAZA_FECHA_INICIO", "FECHA INICIO", 27.0),
            columna("INF_TRAZA_FECHA_FIN", "FECHA FIN", 27.0),
    };
    ListingFrame marco;
    marco.logo = membrete.Logo;
    marco.headerLines = LineasCabecera(cabecera);
    marco.footerLeft = membrete.DireccionTelefono;
    marco.pageNumberPattern = QStringLiteral("%1  / %2");
    ReportListing listado(Traducir(QStringLiteral("CAPTION_LIS_TRAZABILIDAD_DE_MEDICAMENTOS"),
                                   QStringLiteral("TRAZABILIDAD DE MEDICAMENTOS")),
                          ReportPageSetup::a4(true), columnas, marco);
    // The grid's texts, without its empty column.
    using M = TModeloTrazabilidad;
    for (const TLineaTraza &linea : lineas) {
        QStringList celdas;
        for (int c : {M::kPaciente, M::kDNI, M::kNombre, M::kTelefono, M::kSituacion, M::kCantidad,
                      M::kInicio, M::kFin})
            celdas << M::Texto(linea, c);
        listado.addRow(celdas);
    }
    return listado.document();
}
