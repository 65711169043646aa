#pragma once

#include "core/patients/FichaPaciente.h"

#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <optional>

class TDM;

// What storing a card did.
struct TGuardadoFicha
{
    qint64 idPaciente = 0;
    bool cambiado = false; // the row was created or one of its fields changed
    QString refPaciente; // as stored
    // The empty reference could not be the identifier, another patient has it: it became
    // identifier-"-"-n.
    bool referenciaRepetida = false;
    QString errorArchivos; // a new patient's files could not be moved to the patient's folder
};

// One patient card from the moment it is opened until it is left: the rules that check it and
// store it.
//
// Storing writes only the fields the user changed since the card was opened, so two workstations
// that edit one patient at once keep each other's changes; when the other workstation changed one
// of the same fields meanwhile, the store is refused (nothing is written) and the user is told, so
// no change is ever lost without anyone seeing it.
//
// References are unique without regard to case: a card stores one only while no other card can
// (on SQLite the store is the one writer; on PostgreSQL every store of a card takes the same
// transaction lock), and an empty reference becomes the patient's identifier, or
// identifier-"-"-n with the first n that is free.
class TEdicionPaciente
{
public:
    // A new patient's card; its "NEW" folder is emptied first. Throws AppError when a file of
    // that folder cannot be removed.
    explicit TEdicionPaciente(TDM &dm);
    // The card of a stored patient, read now. Throws AppError when the patient does not exist.
    TEdicionPaciente(TDM &dm, qint64 idPaciente);

    bool EsNuevo() const { return m_idPaciente == 0; }
    qint64 IdPaciente() const { return m_idPaciente; }
    // The card as it was opened (or last stored).
    const TFichaPaciente &Abierta() const { return m_abierta; }
    // The patient's folder of files ("NEW" while the patient is new).
    QString Carpeta() const;

    // The checks of the card in order; the first that fails, or nothing.
    std::optional<ErrorFicha> Validar(const TFichaPaciente &ficha) const;
    // Whether storing the card changes the stored row; always for a new patient. Without inventory
    // features the stock control is stored off.
    bool HaCambiado(const TFichaPaciente &ficha, bool conInventario) const;

    // Stores the checked card under the patient's lock and writes its audit row with `accion`:
    // ALTA for a new patient, MODIFICACION when a field changed, CONSULTA otherwise. A new
    // patient gets FechaAlta today and load number 0, and its "NEW" folder becomes its own; from
    // then on this card is the stored patient's. Throws ErrorFicha when another patient took the
    // identity number or the reference meanwhile or another workstation changed the same fields,
    // AppError when the database refuses; nothing is written then.
    TGuardadoFicha Guardar(const TFichaPaciente &ficha, const QString &accion, bool conInventario);
    // The card is left without storing: a stored patient's card was consulted (CONSULTA under
    // `accion`); a new patient's files are discarded.
    void Descartar(const QString &accion);
    // The stored card was printed: the listing's audit row (CONSULTA).
    void AuditarImpresion() const;

private:
    void Abrir(qint64 idPaciente);
    QStringList Cambiadas(const QVariantMap &columnas) const;
    bool OtroConDNI(const QString &dni) const;
    bool OtroConReferencia(const QString &referencia, qint64 idPaciente) const;
    void ComprobarUnicos(const QVariantMap &columnas, const QStringList &cambiadas) const;
    void BloquearReferencias();
    QString ReferenciaLibre(qint64 idPaciente) const;
    qint64 Insertar(const QVariantMap &columnas);
    void Actualizar(const QVariantMap &columnas, const QStringList &cambiadas);
    void Auditar(const QString &accion, int operacion) const;

    TDM &m_dm;
    qint64 m_idPaciente = 0;
    QVariantMap m_columnas; // the stored values as the card was opened
    TFichaPaciente m_abierta;
};
