#include "core/loading/RepartoCeldas.h"

#include "core/data/SqlFecha.h"
#include "core/data/ValoresMostrados.h"
#include "core/data/uDM.h"
#include "core/loading/TextosEtiqueta.h"

#include <QSqlQuery>

#include <limits>

using namespace TextosEtiqueta;

namespace {

void AnadirACelda(QList<TFilaCelda> &celda, const TLineaReparto &linea, int unidades, qint64 porcion,
                  const TDatosEtiquetas &datos)
{
    for (TFilaCelda &fila : celda) {
        if (fila.Idmedicamento == linea.producto && fila.Lote == linea.Lote
            && fila.Caducidad == linea.Caducidad) {
            fila.Porciones += unidades;
            fila.Cantidad = (EnCentesimas(fila.Cantidad) + unidades * porcion) / 100.0;
            return;
        }
    }
    TFilaCelda fila;
    fila.Idmedicamento = linea.producto;
    fila.Medicamento = linea.nombreProducto;
    fila.Numref = datos.NumeroLeyenda(QString::number(linea.producto), linea.Lote, linea.Caducidad);
    fila.Cantidad = unidades * porcion / 100.0;
    fila.Lote = linea.Lote;
    fila.Caducidad = linea.Caducidad;
    fila.Porciones = unidades;
    celda.append(fila);
}

} // namespace

void RepartirLineas(TCeldas &celdas, const QString &semana, const QList<TLineaReparto> &lineas,
                    const TDatosEtiquetas &datos)
{
    TDosis rejilla;
    if (!rejilla.AsignarLista(semana, false))
        return;
    TArrayPastillas pendientes;
    int cursor = 0;
    qint64 ultimaPorcion = -1;
    for (const TLineaReparto &linea : lineas) {
        const qint64 porcion = EnCentesimas(PorcionDelNombre(linea.nombre));
        if (porcion != ultimaPorcion) {
            pendientes = rejilla.Plan;
            cursor = 0;
            ultimaPorcion = porcion;
        }
        // Units are counted in whole hundredths and rounded: 0.99 pills of thirds are 3 units.
        const qint64 centesimas = EnCentesimas(linea.Cantidad);
        qint64 unidades
                = centesimas == 0 ? std::numeric_limits<qint64>::max() : (centesimas + porcion / 2) / porcion;
        for (int i = cursor; i < pendientes.size() && unidades > 0; ++i) {
            if (pendientes.at(i) <= 0)
                continue;
            const int tomadas = int(qMin<qint64>(pendientes.at(i), unidades));
            AnadirACelda(celdas[size_t(i)], linea, tomadas, porcion, datos);
            pendientes[i] -= tomadas;
            unidades -= tomadas;
            cursor = pendientes.at(i) > 0 ? i : i + 1;
        }
    }
}

TCeldas RepartoCeldas(qint64 idRecarga, const TDatosEtiquetas &datos)
{
    TDM &dm = DM();
    TCeldas celdas;
    QList<std::pair<qint64, QString>> grupos;
    TConsulta distintos
            = dm.Consulta(QStringLiteral("SELECT idMedicamento, Dosis FROM RecargaLinea WHERE idRecarga = ? "
                                         "AND SPD <> 0 GROUP BY idMedicamento, Dosis "
                                         "ORDER BY MIN(idRecargaLinea)"),
                          {idRecarga});
    while (distintos.next())
        grupos.append({distintos.value(0).toLongLong(), distintos.value(1).toString()});
    distintos.finish();

    for (const auto &[medicamento, semana] : grupos) {
        // A product missing from the catalogue still fills its cells, under the line's name.
        TConsulta query = dm.Consulta(
                QStringLiteral(
                        "SELECT COALESCE(a.idMedicamentoR, a.idMedicamento), a.Medicamento, b.DescUsuario, "
                        "b.Medicamento, b.Descripcion, a.Cantidad, a.Lote, a.fcaducidad, a.Caducidad "
                        "FROM RecargaLinea a LEFT JOIN Medicamento b "
                        "ON b.idMedicamento = COALESCE(a.idMedicamentoR, a.idMedicamento) "
                        "WHERE a.idRecarga = ? AND a.idMedicamento = ? AND a.Dosis = ? AND a.SPD <> 0 "
                        "ORDER BY a.idRecargaLinea"),
                {idRecarga, medicamento, semana});
        QList<TLineaReparto> lineas;
        while (query.next()) {
            TLineaReparto linea;
            linea.producto = query.value(0).toLongLong();
            linea.nombre = query.value(1).toString();
            linea.nombreProducto = query.value(3).isNull()
                    ? SinPrefijoFraccion(linea.nombre)
                    : ValoresMostrados::NombreMostrado(query.value(2).toString(), query.value(3).toString(),
                                                       query.value(4).toString());
            linea.Cantidad = query.value(5).toDouble();
            linea.Lote = query.value(6).toString();
            linea.Caducidad = CaducidadImpresa(
                    TextoCaducidad(query.value(7).isNull() ? QString() : query.value(7).toString(),
                                   SqlFecha::leerDia(query.value(8))));
            lineas.append(linea);
        }
        RepartirLineas(celdas, semana, lineas, datos);
    }
    return celdas;
}
