#include "core/loading/ValidacionCarga.h"

#include "core/audit/uLOPD.h"
#include "core/common/Clock.h"
#include "core/data/ManejadorErrores.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/dosing/NombresSemana.h"
#include "core/i18n/ULenguaje.h"
#include "core/loading/TextosEtiqueta.h"

#include <QSqlQuery>

namespace {

constexpr int kAnchoNombre = 65;

QString TextoCantidad(double cantidad)
{
    return QString::number(cantidad).replace(QLatin1Char('.'), QLatin1Char(','));
}

// The blister list names a medication after its number unless it is a manual one; the cell's
// contents give the number a column of its own.
QString SinNumero(const TFilaEtiqueta &fila)
{
    const QString prefijo = fila.idmedicamento + QLatin1Char(' ');
    return fila.medicamento.startsWith(prefijo) ? fila.medicamento.mid(prefijo.size()) : fila.medicamento;
}

} // namespace

TValidacionCarga::TValidacionCarga(qint64 idRecarga)
    : m_idRecarga(idRecarga)
{
    LeerCabecera();
    if (!m_existe)
        return;
    m_datos = DatosEtiquetas(idRecarga);
    m_celdas = RepartoCeldas(idRecarga, m_datos);
}

void TValidacionCarga::LeerCabecera()
{
    TConsulta query = DM().Consulta(
            QStringLiteral("SELECT r.refRecarga, r.idPaciente, r.FechaRealizado, r.FechaInicio, r.FechaFin, "
                           "r.FechaValidado, r.FechaEntrega, r.FechaRetornado, p.Nombre, p.refPaciente, "
                           "u.Nombre, v.Nombre, r.IdValidador "
                           "FROM Recarga r "
                           "LEFT JOIN Paciente p ON p.idPaciente = r.idPaciente "
                           "LEFT JOIN Usuario u ON u.idUsuario = r.idUsuario "
                           "LEFT JOIN Usuario v ON v.idUsuario = r.IdValidador "
                           "WHERE r.idRecarga = ?"),
            {m_idRecarga});
    m_existe = query.next();
    if (!m_existe)
        return;
    TCabeceraValidacion &c = m_cabecera;
    c.idRecarga = m_idRecarga;
    c.refRecarga = query.value(0).toInt();
    c.idPaciente = query.value(1).toInt();
    c.FechaRealizado = SqlFecha::leer(query.value(2));
    c.FechaInicio = SqlFecha::leerDia(query.value(3));
    c.FechaFin = SqlFecha::leerDia(query.value(4));
    c.FechaValidado = SqlFecha::leer(query.value(5));
    c.FechaEntrega = SqlFecha::leer(query.value(6));
    c.FechaRetornado = SqlFecha::leer(query.value(7));
    c.Paciente = query.value(8).toString();
    c.RefPaciente = query.value(9).toString();
    c.Preparador = query.value(10).toString();
    c.Validador = query.value(12).isNull() ? QString() : query.value(11).toString();
}

QList<TFilaMedicacionBlister> TValidacionCarga::MedicacionBlister() const
{
    QList<TFilaMedicacionBlister> filas;
    QStringList vistos;
    for (const TFilaEtiqueta &primera : m_datos.ListaBlister) {
        if (vistos.contains(primera.idmedicamento))
            continue;
        vistos << primera.idmedicamento;
        qint64 centesimas = 0;
        for (const TFilaEtiqueta &linea : m_datos.ListaBlister) {
            if (linea.idmedicamento == primera.idmedicamento)
                centesimas += qRound64(linea.Cantidad * 100.0);
        }
        filas << TFilaMedicacionBlister {
                TextoCantidad(double(centesimas) / 100.0),
                TextosEtiqueta::Columna(primera.medicamento, kAnchoNombre, kAnchoNombre)};
    }
    return filas;
}

std::optional<int> TValidacionCarga::UnidadesCelda(int celda) const
{
    if (celda < 0 || celda >= kCeldasSemana || m_celdas[size_t(celda)].isEmpty())
        return std::nullopt;
    int unidades = 0;
    for (const TFilaCelda &fila : m_celdas[size_t(celda)])
        unidades += fila.Porciones;
    return unidades;
}

QList<TFilaAlveolo> TValidacionCarga::Alveolo(int celda) const
{
    QList<TFilaAlveolo> filas;
    if (celda < 0 || celda >= kCeldasSemana)
        return filas;
    for (const TFilaCelda &fila : m_celdas[size_t(celda)]) {
        const QString producto = QString::number(fila.Idmedicamento);
        TFilaAlveolo alveolo {TextoCantidad(fila.Cantidad),
                              producto + QStringLiteral("   ") + fila.Medicamento,
                              {},
                              fila.Lote};
        for (const TFilaEtiqueta &blister : m_datos.ListaBlister) {
            if (blister.idmedicamento == producto) {
                alveolo.Medicamento = producto + QStringLiteral("   ") + SinNumero(blister);
                alveolo.Aspecto = blister.descripcion;
                break;
            }
        }
        filas << alveolo;
    }
    return filas;
}

QString TValidacionCarga::NombreCelda(int celda)
{
    if (celda < 0 || celda >= kCeldasSemana)
        return {};
    return NombresDias().at(celda / kTomasDia) + QLatin1Char(' ') + NombresTomas().at(celda % kTomasDia);
}

void TValidacionCarga::AuditarConsulta() const
{
    AuditarPaciente(m_cabecera.idPaciente,
                    Traducir(QStringLiteral("CAPTION_LOPD_CONSULTA_CARGA"),
                             QStringLiteral("CONSULTA - VALIDACION DE CARGA")),
                    LOPD::kConsulta, LOPD::kAceptado);
}

TValidacionCarga::TResultado TValidacionCarga::Validar()
{
    TDM &dm = DM();
    const QVariant validador
            = dm.Usuario ? QVariant(dm.Usuario->idUsuario) : QVariant(QMetaType(QMetaType::Int));
    int validadas = 0;
    bool existe = true;
    const bool hecho = ManejadorErrores::Proteger([&] {
        dm.EnTransaccionPaciente(m_cabecera.idPaciente, [&] {
            // Only a load not validated yet: the second of two workstations changes nothing.
            validadas = dm.Ejecutar(QStringLiteral("UPDATE Recarga SET IdValidador = ?, FechaValidado = ? "
                                                   "WHERE idRecarga = ? AND FechaValidado IS NULL"),
                                    {validador, SqlFecha::valor(Clock::now()), m_idRecarga});
            existe = validadas > 0
                    || !dm.Valor(QStringLiteral("SELECT 1 FROM Recarga WHERE idRecarga = ?"), {m_idRecarga})
                                .isNull();
        });
        LeerCabecera();
    });
    if (!hecho)
        return TResultado::Fallo;
    if (!existe)
        return TResultado::NoExiste;
    if (validadas == 0)
        return TResultado::YaValidada;
    AuditarPaciente(m_cabecera.idPaciente,
                    Traducir(QStringLiteral("CAPTION_LOPD_VAL_CARGA"), QStringLiteral("VALIDACION CARGA")),
                    LOPD::kModificacion, LOPD::kAceptado);
    return TResultado::Validada;
}
