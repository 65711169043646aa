#pragma once

#include <QDate>
#include <QList>
#include <QString>

class TDM;

// One medication of a patient's next load that the patient's usable stock will not cover: the
// pharmacy asks for its prescription in time.
struct TPendienteReceta
{
    qint64 idPaciente = 0;
    QString RefPaciente;
    QString Nombre;
    QDate FechaCarga; // the first day of the next load's window
    qint64 IdMedicamento = 0;
    QString Medicamento; // the displayed name without a fraction prefix
    double CantidadNecesaria = 0.0; // pills the next load needs: halves, quarters, thirds and wholes together
    double CantidadFalta = 0.0; // the need minus the stock still usable a week after the window starts
    QString Estado; // "Insuficiente", or "Insuf. / Caduca." when some stock expires within that week
};

// The first day of a patient's next load: a week after the start of the last load, never before
// today; today when there is no last load (a null or zero date).
QDate InicioProximaCarga(const QDate &fechaUltimaCarga, const QDate &hoy);

// The medications of the patient's load for the seven days from `inicio` whose need exceeds the
// stock expiring on or after `inicio` + 7, in load order. Nothing for a patient without stock
// control. Portions whose week was never expanded (a dose not defined for the blister) need
// nothing.
QList<TPendienteReceta> PendientesDeReceta(TDM &dm, qint64 idPaciente, const QDate &inicio);
// The same for the patient's next load (InicioProximaCarga).
QList<TPendienteReceta> PendientesDeReceta(TDM &dm, qint64 idPaciente);
// The same for every active patient of the category, by patient reference, each with its own next
// load.
QList<TPendienteReceta> PendientesDeRecetaCategoria(TDM &dm, int codCategoria);

// A patient with pending prescriptions, once for each state among its medications.
struct TPacientePendiente
{
    qint64 idPaciente = 0;
    QString RefPaciente;
    QString Nombre;
    QString Estado;
};

// A medication pending prescription with the pills missing over all patients, per state.
struct TMedicamentoPendiente
{
    qint64 IdMedicamento = 0;
    QString Medicamento; // the code, a blank and the name
    QString Estado;
    double Cantidad = 0.0;
};

// The category's two condensed lists: the patients in the order of the rows; the medications by
// name and state.
QList<TPacientePendiente> PacientesPendientes(const QList<TPendienteReceta> &filas);
QList<TMedicamentoPendiente> MedicamentosPendientes(const QList<TPendienteReceta> &filas);
