#pragma once

#include <QDate>
#include <QHash>
#include <QStringList>

#include <optional>

class QLabel;
class QTableWidget;
class QWidget;
class TSesionCarga;

// What the patient and the category load screens show alike: the medication grids filled from
// the session's load, the state and connection labels, and the calendar of a date field.
namespace RejillasCarga {

// Columns of the medication grid; from kColDosis on they are hidden (the category screen shows
// kColInventario after the medication).
enum ColumnaMedicamento {
    kColSPD,
    kColMedicamento,
    kColCarga,
    kColFalta,
    kColEstado,
    kColDosis,
    kColDisponible,
    kColPorcion,
    kColDescripcion,
    kColPosologia,
    kColIcorrect,
    kColIdMedicamento,
    kColInventario,
    kColumnasMedicamento
};

// A read-only grid of whole rows whose titles are the data fields' display labels ("-" and the
// field's name). The columns fit their contents and the name column (`columnaNombre`) takes the
// room that is left, so a name is not cut short by a wide state column.
QTableWidget *Rejilla(QWidget *padre, const char *nombre, const QStringList &campos, int columnaNombre);
// The medication grid ("grdMedicamentos") and the other medication grid ("grdOtros").
QTableWidget *RejillaMedicamentos(QWidget *padre);
QTableWidget *RejillaOtros(QWidget *padre);

// Fills both grids with the session's load (rows not correct in red; a medication's whole name
// also as the tooltip of its cell) and selects the portion the machine works on. `inventario` gives the
// Inventario column by treatment line.
void LlenarRejillas(QTableWidget &medicamentos, QTableWidget &otros, const TSesionCarga &sesion,
                    const QHash<qint32, double> &inventario = {});

// The state label's text for EstadoUI.
QString TextoEstadoUI(int estado);
// The connection label: "CONECTADO" in white on green, or "DESCONECTADO".
void MostrarConexion(QLabel &etiqueta, bool conectado);

// A month calendar on the date; a double-click (or Enter) on a day chooses it.
std::optional<QDate> ElegirFecha(QWidget *padre, const QDate &fecha);

} // namespace RejillasCarga
