#pragma once

#include "core/reports/ReportDocument.h"
#include "core/stock/InformeStock.h"
#include "core/stock/Necesidades.h"
#include "core/stock/RepartoCajas.h"

#include <QDate>
#include <QList>

// The printed lists of the needs screen, with the pharmacy's logo, address and telephone, the
// print date and "page n / N".

// "CARGAS PLANIFICADAS": the planned lines by category, patient, week and medication, a group
// per patient and week.
TReportDocument InformeCargasPlanificadas(const QList<TFilaNecesidad> &cargas,
                                          const TMembreteFarmacia &membrete, const QDate &fechaImpresion);
// "NECESIDAD DE MEDICAMENTOS": the order list by category, patient and medication, a group per
// patient.
TReportDocument InformeNecesidadMedicamentos(const QList<TFilaNecesidad> &pedido,
                                             const TMembreteFarmacia &membrete, const QDate &fechaImpresion);
// "MEDICAMENTOS PENDIENTES DE ASIGNACION" (with stock) or "MEDICAMENTOS NECESARIOS" (without).
TReportDocument InformeMedicamentosPendientes(const QList<TMedicamentoNecesidad> &medicamentos, bool conStock,
                                              const TMembreteFarmacia &membrete, const QDate &fechaImpresion);
// "MEDICAMENTOS NECESARIOS PARA LA CARGA": pills and portions per medication and portion name.
TReportDocument InformeMedicamentosNecesarios(const QList<TMedicamentoNecesidad> &necesarios,
                                              const TMembreteFarmacia &membrete, const QDate &fechaImpresion);
// "ASIGNACION DE MEDICAMENTOS": the assignments by product, a group per product, lot and expiry.
TReportDocument InformeAsignaciones(const QList<TAsignacion> &asignaciones, const TMembreteFarmacia &membrete,
                                    const QDate &fechaImpresion);
