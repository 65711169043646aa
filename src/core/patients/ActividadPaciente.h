#pragma once

#include <QtGlobal>

class TDM;

// Deactivates a patient ("BAJA": FechaBaja today, Iactivo 0) or reactivates one ("ALTA": FechaBaja
// Null, Iactivo 1), under the patient's lock. False when no patient has that identifier (another
// workstation deleted it). The patients list writes no audit row for it.
bool CambiarActividadPaciente(TDM &dm, qint64 idPaciente, bool activo);
