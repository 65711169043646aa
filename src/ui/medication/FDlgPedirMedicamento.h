#pragma once

#include "core/medication/TPeticionMedicamento.h"
#include "ui/i18n/TKelvoDlgForm.h"

class QComboBox;
class QLineEdit;

// "INTRODUCIR MEDICAMENTO": asks for a medication (a product, an active ingredient or both),
// typed, scanned or chosen from the catalogue, with its lot and expiry. "ACEPTAR" closes it only
// when every rule of TPeticionMedicamento passes; the first refusal is shown and its field
// takes the focus.
class TDlgPedirMedicamento : public TKelvoDlgForm
{
    Q_OBJECT

public:
    // `esperado`: the code the caller expects (prefilled); 0 when any will do.
    explicit TDlgPedirMedicamento(qint64 esperado, QWidget *parent = nullptr);

    const TMedicamentoPedido &Pedido() const { return m_pedido; }

    void btnAceptarClick();

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    // A code box with the drop-down of its catalogue list, kept in step with each other.
    void Enlazar(QLineEdit *codigo, QComboBox *lista, bool principiosActivos);
    void ElegirCalendario();

    qint64 m_esperado;
    QLineEdit *m_edtCodigo;
    QComboBox *m_cmbMedicamento;
    QLineEdit *m_edtPrincipio;
    QComboBox *m_cmbPrincipio;
    QLineEdit *m_edtLote;
    QLineEdit *m_edtCaducidad;
    TMedicamentoPedido m_pedido;
};

// Opens the dialog; true, with the medication in `pedido`, when it was accepted.
bool PedirMedicamento(qint64 esperado, TMedicamentoPedido &pedido, QWidget *parent = nullptr);
