#pragma once

#include "core/medication/TDatosMedicamento.h"

#include <QString>

#include <optional>

class TDM;

// What entering stock needs of a catalogue entry.
struct TFichaMedicamento
{
    bool Definido = false;
    bool SPD = false;
    int Unidades = 0; // units per box
    QString Nombre; // displayed name
};

// Rules of the medication catalogue (table Medicamento) that the list and the editor apply.
class TCatalogoMedicamentos
{
public:
    explicit TCatalogoMedicamentos(TDM &dm)
        : m_dm(dm)
    { }

    // Why the medication cannot be deleted (only entries created here, and only while no stock
    // row, prescription, treatment line, load line or treatment version names it, also as the
    // real product); empty when it can.
    QString MotivoBorradoImposible(qint64 idMedicamento);
    // Deletes the medication; throws AppError with the reason when it cannot be deleted.
    void BorrarMedicamento(qint64 idMedicamento);
    bool Existe(qint64 idMedicamento);
    // The entry's completion, blister flag, units per box and displayed name; nothing when the
    // code is not in the catalogue.
    std::optional<TFichaMedicamento> Ficha(qint64 idMedicamento);
    // Checks the editor's data (ErrorMedicamento) and stores it as a completed entry: a new
    // entry is created as the pharmacy's own; a catalogue entry keeps its code, price, name and
    // description. Throws AppError with the message when the data is refused; nothing is written.
    void GuardarMedicamento(const TDatosMedicamento &datos, bool nuevo, bool conInventario);

    // The message for a text that holds a separator of the machine protocol (";" or "|");
    // empty when the text can be stored.
    static QString ErrorSeparador(const QString &texto);
    // The code typed for a new entry as a number from 1 to 999999; the message when it is not.
    static QString ErrorCodigoNuevo(const QString &texto);
    // The in-use check: 1 when a stock row, prescription, treatment line, load line or treatment
    // version names the medication, 0 otherwise; every "?" takes the medication's code.
    static QString SentenciaEnUso();

private:
    bool EnUso(qint64 idMedicamento);

    TDM &m_dm;
};
