#pragma once

#include "core/dosing/URecarga.h"

#include <QDate>

#include <vector>

class TDM;

// The treatment lines of a patient in force in a load window (starting on or before `hasta`,
// with no end or ending on or after `desde`), with their medication's fields: the lines that go
// into the blister first, then the smaller medication first, then in the order they were entered.
std::vector<TFilaPlan> ConsultaPlan(TDM &dm, qint64 idPaciente, const QDate &desde, const QDate &hasta);

// Empties the load and builds it for the active patient from the lines in force in the window.
void ConstruirCarga(TDM &dm, TRecarga &carga, const QDate &desde, const QDate &hasta);
// The same on the process-wide data module.
void ConstruirCarga(TRecarga &carga, const QDate &desde, const QDate &hasta);
