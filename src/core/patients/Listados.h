#pragma once

#include "core/patients/InformeTratamiento.h"
#include "core/stock/Necesidades.h"

#include <optional>

class TDM;

// The listings of chosen patients: their administration charts or their treatment sheets. The
// patients are taken from a category list; nothing here writes.

// The active patients the listings offer, by reference, none chosen: every one when no category
// is given, those without category (CodCategoria NULL or 0) for code 0, else those of the category.
QList<TPacienteNecesidad> PacientesListado(TDM &dm, const std::optional<int> &categoria);

// The patient as the treatment sheet prints it; empty when there is no such patient.
TPacienteInforme PacienteInforme(TDM &dm, qint64 idPaciente);

// The treatment listing of the patients, in the order given: each patient with every line of the
// treatment, as the treatment screen lists them. A patient without lines has nothing to print and
// is left out, so an empty list means there is no data.
QList<TTratamientoInforme> TratamientosPacientes(TDM &dm, const QList<qint64> &pacientes);
