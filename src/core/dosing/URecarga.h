#pragma once

#include "core/dosing/UDispenserTypes.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

// The in-memory load: one week's blister for one patient, as an ordered list of portions (one
// per medication and portion size). The load owns its portions.
class TRecarga
{
public:
    quint8 Estado = 0; // 0 built, 2 while a portion is being placed, 4 after a restart
    qint32 Humedad = 0;
    qint32 Temperatura = 0;
    // The medications of blister lines whose dose gives nothing in any week (no take, or a text
    // that cannot be read): nothing of them is placed, so the load's checks name them.
    QStringList SinDosis;
    // The treatment lines that give no portion: the blister lines named in SinDosis, and lines
    // given apart whose dose holds no value ("0-0-0-0:0"). Each is kept as a portion with its
    // texts, never expanded (SinExpandir), so that a listing of the patient's medication (the
    // administration chart) still shows it with its dose text.
    QList<TDosis> SinPorcion;

    void Vaciar();
    int Count() const { return static_cast<int>(m_lineas.size()); }
    // The portion at the index, or nullptr outside 0 .. Count() - 1.
    TDosis *Linea(int indice) const;
    void Add(std::unique_ptr<TDosis> porcion);
    // Index of the first portion not completed, -1 when all are.
    int PrimeraPendiente() const;
    bool Completa() const { return PrimeraPendiente() == -1; }
    // Marks the first portion not completed, and the load, as being placed; nullptr (and no
    // change) when every portion is completed.
    TDosis *Siguiente();
    // Every portion back to its plan and marked restarted, and the load too.
    void Reiniciar();

private:
    std::vector<std::unique_ptr<TDosis>> m_lineas;
};

// One treatment line in force in the load's window, with its medication's fields: a row of
// the plan query, in the order the query gives (blister lines first, then by volume).
struct TFilaPlan
{
    qint32 id = 0;
    qint64 idMedicamento = 0;
    std::optional<int> SPDP; // the line's own blister override, when set
    bool SPD = false; // the medication's blister flag
    double Cantidad = 0.0; // stock on hand for the line, in whole pills
    QString Dosis;
    std::optional<QString> DosisEtiqueta;
    QString DosisS1;
    QDate Inicio; // null: no start
    QDate Fin; // null: no end
    std::optional<QString> Lote;
    QDate Caducidad;
    QString Medico;
    QString Medicamento;
    QString Descripcion;
    QString DescUsuario;
    QString Forma;
    QString Color;
    bool Comprimido = true;
};

// The medication's name as the portions of a line carry it: the user's description, else the
// medication's name and description.
QString NombreLinea(const TFilaPlan &fila);

// The dose stored for a line that was entered as not going into the blister.
inline const QString kDosisNoBlister = QStringLiteral("0-0-0-0:0");
// The dose shown for such a line whose medication now goes into the blister.
inline const QString kDosisEmblistable = QStringLiteral("EMBLISTABLE");

// Empties the load and fills it from the plan rows for the window (`desde` to `hasta`, at most
// seven days; the seven days from `desde` are expanded). Each line gives its thirds, quarters,
// halves and wholes portions, in that order; the fraction portions of a line with wholes are
// covered by its stock first, and the wholes get what remains. Stock is counted in hundredths.
void ConstruirCarga(TRecarga &carga, const std::vector<TFilaPlan> &filas, const QDate &desde,
                    const QDate &hasta);
