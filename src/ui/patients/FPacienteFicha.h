#pragma once

#include "ui/i18n/TKelvoDlgForm.h"

class TMarcoFichaPaciente;

// The patient card as a dialog, "NUEVO PACIENTE" or "EDITAR PACIENTE": "ACEPTAR" closes it once the
// card is stored, "IMPRIMIR" stores and prints it, "CANCELAR" (or closing) leaves it unstored. A
// read-only card only closes.
class TFormPacienteFicha : public TKelvoDlgForm
{
    Q_OBJECT

public:
    // A new patient's card for 0, else the patient's.
    explicit TFormPacienteFicha(qint64 idPaciente, QWidget *parent = nullptr);

    TMarcoFichaPaciente &Marco() const { return *m_marco; }
    // The patient was stored from this card (by "ACEPTAR" or "IMPRIMIR").
    bool Guardada() const;

    void btnAceptarClick();
    void btnImprimirClick();
    void reject() override;

private:
    TMarcoFichaPaciente *m_marco;
};

// The card of a new patient, modal; true when the patient was stored.
bool FichaNuevoPaciente(QWidget *parent = nullptr);
// The card of a stored patient, modal; true when it was stored. A patient that no longer exists
// is reported and the card does not open.
bool FichaEditarPaciente(qint64 idPaciente, QWidget *parent = nullptr);
