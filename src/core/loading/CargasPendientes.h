#pragma once

#include "core/loading/ConsultaCargas.h"

#include <QDate>
#include <QList>
#include <QString>

class TDM;

// The loads that wait at the pharmacy to be collected (FechaEntrega Null), as the delivery screens
// list them; rows of the load query (ConsultarCargas), in load order.

// A patient's loads not yet delivered.
QList<TFilaCarga> CargasPendientesPaciente(TDM &dm, qint64 idPaciente);

// The distinct start dates of the category's loads not yet delivered, latest first.
QList<QDate> FechasPendientesCategoria(TDM &dm, int codCategoria);

// The category's loads not yet delivered that start on the day.
QList<TFilaCarga> CargasPendientesCategoria(TDM &dm, int codCategoria, const QDate &inicio);

// The blister's 7-digit code as its label prints it: the patient in 4 digits, the load number in 3.
QString CodigoBlister(const TFilaCarga &carga);
