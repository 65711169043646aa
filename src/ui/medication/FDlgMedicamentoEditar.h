#pragma once

#include "core/medication/TDatosMedicamento.h"
#include "ui/i18n/TKelvoDlgForm.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// The medication editor: completes a catalogue entry (user description, blister decision and its
// details) or creates one of the pharmacy's own. "ACEPTAR" stores it only when every check
// passes; the first failure is shown as an error and nothing is written.
class TDlgMedicamentoEditar : public TKelvoDlgForm
{
    Q_OBJECT

public:
    // Opens on the medication with the code, or on a new entry when `codigo` is 0.
    explicit TDlgMedicamentoEditar(qint64 codigo, QWidget *parent = nullptr);

    void btnAceptarClick();
    // The code of the entry as typed or opened.
    qint64 Codigo() const;

private:
    void Cargar(qint64 codigo);
    void EmblistableClick(bool si);
    void MostrarCodigoBarras();
    TDatosMedicamento Datos() const;

    bool m_nuevo;
    QLineEdit *m_edtCodigo;
    QLabel *m_imgCodigoBarras;
    QLineEdit *m_edtPVP;
    QLineEdit *m_edtNombre;
    QLineEdit *m_edtDescripcion;
    QLineEdit *m_edtDescUsuario;
    QRadioButton *m_rbSpdSi;
    QRadioButton *m_rbSpdNo;
    QRadioButton *m_rbPrincipioSi;
    QGroupBox *m_grpDetalle;
    QRadioButton *m_rbComprimido;
    QComboBox *m_cmbForma;
    QComboBox *m_cmbColor;
    QComboBox *m_cmbVolumen;
    QLineEdit *m_edtUnidades;
};
