#include "core/patients/uHistorialTratamiento.h"

#include "core/common/Clock.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"

#include <QSqlQuery>
#include <QStringList>

#include <algorithm>

namespace {

const QString kColumnasLinea = QStringLiteral("Inicio, Fin, Dosis, DosisEtiqueta, Medico, Notas, SPDP");

TLineaTratamiento LeerLinea(const TConsulta &query)
{
    const auto fecha = [](const QVariant &valor) -> QVariant {
        const QDateTime leida = SqlFecha::leer(valor);
        return leida.isValid() ? QVariant(leida) : QVariant();
    };
    TLineaTratamiento linea;
    linea.id = query.value(0).toLongLong();
    linea.idMedicamento = query.value(1).toLongLong();
    linea.Inicio = fecha(query.value(2));
    linea.Fin = fecha(query.value(3));
    linea.Dosis = query.value(4);
    linea.DosisEtiqueta = query.value(5);
    linea.Medico = query.value(6);
    linea.Notas = query.value(7);
    linea.SPDP = query.value(8);
    return linea;
}

const TLineaTratamiento *Buscar(const QList<TLineaTratamiento> &lineas, qint64 idMedicamento)
{
    const auto it = std::find_if(lineas.cbegin(), lineas.cend(), [&](const TLineaTratamiento &linea) {
        return linea.idMedicamento == idMedicamento;
    });
    return it == lineas.cend() ? nullptr : &*it;
}

QString DescripcionCambio(const TLineaTratamiento &nueva, const TLineaTratamiento &anterior)
{
    QStringList partes;
    if (nueva.CambiaPosologia(anterior))
        partes << Traducir(QStringLiteral("STR_ACCION_CAMBIO_POSOLOGIA"), QStringLiteral("CAMBIO POSOLOGIA"));
    if (nueva.CambiaFechas(anterior))
        partes << Traducir(QStringLiteral("STR_ACCION_CAMBIO_FECHAS"), QStringLiteral("CAMBIO FECHAS"));
    if (nueva.CambiaOtros(anterior))
        partes << Traducir(QStringLiteral("STR_ACCION_CAMBIO_OTROS"), QStringLiteral("OTROS CAMBIOS"));
    if (nueva.CambiaSPD(anterior))
        partes << Traducir(QStringLiteral("STR_ACCION_CAMBIO_SPD"), QStringLiteral("CAMBIO SPD"));
    if (partes.isEmpty()) // only the label dose changed
        partes << Traducir(QStringLiteral("STR_ACCION_CAMBIO_OTROS"), QStringLiteral("OTROS CAMBIOS"));
    return partes.join(QStringLiteral("\n\r"));
}

QVariant FechaGuardada(const QVariant &fecha)
{
    return SqlFecha::valor(fecha.toDateTime());
}

} // namespace

int THistorialTratamiento::UltimaVersion(qint64 idPaciente)
{
    return m_dm.Valor(QStringLiteral("SELECT MAX(IdVersion) FROM SPDHIST WHERE IDPaciente = ?"), {idPaciente})
            .toInt();
}

QList<TLineaTratamiento> THistorialTratamiento::LineasActuales(qint64 idPaciente)
{
    TConsulta query = m_dm.Consulta(QStringLiteral("SELECT id, idMedicamento, ") + kColumnasLinea
                                            + QStringLiteral(" FROM SPD WHERE idPaciente = ? ORDER BY id"),
                                    {idPaciente});
    QList<TLineaTratamiento> lineas;
    while (query.next())
        lineas << LeerLinea(query);
    return lineas;
}

QList<TLineaTratamiento> THistorialTratamiento::LineasVersion(qint64 idPaciente, int version)
{
    TConsulta query = m_dm.Consulta(QStringLiteral("SELECT ID, IDMedicamento, ") + kColumnasLinea
                                            + QStringLiteral(", IuCarga FROM SPDHIST WHERE IDPaciente = ? "
                                                             "AND IdVersion = ? ORDER BY ID"),
                                    {idPaciente, version});
    QList<TLineaTratamiento> lineas;
    while (query.next()) {
        TLineaTratamiento linea = LeerLinea(query);
        linea.Iucarga = query.value(9).toInt();
        lineas << linea;
    }
    return lineas;
}

bool THistorialTratamiento::DifiereDeUltima(qint64 idPaciente, int ultima,
                                            const QList<TLineaTratamiento> &actuales)
{
    const QList<TLineaTratamiento> anteriores = LineasVersion(idPaciente, ultima);
    for (const TLineaTratamiento &linea : actuales) {
        const TLineaTratamiento *anterior = Buscar(anteriores, linea.idMedicamento);
        if (!anterior || !(*anterior == linea))
            return true;
    }
    return std::any_of(anteriores.cbegin(), anteriores.cend(), [&](const TLineaTratamiento &anterior) {
        return !Buscar(actuales, anterior.idMedicamento);
    });
}

void THistorialTratamiento::EscribirVersion(qint64 idPaciente, int version,
                                            const QList<TLineaTratamiento> &lineas)
{
    const QString usuario = m_dm.Usuario ? m_dm.Usuario->username : QString();
    const QVariant hoy = SqlFecha::valor(Clock::today());
    for (const TLineaTratamiento &linea : lineas) {
        m_dm.Anadir(QStringLiteral("SPDHIST"),
                    {{QStringLiteral("IdVersion"), version},
                     {QStringLiteral("ID"), linea.id},
                     {QStringLiteral("FechaActualizacion"), hoy},
                     {QStringLiteral("IDPaciente"), idPaciente},
                     {QStringLiteral("IDMedicamento"), linea.idMedicamento},
                     {QStringLiteral("Inicio"), FechaGuardada(linea.Inicio)},
                     {QStringLiteral("Fin"), FechaGuardada(linea.Fin)},
                     {QStringLiteral("Dosis"), linea.Dosis},
                     {QStringLiteral("DosisEtiqueta"), linea.DosisEtiqueta},
                     {QStringLiteral("Medico"), linea.Medico},
                     {QStringLiteral("Notas"), linea.Notas},
                     {QStringLiteral("SPDP"), linea.SPDP},
                     {QStringLiteral("username"), usuario},
                     {QStringLiteral("IuCarga"), 0}});
    }
}

bool THistorialTratamiento::GuardarVersion(qint64 idPaciente)
{
    // Under the patient's lock two workstations saving or marking the same patient's versions
    // never both read the same last version and both write the next one.
    bool guardada = false;
    m_dm.EnTransaccionPaciente(idPaciente, [&] {
        guardada = false;
        const int ultima = UltimaVersion(idPaciente);
        const QList<TLineaTratamiento> actuales = LineasActuales(idPaciente);
        if (actuales.isEmpty() || !DifiereDeUltima(idPaciente, ultima, actuales))
            return;
        EscribirVersion(idPaciente, ultima + 1, actuales);
        guardada = true;
    });
    return guardada;
}

void THistorialTratamiento::MarcarVersionCargada(qint64 idPaciente)
{
    m_dm.EnTransaccionPaciente(idPaciente, [&] {
        GuardarVersion(idPaciente);
        m_dm.Ejecutar(QStringLiteral("UPDATE SPDHIST SET IuCarga = 1, Fecultcarga = ? "
                                     "WHERE IDPaciente = ? AND IdVersion = ?"),
                      {SqlFecha::valor(Clock::today()), idPaciente, UltimaVersion(idPaciente)});
    });
}

TCambioTratamiento THistorialTratamiento::Cambio(const TLineaTratamiento &linea,
                                                 const QString &descripcion) const
{
    TCambioTratamiento cambio;
    cambio.idmedicamento = linea.idMedicamento;
    cambio.Desccambio = descripcion;
    cambio.Medicamento = m_dm.NombreMedicamento(linea.idMedicamento);
    cambio.Inicio = linea.Inicio.toDateTime().date();
    cambio.Fin = linea.Fin.toDateTime().date();
    cambio.Dosis_et = linea.DosisEtiqueta.toString();
    cambio.Dosis = linea.Dosis.toString();
    cambio.SPD = linea.SPDP.isNull() || linea.SPDP.toInt() != 0;
    return cambio;
}

QList<TCambioTratamiento> THistorialTratamiento::HistorialCambios(qint64 idPaciente, bool soloCargadas,
                                                                  bool incluirUltima)
{
    const int ultima = UltimaVersion(idPaciente);
    // The newest version passes the loaded filter when it is to be included, whatever its mark.
    QVariantList valores {idPaciente};
    QString filtro;
    if (soloCargadas && incluirUltima) {
        filtro = QStringLiteral(" AND (IuCarga = 1 OR IdVersion = ?)");
        valores << ultima;
    } else if (soloCargadas) {
        filtro = QStringLiteral(" AND IuCarga = 1");
    }

    struct Version
    {
        int id;
        QDate fecha;
        QString usuario;
    };
    QList<Version> versiones;
    {
        TConsulta query
                = m_dm.Consulta(QStringLiteral("SELECT IdVersion, MAX(FechaActualizacion), MAX(username) "
                                               "FROM SPDHIST WHERE IDPaciente = ?")
                                        + filtro + QStringLiteral(" GROUP BY IdVersion ORDER BY IdVersion"),
                                valores);
        while (query.next())
            versiones.append(
                    {query.value(0).toInt(), SqlFecha::leerDia(query.value(1)), query.value(2).toString()});
    }

    QList<TCambioTratamiento> cambios;
    for (qsizetype i = 0; i < versiones.size(); ++i) {
        const Version &version = versiones[i];
        const QList<TLineaTratamiento> lineas = LineasVersion(idPaciente, version.id);
        const QList<TLineaTratamiento> anteriores
                = i > 0 ? LineasVersion(idPaciente, versiones[i - 1].id) : QList<TLineaTratamiento>();
        const auto anotar = [&](TCambioTratamiento cambio, int iucarga) {
            cambio.IdVersion = version.id;
            cambio.Fecha = version.fecha;
            cambio.username = version.usuario;
            cambio.Iucarga = iucarga == 1 ? Traducir(QStringLiteral("STR_SI"), QStringLiteral("SI"))
                                          : Traducir(QStringLiteral("STR_NO"), QStringLiteral("NO"));
            cambios << cambio;
        };
        for (const TLineaTratamiento &linea : lineas) {
            const TLineaTratamiento *anterior = Buscar(anteriores, linea.idMedicamento);
            if (!anterior)
                anotar(Cambio(linea, Traducir(QStringLiteral("STR_ACCION_NUEVO"), QStringLiteral("NUEVO"))),
                       linea.Iucarga);
            else if (!(*anterior == linea))
                anotar(Cambio(linea, DescripcionCambio(linea, *anterior)), linea.Iucarga);
        }
        const int iucargaVersion = lineas.isEmpty() ? 0 : lineas.first().Iucarga;
        for (const TLineaTratamiento &anterior : anteriores) {
            if (!Buscar(lineas, anterior.idMedicamento))
                anotar(Cambio(anterior,
                              Traducir(QStringLiteral("STR_ACCION_BORRADO"), QStringLiteral("BORRADO"))),
                       iucargaVersion);
        }
    }
    return cambios;
}

bool THistorialTratamiento::TieneLineasActivas(qint64 idPaciente, const QDate &fecha)
{
    return m_dm.Valor(QStringLiteral("SELECT COUNT(*) FROM SPD WHERE idPaciente = ? AND Inicio < ? "
                                     "AND (Fin IS NULL OR Fin >= ?)"),
                      {idPaciente, SqlFecha::valor(fecha.addDays(7)), SqlFecha::valor(Clock::today())})
                   .toInt()
            != 0;
}

void THistorialTratamiento::BorrarHistorialPaciente(qint64 idPaciente)
{
    m_dm.Ejecutar(QStringLiteral("DELETE FROM SPDHIST WHERE IDPaciente = ?"), {idPaciente});
}
