#pragma once

#include "ui/i18n/TKelvoDlgForm.h"

class QComboBox;
class QLineEdit;

// "INTRODUCIR RECETA": a prescription of the active patient (its date, a product or an active
// ingredient, and the doctor, the patient's by default). "ACEPTAR" closes it only when the
// prescription was stored; a refusal is shown and its field takes the focus.
class TDlgReceta : public TKelvoDlgForm
{
    Q_OBJECT

public:
    explicit TDlgReceta(QWidget *parent = nullptr);

    void btnAceptarClick();

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    void Llenar(QComboBox *lista, bool principiosActivos);
    void MostrarCalendario();

    QLineEdit *m_edtFecha;
    QComboBox *m_cmbMedicamento;
    QLineEdit *m_edtMedico;
    QComboBox *m_cmbPrincipio;
};

// Opens the dialog modally; true when a prescription was stored.
bool IntroducirReceta(QWidget *parent = nullptr);
