#pragma once

#include "core/audit/FiltroAuditoria.h"
#include "ui/shell/TPantalla.h"

#include <optional>

class QComboBox;
class QLineEdit;
class QTableView;
class TCampoFecha;
class TModeloAuditoria;

// "AUDITORIA": the audit log filtered by user, action, operation, result, patient and a range of
// days (the current month when shown), read a page at a time as the user scrolls, and printed as
// "LISTADO ACCESOS LOPD". A date that cannot be read, or an end before the start, is reported and
// focused, and the list stays as it was. Carries the inquiries' side menu.
class TFormAuditoria : public TPantalla
{
    Q_OBJECT

public:
    explicit TFormAuditoria(QWidget *parent = nullptr);

    void btnFiltrarClick();
    void btnImprimirClick();
    void btnExportarClick();

protected:
    // The lists read again (users, actions, and the words of the language in force), the dates
    // set to this month and the list read.
    void AlMostrar() override;

private:
    TCamposAuditoria Campos() const;
    // Reads the fields and shows the first page of the rows they pass; nothing (after telling the
    // user and focusing the field) when a date is refused.
    std::optional<TCamposAuditoria> Filtrar();

    QComboBox *m_cmbUsuario;
    QComboBox *m_cmbAccion;
    QComboBox *m_cmbOperacion;
    QComboBox *m_cmbResultado;
    QLineEdit *m_edtPaciente;
    TCampoFecha *m_fecInicio;
    TCampoFecha *m_fecFin;
    QTableView *m_grdAuditoria;
    TModeloAuditoria *m_modelo;
};
