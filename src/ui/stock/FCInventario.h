#pragma once

#include "core/stock/ConsultaInventario.h"
#include "ui/i18n/TKelvoForm.h"

#include <optional>

class QComboBox;
class QLineEdit;
class QRadioButton;
class QTableWidget;
class TListadoRejilla;

// The stock inquiry over all patients: filters by category, patient and medication, showing one
// row per stock row, and prints what it found as the report "INVENTARIO DE MEDICAMENTOS".
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
    // Runs the search and shows its rows; nothing when the filters were refused (said already).
    std::optional<QList<TFilaInventario>> Buscar();

    QComboBox *m_cmbCategoria;
    QLineEdit *m_edtReferencia;
    QLineEdit *m_edtNombre;
    QLineEdit *m_edtCodigo;
    QLineEdit *m_edtDescripcion;
    QRadioButton *m_rbPrincipios;
    QRadioButton *m_rbMedicamentos;
    QTableWidget *m_grdInventario;
    TListadoRejilla *m_listado;
};
