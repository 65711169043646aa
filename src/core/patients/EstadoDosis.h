#pragma once

#include "core/dosing/UDispenserTypes.h"

#include <QDate>
#include <QString>

#include <array>
#include <optional>

// The dose choices of the treatment-line editor and the dose text they stand for: units per time
// slot with a fraction and a repetition rule ("DIAS"), or a weekly table of 28 cells ("SEMANAL").

inline constexpr int kDiasTabla = 7;

enum class TModoDosis { Dias, Semanal };
enum class TPeriodicidad { Diaria, Semanal, Mensual };
enum class TOpcionDiaria { Ninguna, Cada, PorCada };
enum class TOpcionMensual { Ninguna, ElDia, El };
// The six fraction choices, in the order the editor lists them: blank, 1/4, 1/2, 3/4, 1/3, 2/3.
enum class TFraccion { Ninguna, Cuarto, Medio, TresCuartos, Tercio, DosTercios };

// The code written after the comma for a fraction choice ("" for none, "25", "5" ...).
QString CodigoFraccion(TFraccion fraccion);

// The editor's fields a failed check sends the user to.
enum class TCampoEditor {
    Ninguno,
    Inicio,
    Fin,
    FraccionDesayuno,
    OpcionDiaria,
    CadaDias,
    DiasToma,
    DiasDescanso,
    CadaSemanas,
    DiasSemana,
    OpcionMensual,
    DiaMes,
    CadaMesesDia,
    Ordinal,
    DiaPosicion,
    CadaMesesPosicion,
    Tabla,
};

// A check that failed: the message to show and the field that gets the focus (for the table,
// the cell at fault when there is one).
struct TErrorEditor
{
    QString Mensaje;
    TCampoEditor Campo = TCampoEditor::Ninguno;
    int Celda = -1;
};

// What the dose controls hold. Counts typed into number fields are kept as typed; the checks read
// them.
struct TControlesDosis
{
    TModoDosis Modo = TModoDosis::Dias;

    // "DIAS": one counter and fraction per slot, in slot order, and the repetition.
    std::array<int, kTomasDia> Unidades {};
    std::array<TFraccion, kTomasDia> Fracciones {};
    TPeriodicidad Periodicidad = TPeriodicidad::Diaria;
    TOpcionDiaria OpcionDiaria = TOpcionDiaria::Ninguna;
    QString CadaDias; // "CADA" n "DIAS"
    QString DiasToma; // "POR CADA" t "DIAS DE TOMA" r "DE DESCANSO"
    QString DiasDescanso;
    QString CadaSemanas; // "REPETIR CADA" n "SEMANAS LOS :" and the days, Monday first
    std::array<bool, kDiasTabla> DiasSemana {};
    TOpcionMensual OpcionMensual = TOpcionMensual::Ninguna;
    QString DiaMes; // "EL DIA" d "DE CADA" n "MESES"
    QString CadaMesesDia;
    int Ordinal = 0; // "EL" 1 "PRIMER" ... 5 "ULTIMO" (0: none chosen)
    int DiaPosicion = 0; // 1 "LUNES" ... 7 "DOMINGO", 8 "DIA" (0: none chosen)
    QString CadaMesesPosicion;

    // "SEMANAL": the cells as typed in cell order (an empty cell is 0), and the counter and
    // fraction that a double-click writes into cells.
    std::array<QString, kCeldasSemana> Celdas;
    int UnidadesTabla = 0;
    TFraccion FraccionTabla = TFraccion::Ninguna;

    bool operator==(const TControlesDosis &) const = default;
};

// The dose controls of one treatment line, opened from its stored dose text.
//
// While the controls still describe what was opened, the text given back is the stored text
// itself, character for character, so a line accepted without touching its dose keeps it (also a
// stored text the controls cannot show in full).
class TEstadoDosis : public TControlesDosis
{
public:
    // The dose stored for a line entered as not going into the blister.
    static const QString kDosisSinBlister; // "0-0-0-0:0"

    TEstadoDosis() = default;

    // The controls for a stored dose. When the line was stored as not going into the blister
    // (its DosisS1 is "0-0-0-0:0" and differs from the dose) the dose is taken as "0-0-0-0:0":
    // there is no blister dose to keep.
    static TEstadoDosis Abrir(const QString &dosis, const QString &dosisS1 = {});
    // Whether Abrir replaces the dose for that reason (the editor then empties the label dose).
    static bool GuardadaSinBlister(const QString &dosis, const QString &dosisS1);

    // The dose the controls were opened on.
    const QString &AlAbrir() const { return m_alAbrir; }
    // Whether the opened text was understood in full.
    bool Legible() const { return m_legible; }
    // Whether the controls describe a dose other than the one opened.
    bool Cambiada() const;

    // The dose text the controls describe.
    QString Construir() const;
    // The text to store: the opened text while the dose was not changed, else Construir().
    QString Texto() const;

    // The checks of the dose, for a line from `inicio` to `fin` (invalid: no end); nothing when
    // it may be stored. An unchanged stored text the controls cannot show is not checked: it is
    // kept as it is.
    std::optional<TErrorEditor> Validar(const QDate &inicio, const QDate &fin) const;

    // Counters: plus without bound, minus never below 0. `toma` from 0 (breakfast) to 3.
    void Sumar(int toma);
    void Restar(int toma);
    void SumarTabla();
    void RestarTabla();

    // What a double-click writes into a cell: the table counter and its fraction code ("1,5");
    // empty for 0.
    QString ValorTabla() const;
    // Double-clicks on the table: one cell, a day's four cells (`dia` 0 Monday ... 6 Sunday),
    // a slot's seven cells.
    void LlenarCelda(int dia, int toma);
    void LlenarDia(int dia);
    void LlenarToma(int toma);

private:
    std::optional<TErrorEditor> ValidarDias() const;
    std::optional<TErrorEditor> ValidarPeriodicidad() const;
    std::optional<TErrorEditor> ValidarTabla() const;
    // A dose that takes on no day of the line's dates expands to nothing.
    std::optional<TErrorEditor> ValidarFechas(const QDate &inicio, const QDate &fin) const;
    bool TablaTomaEntre(const QDate &inicio, const QDate &fin) const;
    bool ConservaGuardada() const;

    QString m_alAbrir;
    QString m_construidaAlAbrir;
    bool m_legible = true;
    bool m_conservable = false; // the opened text is a stored blister dose
};
