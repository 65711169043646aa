#pragma once

#include <QStringList>

// The words of the blister's week in the current language: the four time slots in slot order
// (the evening meal and the night under their catalogue keys), and the seven days, Monday first,
// whole and short. Every screen, sheet and label that names a cell uses these.
QStringList NombresTomas();
QStringList NombresDias();
QStringList NombresDiasCortos();
