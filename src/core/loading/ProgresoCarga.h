#pragma once

#include "core/dosing/UDispenserTypes.h"

class TRecarga;

// What a progress report of the machine does to the load being placed.
enum class TEfectoInforme {
    Ignorado, // nothing changed
    Actualizado, // the portion being placed took the report
    Cancelar, // the machine cancelled the load
};

// Applies one "status" report (the placed counts per cell, the state, the placed total) to the
// load. `indiceActual` names the portion the machine works on; it moves on when a portion is
// completed, and also when the machine reports that it has not enough units for it (state 5),
// since the machine then goes on with the next medication. A report is ignored when the load is
// complete, when an all-zero report would wipe progress, and when its counts do not fit the plan
// of the portion being placed: it then belongs to the next pending blister portion whose plan it
// fits, or, when none fits, to no portion of the load.
TEfectoInforme AplicarInforme(TRecarga &carga, int &indiceActual, const TArrayPastillas &pastillas,
                              quint8 estado, qint32 colocadas);
