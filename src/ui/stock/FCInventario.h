#pragma once

#include "ui/i18n/TKelvoForm.h"

class QComboBox;
class QLineEdit;
class QRadioButton;
class QTableWidget;
class TListadoRejilla;

// The stock inquiry over all patients: filters by category, patient and medication, showing one
// row per stock row.
class TFormCInventario : public TKelvoForm
{
    Q_OBJECT

public:
    explicit TFormCInventario(QWidget *parent = nullptr);

    void btnFiltrarClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void edtCodigoExit();

    QComboBox *m_cmbCategoria;
    QLineEdit *m_edtReferencia;
    QLineEdit *m_edtNombre;
    QLineEdit *m_edtCodigo;
    QLineEdit *m_edtDescripcion;
    QRadioButton *m_rbMedicamentos;
    QTableWidget *m_grdInventario;
    TListadoRejilla *m_listado;
};
