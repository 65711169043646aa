#pragma once

#include "core/loading/FiltroCargas.h"
#include "ui/shell/TPantalla.h"

#include <optional>

class QComboBox;
class TComboCategorias;
class QLineEdit;
class QModelIndex;
class QTableView;
class TListadoRejilla;
class TModeloCargas;

// "CARGAS": every stored load with its delivery situation, filtered by the dates it was made, a
// patient, a load number, the situation and the patient's category, read a page at a time. Prints
// the list, reprints a load's labels, opens a load in the validation dialog (double click) and
// deletes a load that has not left the pharmacy. A filter field that cannot be read is reported
// and focused, and the list stays as it was. Carries the inquiries' side menu.
class TFormCargas : public TPantalla
{
    Q_OBJECT

public:
    explicit TFormCargas(QWidget *parent = nullptr);

    // The load of the current row; 0 when none.
    qint64 idSeleccionado() const;
    bool SeleccionarCarga(qint64 idRecarga);

    void btnFiltrarClick();
    void btnImprimirClick();
    void btnEtiquetasClick();
    void btnBorrarClick();
    void btnExportarClick();

protected:
    // The text filters are emptied, the categories read again and the list read with the rest.
    void AlMostrar() override;

private:
    // Reads the fields and shows the loads they pass, keeping the selected load; nothing (after
    // telling the user and focusing the field) when a field is refused.
    std::optional<TFiltroCargasLeido> Filtrar();
    void Releer();
    void grdCargasDblClick(const QModelIndex &indice);

    QLineEdit *m_edtFechaDesde;
    QLineEdit *m_edtFechaHasta;
    QLineEdit *m_edtPaciente;
    QLineEdit *m_edtRecarga;
    QComboBox *m_cmbSitEntrega;
    TComboCategorias *m_cmbCategoria;
    QTableView *m_grdCargas;
    TModeloCargas *m_modelo;
    TListadoRejilla *m_listado;
};
