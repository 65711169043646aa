#pragma once

#include "core/stock/Necesidades.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

class TDM;
struct TPreferenciasValores;

// Handing out the boxes that arrived for the medications the patients miss.

// What the distribution panel holds.
struct TCamposReparto
{
    QString Producto; // the code of the product that arrived ("" : the same as the medication)
    QString CN; // the medication of the needs
    QString Lote;
    QString Caducidad; // as typed: "dd/mm/yyyy", "mm/yyyy", "mm/yy" ...
    QString Cajas;
};

// Which field a refusal points at, for the screen to focus.
enum class TCampoReparto { Ninguno, Producto, CN, Lote, Caducidad, Cajas };

// The panel read and checked: what to distribute, or the message of the first field refused.
struct TRepartoLeido
{
    qint64 idMedicamento = 0; // the medication of the needs
    qint64 idProducto = 0; // the product that arrived
    QString Lote;
    QDate Caducidad;
    int Cajas = 0;
    QString error;
    TCampoReparto campo = TCampoReparto::Ninguno;

    bool valido() const { return error.isEmpty(); }
};

// Reads the panel in the order the screen shows it: the product code (cut as a scanned code for
// the pharmacy's country; it must be a catalogue medication that is not an active ingredient),
// the medication, the lot and expiry (mandatory when the preference asks for them, else an empty
// one is the unknown lot and 31/12/2500; a lot as the medication dialog accepts it), an expiry
// that is a date (a month and year is its first day; `mesPrimero` for locales that write the
// month first) and not before today, and a whole number of at least one box.
TRepartoLeido LeerReparto(TDM &dm, const TPreferenciasValores &preferencias, const TCamposReparto &campos,
                          const QDate &hoy, bool mesPrimero = false);

// Arrived boxes expire before the end of the first planned week of a patient that gets them
// (on or before its last day, as loading counts): loading would refuse them and the same
// shortage would be ordered again. The patients that get them are those the planned lines show
// missing the medication, and a patient's first week is its first with the medication. The
// earliest such week's end, when there is one.
std::optional<QDate> CaducanAntesDeLaCarga(const QDate &caducidad, const QList<TFilaNecesidad> &cargas,
                                           qint64 idMedicamento);

// One line of the assignment list: boxes of one product, lot and expiry given to one patient.
struct TAsignacion
{
    qint64 IdPaciente = 0;
    QString RefPaciente;
    QString Nombre;
    QString Categoria;
    qint64 IdMedicamento = 0;
    QString Medicamento;
    qint64 IdMedicamentoR = 0;
    QString MedicamentoR;
    QString Lote;
    QDate Caducidad;
    int Cajas = 0;
    double Unidades = 0.0;
    QDateTime FechaAsignacion;
};

// The message of a medication whose units per box are 0 or unknown: no box of it can be
// ordered or handed out until the catalogue gives them.
QString ErrorSinUnidadesCaja();

// Gives the boxes to the patients in list order, each up to its own boxes; boxes beyond them
// are not assigned. Each box becomes a stock row of the medication's units per box, assigned
// now (TipoAsignacion 1), and each patient's treatment line gets its stock summary again. All
// rows are written in one transaction, each patient under its lock (taken in the order of the
// patients' identifiers); any failure writes nothing, and a medication without units per box
// writes nothing (AppError with the message). Returns what was given, summed per patient,
// product, lot and expiry, added to `asignaciones` (after the rows are stored).
void RepartirCajas(TDM &dm, const QList<TPacienteMedicamento> &pacientes, const TRepartoLeido &reparto,
                   const QDateTime &ahora, QList<TAsignacion> &asignaciones);

// The stock rows assigned by distribution since the date, summed per patient, product, lot and
// expiry (the first row of a group gives its date).
QList<TAsignacion> AsignacionesDesde(TDM &dm, const QDate &desde);
