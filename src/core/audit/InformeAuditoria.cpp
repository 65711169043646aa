#include "core/audit/InformeAuditoria.h"

#include "core/audit/ModeloAuditoria.h"
#include "core/dosing/UPosologia.h"
#include "core/i18n/ULenguaje.h"
#include "core/reports/ReportListing.h"

namespace {

QString Texto(const char *clave, const char *texto)
{
    return Traducir(QString::fromLatin1(clave), QString::fromUtf8(texto));
}

// "CAPTION: value" for each pair, on one line.
QString Linea(std::initializer_list<std::pair<QString, QString>> pares)
{
    QStringList partes;
    for (const auto &[titulo, valor] : pares)
        partes << titulo + QLatin1Char(' ') + valor.trimmed();
    return partes.join(QStringLiteral("    "));
}

ListingFrame Marco(const TCamposAuditoria &campos, const TMembreteFarmacia &membrete,
                   const QDate &fechaImpresion)
{
    ListingFrame marco;
    marco.logo = membrete.Logo;
    marco.headerLines = CabeceraInformeAuditoria(campos);
    marco.footerLeft = Texto("INF_HIST_DATOS_FARMACIA", "DATOS FARMACIA:") + QLatin1Char(' ')
            + membrete.DireccionTelefono;
    marco.footerRight = Texto("INF_HIST_FECHA_IMPRESION", "FECHA IMPRESIÓN INFORME:") + QLatin1Char(' ')
            + TextoFecha(fechaImpresion);
    marco.pageNumberPattern = QStringLiteral("%1 / %2");
    return marco;
}

} // namespace

QStringList CabeceraInformeAuditoria(const TCamposAuditoria &campos)
{
    return {Linea({{Texto("INF_LOPD_USUARIO", "USUARIO:"), campos.Usuario},
                   {Texto("INF_LOPD_ACCION", "ACCION:"), campos.Accion},
                   {Texto("INF_LOPD_OPERACION", "OPERACION:"), campos.Operacion},
                   {Texto("INF_LOPD_RESULTADO", "RESULT.:"), campos.Resultado}}),
            Linea({{Texto("INF_LOPD_PACIENTE", "REF. PACI.:"), campos.Paciente},
                   {Texto("INF_LOPD_FECHA_INICIO", "F. INICIO:"), campos.Desde},
                   {Texto("INF_LOPD_FECHA_FIN", "F. FIN:"), campos.Hasta}})};
}

TReportDocument InformeAuditoria(const TCamposAuditoria &campos, const QList<TFilaAuditoria> &filas,
                                 const TMembreteFarmacia &membrete, const QDate &fechaImpresion)
{
    using C = TColumnaAuditoria;
    struct TColumnaInforme
    {
        ListingColumn titulo;
        C columna;
    };
    const Qt::Alignment centro = Qt::AlignCenter;
    const QList<TColumnaInforme> columnas {
            {{Texto("INF_LOPD_COL_FECHA", "Fecha"), 32.0}, C::Fecha},
            {{Texto("INF_LOPD_COL_USUARIO", "Usuario"), 25.0}, C::Usuario},
            {{Texto("INF_LOPD_COL_USUARIO_OS", "OS Usuario"), 25.0}, C::UsuarioOS},
            {{Texto("INF_LOPD_COL_MAQUINA", "Maquina"), 28.0}, C::Maquina},
            {{Texto("INF_LOPD_COL_ACCION", "Accion"), 77.0}, C::Accion},
            {{Texto("INF_LOPD_COL_RESULTADO", "Resultado"), 25.0, centro}, C::Resultado},
            {{Texto("INF_LOPD_COL_PACIENTE", "Paciente"), 20.0, centro}, C::Paciente},
            {{Texto("INF_LOPD_COL_OPERACION", "Operacion"), 25.0, centro}, C::Operacion},
    };
    QList<ListingColumn> titulos;
    for (const TColumnaInforme &c : columnas)
        titulos << c.titulo;
    ReportListing listado(Texto("CAPTION_LISTADO_ACCESOS_LOPD", "LISTADO ACCESOS LOPD"),
                          ReportPageSetup::a4(true), titulos, Marco(campos, membrete, fechaImpresion));
    for (const TFilaAuditoria &fila : filas) {
        QStringList celdas;
        for (const TColumnaInforme &c : columnas)
            celdas << TModeloAuditoria::Texto(fila, c.columna);
        listado.addRow(celdas);
    }
    return listado.document();
}
