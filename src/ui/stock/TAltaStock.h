#pragma once

#include <QDate>
#include <QString>

#include <functional>
#include <optional>

class QWidget;
struct TEntradaStock;

// What the treatment-line editor is opened with when stock is entered for a medication the
// patient has no treatment line for.
struct TNuevaLineaTratamiento
{
    bool SPD = false; // the medication's blister flag
    qint64 idMedicamento = 0;
    QString Medicamento; // displayed name
    QString Lote;
    QDate Caducidad;
    int Unidades = 0;
    QString Medico; // the patient's doctor
};

// The stock row a box was entered as.
struct TStockAnadido
{
    qint64 idInventario = 0;
    qint64 idMedicamento = 0;
};

// Enters one box of a medication into a patient's stock: the "INTRODUCIR MEDICAMENTO" dialog,
// the right of the user's profile, then one stock row holding the box's units (corrected later
// with "MODIFICAR" when the box is not full) and the treatment line's summary.
class TAltaStock
{
public:
    // Opens the treatment-line editor prefilled; true when a line was stored.
    using TEditorLinea = std::function<bool(const TNuevaLineaTratamiento &)>;

    TAltaStock(qint64 idPaciente, QWidget *parent)
        : m_idPaciente(idPaciente)
        , m_parent(parent)
    { }

    // On the treatment screen a medication not yet completed is completed in the catalogue's
    // editor first, and one the patient has no line for gets its line in `editor` first.
    void CompletarAntes(TEditorLinea editor)
    {
        m_completar = true;
        m_editorLinea = std::move(editor);
    }

    // Stores the row in place of TInventario::AltaStock, for an entry that must be kept together
    // with another change (a prescription dispensed); returns the new row, throws when refused.
    using TGuardar = std::function<qint64(const TEntradaStock &)>;
    void GuardarCon(TGuardar guardar) { m_guardar = std::move(guardar); }

    // `esperado`: the medication to enter (0: any). The new row; nothing when nothing was entered
    // (cancelled, refused or not stored; the reason has been shown).
    std::optional<TStockAnadido> Ejecutar(qint64 esperado = 0);

private:
    bool CompletarMedicamento(qint64 idMedicamento);

    qint64 m_idPaciente;
    QWidget *m_parent;
    bool m_completar = false;
    TEditorLinea m_editorLinea;
    TGuardar m_guardar;
};
