#pragma once

#include "core/patients/EditorTratamiento.h"
#include "ui/i18n/TKelvoDlgForm.h"

class QCalendarWidget;
class TCampoMedico;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class TPanelDosis;
struct TNuevaLineaTratamiento;

// The treatment-line editor: a medication's line of the active patient's treatment, with its
// dose as units per time slot and a repetition, or as a weekly table, for medication that goes
// into the blister, and as free text for the rest. "ACEPTAR" checks and stores the line; a line
// that cannot be stored is reported and the editor stays open with what was typed. Read-only,
// it only shows a line.
class TDlgTratamientoEditarv2 : public TKelvoDlgForm
{
    Q_OBJECT

public:
    explicit TDlgTratamientoEditarv2(const TEntradaEditorTratamiento &entrada, QWidget *parent = nullptr);

    // The inputs; once the line is stored, with the stored start, end, dose, label dose and notes.
    const TEntradaEditorTratamiento &Entrada() const { return m_editor.Entrada(); }

    // Fills the controls from the inputs (also done on creation).
    void Abrir();
    void btnAceptarClick();

private:
    void Mostrar();
    void Leer();
    void Enfocar(const TErrorEditor &error);
    void EmblistableClick(bool si);
    void btnCalendarioClick(QLineEdit *campo, QPushButton *boton);

    TEditorTratamiento m_editor;
    QLineEdit *m_edtCodigo;
    QLineEdit *m_edtMedicamento;
    QWidget *m_pnlStock;
    QLineEdit *m_edtLote;
    QLineEdit *m_edtCaducidad;
    QLineEdit *m_edtCantidad;
    TCampoMedico *m_cmbMedico;
    QLineEdit *m_edtInicio;
    QPushButton *m_btnCalendarioInicio;
    QLineEdit *m_edtFin;
    QPushButton *m_btnCalendarioFin;
    QCalendarWidget *m_calendario;
    QLineEdit *m_campoCalendario = nullptr;
    QRadioButton *m_rbSpdSi;
    QRadioButton *m_rbSpdNo;
    TPanelDosis *m_pnlDosis;
    QWidget *m_pnlEtiqueta;
    QLineEdit *m_edtDosisEtiqueta;
    QWidget *m_pnlLibre;
    QLineEdit *m_edtDosisLibre;
    QPlainTextEdit *m_memNotas;
};

// Shows the editor modally with its caption and controls filled from its inputs; true when it was
// closed with "ACEPTAR" (the line stored, or only shown when read-only).
bool EditarTratamiento(TDlgTratamientoEditarv2 &editor);

// The editor on the given inputs: "MODIFICAR" on the treatment list (EntradaDeFila), a version's
// line read-only from the history; true when accepted.
bool EditarLineaTratamiento(const TEntradaEditorTratamiento &entrada, QWidget *parent);

// The editor prefilled for a medication the patient has no line for, as the stock entry opens it
// (TAltaStock::TEditorLinea); true when the line was stored.
bool EditarNuevaLinea(const TNuevaLineaTratamiento &nueva, QWidget *parent);
