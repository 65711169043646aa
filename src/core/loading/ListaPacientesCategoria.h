#pragma once

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

class TDM;

// The patient list of the category load screen: every active patient of the category with the
// state of that patient's load for the week from one date.

// List codes (EstadoCode) of a row, from the state of the patient's load.
namespace EstadoCodeLista {
inline constexpr int kOtro = -1; // a state the list does not name (6, 9 and above)
inline constexpr int kPendiente = 0; // the run loads it
inline constexpr int kCargando = 1;
inline constexpr int kCompletado = 2; // the week's load is stored
inline constexpr int kInsuficiente = 3; // not enough stock, or expired stock, with stock control
inline constexpr int kMalDefinido = 4;
} // namespace EstadoCodeLista

// The list code of a load state: 2 loading, 3 completed, 5 insufficient (pending without stock
// control), 8 badly defined, 0, 1, 4 and 7 pending; any other state -1.
int EstadoCode(quint8 estado, bool conInventario);

// How a row is drawn.
enum class TColorFila {
    Normal,
    Completado, // green: the week's load is stored
    Incorrecto, // red: expired, insufficient or badly defined medication
};

struct TFilaPacienteCategoria
{
    QString RefPaciente;
    QString Nombre;
    QString Estado; // the state's text
    // hidden
    qint64 IdPaciente = 0;
    QDate FechaCarga; // the start of the week evaluated
    int EstadoCode = EstadoCodeLista::kPendiente;
    bool Icorrect = true;

    TColorFila Color() const;
};

// The row of one patient for the week from `fecha`, or nothing when the patient has neither a
// load stored for that day nor anything to load that week. The patient becomes the active
// patient and the treatment lines' stock figures are recomputed, as the load screen does before
// building a load. A database failure is raised.
std::optional<TFilaPacienteCategoria> EvaluarPaciente(TDM &dm, qint64 idPaciente, const QDate &fecha);

// The rows of the category's active patients admitted on or before `fecha`, by reference. A
// database failure is raised.
QList<TFilaPacienteCategoria> ListarPacientes(TDM &dm, int codCategoria, const QDate &fecha);

// The start dates of the category's stored loads ("CARGAS ANTERIORES"), newest first. A database
// failure is raised.
QList<QDate> CargasAnteriores(TDM &dm, int codCategoria);

// The date the list is built for from the start field: the field's date; the category's proposed
// date when the field is empty; today when it holds something that is not a date.
QDate FechaListaCategoria(TDM &dm, int codCategoria, const QString &textoFecha);

// The stock figure (Cantidad) of each of the patient's treatment lines, by line: the Inventario
// column of the category screen's medication grid. A database failure is raised.
QHash<qint32, double> CantidadesTratamiento(TDM &dm, qint64 idPaciente);

// The list's columns that sort it.
enum class TColumnaPacientes { Referencia, Nombre, Estado };

// Sorts the rows by the column's text, without regard to case; rows that compare equal keep
// their order.
void OrdenarPacientes(QList<TFilaPacienteCategoria> &filas, TColumnaPacientes columna, bool descendente);
