#include "core/stock/InformesNecesidades.h"

#include "core/i18n/ULenguaje.h"
#include "core/reports/ReportListing.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <tuple>

namespace {

constexpr Qt::Alignment kDerecha = Qt::AlignRight | Qt::AlignVCenter;
const QString kSeparacion = QStringLiteral("    ");

ListingColumn Columna(const char *clave, const char *texto, double ancho,
                      Qt::Alignment alineacion = Qt::AlignLeft | Qt::AlignVCenter)
{
    return {Traducir(QString::fromLatin1(clave), QString::fromUtf8(texto)), ancho, alineacion};
}

ListingColumn ColumnaCodigo()
{
    return Columna("INF_NEC_CODIGO", "CODIGO", 20.0);
}

QString Pastillas(double cantidad)
{
    return QLocale().toString(cantidad, 'f', 2);
}

QString Entero(double cantidad)
{
    return QLocale().toString(qint64(std::llround(cantidad)));
}

QString Fecha(const QDate &fecha)
{
    return QLocale().toString(fecha, QLocale::ShortFormat);
}

// The boxes to order, or the note that the catalogue lacks the units per box.
QString Cajas(double cajas, bool sinUnidadesCaja)
{
    return sinUnidadesCaja
            ? Traducir(QStringLiteral("INF_NEC_SIN_UNIDADES_CAJA"), QStringLiteral("SIN UNID./CAJA"))
            : Entero(cajas);
}

// The heading of a patient's group: patient, category and period.
QString CabeceraPaciente(const TFilaNecesidad &fila, const QDate &inicio, const QDate &fin)
{
    return UnirConGuion(fila.RefPaciente, fila.Nombre) + kSeparacion + fila.Categoria.trimmed() + kSeparacion
            + Fecha(inicio) + QStringLiteral(" - ") + Fecha(fin);
}

// Adds sorted rows to the listing with a group heading before each run of rows that belong
// together: `cabecera` makes the heading from the run, `celdas` the cells of one row.
template<typename Fila, typename MismoGrupo, typename Cabecera, typename Celdas>
void AnadirEnGrupos(ReportListing &listado, const QList<Fila> &filas, const MismoGrupo &mismoGrupo,
                    const Cabecera &cabecera, const Celdas &celdas)
{
    for (qsizetype inicio = 0; inicio < filas.size();) {
        qsizetype fin = inicio + 1;
        while (fin < filas.size() && mismoGrupo(filas.at(inicio), filas.at(fin)))
            ++fin;
        listado.addGroup(cabecera(filas.mid(inicio, fin - inicio)));
        for (qsizetype i = inicio; i < fin; ++i)
            listado.addRow(celdas(filas.at(i)));
        inicio = fin;
    }
}

QStringList CeldasMedicamento(const TMedicamentoNecesidad &medicamento, const QString &cajas)
{
    return {QString::number(medicamento.IdMedicamento), medicamento.Medicamento,
            Pastillas(medicamento.Faltan), cajas};
}

} // namespace

TReportDocument InformeCargasPlanificadas(const QList<TFilaNecesidad> &cargas,
                                          const TMembreteFarmacia &membrete, const QDate &fechaImpresion)
{
    QList<TFilaNecesidad> filas = cargas;
    std::stable_sort(filas.begin(), filas.end(), [](const TFilaNecesidad &a, const TFilaNecesidad &b) {
        return std::tie(a.Categoria, a.RefPaciente, a.IdPaciente, a.Fecini, a.Medicamento, a.NCarga)
                < std::tie(b.Categoria, b.RefPaciente, b.IdPaciente, b.Fecini, b.Medicamento, b.NCarga);
    });
    ReportListing listado(
            Traducir(QStringLiteral("INF_NEC_TITULO_CARGAS"), QStringLiteral("CARGAS PLANIFICADAS")),
            ReportPageSetup::a4(),
            {ColumnaCodigo(), Columna("INF_STOCK_MEDICAMENTO", "MEDICAMENTO", 95.0),
             Columna("INF_NEC_PORCIONES", "PORCIONES", 25.0, kDerecha),
             Columna("INF_STOCK_CANTIDAD", "CANTIDAD", 25.0, kDerecha),
             Columna("INF_RECETA_FALTAN", "FALTAN", 25.0, kDerecha)},
            MarcoInforme({}, membrete, fechaImpresion));
    AnadirEnGrupos(
            listado, filas,
            [](const TFilaNecesidad &a, const TFilaNecesidad &b) {
                return a.IdPaciente == b.IdPaciente && a.Fecini == b.Fecini;
            },
            [](const QList<TFilaNecesidad> &semana) {
                return CabeceraPaciente(semana.first(), semana.first().Fecini, semana.first().Fecfin);
            },
            [](const TFilaNecesidad &fila) {
                return QStringList {QString::number(fila.IdMedicamento), fila.Medicamento,
                                    Entero(fila.Porciones), Pastillas(fila.CantNeed), Pastillas(fila.Faltan)};
            });
    return listado.document();
}

TReportDocument InformeNecesidadMedicamentos(const QList<TFilaNecesidad> &pedido,
                                             const TMembreteFarmacia &membrete, const QDate &fechaImpresion)
{
    QList<TFilaNecesidad> filas = pedido;
    std::stable_sort(filas.begin(), filas.end(), [](const TFilaNecesidad &a, const TFilaNecesidad &b) {
        return std::tie(a.Categoria, a.RefPaciente, a.IdPaciente, a.Medicamento)
                < std::tie(b.Categoria, b.RefPaciente, b.IdPaciente, b.Medicamento);
    });
    ReportListing listado(
            Traducir(QStringLiteral("INF_NEC_TITULO_NECESIDAD"), QStringLiteral("NECESIDAD DE MEDICAMENTOS")),
            ReportPageSetup::a4(),
            {ColumnaCodigo(), Columna("INF_STOCK_MEDICAMENTO", "MEDICAMENTO", 120.0),
             Columna("INF_STOCK_CANTIDAD", "CANTIDAD", 25.0, kDerecha),
             Columna("INF_NEC_CAJAS", "CAJAS", 25.0, kDerecha)},
            MarcoInforme({}, membrete, fechaImpresion));
    AnadirEnGrupos(
            listado, filas,
            [](const TFilaNecesidad &a, const TFilaNecesidad &b) { return a.IdPaciente == b.IdPaciente; },
            [](const QList<TFilaNecesidad> &paciente) {
                QDate inicio = paciente.first().Fecini;
                QDate fin = paciente.first().Fecfin;
                for (const TFilaNecesidad &fila : paciente) {
                    inicio = qMin(inicio, fila.Fecini);
                    fin = qMax(fin, fila.Fecfin);
                }
                return CabeceraPaciente(paciente.first(), inicio, fin);
            },
            [](const TFilaNecesidad &fila) {
                return QStringList {QString::number(fila.IdMedicamento), fila.Medicamento,
                                    Pastillas(fila.Faltan), Cajas(fila.Cajas, fila.SinUnidadesCaja)};
            });
    return listado.document();
}

TReportDocument InformeMedicamentosPendientes(const QList<TMedicamentoNecesidad> &medicamentos, bool conStock,
                                              const TMembreteFarmacia &membrete, const QDate &fechaImpresion)
{
    const QString titulo = conStock ? Traducir(QStringLiteral("INF_NEC_TITULO_PENDIENTES"),
                                               QStringLiteral("MEDICAMENTOS PENDIENTES DE ASIGNACION"))
                                    : Traducir(QStringLiteral("STR_MEDICAMENTOS_NECESARIOS"),
                                               QStringLiteral("MEDICAMENTOS NECESARIOS"));
    ReportListing listado(titulo, ReportPageSetup::a4(),
                          {ColumnaCodigo(), Columna("INF_STOCK_MEDICAMENTO", "MEDICAMENTO", 120.0),
                           Columna("INF_RECETA_FALTAN", "FALTAN", 25.0, kDerecha),
                           Columna("INF_NEC_CAJAS", "CAJAS", 25.0, kDerecha)},
                          MarcoInforme({}, membrete, fechaImpresion));
    for (const TMedicamentoNecesidad &medicamento : medicamentos)
        listado.addRow(CeldasMedicamento(medicamento, Cajas(medicamento.Cajas, medicamento.SinUnidadesCaja)));
    return listado.document();
}

TReportDocument InformeMedicamentosNecesarios(const QList<TMedicamentoNecesidad> &necesarios,
                                              const TMembreteFarmacia &membrete, const QDate &fechaImpresion)
{
    ReportListing listado(Traducir(QStringLiteral("INF_NEC_TITULO_NECESARIOS"),
                                   QStringLiteral("MEDICAMENTOS NECESARIOS PARA LA CARGA")),
                          ReportPageSetup::a4(),
                          {ColumnaCodigo(), Columna("INF_STOCK_MEDICAMENTO", "MEDICAMENTO", 120.0),
                           Columna("INF_STOCK_CANTIDAD", "CANTIDAD", 25.0, kDerecha),
                           Columna("INF_NEC_PORCIONES", "PORCIONES", 25.0, kDerecha)},
                          MarcoInforme({}, membrete, fechaImpresion));
    for (const TMedicamentoNecesidad &medicamento : necesarios)
        listado.addRow(CeldasMedicamento(medicamento, Entero(medicamento.Cajas)));
    return listado.document();
}

TReportDocument InformeAsignaciones(const QList<TAsignacion> &asignaciones, const TMembreteFarmacia &membrete,
                                    const QDate &fechaImpresion)
{
    QList<TAsignacion> filas = asignaciones;
    std::stable_sort(filas.begin(), filas.end(), [](const TAsignacion &a, const TAsignacion &b) {
        return std::tie(a.IdMedicamentoR, a.Lote, a.Caducidad)
                < std::tie(b.IdMedicamentoR, b.Lote, b.Caducidad);
    });
    ReportListing listado(Traducir(QStringLiteral("INF_NEC_TITULO_ASIGNACION"),
                                   QStringLiteral("ASIGNACION DE MEDICAMENTOS")),
                          ReportPageSetup::a4(),
                          {Columna("INF_STOCK_NOMBRE", "NOMBRE", 50.0),
                           Columna("INF_STOCK_REFERENCIA", "REFERENCIA", 25.0),
                           Columna("INF_STOCK_CATEGORIA", "CATEGORIA", 50.0),
                           Columna("INF_NEC_CAJAS", "CAJAS", 15.0, kDerecha),
                           Columna("INF_NEC_UNIDADES", "UNIDADES", 25.0, kDerecha),
                           Columna("INF_NEC_FECHA", "FECHA", 25.0)},
                          MarcoInforme({}, membrete, fechaImpresion));
    AnadirEnGrupos(
            listado, filas,
            [](const TAsignacion &a, const TAsignacion &b) {
                return a.IdMedicamentoR == b.IdMedicamentoR && a.Lote == b.Lote && a.Caducidad == b.Caducidad;
            },
            [](const QList<TAsignacion> &producto) {
                const TAsignacion &fila = producto.first();
                return QString::number(fila.IdMedicamentoR) + QLatin1Char(' ') + fila.MedicamentoR
                        + kSeparacion + Traducir(QStringLiteral("INF_STOCK_LOTE"), QStringLiteral("LOTE"))
                        + QStringLiteral(": ") + fila.Lote + kSeparacion
                        + Traducir(QStringLiteral("INF_STOCK_CADUCIDAD"), QStringLiteral("CADUCIDAD"))
                        + QStringLiteral(": ") + Fecha(fila.Caducidad);
            },
            [](const TAsignacion &fila) {
                return QStringList {
                        fila.Nombre,        fila.RefPaciente,         fila.Categoria.trimmed(),
                        Entero(fila.Cajas), Pastillas(fila.Unidades), Fecha(fila.FechaAsignacion.date())};
            });
    return listado.document();
}
