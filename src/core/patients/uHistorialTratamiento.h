#pragma once

#include "core/patients/LineaTratamiento.h"

#include <QDate>
#include <QList>
#include <QString>

class TDM;

// One change between two versions of a patient's treatment, as the history view lists it.
struct TCambioTratamiento
{
    int IdVersion = 0;
    QDate Fecha;
    QString username;
    qint64 idmedicamento = 0;
    QString Desccambio;
    QString Medicamento;
    QDate Inicio;
    QDate Fin;
    QString Dosis_et;
    QString Dosis;
    bool SPD = true;
    QString Iucarga; // "SI" when the version was used by a load
};

// The versions of a patient's treatment in SPDHIST: each is a full copy of the patient's SPD
// lines, numbered per patient from 1, stored whenever the lines changed and marked once a load
// was made from it.
class THistorialTratamiento
{
public:
    explicit THistorialTratamiento(TDM &dm)
        : m_dm(dm)
    { }

    // Stores a new version when the current lines differ from the last version; true when one
    // was stored. All its rows are written in one transaction.
    bool GuardarVersion(qint64 idPaciente);
    // Marks the last version as used by a load today. When the lines changed since that version,
    // the current lines are stored as a new version first, so the mark always names the lines
    // the load was built from.
    void MarcarVersionCargada(qint64 idPaciente);
    // The changes from each version to the one before it (or, with `soloCargadas`, to the newest
    // earlier loaded version), versions in ascending order. `incluirUltima` lists the newest
    // version even when it was not loaded. Reads only.
    QList<TCambioTratamiento> HistorialCambios(qint64 idPaciente, bool soloCargadas, bool incluirUltima);
    // Whether the patient has lines starting before `fecha` + 7 that have not ended before today.
    // A database failure is raised, never read as "no lines".
    bool TieneLineasActivas(qint64 idPaciente, const QDate &fecha);
    void BorrarHistorialPaciente(qint64 idPaciente);

    int UltimaVersion(qint64 idPaciente);

private:
    QList<TLineaTratamiento> LineasActuales(qint64 idPaciente);
    QList<TLineaTratamiento> LineasVersion(qint64 idPaciente, int version);
    bool DifiereDeUltima(qint64 idPaciente, int ultima, const QList<TLineaTratamiento> &actuales);
    void EscribirVersion(qint64 idPaciente, int version, const QList<TLineaTratamiento> &lineas);
    TCambioTratamiento Cambio(const TLineaTratamiento &linea, const QString &descripcion) const;

    TDM &m_dm;
};
