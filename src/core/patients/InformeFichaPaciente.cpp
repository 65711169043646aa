#include "core/patients/InformeFichaPaciente.h"

#include "core/reports/ReportListing.h"

TReportDocument InformeFichaPaciente(const QString &titulo, const QByteArray &foto,
                                     const QList<TSeccionFicha> &secciones)
{
    ListingFrame marco;
    marco.logo = foto;
    ReportListing listado(titulo, ReportPageSetup::a4(), {{QString(), 60.0}, {QString(), 130.0}}, marco);
    for (const TSeccionFicha &seccion : secciones) {
        listado.addGroup(seccion.titulo);
        for (const auto &[etiqueta, valor] : seccion.filas)
            listado.addRow({etiqueta, valor});
    }
    return listado.document();
}
