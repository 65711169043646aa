#pragma once

#include "core/stock/ConsultaInventario.h"
#include "ui/i18n/TKelvoForm.h"

class QComboBox;
class QLineEdit;
class QRadioButton;
class QTableView;
class TListadoRejilla;
class TModeloInventario;

// The stock inquiry over all patients: filters by category, patient and medication, showing one
// row per stock row a page at a time, and prints every row it found as the report
// "INVENTARIO DE MEDICAMENTOS".
class TFormCInventario : public TKelvoForm
{
    Q_OBJECT

public:
    explicit TFormCInventario(QWidget *parent = nullptr);

    void btnFiltrarClick();
    void btnImprimirClick();
    void btnExportarClick();

private:
    void edtCodigoExit();
    // Runs the search and shows its first page; false when the filters were refused (said already).
    bool Buscar();

    QComboBox *m_cmbCategoria;
    QLineEdit *m_edtReferencia;
    QLineEdit *m_edtNombre;
    QLineEdit *m_edtCodigo;
    QLineEdit *m_edtDescripcion;
    QRadioButton *m_rbPrincipios;
    QRadioButton *m_rbMedicamentos;
    QTableView *m_grdInventario;
    TModeloInventario *m_modelo;
    TListadoRejilla *m_listado;
};
