#pragma once

#include "core/patients/HojaAdministracion.h"
#include "core/reports/ReportDocument.h"

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QString>

// The pharmacy as the charts print it.
struct TFarmaciaHoja
{
    QByteArray Logo;
    QString Texto; // name, a line break, address " - " telephone
};

// The printed administration charts: A4 landscape, the pharmacy and the patient on every page
// (with the patient's photo), signature boxes, the legend of administration codes, "Páginas"
// page / total and the print date. `fotos` holds each patient's photo file bytes (none: blank).
// By week: one line per medication with five weeks of 7 days x 4 slots.
TReportDocument InformeHojaAdministracion(const QList<TFilaHoja> &filas, const TFarmaciaHoja &farmacia,
                                          const QHash<qint64, QByteArray> &fotos,
                                          const QDate &fechaImpresion);
// By slot: one line per medication and slot with 35 days, grouped by blister or not and slot.
TReportDocument InformeHojaFranjas(const QList<TFilaFranja> &filas, const TFarmaciaHoja &farmacia,
                                   const QHash<qint64, QByteArray> &fotos, const QDate &fechaImpresion);

class TDM;
// The photo file bytes of each patient that has one in the patient's folder.
QHash<qint64, QByteArray> FotosPacientes(const TDM &dm, const QList<qint64> &pacientes);

class TPreferences;
// The pharmacy's logo and its text: its name, a line break, its address " - " its telephone.
TFarmaciaHoja FarmaciaHoja(const TPreferences &preferencias);
