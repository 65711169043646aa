#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QVariant>

#include <functional>
#include <optional>

class TDM;

// The stock summary a treatment line carries: the exact quantity on hand and the lot and expiry
// of the row that expires first (1 January 3000 and no lot when there is no row).
struct TResumenStock
{
    double Cantidad = 0.0;
    QString Lote;
    QDate Caducidad;
};

// A new stock row: one box (or what is left of it) of a medication for a patient.
struct TEntradaStock
{
    qint64 idPaciente = 0;
    qint64 idMedicamento = 0;
    qint64 IdMedicamentoReal = 0; // 0: the same as idMedicamento
    QString Lote;
    QDate Caducidad;
    double Cantidad = 0.0;
};

// One stock row as loading consumes it.
struct TFilaStock
{
    qint64 idInventario = 0;
    qint64 IdMedicamentoReal = 0;
    QString Lote;
    QDate Caducidad;
    double CantidadRestante = 0.0;
};

// What became of a correction of a stock row's quantity, with the quantity the row holds now.
struct TCorreccionStock
{
    enum TResultado { Guardada, Cambiada, NoExiste };
    TResultado resultado = Guardada;
    double CantidadGuardada = 0.0;
};

// A patient's stock rows (table Inventario) and the stock figures of the patient's treatment
// lines. Quantities are added in whole hundredths and turned into doubles only when stored.
class TInventario
{
public:
    explicit TInventario(TDM &dm)
        : m_dm(dm)
    { }

    static const QDate &SinCaducidad(); // 1 January 3000

    // False only when the patient exists and its IConInven is 0.
    bool ConInventario(qint64 idPaciente);
    // The patient has a treatment line (SPD row) for the medication.
    bool TieneLineaTratamiento(qint64 idPaciente, qint64 idMedicamento);
    // Who may add stock: a pharmacist for any medication, anyone else only for a medication the
    // patient already has a treatment line for.
    bool PuedeAnadirStock(bool esFarmaceutico, qint64 idPaciente, qint64 idMedicamento);
    // Stock still usable a week after `fecha` (expiry on or after fecha + 7), and the stock that
    // expires within that week.
    double StockVigente(qint64 idPaciente, qint64 idMedicamento, const QDate &fecha);
    double StockCaducado(qint64 idPaciente, qint64 idMedicamento, const QDate &fecha);
    // Every treatment line's Cantidad := the exact sum of the patient's stock of its medication.
    void RecalcularCantidadesSPD(qint64 idPaciente);
    // The full summary of a medication's stock, stored on the patient's treatment line for it
    // when there is one. A failure to store it is logged and the line keeps its old values.
    TResumenStock ResumenStockLinea(qint64 idPaciente, qint64 idMedicamento);

    // Appends a validated stock row and refreshes the line's summary, in one transaction; the
    // new row's identifier. Throws AppError with the message when the entry is not valid.
    qint64 AltaStock(const TEntradaStock &entrada);
    // Sets a row's remaining quantity and refreshes the line's summary, in one transaction under
    // the patient's lock, when the row still holds `cantidadVista`, the quantity the user
    // corrected. A row that a load (or another workstation) changed meanwhile is left as it is,
    // so a correction never erases what a load took: the user is to be asked again.
    TCorreccionStock ModificarCantidad(qint64 idInventario, double cantidad, double cantidadVista);
    // Deletes a row and recomputes its line's summary from the rows left, in one transaction.
    void BorrarStock(qint64 idInventario);
    void BorrarInventarioPaciente(qint64 idPaciente);
    // The rows of a medication that still hold units, in the order they were entered (lowest
    // identifier first): the order in which a load consumes them.
    QList<TFilaStock> FilasConsumo(qint64 idPaciente, qint64 idMedicamento);

    // The message of a quantity that is not a number from 0 to 1e9; empty when it is valid.
    static QString ErrorCantidad(double cantidad);
    // The message of an entry that cannot be stored; empty when it is valid.
    static QString ErrorEntrada(const TEntradaStock &entrada);

private:
    // Under the row's patient's lock, hands the row's stored quantity (hundredths) to `cambio` and,
    // when it changed the row, recomputes its treatment line's summary. Nothing when the row is gone.
    void CambiarFilaStock(qint64 idInventario, const std::function<bool(qint64)> &cambio);
    qint64 SumaCentesimas(const QString &condicion, const QVariantList &valores);
    TResumenStock LeerResumen(qint64 idPaciente, qint64 idMedicamento);
    // Reads the summary and stores it on the treatment line; the caller holds the patient's lock.
    TResumenStock GuardarResumen(qint64 idPaciente, qint64 idMedicamento);

    TDM &m_dm;
};

// Reads a quantity typed with "," or "." as the decimal separator ("3,5", "3.5"); nothing when
// the text is not a number.
std::optional<double> LeerCantidad(const QString &texto);
// Reads an expiry typed as "dd/mm/yyyy", "dd/mm/yy", "mm/yyyy" or "mm/yy" ("-" and "." are
// accepted as separators); a month alone is its first day; two-digit years are 2000 to 2099.
// With `mesPrimero` (locales that write month/day/year) a full date is read as "mm/dd/yyyy".
// An invalid date when the text is not a date.
QDate LeerCaducidad(const QString &texto, bool mesPrimero = false);
