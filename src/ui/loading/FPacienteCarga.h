#pragma once

#include "core/loading/TSesionCarga.h"
#include "ui/i18n/TKelvoForm.h"
#include "ui/loading/DialogosPantallaCarga.h"
#include "ui/loading/RejillasCarga.h"
#include "ui/shell/TrabajoEnCurso.h"

#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// The patient load screen: the active patient's load for a window of at most seven days, its
// medication with the state of each portion while the machine fills the blister, and the
// actions to start the load, print its labels and go back. The loading itself is TSesionCarga;
// this screen shows it and forwards the user's actions.
//
// The workshop repetition controls are not part of this screen.
class TFormPacienteCarga : public TKelvoForm, public TTrabajoEnCurso
{
    Q_OBJECT

public:
    // Medication grid columns; from kColDosis on they are hidden.
    using enum RejillasCarga::ColumnaMedicamento;

    // `dialogos` replaces the standard dialogs and the label printer (tests); the screen's own
    // otherwise.
    explicit TFormPacienteCarga(QWidget *parent = nullptr, TDialogosCarga *dialogos = nullptr);
    ~TFormPacienteCarga() override;

    // Opening the screen for the active patient (after it is shown): plans the load and writes
    // the audit row of the patient's loads.
    void AbrirCargaPaciente();

    // The stock dialog of one medication of the patient (double-click on a medication row);
    // the screen re-plans when it closes.
    std::function<void(qint64 idPaciente, qint64 idMedicamento)> OnStockMedicamento;

    TSesionCarga &Sesion() { return *m_sesion; }

    // Closing the application while a load runs asks whether to cancel it.
    std::optional<bool> SalirDeLaAplicacion() override;

signals:
    // "VOLVER": the screen is left; the patient's screen opens next.
    void volver(const QString &refPaciente);

private:
    void btnInicioClick();
    void btnEtiquetasClick();
    void btnVolverClick();
    void btnCalendarioClick(QLineEdit *campo);
    void FechaEditada();
    void grdMedicamentosDblClick(int fila);
    void MostrarCarga();
    void MostrarEstado();

    std::unique_ptr<TDialogosPantallaCarga> m_dialogosPropios;
    std::unique_ptr<TSesionCarga> m_sesion;
    QLabel *m_lblReferencia;
    QLabel *m_lblNombre;
    QLabel *m_lblFechaAlta;
    QLabel *m_lblFechaBaja;
    QLineEdit *m_edtFechaInicio;
    QLineEdit *m_edtFechaFin;
    QPushButton *m_btnCalendarioInicio;
    QPushButton *m_btnCalendarioFin;
    QLabel *m_lblConexion;
    QTableWidget *m_grdMedicamentos;
    QTableWidget *m_grdOtros;
    QLabel *m_lblEstado;
    QPushButton *m_btnInicio;
    QPushButton *m_btnEtiquetas;
    QPushButton *m_btnGuardarCarga;
    QPushButton *m_btnVolver;
};
