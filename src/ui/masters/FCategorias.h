#pragma once

#include "core/data/TablasMaestras.h"
#include "ui/shell/TPantalla.h"

#include <optional>

class QComboBox;
class QStandardItemModel;
class QTableView;

// The administration screen of the master lists: the entries of the list chosen in the (hidden)
// list selector, whose only list is the patients' categories, re-read whenever the screen is
// shown; created, edited and deleted through TDlgTabMaestras. A category some patient belongs to
// cannot be deleted.
class TFormCategorias : public TPantalla
{
    Q_OBJECT

public:
    explicit TFormCategorias(QWidget *parent = nullptr);

    void btnNuevoClick();
    void btnEditarClick();
    void btnBorrarClick();

    // Re-reads the list and selects the entry with this code (the first row when it is gone).
    void Refrescar(int codigoSeleccionar = 0);
    // The selected entry; none when the list is empty.
    std::optional<TEntradaMaestra> Seleccionada() const;

protected:
    void AlMostrar() override;

private:
    // The list worked on: the selector's position.
    int Lista() const;
    void SeleccionarFila(int fila);

    QList<TEntradaMaestra> m_entradas;
    QComboBox *m_cmbTabla;
    QTableView *m_grdTabla;
    QStandardItemModel *m_modelo;
};
