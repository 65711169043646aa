#include "core/audit/uLOPD.h"

#include "core/common/AppError.h"
#include "core/common/Clock.h"
#include "core/data/ManejadorErrores.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"

#include <QSysInfo>

namespace {

constexpr int kAnchoEquipo = 30; // operating-system user and workstation
constexpr int kAnchoColumna = 50;

QString usuarioSistema()
{
    for (const char *variable : {"USER", "LOGNAME", "USERNAME"}) {
        const QString valor = qEnvironmentVariable(variable);
        if (!valor.isEmpty())
            return valor;
    }
    return {};
}

} // namespace

namespace LOPD {

QString PalabraOperacion(int operacion)
{
    switch (operacion) {
    case kConsulta:
        return Traducir(QStringLiteral("STR_OPERACION_CONSULTA"), QStringLiteral("CONSULTA"));
    case kAlta:
        return Traducir(QStringLiteral("STR_OPERACION_ALTA"), QStringLiteral("ALTA"));
    case kModificacion:
        return Traducir(QStringLiteral("STR_OPERACION_MODIFICACION"), QStringLiteral("MODIFICACION"));
    case kBaja:
        return Traducir(QStringLiteral("STR_OPERACION_BAJA"), QStringLiteral("BAJA"));
    case kConexion:
        return Traducir(QStringLiteral("STR_OPERACION_CONEXION"), QStringLiteral("CONEXION"));
    default:
        return {};
    }
}

QString PalabraResultado(int resultado)
{
    switch (resultado) {
    case kAceptado:
        return Traducir(QStringLiteral("STR_ACCION_ACEPTADO"), QStringLiteral("ACEPTADO"));
    case kRechazado:
        return Traducir(QStringLiteral("STR_ACCION_RECHAZADO"), QStringLiteral("RECHAZADO"));
    case kPendiente:
        return Traducir(QStringLiteral("STR_ACCION_PENDIENTE"), QStringLiteral("PENDIENTE"));
    default:
        return {};
    }
}

} // namespace LOPD

TLOPD::TLOPD(TDM &dm)
    : m_dm(dm)
{ }

void TLOPD::Registrar(const QString &usuario, const QString &accion, int idPaciente, int operacion,
                      int resultado)
{
    // Texts are cut to their columns: an audit row is never lost for being long.
    m_dm.Anadir(QStringLiteral("LOPD_Auditoria"),
                {{QStringLiteral("FAudit"), SqlFecha::valor(Clock::now())},
                 {QStringLiteral("Username"), usuario.left(kAnchoColumna)},
                 {QStringLiteral("UserOS"), usuarioSistema().left(kAnchoEquipo)},
                 {QStringLiteral("Maquina"), QSysInfo::machineHostName().left(kAnchoEquipo)},
                 {QStringLiteral("Accion"), accion.left(kAnchoColumna)},
                 {QStringLiteral("Resultado"), LOPD::PalabraResultado(resultado).left(kAnchoColumna)},
                 {QStringLiteral("Operacion"), LOPD::PalabraOperacion(operacion).left(kAnchoColumna)},
                 {QStringLiteral("refPaciente"), QString::number(idPaciente)}});
}

void Auditar(const QString &accion, int operacion, int resultado)
{
    AuditarPaciente(operacion == LOPD::kConexion ? 0 : DM().idPacienteActivo, accion, operacion, resultado);
}

void AuditarPaciente(qint64 idPaciente, const QString &accion, int operacion, int resultado)
{
    TDM &dm = DM();
    const QString usuario = dm.Usuario ? dm.Usuario->username : QString();
    ManejadorErrores::Proteger([&] {
        dm.EnPuntoDeGuardado(
                [&] { TLOPD(dm).Registrar(usuario, accion, int(idPaciente), operacion, resultado); });
    });
}
