#pragma once

#include "ui/shell/TPantalla.h"

class QLineEdit;
class QTableView;
class TModeloTrazabilidad;

// The traceability view: where the units of one medication (and optionally one lot) are now, per
// patient: in stock, in a blister waiting to be collected, delivered or returned. Opens empty each
// time it is shown, lists a page at a time on "FILTRAR" and prints the list as the report
// "TRAZABILIDAD DE MEDICAMENTOS". Reads only.
class TFormCTrazabilidad : public TPantalla
{
    Q_OBJECT

public:
    explicit TFormCTrazabilidad(QWidget *parent = nullptr);

    void btnFiltrarClick();
    void btnImprimirClick();
    void btnExportarClick();

protected:
    void AlMostrar() override;

private:
    void edtCodigoExit();

    QLineEdit *m_edtCodigo;
    QLineEdit *m_edtLote;
    QTableView *m_grdTrazabilidad;
    TModeloTrazabilidad *m_modelo;
};
