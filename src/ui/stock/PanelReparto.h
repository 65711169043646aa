#pragma once

#include "core/stock/Necesidades.h"
#include "core/stock/RepartoCajas.h"

#include <QWidget>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class TCampoFecha;

// The distribution panel of the needs screens: the boxes of a medication that arrived, handed
// out to the patients that miss it ("REPARTIR"), and the list of what was handed out since a
// date ("IMPRIMIR"). The screen gives it the medication chosen and the patients missing it.
class TPanelReparto : public QWidget
{
    Q_OBJECT

public:
    explicit TPanelReparto(QWidget *parent = nullptr);

    // The patients to serve, in the order the screen shows them, and the planned lines (to warn
    // when the boxes expire before the first planned week ends).
    std::function<QList<TPacienteMedicamento>()> PacientesAServir;
    std::function<QList<TFilaNecesidad>()> CargasPlanificadas;

    // The medication of the needs that the boxes are for.
    void MostrarMedicamento(qint64 idMedicamento, const QString &nombre);
    void Limpiar();

    void btnRepartirClick();
    void btnImprimirClick();

signals:
    // Boxes were handed out: the needs are to be computed again.
    void repartido();

private:
    void LlenarProductos();
    void edtProductoExit();
    void cmbProductoChange(int indice);
    void Enfocar(TCampoReparto campo);

    QLineEdit *m_edtCN;
    QLabel *m_lblMedicamento;
    QLineEdit *m_edtProducto;
    QComboBox *m_cmbProducto;
    QLineEdit *m_edtLote;
    TCampoFecha *m_fecCaducidad;
    QLineEdit *m_edtCajas;
};
