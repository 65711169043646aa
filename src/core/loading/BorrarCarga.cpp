#include "core/loading/BorrarCarga.h"

#include "core/audit/uLOPD.h"
#include "core/common/Clock.h"
#include "core/data/ManejadorErrores.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/dosing/UDispenserTypes.h"
#include "core/i18n/ULenguaje.h"
#include "core/loading/LineasCarga.h"

#include <QSqlQuery>

namespace {

// The day number 0 the counter's date falls back to when no load remains.
const QDate kFechaCero(1899, 12, 30);

class TBorradoCarga
{
public:
    explicit TBorradoCarga(TDM &dm)
        : m_dm(dm)
    { }

    // Run under the lock of the load's patient: the load is looked for again there, since another
    // workstation may have deleted or delivered it before the lock was granted.
    int borrar(qint64 idRecarga, int idPaciente)
    {
        TConsulta carga = m_dm.Consulta(
                QStringLiteral("SELECT FechaEntrega, FechaRetornado FROM Recarga WHERE idRecarga = ? "
                               "AND idPaciente = ?"),
                {idRecarga, idPaciente});
        if (!carga.next())
            return 0;
        // A blister that left the pharmacy keeps its load: its stock was handed to the patient.
        if (!carga.value(0).isNull() || !carga.value(1).isNull())
            return kCargaEntregada;
        m_paciente = idPaciente;
        carga.finish();
        m_controlStock = conControlDeStock();

        TConsulta lineas = m_dm.Consulta(
                QStringLiteral(
                        "SELECT idRecargaLinea, idMedicamento, idMedicamentoR, idInventario, Cantidad, Lote, "
                        "Caducidad FROM RecargaLinea WHERE idRecarga = ? ORDER BY idRecargaLinea"),
                {idRecarga});
        QList<TLineaCarga> devoluciones;
        while (lineas.next()) {
            TLineaCarga linea;
            linea.idMedicamento = lineas.value(1).toLongLong();
            linea.idMedicamentoR
                    = lineas.value(2).isNull() ? linea.idMedicamento : lineas.value(2).toLongLong();
            linea.IDInventario = lineas.value(3).toLongLong();
            linea.Cantidad = EnCentesimas(lineas.value(4).toDouble());
            linea.Lote = lineas.value(5).toString();
            linea.Caducidad = SqlFecha::leerDia(lineas.value(6));
            devoluciones.append(linea);
        }
        lineas.finish();
        for (const TLineaCarga &linea : devoluciones)
            devolver(linea);
        m_dm.Ejecutar(QStringLiteral("DELETE FROM RecargaLinea WHERE idRecarga = ?"), {idRecarga});
        m_dm.Ejecutar(QStringLiteral("DELETE FROM Recarga WHERE idRecarga = ?"), {idRecarga});
        ajustarContador();
        return 1;
    }

private:
    bool conControlDeStock()
    {
        const QVariant control = m_dm.Valor(
                QStringLiteral("SELECT IConInven FROM Paciente WHERE idPaciente = ?"), {m_paciente});
        return control.isNull() || control.toInt() != 0;
    }

    static bool tomadaDeStock(const TLineaCarga &linea)
    {
        return linea.IDInventario != 0 && linea.Lote != kLoteSinStock;
    }

    void devolver(const TLineaCarga &linea)
    {
        if (linea.Cantidad <= 0)
            return;
        const bool deStock = tomadaDeStock(linea);
        if (deStock)
            devolverAlInventario(linea);
        if (deStock || m_controlStock)
            devolverAlTratamiento(linea);
    }

    void devolverAlInventario(const TLineaCarga &linea)
    {
        TConsulta fila = m_dm.Consulta(
                QStringLiteral("SELECT idInventario, CantidadRestante FROM Inventario "
                               "WHERE idInventario = ? AND idPaciente = ? AND idMedicamento = ?"),
                {linea.IDInventario, m_paciente, linea.idMedicamento});
        if (!fila.next()) {
            fila = m_dm.Consulta(
                    QStringLiteral(
                            "SELECT idInventario, CantidadRestante FROM Inventario "
                            "WHERE idPaciente = ? AND idMedicamento = ? AND Lote = ? AND Caducidad = ? "
                            "AND COALESCE(IdMedicamentoReal, idMedicamento) = ? ORDER BY idInventario"),
                    {m_paciente, linea.idMedicamento, linea.Lote, SqlFecha::valor(linea.Caducidad),
                     linea.idMedicamentoR});
            if (!fila.next()) {
                fila.finish();
                recrearFila(linea);
                return;
            }
        }
        const qint64 id = fila.value(0).toLongLong();
        const qint64 cantidad = EnCentesimas(fila.value(1).toDouble()) + linea.Cantidad;
        fila.finish();
        m_dm.Ejecutar(QStringLiteral("UPDATE Inventario SET CantidadRestante = ? WHERE idInventario = ?"),
                      {cantidad / 100.0, id});
    }

    // A row of the medication itself keeps its product Null, as rows are entered.
    static QVariant productoReal(const TLineaCarga &linea)
    {
        return linea.idMedicamentoR == linea.idMedicamento ? QVariant(QMetaType(QMetaType::LongLong))
                                                           : QVariant(linea.idMedicamentoR);
    }

    // The row was used up and removed since: it comes back under its old identifier, unless
    // another row holds that identifier now.
    void recrearFila(const TLineaCarga &linea)
    {
        const QVariantMap campos {{QStringLiteral("idPaciente"), m_paciente},
                                  {QStringLiteral("idMedicamento"), linea.idMedicamento},
                                  {QStringLiteral("IdMedicamentoReal"), productoReal(linea)},
                                  {QStringLiteral("Lote"), linea.Lote},
                                  {QStringLiteral("Caducidad"), SqlFecha::valor(linea.Caducidad)},
                                  {QStringLiteral("CantidadRestante"), linea.Cantidad / 100.0},
                                  {QStringLiteral("FechaAsignacion"), SqlFecha::valor(Clock::now())},
                                  {QStringLiteral("TipoAsignacion"), 0}};
        const bool ocupado = !m_dm.Valor(QStringLiteral("SELECT 1 FROM Inventario WHERE idInventario = ?"),
                                         {linea.IDInventario})
                                      .isNull();
        if (ocupado) {
            m_dm.Anadir(QStringLiteral("Inventario"), campos);
            return;
        }
        QStringList columnas {QStringLiteral("idInventario")};
        QVariantList valores {linea.IDInventario};
        for (auto it = campos.cbegin(); it != campos.cend(); ++it) {
            columnas << it.key();
            valores << it.value();
        }
        QStringList marcas;
        marcas.fill(QStringLiteral("?"), columnas.size());
        m_dm.Ejecutar(QStringLiteral("INSERT INTO Inventario (%1) VALUES (%2)")
                              .arg(columnas.join(QStringLiteral(", ")), marcas.join(QStringLiteral(", "))),
                      valores);
    }

    void devolverAlTratamiento(const TLineaCarga &linea)
    {
        TConsulta tratamiento = m_dm.Consulta(
                QStringLiteral("SELECT id, Cantidad FROM SPD WHERE idPaciente = ? AND idMedicamento = ? "
                               "ORDER BY id"),
                {m_paciente, linea.idMedicamento});
        if (!tratamiento.next())
            return;
        const qint64 id = tratamiento.value(0).toLongLong();
        const qint64 cantidad = EnCentesimas(tratamiento.value(1).toDouble()) + linea.Cantidad;
        tratamiento.finish();
        m_dm.Ejecutar(QStringLiteral("UPDATE SPD SET Cantidad = ? WHERE id = ?"), {cantidad / 100.0, id});
    }

    // The counter names the latest load that remains, so the next load never takes the number
    // of one that is still stored.
    void ajustarContador()
    {
        TConsulta ultima = m_dm.Consulta(
                QStringLiteral("SELECT refRecarga, FechaInicio FROM Recarga WHERE idPaciente = ? "
                               "ORDER BY refRecarga DESC, idRecarga DESC LIMIT 1"),
                {m_paciente});
        int numero = 0;
        QDate fecha = kFechaCero;
        if (ultima.next()) {
            numero = ultima.value(0).toInt();
            fecha = SqlFecha::leerDia(ultima.value(1));
        }
        ultima.finish();
        m_dm.Ejecutar(QStringLiteral("UPDATE Paciente SET NumeroUltimaCargaRealizada = ?, "
                                     "FechaUltimaCargaRealizada = ? WHERE idPaciente = ?"),
                      {numero, SqlFecha::valor(fecha), m_paciente});
    }

    TDM &m_dm;
    int m_paciente = 0;
    bool m_controlStock = true;
};

} // namespace

int BorrarCarga(qint64 idRecarga)
{
    TDM &dm = DM();
    int resultado = 0;
    QVariant paciente;
    const bool hecho = ManejadorErrores::Proteger([&] {
        paciente
                = dm.Valor(QStringLiteral("SELECT idPaciente FROM Recarga WHERE idRecarga = ?"), {idRecarga});
        if (paciente.isNull())
            return;
        dm.EnTransaccionPaciente(paciente.toLongLong(),
                                 [&] { resultado = TBorradoCarga(dm).borrar(idRecarga, paciente.toInt()); });
    });
    if (!hecho)
        return -1;
    if (resultado == 1)
        AuditarPaciente(paciente.toLongLong(),
                        Traducir(QStringLiteral("CAPTION_LOPD_BORR_CARGAS"), QStringLiteral(" BORR. CARGAS")),
                        LOPD::kBaja, LOPD::kAceptado);
    return resultado;
}
