#pragma once

#include "core/stock/Necesidades.h"

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

class TDM;

// Everything one press of "CALCULAR" produces, for the screens to show and print.
struct TResultadoNecesidades
{
    QList<TFilaNecesidad> Cargas; // the planned load lines
    QList<TFilaNecesidad> Resumen; // per patient, medication and portion size
    QList<TFilaNecesidad> Pedido; // the order list (with stock only)
    QList<TMedicamentoNecesidad> Medicamentos; // what is missing (or needed, without stock)
    QList<TMedicamentoNecesidad> Necesarios; // per medication and portion name
    bool interrumpido = false; // the user stopped it: the lists cover the patients done
};

// The most weeks one calculation plans: a year.
inline constexpr int kMaximoSemanasNecesidad = 52;

// The number of weeks typed: a whole number from 1 to 52; nothing otherwise.
std::optional<int> LeerSemanas(const QString &texto);
// The message for weeks that are not 1 to 52.
QString ErrorSemanas();

// Plans the selected patients' coming weeks and derives every list from them. With stock
// (`conStock`) the order list and the missing medications come from the patients' stock;
// without, only the gross need of each medication.
TResultadoNecesidades CalcularResultadoNecesidades(TDM &dm, int semanas,
                                                   const QList<TPacienteNecesidad> &pacientes, bool conStock,
                                                   const QDate &hoy, const TAvanceNecesidades &avance = {});

// The start date of the category's most recent load not yet delivered, when there is one: the
// loads list of the category screen then shows only the loads starting on it.
std::optional<QDate> UltimaCargaSinEntregar(TDM &dm, int codCategoria);
