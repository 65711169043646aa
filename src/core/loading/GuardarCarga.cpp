#include "core/loading/GuardarCarga.h"

#include "core/common/AppError.h"
#include "core/common/Clock.h"
#include "core/data/ManejadorErrores.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/dosing/URecarga.h"
#include "core/i18n/ULenguaje.h"
#include "core/loading/ConsumoStock.h"
#include "core/loading/FechasCarga.h"
#include "core/loading/LineasCarga.h"
#include "core/shell/uLog.h"

#include <QSqlQuery>

#include <optional>

namespace {

struct TFilaInventario
{
    qint64 idInventario = 0;
    qint64 producto = 0;
    QString Lote;
    QDate Caducidad;
    qint64 centesimas = 0;
};

class TGuardadoCarga
{
public:
    TGuardadoCarga(TDM &dm, TRecarga &carga)
        : m_dm(dm)
        , m_carga(carga)
    { }

    qint64 guardar(const QDate &inicio, const QDate &fin)
    {
        m_paciente = m_dm.idPacienteActivo;
        if (m_paciente <= 0)
            throw AppError(Traducir(QStringLiteral("ERR_CARGA_SIN_PACIENTE"),
                                    QStringLiteral("NO HAY UN PACIENTE ACTIVO PARA GUARDAR LA CARGA")));
        m_controlStock = conControlDeStock();
        const int referencia = avanzarContador(inicio);
        const qint64 idRecarga = anadirCabecera(referencia, inicio, fin);
        Log(QStringLiteral(": SAVE_RECARGA: Cabecera  Recarga ") + QString::number(idRecarga));
        Log(QStringLiteral(": SAVE_RECARGA: Numero de lineas para guardar ")
            + QString::number(m_carga.Count()));
        int tratadas = 0;
        for (int i = 0; i < m_carga.Count(); ++i) {
            ++tratadas;
            guardarPorcion(*m_carga.Linea(i));
        }
        guardarLineas(idRecarga);
        Log(QStringLiteral(": SAVE_RECARGA: Numero de lineas guardadas ") + QString::number(tratadas));
        return idRecarga;
    }

    // The treatment lines' new stock figures, given to the portions once the load is stored.
    void mostrarDisponibles() const
    {
        for (const auto &[porcion, disponible] : m_disponibles)
            porcion->Disponible = disponible;
    }

private:
    // A Null flag counts as stock control; only an explicit 0 switches it off.
    bool conControlDeStock()
    {
        TConsulta query = m_dm.Consulta(QStringLiteral("SELECT IConInven FROM Paciente WHERE idPaciente = ?"),
                                        {m_paciente});
        if (!query.next())
            throw AppError(Traducir(QStringLiteral("ERR_CARGA_PACIENTE_NO_EXISTE"),
                                    QStringLiteral("EL PACIENTE DE LA CARGA NO EXISTE: "))
                           + QString::number(m_paciente));
        return query.value(0).isNull() || query.value(0).toInt() != 0;
    }

    // The next load number: one above the counter, and above every stored load of the patient,
    // so that a number (and the bar code made from it) never names two loads.
    int avanzarContador(const QDate &inicio)
    {
        const int contador = m_dm.Valor(QStringLiteral("SELECT NumeroUltimaCargaRealizada FROM Paciente "
                                                       "WHERE idPaciente = ?"),
                                        {m_paciente})
                                     .toInt();
        const int mayor = m_dm.Valor(SentenciaUltimoNumeroCarga(), {m_paciente}).toInt();
        const int referencia = qMax(contador, mayor) + 1;
        m_dm.Ejecutar(QStringLiteral("UPDATE Paciente SET NumeroUltimaCargaRealizada = ?, "
                                     "FechaUltimaCargaRealizada = ? WHERE idPaciente = ?"),
                      {referencia, SqlFecha::valor(inicio), m_paciente});
        return referencia;
    }

    qint64 anadirCabecera(int referencia, const QDate &inicio, const QDate &fin)
    {
        return m_dm.Anadir(
                QStringLiteral("Recarga"),
                {{QStringLiteral("idPaciente"), m_paciente},
                 {QStringLiteral("refRecarga"), referencia},
                 {QStringLiteral("FechaRealizado"), SqlFecha::valor(Clock::now())},
                 {QStringLiteral("FechaInicio"), SqlFecha::valor(inicio)},
                 {QStringLiteral("FechaFin"), SqlFecha::valor(fin)},
                 {QStringLiteral("Estado"), 0},
                 {QStringLiteral("idTipoBlister"), 0},
                 {QStringLiteral("idTratamiento"), 0},
                 {QStringLiteral("Notas"), QString()},
                 {QStringLiteral("idUsuario"),
                  m_dm.Usuario ? QVariant(m_dm.Usuario->idUsuario) : QVariant(QMetaType(QMetaType::Int))},
                 {QStringLiteral("Humedad"), m_carga.Humedad},
                 {QStringLiteral("Temperatura"), m_carga.Temperatura},
                 {QStringLiteral("TomasRetornadas"), 0},
                 {QStringLiteral("ComprimidosRetornados"), 0}});
    }

    void guardarPorcion(TDosis &porcion)
    {
        const qint64 tamano = EnCentesimas(porcion.Porcion);
        // A portion listed without its week (Carga -1) or outside the blister (Carga 0) needs nothing.
        const qint64 necesidad = qMax(porcion.Carga, 0) * tamano;
        qint64 faltan = necesidad;
        TConsulta tratamiento
                = m_dm.Consulta(QStringLiteral("SELECT Cantidad FROM SPD WHERE id = ?"), {porcion.IdLinea});
        if (tratamiento.next()) {
            const qint64 descontar = m_controlStock ? necesidad : 0;
            const qint64 disponible = EnCentesimas(tratamiento.value(0).toDouble()) - descontar;
            tratamiento.finish();
            m_dm.Ejecutar(QStringLiteral("UPDATE SPD SET Cantidad = ? WHERE id = ?"),
                          {disponible / 100.0, porcion.IdLinea});
            m_disponibles.append({&porcion, disponible / 100.0});
            if (m_controlStock)
                faltan = consumirStock(porcion, necesidad, tamano);
        }
        // What no stock row covered is still in the blister: it is recorded as a line of no lot,
        // so that a portion's lines always add up to what the blister holds.
        const bool tomado = faltan < necesidad;
        if (!tomado || faltan > 0)
            m_lineas.AnadirLineaSinStock(porcion, faltan);
    }

    // Walks the patient's rows of the portion's medication; returns what they could not cover.
    qint64 consumirStock(const TDosis &porcion, qint64 necesidad, qint64 tamano)
    {
        QList<TFilaInventario> filas;
        QList<qint64> cantidades;
        TConsulta query = m_dm.Consulta(
                QStringLiteral(
                        "SELECT idInventario, IdMedicamentoReal, Lote, Caducidad, CantidadRestante "
                        "FROM Inventario WHERE idPaciente = ? AND idMedicamento = ? ORDER BY idInventario"),
                {m_paciente, porcion.IdMedicamento});
        while (query.next()) {
            TFilaInventario fila;
            fila.idInventario = query.value(0).toLongLong();
            fila.producto = query.value(1).isNull() ? porcion.IdMedicamento : query.value(1).toLongLong();
            fila.Lote = query.value(2).toString();
            fila.Caducidad = SqlFecha::leerDia(query.value(3));
            fila.centesimas = EnCentesimas(query.value(4).toDouble());
            filas.append(fila);
            cantidades.append(fila.centesimas);
        }
        query.finish();

        const ConsumoStock::Resultado resultado
                = ConsumoStock::Consumir(cantidades, necesidad, tamano, porcion.EsSPD);
        for (qsizetype i = 0; i < filas.size(); ++i) {
            const TFilaInventario &fila = filas.at(i);
            const ConsumoStock::Paso &paso = resultado.pasos.at(i);
            Log(QStringLiteral(": SAVE_RECARGA: Actualiza Inventario ")
                + QString::number(porcion.IdMedicamento));
            if (paso.tomado > 0)
                m_lineas.AnadirLineaCarga(porcion, fila.idInventario, paso.tomado, fila.producto,
                                          fila.Caducidad, fila.Lote);
            if (paso.cambio == ConsumoStock::Cambio::Borrar)
                m_dm.Ejecutar(QStringLiteral("DELETE FROM Inventario WHERE idInventario = ?"),
                              {fila.idInventario});
            else if (paso.cambio == ConsumoStock::Cambio::Actualizar)
                m_dm.Ejecutar(
                        QStringLiteral("UPDATE Inventario SET CantidadRestante = ? WHERE idInventario = ?"),
                        {paso.restante / 100.0, fila.idInventario});
        }
        return resultado.faltan;
    }

    void guardarLineas(qint64 idRecarga)
    {
        for (const TLineaCarga &linea : m_lineas.lineas()) {
            m_dm.Anadir(QStringLiteral("RecargaLinea"),
                        {{QStringLiteral("idRecarga"), idRecarga},
                         {QStringLiteral("idMedicamento"), linea.idMedicamento},
                         {QStringLiteral("Cantidad"), linea.Cantidad / 100.0},
                         {QStringLiteral("Dosis"), linea.Dosis.left(250)},
                         {QStringLiteral("Lote"), linea.Lote.left(50)},
                         {QStringLiteral("Caducidad"), SqlFecha::valor(linea.Caducidad)},
                         {QStringLiteral("SPD"), linea.SPD ? 1 : 0},
                         {QStringLiteral("Medicamento"), linea.Medicamento.left(50)},
                         {QStringLiteral("descripcion"), linea.Descripcion.left(100)},
                         {QStringLiteral("posologia"), linea.Posologia.left(255)},
                         {QStringLiteral("idMedicamentoR"), linea.idMedicamentoR},
                         {QStringLiteral("idInventario"), linea.IDInventario}});
            Log(QStringLiteral(": SAVE_RECARGA: Save Linea Medicamento ")
                + QString::number(linea.idMedicamento) + QLatin1Char(' ') + linea.Medicamento);
        }
    }

    TDM &m_dm;
    TRecarga &m_carga;
    TLineasCarga m_lineas;
    int m_paciente = 0;
    bool m_controlStock = true;
    QList<std::pair<TDosis *, double>> m_disponibles;
};

} // namespace

qint64 GuardarCarga(TRecarga &carga, const QDate &inicio, const QDate &fin)
{
    if (carga.Count() == 0)
        return -1;
    TDM &dm = DM();
    std::optional<TGuardadoCarga> guardado;
    qint64 idRecarga = -1;
    const bool guardada = ManejadorErrores::Proteger([&] {
        dm.EnTransaccionPaciente(dm.idPacienteActivo, [&] {
            guardado.emplace(dm, carga); // each attempt starts from nothing
            idRecarga = guardado->guardar(inicio, fin);
        });
    });
    if (!guardada)
        return -1;
    guardado->mostrarDisponibles();
    return idRecarga;
}
