#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <functional>

class TDM;

// What to order before the coming weeks' loads run short. The coming loads of the chosen
// patients are planned in memory with the load builder, a copy of each patient's stock is
// consumed against them week by week, and the result is summed per patient, per medication and
// per portion size. Nothing stored is changed.

// A patient that may be chosen for the calculation.
struct TPacienteNecesidad
{
    qint64 IdPaciente = 0;
    QString refPaciente;
    QString DNI;
    QString Nombre;
    QString Categoria; // the category's name, a single blank for a patient without category
    bool Selected = false;
};

// Which patients the needs screen lists: the active ones of a category, or of no category.
struct TFiltroPacientesNecesidad
{
    bool todos = false; // every active patient, whatever the category
    int codCategoria = 0; // 0: the patients without category (CodCategoria NULL or 0)
};

// The active patients of the filter, by reference, none selected.
QList<TPacienteNecesidad> PacientesNecesidad(TDM &dm, const TFiltroPacientesNecesidad &filtro);

// One planned load line (one portion of one patient in one week), or one summed row.
// Quantities are pills; every sum is made in whole hundredths, so no floating-point residue
// ever shows a need that is not there.
struct TFilaNecesidad
{
    int NCarga = 0;
    qint64 IdPaciente = 0;
    QString RefPaciente;
    QString Nombre;
    QString Categoria;
    QDate Fecini;
    QDate Fecfin;
    qint64 IdMedicamento = 0;
    QString Medicamento;
    double Porcion = 1.0;
    int Porciones = 0;
    double CantNeed = 0.0;
    double CantInv = 0.0;
    double Faltan = 0.0;
    double Cajas = 0.0; // order list only: boxes to order, a whole number
    // Order list only: the medication's units per box are 0 or unknown, so no box can be
    // ordered; the catalogue is to be completed.
    bool SinUnidadesCaja = false;
};

// One row per medication: what is missing (or, without stock, what is needed) and its boxes.
struct TMedicamentoNecesidad
{
    qint64 IdMedicamento = 0;
    QString Medicamento;
    double Faltan = 0.0;
    double Cajas = 0.0;
    bool SinUnidadesCaja = false;
};

// For one medication, one row per patient missing it.
struct TPacienteMedicamento
{
    qint64 IdPaciente = 0;
    QString RefPaciente;
    QString Nombre;
    QString Categoria;
    double Faltan = 0.0;
    double Cajas = 0.0;
};

// Progress of a calculation: patients done and the total; returning false stops it (the user
// interrupted), and the calculation then returns what it had for the patients already done.
using TAvanceNecesidades = std::function<bool(int hechos, int total)>;

// Plans, for each selected patient in list order, `semanas` weekly loads from the day after
// the patient's last load's week (today when none, and never before today) and consumes a
// copy of the patient's stock against their blister portions. Portions that were never
// expanded count nothing. A stock row counts for a week only when loading would accept it for
// that week: it expires after the week's last day. Patients without stock control are fully
// covered. The active patient is left as it was. `hoy` is today.
QList<TFilaNecesidad> CalcularNecesidades(TDM &dm, int semanas, const QList<TPacienteNecesidad> &pacientes,
                                          const QDate &hoy, const TAvanceNecesidades &avance = {});

// The planned lines summed per patient, medication and portion size, in order of first
// appearance, dates widened, numbered again from 1.
QList<TFilaNecesidad> ResumenCargas(const QList<TFilaNecesidad> &cargas);
// The order list: the lines summed per patient and medication, named as the catalogue names
// them, with the boxes to order (rounded up; a need of a fraction of a box orders one); rows
// with nothing missing are left out. A medication without units per box orders no box and is
// marked `SinUnidadesCaja`.
QList<TFilaNecesidad> ListaPedido(TDM &dm, const QList<TFilaNecesidad> &cargas);
// One row per medication. With stock (`conStock`), from the order list: missing pills and boxes
// summed; without stock, from the planned lines: the gross need and no boxes.
QList<TMedicamentoNecesidad> MedicamentosQueFaltan(const QList<TFilaNecesidad> &pedido,
                                                   const QList<TFilaNecesidad> &cargas, bool conStock);
// One row per medication and portion name: pills needed (`Faltan`) and portions (`Cajas`).
QList<TMedicamentoNecesidad> MedicamentosNecesarios(const QList<TFilaNecesidad> &cargas);
// The patients of the order list missing the medication, one row each with its sums.
QList<TPacienteMedicamento> PacientesDeMedicamento(qint64 idMedicamento, const QList<TFilaNecesidad> &pedido);

// A medication's units per box in the catalogue; 0 when unknown.
int UnidadesPorCaja(TDM &dm, qint64 idMedicamento);
