#pragma once

#include "core/patients/TratamientoPaciente.h"

#include <QDateTime>
#include <QList>
#include <QString>

class TDM;

// One stored version of a patient's treatment as the history view lists it.
struct TVersionTratamiento
{
    int Version = 0;
    QDateTime Fecha;
    QString Username;
    bool Cargada = false; // a load was made from it
};

// The patient's versions, newest first; with `soloCargadas` only those used by a load. Reads only.
QList<TVersionTratamiento> VersionesTratamiento(TDM &dm, qint64 idPaciente, bool soloCargadas);

// The lines of one version, filled as the treatment list fills the current ones: `DosisS1Real`,
// `Cantidad` stay empty. A line whose medication was deleted from the catalogue keeps its row,
// named as missing and out of the blister unless its own choice says otherwise. Reads only.
QList<TFilaTratamiento> LineasDeVersion(TDM &dm, qint64 idPaciente, int version);
