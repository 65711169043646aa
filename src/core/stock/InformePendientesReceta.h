#pragma once

#include "core/reports/ReportDocument.h"
#include "core/stock/InformeStock.h"
#include "core/stock/PendientesReceta.h"
#include "core/stock/StockCategoria.h"

#include <QDate>
#include <QList>
#include <QString>

struct TPacienteCarga;

// The printed lists of the medications pending prescription, with the frame of every stock report.

// The patient's list "PENDIENTE DE RECETA": the patient's reference, name and admission and
// leaving dates, one line per medication with the pills needed and missing and the state.
TReportDocument InformePendientesPaciente(const TPacienteCarga &paciente,
                                          const QList<TPendienteReceta> &filas,
                                          const TMembreteFarmacia &membrete, const QDate &fechaImpresion);

// The category's list by patient: a group per patient (reference and name) in reference order,
// one line per medication with the pills missing and the state.
TReportDocument InformePacientesPendientes(const QString &categoria, QList<TPendienteReceta> filas,
                                           const TMembreteFarmacia &membrete, const QDate &fechaImpresion);

// The category's list by medication: a group per medication in name order, one line per patient
// with the pills missing and the state, and the pills missing over the medication's patients.
TReportDocument InformeMedicamentosPendientes(const QString &categoria, QList<TPendienteReceta> filas,
                                              const TMembreteFarmacia &membrete, const QDate &fechaImpresion);

// The category's stock as the stock report prints it, under the category's name.
QList<TFilaInformeStock> FilasInformeStockCategoria(const QList<TFilaStockCategoria> &filas,
                                                    const QString &categoria);
