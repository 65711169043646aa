#include "core/loading/DatosEtiquetas.h"

#include "core/data/SqlFecha.h"
#include "core/data/ValoresMostrados.h"
#include "core/data/uDM.h"
#include "core/loading/TextosEtiqueta.h"

#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>

using namespace TextosEtiqueta;

namespace {

// A medication of the catalogue as the labels need it.
struct TMedicamentoEtiqueta
{
    bool existe = false;
    QString nombre;
    QString aspecto;
    bool manual = false;
};

TMedicamentoEtiqueta LeerMedicamento(TDM &dm, qint64 id)
{
    TMedicamentoEtiqueta medicamento;
    TConsulta query
            = dm.Consulta(QStringLiteral("SELECT DescUsuario, Medicamento, Descripcion, Comprimido, Forma, "
                                         "Color, iManual FROM Medicamento WHERE idMedicamento = ?"),
                          {id});
    if (!query.next())
        return medicamento;
    medicamento.existe = true;
    medicamento.nombre = ValoresMostrados::NombreMostrado(
            query.value(0).toString(), query.value(1).toString(), query.value(2).toString());
    medicamento.aspecto = (query.value(3).toInt() != 0 ? QStringLiteral("COM ") : QStringLiteral("CAP "))
            + query.value(4).toString() + QLatin1Char(' ') + query.value(5).toString();
    medicamento.manual = query.value(6).toInt() == 1;
    return medicamento;
}

QString ConNumero(qint64 id, const QString &nombre, bool manual)
{
    return manual ? nombre : QString::number(id) + QLatin1Char(' ') + nombre;
}

} // namespace

int TDatosEtiquetas::NumeroLeyenda(const QString &producto, const QString &lote,
                                   const QString &caducidad) const
{
    for (const TFilaLeyenda &fila : Leyenda) {
        if (fila.IDmedicamentoR == producto && fila.lote == lote && fila.caducidad == caducidad)
            return fila.Numref;
    }
    return 0;
}

TDatosEtiquetas DatosEtiquetas(qint64 idRecarga)
{
    TDM &dm = DM();
    TDatosEtiquetas datos;
    const QVariant paciente
            = dm.Valor(QStringLiteral("SELECT idPaciente FROM Recarga WHERE idRecarga = ?"), {idRecarga});
    if (paciente.isNull())
        return datos;
    datos.existe = true;
    datos.idPaciente = paciente.toInt();

    TConsulta lineas = dm.Consulta(
            QStringLiteral(
                    "SELECT idMedicamento, idMedicamentoR, Medicamento, descripcion, posologia, fcaducidad, "
                    "Caducidad, Lote, Dosis, Cantidad, SPD FROM RecargaLinea WHERE idRecarga = ? "
                    "ORDER BY idRecargaLinea"),
            {idRecarga});
    // The lines are read whole before the catalogue is asked about each of them.
    QList<QSqlRecord> filas;
    while (lineas.next())
        filas.append(lineas.record());
    lineas.finish();
    for (const QSqlRecord &linea : filas) {
        const qint64 id = linea.value(0).toLongLong();
        const qint64 producto = linea.value(1).isNull() ? id : linea.value(1).toLongLong();
        const TMedicamentoEtiqueta medicamento = LeerMedicamento(dm, id);
        const QString nombre = linea.value(2).isNull() ? medicamento.nombre : linea.value(2).toString();
        QString posologia = linea.value(4).toString();
        if (linea.value(4).isNull())
            posologia = dm.Valor(QStringLiteral(
                                         "SELECT Dosis FROM SPD WHERE idPaciente = ? AND idMedicamento = ? "
                                         "ORDER BY id"),
                                 {datos.idPaciente, id})
                                .toString();

        TFilaEtiqueta fila;
        fila.medicamento = ConNumero(id, SinPrefijoFraccion(nombre), medicamento.manual);
        fila.descripcion = linea.value(3).isNull() ? medicamento.aspecto : linea.value(3).toString();
        fila.posologia = posologia;
        fila.caducidad = TextoCaducidad(linea.value(5).isNull() ? QString() : linea.value(5).toString(),
                                        SqlFecha::leerDia(linea.value(6)));
        fila.lote = linea.value(7).toString();
        fila.idmedicamento = QString::number(id);
        fila.Cantidad = linea.value(9).toDouble();
        const bool enBlister = linea.value(10).toInt() != 0;

        if (!enBlister) {
            const bool listado = std::any_of(
                    datos.ListaOtros.cbegin(), datos.ListaOtros.cend(),
                    [&](const TFilaEtiqueta &otra) { return otra.idmedicamento == fila.idmedicamento; });
            if (!listado) {
                fila.SPD = QStringLiteral("NO");
                fila.descripcion.clear();
                datos.ListaOtros.append(fila);
            }
            continue;
        }
        fila.SPD = QStringLiteral("SI");
        fila.DosisMaquina = linea.value(8).toString();
        datos.ListaBlister.append(fila);

        const QString caducidad = CaducidadImpresa(fila.caducidad);
        const bool enLeyenda
                = std::any_of(datos.Leyenda.cbegin(), datos.Leyenda.cend(), [&](const TFilaLeyenda &l) {
                      return l.IDmedicamento == fila.idmedicamento && l.caducidad == caducidad
                              && l.lote == fila.lote;
                  });
        if (enLeyenda)
            continue;
        const TMedicamentoEtiqueta usado = producto == id ? medicamento : LeerMedicamento(dm, producto);
        TFilaLeyenda leyenda;
        leyenda.IDmedicamento = fila.idmedicamento;
        leyenda.IDmedicamentoR = QString::number(producto);
        leyenda.medicamento
                = ConNumero(producto, SinPrefijoFraccion(usado.existe ? usado.nombre : nombre), usado.manual);
        leyenda.caducidad = caducidad;
        leyenda.lote = fila.lote;
        leyenda.Numref = int(datos.Leyenda.size()) + 1;
        datos.Leyenda.append(leyenda);
    }
    return datos;
}
