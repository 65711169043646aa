#pragma once

#include "core/stock/CalculoNecesidades.h"

class QWidget;

// Runs the needs calculation while a progress window counts the patients done; the window
// keeps the screen painted and lets the user stop (what was computed for the patients done is
// then shown, and the user is told it is incomplete). A database failure is shown and gives
// an empty result.
TResultadoNecesidades CalcularConAvance(QWidget *padre, int semanas,
                                        const QList<TPacienteNecesidad> &pacientes, bool conStock);
