#pragma once

#include "core/stock/CalculoNecesidades.h"
#include "ui/i18n/TKelvoForm.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class TPanelFaltas;
class TRejillaPacientesNecesidad;

// "NECESIDADES": for the patients chosen in a category and the weeks typed, what the coming
// loads need, what each patient's stock covers and what to order; the order list, the planned
// loads and the missing medications are printed, and the boxes that arrive are handed out.
// In the United Kingdom (no stock kept) it shows only what the loads need.
class TFormNecesidades : public TKelvoForm
{
    Q_OBJECT

public:
    explicit TFormNecesidades(QWidget *parent = nullptr);

    void cmbCategoriaChange();
    void btnCalcularClick();
    void btnCargasClick();
    void btnFaltasClick();
    void btnNecesariosClick();
    void btnImprimirClick();

    const TResultadoNecesidades &Resultado() const { return m_resultado; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void MostrarBotonesImpresion();

    QComboBox *m_cmbCategoria;
    QCheckBox *m_chkTodos;
    TRejillaPacientesNecesidad *m_grdPacientes;
    QLineEdit *m_edtSemanas;
    QPushButton *m_btnCargas;
    QPushButton *m_btnFaltas;
    QPushButton *m_btnNecesarios;
    QPushButton *m_btnImprimir;
    TPanelFaltas *m_faltas;
    TResultadoNecesidades m_resultado;
    bool m_conStock = true; // the country of the last calculation keeps stock
};
