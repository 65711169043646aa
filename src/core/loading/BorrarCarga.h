#pragma once

#include <QtGlobal>

// Deletes a stored load and gives back what it took: each line drawn from a stock row returns
// its units to that row (found by its identifier, else by patient, medication, lot, expiry and
// product; recreated when it was removed) and to the patient's treatment line of the medication.
// A line of no lot ("*****") took nothing from the stock rows and gives nothing back to them; it
// returns its units to the treatment line only when the patient keeps stock control. The
// patient's load counter becomes the highest number of the loads that remain, with that load's
// start date. One transaction under the patient's lock: 1 when the load was deleted (and the deletion
// audited for the load's patient), 0 when no load has that identifier, kCargaEntregada when the
// load was delivered or returned (checked under the lock, so a delivery another workstation
// stores meanwhile is never undone; nothing changed), -1 on failure (reported, nothing changed).
inline constexpr int kCargaEntregada = 2;
int BorrarCarga(qint64 idRecarga);
