#pragma once

#include <QDate>

class TRecarga;

// Stores a finished load of the active patient, prepared by the logged-in user: the load row
// (Recarga), its lines (RecargaLinea) with the lots and expiry dates used, the units taken out
// of the patient's stock rows (Inventario, lowest identifier first) and out of the treatment
// lines' stock figures (SPD.Cantidad), and the patient's load counter. Everything happens in one
// transaction under the patient's lock (TDM::EnTransaccionPaciente), run again when the database
// was busy: on any failure nothing is changed, the error goes to the application-wide handler
// (": ERROR:" in the log) and the result is -1. A load without portions writes nothing and gives
// -1. Otherwise the result is the new load's idRecarga, and each portion's `Disponible` holds
// its treatment line's new stock figure.
qint64 GuardarCarga(TRecarga &carga, const QDate &inicio, const QDate &fin);
