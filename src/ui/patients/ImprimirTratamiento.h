#pragma once

#include "core/patients/InformeTratamiento.h"

#include <optional>

// The treatment sheet of the lines given for the patient, in the print preview; the version's
// details when a stored version is printed. The busy cursor shows while the sheet is built.
void ImprimirTratamiento(const QString &titulo, qint64 idPaciente, const QList<TFilaTratamiento> &lineas,
                         const std::optional<TVersionInforme> &version);

// The treatment listing of the patients, in the order given, in the print preview: each patient's
// sheet from a new page. The busy cursor shows while it is read. With no line to print it says
// "NO SE HAN ENCONTRADO DATOS" and shows nothing; false then.
bool ImprimirTratamientosPacientes(const QList<qint64> &pacientes);
