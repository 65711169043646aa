#pragma once

#include "core/loading/ConsultaCargas.h"
#include "core/stock/CalculoNecesidades.h"
#include "ui/patients/ImprimirHojaAdministracion.h"
#include "ui/shell/TPantalla.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTableWidget;
class TPanelFaltas;
class TRejillaCargas;
class TRejillaPacientesNecesidad;

// The needs of one category's active patients (always with their stock), the medications they
// miss with the distribution of arrived boxes, the category's loads still to deliver, and the
// administration charts of the patients ticked. Works on the active category.
class TFormCategoriaPacientes : public TPantalla
{
    Q_OBJECT

public:
    explicit TFormCategoriaPacientes(QWidget *parent = nullptr);

    void btnCalcularClick();
    void btnCargasClick();
    void btnFaltasClick();
    void btnHojaSemanasClick();
    void btnHojaFranjasClick();

    const TResultadoNecesidades &Resultado() const { return m_resultado; }
    // The start-date filter of the loads shown: on only when the category has a load not yet
    // delivered, on that load's start date.
    const FiltroFechaInicio &FiltroCargas() const { return m_filtroCargas; }

signals:
    void volver();

protected:
    void AlMostrar() override;

private:
    void MostrarCargasPlanificadas();
    void MostrarCargasSinEntregar(int codCategoria);
    void ImprimirHoja(TFormatoHoja formato);

    QLabel *m_lblCategoria;
    QCheckBox *m_chkTodos;
    TRejillaPacientesNecesidad *m_grdPacientes;
    TRejillaCargas *m_cargasSinEntregar;
    QTabWidget *m_pestanas;
    QLineEdit *m_edtSemanas;
    QTableWidget *m_grdCargas;
    TPanelFaltas *m_faltas;
    TResultadoNecesidades m_resultado;
    FiltroFechaInicio m_filtroCargas;
};
