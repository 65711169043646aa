#include "core/patients/InformesHistorial.h"

#include "core/dosing/UPosologia.h"
#include "core/i18n/ULenguaje.h"
#include "core/reports/ReportListing.h"

#include <algorithm>
#include <tuple>

namespace {

QString Texto(const char *clave, const char *texto)
{
    return Traducir(QString::fromLatin1(clave), QString::fromUtf8(texto));
}

// The patient block under the title, and the pharmacy and print date at the foot of each page.
ListingFrame Marco(const TPacienteInforme &paciente, const TMembreteFarmacia &membrete,
                   const QDate &fechaImpresion)
{
    ListingFrame marco;
    marco.logo = membrete.Logo;
    marco.headerLines = {Texto("INF_TRAT_PACIENTE", "PACIENTE") + QStringLiteral(" ") + paciente.RefPaciente
                                 + QStringLiteral("  ") + paciente.Nombre,
                         Texto("INF_TRAT_FECHA_ALTA", "FECHA ALTA:") + QStringLiteral(" ")
                                 + TextoFecha(paciente.FechaAlta) + QStringLiteral("   ")
                                 + Texto("INF_TRAT_FECHA_BAJA", "FECHA BAJA:") + QStringLiteral(" ")
                                 + TextoFecha(paciente.FechaBaja)};
    marco.footerLeft = Texto("INF_HIST_DATOS_FARMACIA", "DATOS FARMACIA:") + QStringLiteral(" ")
            + membrete.DireccionTelefono;
    marco.footerRight = Texto("INF_HIST_FECHA_IMPRESION", "FECHA IMPRESIÓN INFORME:") + QStringLiteral(" ")
            + TextoFecha(fechaImpresion);
    marco.pageNumberPattern = QStringLiteral("%1 / %2");
    return marco;
}

} // namespace

TReportDocument InformeCambios(const TPacienteInforme &paciente, QList<TCambioTratamiento> cambios,
                               const TMembreteFarmacia &membrete, const QDate &fechaImpresion)
{
    std::stable_sort(
            cambios.begin(), cambios.end(), [](const TCambioTratamiento &a, const TCambioTratamiento &b) {
                return std::tie(a.IdVersion, a.idmedicamento) < std::tie(b.IdVersion, b.idmedicamento);
            });
    ReportListing listado(Texto("INF_HIST_TITULO_CAMBIOS", "HISTORIA DE CAMBIOS: FRECUENCIA, ACTUALIZACIÓN"),
                          ReportPageSetup::a4(),
                          {{Texto("INF_TRAT_MEDICAMENTO", "MEDICAMENTO"), 80.0},
                           {Texto("INF_HIST_CAMBIOS", "CAMBIOS"), 45.0},
                           {Texto("INF_HIST_CODIGO", "CODIGO"), 25.0},
                           {Texto("INF_HIST_INICIO", "INICIO"), 40.0}},
                          Marco(paciente, membrete, fechaImpresion));
    int version = -1;
    for (const TCambioTratamiento &cambio : cambios) {
        if (cambio.IdVersion != version) {
            version = cambio.IdVersion;
            listado.addGroup(Texto("INF_TRAT_VERSION", "VERSION :") + QStringLiteral(" ")
                             + QString::number(version) + QStringLiteral("   ")
                             + Texto("INF_HIST_USUARIO", "USUARIO") + QStringLiteral(" ") + cambio.username
                             + QStringLiteral("   ")
                             + Texto("INF_HIST_FECHA_MODIFICACION", "FECHA MODIFICACION")
                             + QStringLiteral(" ") + TextoFecha(cambio.Fecha) + QStringLiteral("   ")
                             + Texto("INF_TRAT_UTILIZADO", "UTILIZADO EN CARGAS:") + QStringLiteral(" ")
                             + cambio.Iucarga);
        }
        // The change text joins several changes with line breaks; each prints on its own line.
        QString descripcion = cambio.Desccambio;
        descripcion.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
        listado.addRow({cambio.Medicamento, descripcion, QString::number(cambio.idmedicamento),
                        TextoFecha(cambio.Inicio)});
    }
    return listado.document();
}

TReportDocument InformeUso(const TPacienteInforme &paciente, QList<TUsoMedicamento> usos,
                           const TMembreteFarmacia &membrete, const QDate &fechaImpresion)
{
    std::stable_sort(usos.begin(), usos.end(), [](const TUsoMedicamento &a, const TUsoMedicamento &b) {
        return std::tie(a.Idmedicamento, a.IdVersion) < std::tie(b.Idmedicamento, b.IdVersion);
    });
    const Qt::Alignment centro = Qt::AlignCenter;
    ReportListing listado(Texto("INF_HIST_TITULO_USO", "HISTORICO DE USO DE MEDICAMENTOS"),
                          ReportPageSetup::a4(),
                          {{Texto("INF_HIST_CAMBIOS", "CAMBIOS"), 40.0},
                           {Texto("INF_HIST_INICIO", "INICIO"), 22.0},
                           {Texto("INF_HIST_FIN", "FIN"), 22.0},
                           {Texto("INF_HIST_D", "D"), 12.0, centro},
                           {Texto("INF_HIST_C", "C"), 12.0, centro},
                           {Texto("INF_HIST_T", "C"), 12.0, centro},
                           {Texto("INF_HIST_N", "N"), 12.0, centro},
                           {Texto("INF_HIST_DOSIS", "DOSIS"), 58.0}},
                          Marco(paciente, membrete, fechaImpresion));
    qint64 medicamento = -1;
    for (const TUsoMedicamento &uso : usos) {
        if (uso.Idmedicamento != medicamento) {
            medicamento = uso.Idmedicamento;
            listado.addGroup(Texto("INF_TRAT_MEDICAMENTO", "MEDICAMENTO") + QStringLiteral(" ")
                             + QString::number(medicamento) + QStringLiteral("  ") + uso.Medicamento);
        }
        QString descripcion = uso.DescCambio;
        descripcion.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
        listado.addRow({descripcion, TextoFecha(uso.Inicio), TextoFecha(uso.Fin), uso.Tomas.value(0),
                        uso.Tomas.value(1), uso.Tomas.value(2), uso.Tomas.value(3), uso.dosis_et});
    }
    return listado.document();
}
