#pragma once

#include <QString>

class TDM;

// The audit log of access to patients' personal data: one row of LOPD_Auditoria per event,
// only ever added.
namespace LOPD {

// Operation codes.
inline constexpr int kConsulta = 0;
inline constexpr int kAlta = 1;
inline constexpr int kModificacion = 2;
inline constexpr int kBaja = 3;
inline constexpr int kConexion = 4;

// Result codes.
inline constexpr int kAceptado = 0;
inline constexpr int kRechazado = 1;
inline constexpr int kPendiente = 2;

// The stored words, translated now; empty for an unknown code.
QString PalabraOperacion(int operacion);
QString PalabraResultado(int resultado);

} // namespace LOPD

// Writes one audit row through the data module.
class TLOPD
{
public:
    explicit TLOPD(TDM &dm);

    // Appends the row: now, the application user, the operating-system user and the
    // workstation (at most 30 characters each), the action cut to its column, the words of the
    // codes and the patient's identifier. Throws AppError when the database refuses it; the
    // row is then not written.
    void Registrar(const QString &usuario, const QString &accion, int idPaciente, int operacion,
                   int resultado);

private:
    TDM &m_dm;
};

// The call used everywhere: the logged-in user's name (empty before a login), the active patient
// (0 when none, and always 0 for a connection event). A failure to write is reported through the
// application-wide error handler and never reaches the caller's operation, whose own writes stay
// valid.
void Auditar(const QString &accion, int operacion, int resultado);
// As Auditar, for the patient given instead of the active one: an operation on a stored load
// names the load's patient, whichever patient is active.
void AuditarPaciente(qint64 idPaciente, const QString &accion, int operacion, int resultado);
