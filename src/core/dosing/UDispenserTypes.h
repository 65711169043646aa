#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringView>

#include <array>
#include <span>

// The dose text of a treatment line and its expansion into the 28 cells of a weekly blister.
//
// A week is 7 days of 4 time slots; cell index = (weekday - 1) * 4 + (slot - 1), Monday first,
// whatever day the load starts on. Dates are calendar days; a null QDate stands for the stored
// day number 0 ("no date"): a treatment without a start never applies, one without an end runs
// until 3000 days after today.

// One count per blister cell.
using TArrayPastillas = QList<qint32>;

inline constexpr int kCeldasSemana = 28;
inline constexpr int kTomasDia = 4;

// Time slots of a day, in cell order.
enum class TToma { Desayuno = 1, Comida = 2, Cena = 3, Noche = 4 };

// Size of one unit of a portion in whole pills. A third is the decimal 0.33, not 1/3: every
// quantity computed from a count of thirds uses it.
inline constexpr double kPorcionEntera = 1.0;
inline constexpr double kPorcionMedia = 0.5;
inline constexpr double kPorcionCuarto = 0.25;
inline constexpr double kPorcionTercio = 0.33;

// The dose text stored for a line without quantities.
inline const QString kDosisVacia = QStringLiteral(" - - - : ");
// A split list in the repetition form whose four counts are all zero.
inline const QString kListaPautaVacia = QStringLiteral("0-0-0-0");

// Returns the text before the first separator and leaves what follows it in `texto`. Without
// a separator the whole text is returned and `texto` becomes empty.
QString CortarHasta(QString &texto, const QString &separador);

// The older form of "every n days": a rule that is a single digit from 1 to 7.
bool EsReglaDeDigito(QStringView cabeza);

// The values of a dose split into one list of whole counts per portion size, each joined by
// "-" with one count per value, in the order of the values.
struct TListasPorcion
{
    QString Enteros;
    QString Medios;
    QString Cuartos;
    QString Tercios;
};

// Splits the four values of a repetition-form dose (the text before its first ":"; missing
// values are empty). The fraction codes are ",25", ",5", ",75", ",33" and ",66"; any other
// code counts as no fraction.
TListasPorcion DividirPauta(const QString &valores);
// Splits the 28 values of a weekly-table dose; there ",50" means a half as well.
TListasPorcion DividirTabla(const QString &valores);

// Whether a dose text can give takes at all: every value a count with a fraction code of its
// form, and a rule read in full (every count of the rule from 1, at least one weekday for a
// weekly rule, a day of month from 1 to 31, an ordinal from 1 to 5 and a weekday from 1 to 8).
// A text that is not legible never places anything.
bool DosisLegible(const QString &dosis);

// Sum of the counts of a "-"-separated list; an item that is not a whole number counts 0.
int SumaLista(const QString &lista);

// True when every entry is 0, also for an empty array.
bool EsArrayVacio(const TArrayPastillas &cuentas);

// A repetition rule read from the text after the values. A rule that is not recognised or is
// malformed is read as `Nunca`: it never applies.
struct TReglaPauta
{
    enum class TTipo : quint8 { Nunca, CadaDias, TomaDescanso, Semanas, DiaDelMes, PosicionDelMes };
    TTipo Tipo = TTipo::Nunca;
    int Cada = 0; // days, weeks or months from one take to the next, from 1
    int Toma = 0; // days of taking before the rest, from 1
    int Descanso = 0; // days of rest after the days of taking
    quint8 Dias = 0; // weekdays of a weekly rule: bit 0 Monday ... bit 6 Sunday
    int Dia = 0; // day of the month
    int Ordinal = 0; // position in the month: 1 to 4, 5 and above the last
    int DiaSemana = 0; // weekday of that position, 1 Monday ... 7 Sunday, 8 a day of the month
};

// A dose text read once, so that it is expanded over any number of days or weeks without
// reading the text again.
struct TDosisLeida
{
    bool Tabla = false; // a weekly table: 28 cells, no rule; otherwise four slots and a rule
    bool Legible = false; // every count read: a dose whose counts cannot be read places nothing
    std::array<qint32, kCeldasSemana> Cuentas {}; // of a repetition form, the first four
    TReglaPauta Regla;
};

// Reads the rule after the values of a repetition-form dose ("D:D:1").
TReglaPauta LeerReglaPauta(QStringView regla);
// Reads a repetition-form dose (values ":" rule), as ExpandirSemanaPauta reads it.
TDosisLeida LeerDosisPauta(QStringView dosis);
// Reads one split list of a weekly table, as ExpandirSemanaTabla reads it.
TDosisLeida LeerDosisTabla(QStringView lista);

// The last day of a treatment: `fin`, or 3000 days after today for a treatment without an end.
QDate FinEfectivo(const QDate &fin);

// The days a dose is expanded over: the treatment from `Inicio` to `Fin` (its end already
// resolved by FinEfectivo, so that a week asks the clock once) and the load window.
struct TVentanaDosis
{
    QDate Inicio;
    QDate Fin;
    QDate Desde;
    QDate Hasta;
};

// A week expanded into cells, without text: 28 counts, Monday first, and the units of the week.
struct TSemanaCeldas
{
    std::array<qint32, kCeldasSemana> Celdas {};
    int Cuenta = 0;
};

// Whether a repetition rule applies on the date.
bool TomaEnFecha(const TReglaPauta &regla, const TVentanaDosis &ventana, const QDate &fecha);
// Expands a dose read once over the 7 days from `ventana.Desde`. A repetition form applies on
// the days its rule takes; a weekly table on every day of the treatment (from always for a
// treatment without a start).
TSemanaCeldas ExpandirSemana(const TDosisLeida &dosis, const TVentanaDosis &ventana);
// The week as it is stored: each count followed by ";".
QString TextoSemana(const TSemanaCeldas &semana);

// Whether a repetition-form dose (values ":" rule) applies on the date, for a treatment from
// `inicio` to `fin` (null: no end) and a load window from `desde` to `hasta`. A rule that is
// not recognised or is malformed never applies.
bool TomaEnFecha(const QString &dosis, const QDate &inicio, const QDate &fin, const QDate &desde,
                 const QDate &hasta, const QDate &fecha);

// A week expanded into cells: `Lista` holds 28 counts each followed by ";", Monday first, and
// `Cuenta` the units of the week.
struct TSemana
{
    QString Lista;
    int Cuenta = 0;
};

// Expands one split list with its rule ("0-0-1-0:D:D:1") over the 7 days from `desde`.
TSemana ExpandirSemanaPauta(const QString &dosis, const QDate &inicio, const QDate &fin, const QDate &desde,
                            const QDate &hasta);
// Expands one split list of a weekly table (28 counts from 0 to 9 joined by "-") over the
// 7 days from `desde`. A list that is not 28 such counts expands to nothing.
TSemana ExpandirSemanaTabla(const QString &lista, const QDate &inicio, const QDate &fin, const QDate &desde,
                            const QDate &hasta);

// A stock quantity in whole hundredths of a pill. Quantities are compared in hundredths so that
// 21 thirds (21 x 0.33) are exactly 6.93 pills, as the pharmacist counts them. A value that is
// not a number counts as nothing.
qint64 EnCentesimas(double cantidad);

// Codes of `TDosis::Estado`. While a portion is being placed the field also holds the status
// code the dispenser reports.
namespace EstadoDosis {
inline constexpr quint8 kNuevo = 0;
inline constexpr quint8 kPendiente = 1;
inline constexpr quint8 kCargando = 2;
inline constexpr quint8 kCompletado = 3;
inline constexpr quint8 kReiniciado = 4;
inline constexpr quint8 kInsuficiente = 5;
inline constexpr quint8 kSpdMal = 8;
} // namespace EstadoDosis

// One medication portion of one load: one portion size of one treatment line with its planned
// and current cell counts, carried through the load and the exchange with the dispenser.
class TDosis
{
public:
    explicit TDosis(double porcion = kPorcionEntera);

    qint64 IdMedicamento = 0;
    qint32 IdLinea = 0;
    bool EsSPD = false;
    QString ListaSemana; // 28 counts, each followed by ";"
    QString Dosis;
    QString DosisEtiqueta;
    QString Aspecto;
    QString Lote;
    QString Caducidad;
    TArrayPastillas Plan;
    TArrayPastillas Actual;
    double Disponible = 0.0;
    qint32 Carga = 0;
    qint32 SumaActual = 0;
    qint32 Cargadas = 0;
    qint32 NumCeldas = kCeldasSemana;
    QString AspectoCorto;
    QString Nombre;
    double Porcion;
    quint8 Estado = EstadoDosis::kNuevo;
    QString Medico;

    // Stores a count in a cell of `Actual` and adds it to `SumaActual`; other indexes are ignored.
    void SetCelda(int indice, qint32 cuenta);
    // Reads counts separated by ";" (a final ";" allowed) into cells 0, 1, 2 ...; later cells
    // keep their values. Unless `soloActual`, the result also becomes the plan. A list with an
    // item that is not a whole number changes nothing and returns false.
    bool AsignarLista(const QString &lista, bool soloActual);
    // Takes the counts as the plan and the current cells, and their sum as the load.
    void AsignarPlan(std::span<const qint32> cuentas);
    // Takes the counts reported by the dispenser as the current cells; an empty array is ignored.
    void AsignarArray(const TArrayPastillas &cuentas);
    // Back to the plan, nothing placed.
    void Reiniciar();
    void ActualizarEstado();
    void VaciarActual();
    // What is still to place, cell by cell, joined by ";" (the current counts when nothing
    // differs from the plan).
    QString ListaPendiente() const;
    bool ActualIgualPlan() const;
    // True when the portion's week was never expanded (a dose not defined for the blister):
    // its `Carga` of -1 is a marker, not a quantity.
    bool SinExpandir() const { return Carga < 0; }

private:
    void AsignarCuentas(std::span<const qint32> cuentas);
};
