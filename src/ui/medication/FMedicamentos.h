#pragma once

#include "ui/i18n/TKelvoForm.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSortFilterProxyModel;
class QSqlQueryModel;
class QTableView;
class TBanderaPais;
class TListadoRejilla;

// The medications list: the catalogue with its displayed names, filtered by own entries and by
// the beginning of the name, a code box that finds a row (scanned codes are cut to the national
// code), the editor for a new or the selected entry, and the deletion of own entries no table
// uses. It is an administration screen: the side menu and the country's flag are shown.
class TFormMedicamentos : public TKelvoForm
{
    Q_OBJECT

public:
    explicit TFormMedicamentos(QWidget *parent = nullptr);

    // Re-reads the list with the filters and keeps the current code selected when it is still
    // there.
    void Refrescar();
    // The code of the selected row; 0 when none.
    qint64 CodigoSeleccionado() const;

    void btnNuevoClick();
    void btnEditarClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void edtCodigoChange(const QString &texto);
    void edtCodigoExit();
    void btnBorrarClick();
    bool SeleccionarCodigo(qint64 codigo);

    QComboBox *m_cmbPropios;
    QLineEdit *m_edtNombre;
    QLineEdit *m_edtCodigo;
    QTableView *m_grdMedicamentos;
    QSqlQueryModel *m_modelo;
    QSortFilterProxyModel *m_orden;
    TListadoRejilla *m_listado;
    QPushButton *m_btnImprimir;
    TBanderaPais *m_imgBandera;
};
