#include "core/stock/RepartoCajas.h"

#include "core/common/AppError.h"
#include "core/data/SqlFecha.h"
#include "core/data/ValoresMostrados.h"
#include "core/data/uDM.h"
#include "core/dosing/UDispenserTypes.h"
#include "core/i18n/ULenguaje.h"
#include "core/medication/TCatalogoMedicamentos.h"
#include "core/medication/TPeticionMedicamento.h"
#include "core/medication/uEAN.h"
#include "core/settings/uPreferencias.h"
#include "core/stock/uInventario.h"

#include <QHash>
#include <QSqlQuery>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kLargoLote = 50; // the column Inventario.Lote
constexpr int kAsignadoPorReparto = 1; // Inventario.TipoAsignacion

TRepartoLeido Rechazo(TCampoReparto campo, const QString &error)
{
    TRepartoLeido leido;
    leido.campo = campo;
    leido.error = error;
    return leido;
}

// The catalogue code the text names; 0 when it names none, or when it names an active ingredient
// and a product is asked for.
qint64 CodigoCatalogo(TDM &dm, const QString &texto, bool soloProductos)
{
    bool numero = false;
    const qint64 codigo = texto.trimmed().toLongLong(&numero);
    if (!numero || codigo <= 0)
        return 0;
    TConsulta fila = dm.Consulta(QStringLiteral("SELECT IPrinActiv FROM Medicamento WHERE idMedicamento = ?"),
                                 {codigo});
    if (!fila.next())
        return 0;
    return soloProductos && fila.value(0).toInt() == 1 ? 0 : codigo;
}

// The lot's message when it cannot be stored; empty when it can.
QString ErrorLote(const QString &lote)
{
    if (lote.size() > kLargoLote)
        return Traducir(QStringLiteral("ERR_LOTE_DEMASIADO_LARGO"),
                        QStringLiteral("EL LOTE NO PUEDE TENER MAS DE 50 CARACTERES"));
    return TCatalogoMedicamentos::ErrorSeparador(lote);
}

QString ErrorCaducidad()
{
    return Traducir(QStringLiteral("ERR_MEDICAMENTO_CANTIDAD_OBLIGATORIO"),
                    QStringLiteral("Obligatorio introducir CADUCIDAD medicamento"));
}

// Adds what was given to the line of the same patient, product, lot and expiry, or a new line.
void Anotar(QList<TAsignacion> &asignaciones, const TAsignacion &dada)
{
    const auto igual = std::find_if(asignaciones.begin(), asignaciones.end(), [&](const TAsignacion &a) {
        return a.IdPaciente == dada.IdPaciente && a.IdMedicamentoR == dada.IdMedicamentoR
                && a.Lote == dada.Lote && a.Caducidad == dada.Caducidad;
    });
    if (igual == asignaciones.end()) {
        asignaciones << dada;
        return;
    }
    igual->Cajas += dada.Cajas;
    igual->Unidades = double(EnCentesimas(igual->Unidades) + EnCentesimas(dada.Unidades)) / 100.0;
}

// The boxes one patient gets.
struct TEntrega
{
    const TPacienteMedicamento *paciente;
    int cajas;
};

// The patients in list order, each up to its own boxes while boxes are left.
QList<TEntrega> Entregas(const QList<TPacienteMedicamento> &pacientes, int cajas)
{
    QList<TEntrega> entregas;
    for (const TPacienteMedicamento &paciente : pacientes) {
        const int suyas = qMin(cajas, int(std::lround(paciente.Cajas)));
        if (suyas <= 0)
            continue;
        entregas << TEntrega {&paciente, suyas};
        cajas -= suyas;
    }
    return entregas;
}

void GuardarEntregas(TDM &dm, QList<TEntrega> entregas, const TRepartoLeido &reparto, qint64 producto,
                     int unidades, const QDateTime &ahora)
{
    // Patients are locked in the order of their identifiers, so two workstations handing out
    // boxes to the same patients never wait for each other.
    std::stable_sort(entregas.begin(), entregas.end(), [](const TEntrega &a, const TEntrega &b) {
        return a.paciente->IdPaciente < b.paciente->IdPaciente;
    });
    TInventario inventario(dm);
    dm.EnTransaccion([&] {
        for (const TEntrega &entrega : entregas) {
            const qint64 idPaciente = entrega.paciente->IdPaciente;
            dm.EnTransaccionPaciente(idPaciente, [&] {
                for (int caja = 0; caja < entrega.cajas; ++caja)
                    dm.Anadir(QStringLiteral("Inventario"),
                              {{QStringLiteral("idPaciente"), idPaciente},
                               {QStringLiteral("idMedicamento"), reparto.idMedicamento},
                               {QStringLiteral("IdMedicamentoReal"), producto},
                               {QStringLiteral("Lote"), reparto.Lote},
                               {QStringLiteral("Caducidad"), SqlFecha::valor(reparto.Caducidad)},
                               {QStringLiteral("CantidadRestante"), double(unidades)},
                               {QStringLiteral("FechaAsignacion"), SqlFecha::valor(ahora)},
                               {QStringLiteral("TipoAsignacion"), kAsignadoPorReparto}});
                inventario.ResumenStockLinea(idPaciente, reparto.idMedicamento);
            });
        }
    });
}

} // namespace

TRepartoLeido LeerReparto(TDM &dm, const TPreferenciasValores &preferencias, const TCamposReparto &campos,
                          const QDate &hoy, bool mesPrimero)
{
    TRepartoLeido leido;
    const QString producto = CortarCodigoEscaneado(campos.Producto, preferencias.Pais);
    if (!producto.isEmpty()) {
        leido.idProducto = CodigoCatalogo(dm, producto, true);
        if (leido.idProducto == 0)
            return Rechazo(TCampoReparto::Producto,
                           Traducir(QStringLiteral("ERR_MEDICAMENTO_INEXISTENTE"),
                                    QStringLiteral("MEDICAMENTO INEXITENTE")));
    }
    leido.idMedicamento = CodigoCatalogo(dm, campos.CN, false);
    if (leido.idMedicamento == 0)
        return Rechazo(TCampoReparto::CN,
                       Traducir(QStringLiteral("ERR_MEDICAMENTO_OBLIGATORIO"),
                                QStringLiteral("Obligatorio introducir CODIGO medicamento")));
    if (leido.idProducto == 0)
        leido.idProducto = leido.idMedicamento;

    const bool obligatorios = preferencias.IdatMedOB == 1;
    leido.Lote = campos.Lote.trimmed();
    if (leido.Lote.isEmpty() && obligatorios)
        return Rechazo(TCampoReparto::Lote,
                       Traducir(QStringLiteral("ERR_MEDICAMENTO_LOTE_OBLIGATORIO"),
                                QStringLiteral("Obligatorio introducir LOTE medicamento")));
    if (leido.Lote.isEmpty())
        leido.Lote = TPeticionMedicamento::LoteDesconocido();
    if (const QString error = ErrorLote(leido.Lote); !error.isEmpty())
        return Rechazo(TCampoReparto::Lote, error);

    const QString caducidad = campos.Caducidad.trimmed();
    if (caducidad.isEmpty() && obligatorios)
        return Rechazo(TCampoReparto::Caducidad, ErrorCaducidad());
    leido.Caducidad = caducidad.isEmpty() ? TPeticionMedicamento::SinCaducidad()
                                          : LeerCaducidad(caducidad, mesPrimero);
    if (!leido.Caducidad.isValid())
        return Rechazo(TCampoReparto::Caducidad, ErrorCaducidad());
    if (leido.Caducidad < hoy)
        return Rechazo(TCampoReparto::Caducidad,
                       Traducir(QStringLiteral("ERR_MEDICAMENTO_CADUCADO"),
                                QStringLiteral("El medicamento se encuentra caducado")));

    const QString cajas = campos.Cajas.trimmed();
    if (cajas.isEmpty())
        return Rechazo(TCampoReparto::Cajas,
                       Traducir(QStringLiteral("ERR_MEDICAMENTO_CAJAS_NO_INTRODUCIDO"),
                                QStringLiteral("INTRODUCIR CAJAS DE MEDICAMENTOS A REPARTIR")));
    bool entero = false;
    leido.Cajas = cajas.toInt(&entero);
    if (!entero || leido.Cajas < 1)
        return Rechazo(TCampoReparto::Cajas,
                       Traducir(QStringLiteral("ERR_MEDICAMENTO_CAJAS_CANT_INCORRECTA"),
                                QStringLiteral("CANTIDAD DE CAJAS A REPARTIR INCORRECTA")));
    return leido;
}

std::optional<QDate> CaducanAntesDeLaCarga(const QDate &caducidad, const QList<TFilaNecesidad> &cargas,
                                           qint64 idMedicamento)
{
    QHash<qint64, QDate> primeraSemana; // each patient's first week's last day with the medication
    QList<qint64> faltan;
    for (const TFilaNecesidad &fila : cargas) {
        if (fila.IdMedicamento != idMedicamento)
            continue;
        QDate &fin = primeraSemana[fila.IdPaciente];
        if (!fin.isValid() || fila.Fecfin < fin)
            fin = fila.Fecfin;
        if (EnCentesimas(fila.Faltan) > 0 && !faltan.contains(fila.IdPaciente))
            faltan << fila.IdPaciente;
    }
    std::optional<QDate> primera;
    for (const qint64 idPaciente : faltan) {
        const QDate fin = primeraSemana.value(idPaciente);
        if (caducidad <= fin && (!primera || fin < *primera))
            primera = fin;
    }
    return primera;
}

QString ErrorSinUnidadesCaja()
{
    return Traducir(QStringLiteral("ERR_MEDICAMENTO_SIN_UNIDADES_CAJA"),
                    QStringLiteral("El medicamento no tiene unidades por caja: indíquelas en el catálogo"));
}

void RepartirCajas(TDM &dm, const QList<TPacienteMedicamento> &pacientes, const TRepartoLeido &reparto,
                   const QDateTime &ahora, QList<TAsignacion> &asignaciones)
{
    const int unidades = UnidadesPorCaja(dm, reparto.idMedicamento);
    if (unidades <= 0)
        throw AppError(ErrorSinUnidadesCaja());
    const qint64 producto = reparto.idProducto > 0 ? reparto.idProducto : reparto.idMedicamento;
    const QList<TEntrega> entregas = Entregas(pacientes, reparto.Cajas);
    GuardarEntregas(dm, entregas, reparto, producto, unidades, ahora);

    const QString medicamento = dm.NombreMedicamento(reparto.idMedicamento);
    const QString medicamentoR = dm.NombreMedicamento(producto);
    for (const TEntrega &entrega : entregas) {
        TAsignacion dada;
        dada.IdPaciente = entrega.paciente->IdPaciente;
        dada.RefPaciente = entrega.paciente->RefPaciente;
        dada.Nombre = entrega.paciente->Nombre;
        dada.Categoria = entrega.paciente->Categoria;
        dada.IdMedicamento = reparto.idMedicamento;
        dada.Medicamento = medicamento;
        dada.IdMedicamentoR = producto;
        dada.MedicamentoR = medicamentoR;
        dada.Lote = reparto.Lote;
        dada.Caducidad = reparto.Caducidad;
        dada.Cajas = entrega.cajas;
        dada.Unidades = double(entrega.cajas) * unidades;
        dada.FechaAsignacion = ahora;
        Anotar(asignaciones, dada);
    }
}

QList<TAsignacion> AsignacionesDesde(TDM &dm, const QDate &desde)
{
    TConsulta query = dm.Consulta(
            QStringLiteral("SELECT I.idPaciente, P.refPaciente, P.Nombre, COALESCE(T.Descripcion, ' '), "
                           "I.idMedicamento, %1, I.IdMedicamentoReal, %2, I.Lote, I.Caducidad, "
                           "I.CantidadRestante, I.FechaAsignacion "
                           "FROM Inventario I INNER JOIN Paciente P ON I.idPaciente = P.idPaciente "
                           "LEFT JOIN TabMaestras T ON T.CodTab = 0 AND P.CodCategoria = T.Codigo "
                           "LEFT JOIN Medicamento M ON I.idMedicamento = M.idMedicamento "
                           "LEFT JOIN Medicamento R ON I.IdMedicamentoReal = R.idMedicamento "
                           "WHERE I.FechaAsignacion >= ? AND I.TipoAsignacion = ? ORDER BY I.idInventario")
                    .arg(ValoresMostrados::NombreMostradoSql(QStringLiteral("M")),
                         ValoresMostrados::NombreMostradoSql(QStringLiteral("R"))),
            {SqlFecha::valor(desde), kAsignadoPorReparto});
    QList<TAsignacion> asignaciones;
    while (query.next()) {
        TAsignacion fila;
        fila.IdPaciente = query.value(0).toLongLong();
        fila.RefPaciente = query.value(1).toString();
        fila.Nombre = query.value(2).toString();
        fila.Categoria = query.value(3).toString();
        fila.IdMedicamento = query.value(4).toLongLong();
        fila.Medicamento = query.value(5).toString();
        fila.IdMedicamentoR = query.value(6).toLongLong();
        fila.MedicamentoR = query.value(7).toString();
        fila.Lote = query.value(8).toString();
        fila.Caducidad = SqlFecha::leerDia(query.value(9));
        fila.Unidades = query.value(10).toDouble();
        fila.FechaAsignacion = SqlFecha::leer(query.value(11));
        fila.Cajas = 1; // every stored row is one box
        Anotar(asignaciones, fila);
    }
    return asignaciones;
}
