#include "core/stock/uInventario.h"

#include "core/common/AppError.h"
#include "core/common/Clock.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/dosing/UDispenserTypes.h"
#include "core/i18n/ULenguaje.h"
#include "core/shell/uLog.h"

#include <QRegularExpression>
#include <QSqlQuery>

#include <cmath>

namespace {

constexpr int kLargoLote = 50;
// Far above any stock a patient holds, and far below the range in which hundredths stay exact.
constexpr double kCantidadMaxima = 1e9;

QString ErrorNumerico()
{
    return Traducir(QStringLiteral("ERR_DATO_NUMERICO"),
                    QStringLiteral("EL DATO A INTRODUCIR DEBE SER NUMERICO MAYOR QUE CERO"));
}

double DeCentesimas(qint64 centesimas)
{
    return static_cast<double>(centesimas) / 100.0;
}

} // namespace

const QDate &TInventario::SinCaducidad()
{
    static const QDate dia(3000, 1, 1);
    return dia;
}

bool TInventario::ConInventario(qint64 idPaciente)
{
    TConsulta query = m_dm.Consulta(QStringLiteral("SELECT IConInven FROM Paciente WHERE idPaciente = ?"),
                                    {idPaciente});
    return !query.next() || query.value(0).isNull() || query.value(0).toInt() != 0;
}

bool TInventario::TieneLineaTratamiento(qint64 idPaciente, qint64 idMedicamento)
{
    return m_dm
            .Consulta(QStringLiteral("SELECT 1 FROM SPD WHERE idPaciente = ? AND idMedicamento = ?"),
                      {idPaciente, idMedicamento})
            .next();
}

bool TInventario::PuedeAnadirStock(bool esFarmaceutico, qint64 idPaciente, qint64 idMedicamento)
{
    return esFarmaceutico || TieneLineaTratamiento(idPaciente, idMedicamento);
}

qint64 TInventario::SumaCentesimas(const QString &condicion, const QVariantList &valores)
{
    TConsulta query = m_dm.Consulta(
            QStringLiteral(
                    "SELECT CantidadRestante FROM Inventario WHERE idPaciente = ? AND idMedicamento = ?")
                    + condicion,
            valores);
    qint64 suma = 0;
    while (query.next())
        suma += EnCentesimas(query.value(0).toDouble());
    return suma;
}

double TInventario::StockVigente(qint64 idPaciente, qint64 idMedicamento, const QDate &fecha)
{
    return DeCentesimas(SumaCentesimas(QStringLiteral(" AND Caducidad >= ?"),
                                       {idPaciente, idMedicamento, SqlFecha::valor(fecha.addDays(7))}));
}

double TInventario::StockCaducado(qint64 idPaciente, qint64 idMedicamento, const QDate &fecha)
{
    return DeCentesimas(SumaCentesimas(QStringLiteral(" AND Caducidad < ?"),
                                       {idPaciente, idMedicamento, SqlFecha::valor(fecha.addDays(7))}));
}

void TInventario::RecalcularCantidadesSPD(qint64 idPaciente)
{
    m_dm.EnTransaccionPaciente(idPaciente, [&] {
        TConsulta lineas = m_dm.Consulta(
                QStringLiteral("SELECT id, idMedicamento FROM SPD WHERE idPaciente = ?"), {idPaciente});
        QList<QPair<qint64, qint64>> porLinea;
        while (lineas.next())
            porLinea.append({lineas.value(0).toLongLong(), lineas.value(1).toLongLong()});
        for (const auto &[id, idMedicamento] : porLinea) {
            const double cantidad = DeCentesimas(SumaCentesimas({}, {idPaciente, idMedicamento}));
            m_dm.Ejecutar(QStringLiteral("UPDATE SPD SET Cantidad = ? WHERE id = ?"), {cantidad, id});
        }
    });
}

TResumenStock TInventario::ResumenStockLinea(qint64 idPaciente, qint64 idMedicamento)
{
    // The summary is read under the lock it is stored under, so it never stores a sum that a load
    // of another workstation changed meanwhile.
    TResumenStock resumen;
    auto guardar = [&] {
        m_dm.EnTransaccionPaciente(idPaciente, [&] { resumen = GuardarResumen(idPaciente, idMedicamento); });
    };
    if (m_dm.enTransaccion()) {
        guardar(); // part of a larger change: a failure undoes all of it
        return resumen;
    }
    try {
        guardar();
    } catch (const AppError &error) {
        Log(QStringLiteral(": ERROR: ") + error.message());
        resumen = LeerResumen(idPaciente, idMedicamento);
    }
    return resumen;
}

TResumenStock TInventario::LeerResumen(qint64 idPaciente, qint64 idMedicamento)
{
    TConsulta query = m_dm.Consulta(
            QStringLiteral("SELECT CantidadRestante, Lote, Caducidad FROM Inventario "
                           "WHERE idPaciente = ? AND idMedicamento = ? ORDER BY idInventario"),
            {idPaciente, idMedicamento});
    qint64 total = 0;
    TResumenStock resumen;
    resumen.Caducidad = SinCaducidad();
    while (query.next()) {
        total += EnCentesimas(query.value(0).toDouble());
        const QDate caducidad = SqlFecha::leerDia(query.value(2));
        if (caducidad.isValid() && caducidad < resumen.Caducidad) {
            resumen.Caducidad = caducidad;
            resumen.Lote = query.value(1).toString();
        }
    }
    resumen.Cantidad = DeCentesimas(total);
    return resumen;
}

TResumenStock TInventario::GuardarResumen(qint64 idPaciente, qint64 idMedicamento)
{
    const TResumenStock resumen = LeerResumen(idPaciente, idMedicamento);
    m_dm.Ejecutar(
            QStringLiteral("UPDATE SPD SET Lote = ?, Cantidad = ?, Caducidad = ? "
                           "WHERE idPaciente = ? AND idMedicamento = ?"),
            {resumen.Lote, resumen.Cantidad, SqlFecha::valor(resumen.Caducidad), idPaciente, idMedicamento});
    return resumen;
}

QString TInventario::ErrorCantidad(double cantidad)
{
    return std::isfinite(cantidad) && cantidad >= 0.0 && cantidad <= kCantidadMaxima ? QString()
                                                                                     : ErrorNumerico();
}

QString TInventario::ErrorEntrada(const TEntradaStock &entrada)
{
    if (entrada.idMedicamento <= 0)
        return Traducir(QStringLiteral("ERR_MEDICAMENTO_OBLIGATORIO"),
                        QStringLiteral("Obligatorio introducir CODIGO medicamento"));
    if (entrada.Lote.trimmed().isEmpty())
        return Traducir(QStringLiteral("ERR_MEDICAMENTO_LOTE_OBLIGATORIO"),
                        QStringLiteral("Obligatorio introducir LOTE medicamento"));
    if (entrada.Lote.size() > kLargoLote)
        return Traducir(QStringLiteral("ERR_LOTE_DEMASIADO_LARGO"),
                        QStringLiteral("EL LOTE NO PUEDE TENER MAS DE 50 CARACTERES"));
    if (!entrada.Caducidad.isValid())
        return Traducir(QStringLiteral("ERR_MEDICAMENTO_CANTIDAD_OBLIGATORIO"),
                        QStringLiteral("Obligatorio introducir CADUCIDAD medicamento"));
    if (entrada.Caducidad < Clock::today())
        return Traducir(QStringLiteral("ERR_MEDICAMENTO_CADUCADO"),
                        QStringLiteral("El medicamento se encuentra caducado"));
    return ErrorCantidad(entrada.Cantidad);
}

qint64 TInventario::AltaStock(const TEntradaStock &entrada)
{
    if (const QString error = ErrorEntrada(entrada); !error.isEmpty())
        throw AppError(error);
    if (m_dm.Valor(QStringLiteral("SELECT COUNT(*) FROM Medicamento WHERE idMedicamento = ?"),
                   {entrada.idMedicamento})
                .toInt()
        == 0)
        throw AppError(Traducir(QStringLiteral("ERR_MEDICAMENTO_INEXISTENTE"),
                                QStringLiteral("MEDICAMENTO INEXITENTE")));
    qint64 id = 0;
    m_dm.EnTransaccionPaciente(entrada.idPaciente, [&] {
        id = m_dm.Anadir(QStringLiteral("Inventario"),
                         {{QStringLiteral("idPaciente"), entrada.idPaciente},
                          {QStringLiteral("idMedicamento"), entrada.idMedicamento},
                          {QStringLiteral("IdMedicamentoReal"),
                           entrada.IdMedicamentoReal > 0 ? entrada.IdMedicamentoReal : entrada.idMedicamento},
                          {QStringLiteral("Lote"), entrada.Lote.trimmed()},
                          {QStringLiteral("Caducidad"), SqlFecha::valor(entrada.Caducidad)},
                          {QStringLiteral("CantidadRestante"), DeCentesimas(EnCentesimas(entrada.Cantidad))},
                          {QStringLiteral("FechaAsignacion"), SqlFecha::valor(Clock::now())},
                          {QStringLiteral("TipoAsignacion"), 0}});
        ResumenStockLinea(entrada.idPaciente, entrada.idMedicamento);
    });
    return id;
}

TCorreccionStock TInventario::ModificarCantidad(qint64 idInventario, double cantidad, double cantidadVista)
{
    if (const QString error = ErrorCantidad(cantidad); !error.isEmpty())
        throw AppError(error);
    TCorreccionStock correccion {TCorreccionStock::NoExiste, 0.0};
    CambiarFilaStock(idInventario, [&](qint64 guardadas) {
        correccion.CantidadGuardada = DeCentesimas(guardadas);
        if (guardadas != EnCentesimas(cantidadVista)) {
            correccion.resultado = TCorreccionStock::Cambiada;
            return false;
        }
        correccion.CantidadGuardada = DeCentesimas(EnCentesimas(cantidad));
        m_dm.Ejecutar(QStringLiteral("UPDATE Inventario SET CantidadRestante = ? WHERE idInventario = ?"),
                      {correccion.CantidadGuardada, idInventario});
        correccion.resultado = TCorreccionStock::Guardada;
        return true;
    });
    return correccion;
}

void TInventario::BorrarStock(qint64 idInventario)
{
    CambiarFilaStock(idInventario, [&](qint64) {
        m_dm.Ejecutar(QStringLiteral("DELETE FROM Inventario WHERE idInventario = ?"), {idInventario});
        return true;
    });
}

void TInventario::CambiarFilaStock(qint64 idInventario, const std::function<bool(qint64)> &cambio)
{
    // A row never changes patient, so its patient is looked up before the lock; the row itself is
    // read again under it.
    const QVariant paciente = m_dm.Valor(
            QStringLiteral("SELECT idPaciente FROM Inventario WHERE idInventario = ?"), {idInventario});
    if (paciente.isNull())
        return;
    m_dm.EnTransaccionPaciente(paciente.toLongLong(), [&] {
        TConsulta fila = m_dm.Consulta(
                QStringLiteral(
                        "SELECT idMedicamento, CantidadRestante FROM Inventario WHERE idInventario = ?"),
                {idInventario});
        if (!fila.next())
            return;
        const qint64 idMedicamento = fila.value(0).toLongLong();
        const qint64 guardadas = EnCentesimas(fila.value(1).toDouble());
        fila.finish();
        if (cambio(guardadas))
            ResumenStockLinea(paciente.toLongLong(), idMedicamento);
    });
}

void TInventario::BorrarInventarioPaciente(qint64 idPaciente)
{
    m_dm.Ejecutar(QStringLiteral("DELETE FROM Inventario WHERE idPaciente = ?"), {idPaciente});
}

QList<TFilaStock> TInventario::FilasConsumo(qint64 idPaciente, qint64 idMedicamento)
{
    TConsulta query = m_dm.Consulta(QStringLiteral("SELECT idInventario, IdMedicamentoReal, Lote, Caducidad, "
                                                   "CantidadRestante FROM Inventario WHERE idPaciente = ? "
                                                   "AND idMedicamento = ? ORDER BY idInventario"),
                                    {idPaciente, idMedicamento});
    QList<TFilaStock> filas;
    while (query.next()) {
        const qint64 centesimas = EnCentesimas(query.value(4).toDouble());
        if (centesimas <= 0)
            continue;
        const qint64 real = query.value(1).isNull() ? idMedicamento : query.value(1).toLongLong();
        filas.append({query.value(0).toLongLong(), real, query.value(2).toString(),
                      SqlFecha::leerDia(query.value(3)), DeCentesimas(centesimas)});
    }
    return filas;
}

std::optional<double> LeerCantidad(const QString &texto)
{
    QString normalizado = texto.trimmed();
    normalizado.replace(QLatin1Char(','), QLatin1Char('.'));
    static const QRegularExpression numero(QStringLiteral("^[+-]?(\\d+(\\.\\d*)?|\\.\\d+)$"));
    if (!numero.match(normalizado).hasMatch())
        return std::nullopt;
    bool convertida = false;
    const double cantidad = normalizado.toDouble(&convertida);
    if (!convertida)
        return std::nullopt; // too large for a double
    return cantidad;
}

QDate LeerCaducidad(const QString &texto, bool mesPrimero)
{
    static const QRegularExpression fecha(
            QStringLiteral("^(?:(\\d{1,2})[/.-])?(\\d{1,2})[/.-](\\d{2}|\\d{4})$"));
    const QRegularExpressionMatch partes = fecha.match(texto.trimmed());
    if (!partes.hasMatch())
        return {};
    int anio = partes.captured(3).toInt();
    if (partes.captured(3).size() == 2)
        anio += 2000;
    if (partes.captured(1).isEmpty())
        return QDate(anio, partes.captured(2).toInt(), 1);
    const int primero = partes.captured(1).toInt();
    const int segundo = partes.captured(2).toInt();
    return mesPrimero ? QDate(anio, primero, segundo) : QDate(anio, segundo, primero);
}
