#pragma once

#include "core/stock/PendientesReceta.h"
#include "ui/shell/TPantalla.h"
#include "ui/stock/EntregaBlister.h"
#include "ui/stock/RejillaCargas.h"

#include <QDate>

#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

// "ENTREGA BLISTER" of the active category: the start dates of its loads waiting to be collected
// (the latest chosen), the loads of the chosen date, delivered by the code read from the blister's
// label (a click on a row puts its code in the field) or all at once, without audit rows; where
// stock is kept, the patients and the medications pending prescription for the next loads, each
// list printable; in developer mode, the category's stock printed too.
class TFormCategoriaEntrega : public TPantalla
{
    Q_OBJECT

public:
    explicit TFormCategoriaEntrega(QWidget *parent = nullptr);

    TEntregaBlister &Entrega() { return m_entrega; }
    // The start date whose loads are listed; invalid when the category has no load to deliver.
    QDate FechaElegida() const;

    void btnEntregarClick();
    void btnEntregarTodosClick();
    void btnImprimirPacientesClick();
    void btnImprimirMedicamentosClick();
    void btnImprimirStockClick();

signals:
    // "VOLVER": back to the category's screen.
    void volver();

protected:
    void AlMostrar() override;

private:
    // Re-reads the dates, choosing `elegida` while it still has loads (else the latest), and the
    // loads of the chosen date.
    void Refrescar(const QDate &elegida);
    void RefrescarCargas();
    void MostrarRecetas();
    // The active category; nothing when none was chosen.
    std::optional<int> Categoria() const;
    QString NombreCategoria() const;

    TEntregaBlister m_entrega;
    QList<TPendienteReceta> m_recetas;
    QLabel *m_lblCategoria;
    QListWidget *m_lstFechas;
    TRejillaCargas m_cargas;
    QLineEdit *m_edtCodigo;
    QWidget *m_pnlRecetas;
    QTableWidget *m_grdPacientes;
    QTableWidget *m_grdMedicamentos;
    QPushButton *m_btnImprimirStock;
};
