#pragma once

#include <QDate>
#include <QList>

#include <optional>

// The two printed layouts of the medication administration chart.
enum class TFormatoHoja {
    Semanas, // one line per medication, five weeks of 7 days x 4 slots
    Franjas, // one line per medication and slot, 35 days
};

// Builds the chart of the patients, in list order, with the busy cursor (weeks from `inicio`, or
// each patient's next load week when none) and shows it in the preview. With no row, says
// "NO SE HAN ENCONTRADO DATOS" and shows nothing; false then. The active patient is kept.
bool ImprimirHojaAdministracion(const QList<qint64> &pacientes, const std::optional<QDate> &inicio,
                                TFormatoHoja formato);
