#include "core/stock/InformePendientesReceta.h"

#include "core/dosing/UDispenserTypes.h"
#include "core/dosing/UPosologia.h"
#include "core/i18n/ULenguaje.h"
#include "core/loading/PacienteCarga.h"
#include "core/reports/ReportListing.h"

#include <QLocale>

#include <algorithm>
#include <tuple>

namespace {

constexpr Qt::Alignment kDerecha = Qt::AlignRight | Qt::AlignVCenter;

ListingColumn Columna(const char *clave, const char *texto, double ancho,
                      Qt::Alignment alineacion = Qt::AlignLeft | Qt::AlignVCenter)
{
    return {Traducir(QString::fromLatin1(clave), QString::fromUtf8(texto)), ancho, alineacion};
}

ListingColumn ColumnaFaltan()
{
    return Columna("INF_RECETA_FALTAN", "FALTAN", 25.0, kDerecha);
}

ListingColumn ColumnaEstado()
{
    return Columna("INF_RECETA_ESTADO", "ESTADO", 40.0);
}

QString Pastillas(double cantidad)
{
    return QLocale().toString(cantidad, 'f', 2);
}

QString Paciente(const QString &referencia, const QString &nombre)
{
    return UnirConGuion(referencia, nombre);
}

QString TituloPacientes()
{
    return Traducir(QStringLiteral("CAPTION_LIS_PACIENTES_PENDIENTES_RECETA"),
                    QStringLiteral("PACIENTES CON MEDICAMENTOS PENDIENTES DE RECETA"));
}

QString TituloMedicamentos()
{
    return Traducir(QStringLiteral("CAPTION_LIS_MEDICAMENTOS_PENDIENTES_RECETA"),
                    QStringLiteral("MEDICAMENTOS PENDIENTES DE RECETA"));
}

} // namespace

TReportDocument InformePendientesPaciente(const TPacienteCarga &paciente,
                                          const QList<TPendienteReceta> &filas,
                                          const TMembreteFarmacia &membrete, const QDate &fechaImpresion)
{
    const QStringList cabecera {
            Paciente(paciente.refPACIENTE, paciente.NOMBRE),
            Traducir(QStringLiteral("INF_TRAT_FECHA_ALTA"), QStringLiteral("FECHA ALTA:")) + QLatin1Char(' ')
                    + TextoFecha(paciente.FechaAlta) + QStringLiteral("    ")
                    + Traducir(QStringLiteral("INF_TRAT_FECHA_BAJA"), QStringLiteral("FECHA BAJA:"))
                    + QLatin1Char(' ') + TextoFecha(paciente.FechaBaja)};
    ReportListing listado(Traducir(QStringLiteral("CAPTION_LIS_PENDIENTE_DE_RECETA"),
                                   QStringLiteral("PENDIENTE DE RECETA")),
                          ReportPageSetup::a4(),
                          {Columna("INF_STOCK_MEDICAMENTO", "MEDICAMENTO", 95.0),
                           Columna("INF_RECETA_NECESITAN", "NECESITAN", 25.0, kDerecha), ColumnaFaltan(),
                           ColumnaEstado()},
                          MarcoInforme(cabecera, membrete, fechaImpresion));
    for (const TPendienteReceta &fila : filas)
        listado.addRow({fila.Medicamento, Pastillas(fila.CantidadNecesaria), Pastillas(fila.CantidadFalta),
                        fila.Estado});
    return listado.document();
}

TReportDocument InformePacientesPendientes(const QString &categoria, QList<TPendienteReceta> filas,
                                           const TMembreteFarmacia &membrete, const QDate &fechaImpresion)
{
    std::stable_sort(filas.begin(), filas.end(), [](const TPendienteReceta &a, const TPendienteReceta &b) {
        return std::tie(a.RefPaciente, a.idPaciente, a.Medicamento)
                < std::tie(b.RefPaciente, b.idPaciente, b.Medicamento);
    });
    ReportListing listado(
            TituloPacientes(), ReportPageSetup::a4(),
            {Columna("INF_STOCK_MEDICAMENTO", "MEDICAMENTO", 120.0), ColumnaFaltan(), ColumnaEstado()},
            MarcoInforme({categoria}, membrete, fechaImpresion));
    for (qsizetype i = 0; i < filas.size(); ++i) {
        const TPendienteReceta &fila = filas.at(i);
        if (i == 0 || filas.at(i - 1).idPaciente != fila.idPaciente)
            listado.addGroup(Paciente(fila.RefPaciente, fila.Nombre));
        listado.addRow({QString::number(fila.IdMedicamento) + QLatin1Char(' ') + fila.Medicamento,
                        Pastillas(fila.CantidadFalta), fila.Estado});
    }
    return listado.document();
}

TReportDocument InformeMedicamentosPendientes(const QString &categoria, QList<TPendienteReceta> filas,
                                              const TMembreteFarmacia &membrete, const QDate &fechaImpresion)
{
    std::stable_sort(filas.begin(), filas.end(), [](const TPendienteReceta &a, const TPendienteReceta &b) {
        return std::tie(a.Medicamento, a.IdMedicamento, a.RefPaciente)
                < std::tie(b.Medicamento, b.IdMedicamento, b.RefPaciente);
    });
    ReportListing listado(TituloMedicamentos(), ReportPageSetup::a4(),
                          {Columna("INF_STOCK_REFERENCIA", "REFERENCIA", 30.0),
                           Columna("INF_STOCK_NOMBRE", "NOMBRE", 90.0), ColumnaFaltan(), ColumnaEstado()},
                          MarcoInforme({categoria}, membrete, fechaImpresion));
    const QString total = Traducir(QStringLiteral("INF_RECETA_TOTAL"), QStringLiteral("TOTAL"));
    qint64 suma = 0;
    for (qsizetype i = 0; i < filas.size(); ++i) {
        const TPendienteReceta &fila = filas.at(i);
        if (i == 0 || filas.at(i - 1).IdMedicamento != fila.IdMedicamento)
            listado.addGroup(QString::number(fila.IdMedicamento) + QLatin1Char(' ') + fila.Medicamento);
        listado.addRow({fila.RefPaciente, fila.Nombre, Pastillas(fila.CantidadFalta), fila.Estado});
        suma += EnCentesimas(fila.CantidadFalta);
        if (i + 1 == filas.size() || filas.at(i + 1).IdMedicamento != fila.IdMedicamento) {
            listado.addRow({QString(), total, Pastillas(double(suma) / 100.0)});
            suma = 0;
        }
    }
    return listado.document();
}

QList<TFilaInformeStock> FilasInformeStockCategoria(const QList<TFilaStockCategoria> &filas,
                                                    const QString &categoria)
{
    QList<TFilaInformeStock> informe;
    informe.reserve(filas.size());
    for (const TFilaStockCategoria &fila : filas) {
        informe << TFilaInformeStock {.RefPaciente = fila.RefPaciente,
                                      .Nombre = fila.Nombre,
                                      .Categoria = categoria,
                                      .Medicamento = fila.Medicamento,
                                      .Cantidad = fila.Cantidad,
                                      .Lote = fila.Lote,
                                      .Caducidad = fila.Caducidad};
    }
    return informe;
}
