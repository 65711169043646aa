#include "core/loading/ListaPacientesCategoria.h"

#include "core/common/Clock.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/dosing/ConsultaPlan.h"
#include "core/dosing/URecarga.h"
#include "core/i18n/ULenguaje.h"
#include "core/loading/ComprobacionesCarga.h"
#include "core/loading/FechaCargaCategoria.h"
#include "core/loading/FechasCarga.h"
#include "core/loading/VentanaCarga.h"
#include "core/stock/uInventario.h"

#include <QSqlQuery>

#include <algorithm>

namespace {

// The patient's fields the row shows and the evaluation needs.
struct TPacienteLista
{
    qint64 idPaciente = 0;
    QString refPaciente;
    QString nombre;
    QDate fechaAlta;
    bool conInventario = true;
};

const QString kColumnasPaciente = QStringLiteral("idPaciente, refPaciente, Nombre, FechaAlta, IConInven");

TPacienteLista LeerPaciente(const TConsulta &query)
{
    // A Null IConInven counts as stock control, as everywhere else.
    const QVariant conInventario = query.value(4);
    return {query.value(0).toLongLong(), query.value(1).toString(), query.value(2).toString(),
            SqlFecha::leerDia(query.value(3)), conInventario.isNull() || conInventario.toInt() != 0};
}

std::optional<TFilaPacienteCategoria> Evaluar(TDM &dm, const TPacienteLista &paciente, const QDate &fecha)
{
    if (!dm.PacienteActivoPorId(QString::number(paciente.idPaciente)))
        return std::nullopt;
    TFilaPacienteCategoria fila;
    fila.RefPaciente = paciente.refPaciente;
    fila.Nombre = paciente.nombre;
    fila.IdPaciente = paciente.idPaciente;
    fila.FechaCarga = fecha;
    if (ExisteCarga(dm, paciente.idPaciente, fecha)) {
        fila.Estado = TextoEstado(EstadoDosis::kCompletado, paciente.conInventario);
        fila.EstadoCode = EstadoCodeLista::kCompletado;
        return fila;
    }

    TInventario(dm).RecalcularCantidadesSPD(paciente.idPaciente);
    TRecarga carga;
    ConstruirCarga(dm, carga, fecha, fecha.addDays(6));
    if (carga.Count() == 0)
        return std::nullopt;
    // Later portions override what earlier ones decided.
    const QDate limiteCaducidad = fecha.addDays(7);
    quint8 estado = EstadoDosis::kNuevo;
    QString texto;
    for (int i = 0; i < carga.Count(); ++i) {
        const TDosis &porcion = *carga.Linea(i);
        if (PorcionCaducada(porcion, limiteCaducidad)) {
            estado = EstadoDosis::kInsuficiente;
            texto = Traducir(QStringLiteral("MSG_MedicamentoCaducado"), QStringLiteral("Caducado"));
            fila.Icorrect = false;
        }
        if (porcion.Estado == EstadoDosis::kInsuficiente) {
            estado = EstadoDosis::kInsuficiente;
            texto = TextoEstado(EstadoDosis::kInsuficiente, paciente.conInventario);
            fila.Icorrect = false;
        }
        if (porcion.Estado == EstadoDosis::kSpdMal) {
            estado = EstadoDosis::kSpdMal;
            texto = Traducir(QStringLiteral("MSG_MedicamentoSPDNodefinido"), QStringLiteral("SPD mal"));
            fila.Icorrect = false;
        }
    }
    // Without stock control a shortage does not stop the load; the text chosen stays.
    if (estado == EstadoDosis::kInsuficiente && !paciente.conInventario) {
        estado = EstadoDosis::kNuevo;
        fila.Icorrect = true;
    }
    fila.Estado = texto.isEmpty() ? TextoEstado(estado, paciente.conInventario) : texto;
    fila.EstadoCode = EstadoCode(estado, paciente.conInventario);
    return fila;
}

QString TextoColumna(const TFilaPacienteCategoria &fila, TColumnaPacientes columna)
{
    switch (columna) {
    case TColumnaPacientes::Referencia:
        return fila.RefPaciente;
    case TColumnaPacientes::Nombre:
        return fila.Nombre;
    case TColumnaPacientes::Estado:
        return fila.Estado;
    }
    return {};
}

} // namespace

int EstadoCode(quint8 estado, bool conInventario)
{
    switch (estado) {
    case EstadoDosis::kNuevo:
    case EstadoDosis::kPendiente:
    case EstadoDosis::kReiniciado:
    case 7: // a code of the machine that leaves the load to do
        return EstadoCodeLista::kPendiente;
    case EstadoDosis::kCargando:
        return EstadoCodeLista::kCargando;
    case EstadoDosis::kCompletado:
        return EstadoCodeLista::kCompletado;
    case EstadoDosis::kInsuficiente:
        return conInventario ? EstadoCodeLista::kInsuficiente : EstadoCodeLista::kPendiente;
    case EstadoDosis::kSpdMal:
        return EstadoCodeLista::kMalDefinido;
    default:
        return EstadoCodeLista::kOtro;
    }
}

TColorFila TFilaPacienteCategoria::Color() const
{
    if (EstadoCode == EstadoCodeLista::kCompletado)
        return TColorFila::Completado;
    return Icorrect ? TColorFila::Normal : TColorFila::Incorrecto;
}

std::optional<TFilaPacienteCategoria> EvaluarPaciente(TDM &dm, qint64 idPaciente, const QDate &fecha)
{
    TConsulta query = dm.Consulta(QStringLiteral("SELECT ") + kColumnasPaciente
                                          + QStringLiteral(" FROM Paciente WHERE idPaciente = ?"),
                                  {idPaciente});
    if (!query.next())
        return std::nullopt;
    return Evaluar(dm, LeerPaciente(query), fecha);
}

QList<TFilaPacienteCategoria> ListarPacientes(TDM &dm, int codCategoria, const QDate &fecha)
{
    TConsulta query = dm.Consulta(QStringLiteral("SELECT ") + kColumnasPaciente
                                          + QStringLiteral(" FROM Paciente WHERE CodCategoria = ? AND "
                                                           "Iactivo = 1 ORDER BY refPaciente"),
                                  {codCategoria});
    QList<TPacienteLista> pacientes;
    while (query.next()) {
        const TPacienteLista paciente = LeerPaciente(query);
        // Compared by day: an admission stored with its time still counts for its day.
        if (!paciente.fechaAlta.isValid() || paciente.fechaAlta <= fecha)
            pacientes << paciente;
    }
    QList<TFilaPacienteCategoria> filas;
    for (const TPacienteLista &paciente : pacientes) {
        if (std::optional<TFilaPacienteCategoria> fila = Evaluar(dm, paciente, fecha))
            filas << *fila;
    }
    return filas;
}

QList<QDate> CargasAnteriores(TDM &dm, int codCategoria)
{
    // Named in full: the column of the patient, not the alias of the load's start.
    TConsulta query
            = dm.Consulta(QStringLiteral("SELECT DISTINCT Recarga.FechaInicio AS FechaUltimaCargaRealizada "
                                         "FROM Paciente, Recarga "
                                         "WHERE Paciente.idPaciente = Recarga.idPaciente "
                                         "AND Paciente.CodCategoria = ? "
                                         "AND Paciente.FechaUltimaCargaRealizada IS NOT NULL "
                                         "AND Recarga.FechaInicio IS NOT NULL "
                                         "ORDER BY 1 DESC"),
                          {codCategoria});
    QList<QDate> fechas;
    while (query.next()) {
        // Two loads of one day stored at different times are one date of the list.
        const QDate fecha = SqlFecha::leerDia(query.value(0));
        if (fechas.isEmpty() || fechas.last() != fecha)
            fechas << fecha;
    }
    return fechas;
}

QDate FechaListaCategoria(TDM &dm, int codCategoria, const QString &textoFecha)
{
    if (textoFecha.trimmed().isEmpty())
        return FechaCargaCategoria(dm, codCategoria);
    const QDate fecha = LeerFechaCampo(textoFecha);
    return fecha.isValid() ? fecha : Clock::today();
}

QHash<qint32, double> CantidadesTratamiento(TDM &dm, qint64 idPaciente)
{
    TConsulta query
            = dm.Consulta(QStringLiteral("SELECT id, Cantidad FROM SPD WHERE idPaciente = ?"), {idPaciente});
    QHash<qint32, double> cantidades;
    while (query.next())
        cantidades.insert(query.value(0).toInt(), query.value(1).toDouble());
    return cantidades;
}

void OrdenarPacientes(QList<TFilaPacienteCategoria> &filas, TColumnaPacientes columna, bool descendente)
{
    std::stable_sort(
            filas.begin(), filas.end(),
            [columna, descendente](const TFilaPacienteCategoria &a, const TFilaPacienteCategoria &b) {
                const int orden
                        = TextoColumna(a, columna).compare(TextoColumna(b, columna), Qt::CaseInsensitive);
                return descendente ? orden > 0 : orden < 0;
            });
}
