#pragma once

#include "core/loading/TRondaCategoria.h"
#include "ui/i18n/TKelvoForm.h"
#include "ui/loading/DialogosPantallaCarga.h"
#include "ui/loading/RejillasCarga.h"
#include "ui/shell/TrabajoEnCurso.h"

#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

// The category load screen: one start date for the active category, the earlier load dates, the
// category's patients with the state of each one's load for the week, the load of the patient
// clicked, and the run that loads every pending patient in turn with its progress. The logic is
// TRondaCategoria; this screen shows it and forwards the user's actions.
class TFormCategoriaCarga : public TKelvoForm, public TTrabajoEnCurso
{
    Q_OBJECT

public:
    // Patient list columns; the last four are hidden.
    enum ColumnaPaciente {
        kPacRefPaciente,
        kPacNombre,
        kPacEstado,
        kPacIdPaciente,
        kPacFechaCarga,
        kPacEstadoCode,
        kPacIcorrect,
        kColumnasPaciente
    };
    using enum RejillasCarga::ColumnaMedicamento;

    // `dialogos` replaces the standard dialogs and the label printer (tests); the screen's own
    // otherwise.
    explicit TFormCategoriaCarga(QWidget *parent = nullptr, TDialogosCarga *dialogos = nullptr);
    ~TFormCategoriaCarga() override;

    // Opening the screen for the active category (after it is shown).
    void AbrirCargaCategoria();

    // The stock dialog of one medication of the patient shown (double-click on a medication
    // row); the patient's load and row are evaluated again when it closes.
    std::function<void(qint64 idPaciente, qint64 idMedicamento)> OnStockMedicamento;

    TRondaCategoria &Ronda() { return *m_ronda; }

    // Closing the application while a load runs asks whether to cancel it.
    std::optional<bool> SalirDeLaAplicacion() override;

signals:
    // "VOLVER": the screen is left (a run was stopped first); the category's screen opens next.
    void volver();

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    void btnInicioClick();
    void btnVolverClick();
    void btnCalendarioClick();
    void FechaEditada();
    void lstCargasAnterioresClick(int fila);
    void grdMedicamentosDblClick(int fila);
    void MostrarLista();
    void MostrarCarga();
    void MostrarEstado();

    std::unique_ptr<TDialogosPantallaCarga> m_dialogosPropios;
    std::unique_ptr<TRondaCategoria> m_ronda;
    QLabel *m_lblCategoria;
    QLineEdit *m_edtFechaInicio;
    QPushButton *m_btnCalendarioInicio;
    QLabel *m_lblConexion;
    QListWidget *m_lstCargasAnteriores;
    QTableWidget *m_grdPacientes;
    QTableWidget *m_grdMedicamentos;
    QTableWidget *m_grdOtros;
    QLabel *m_lblEstado;
    QLabel *m_lblProgreso;
    QPushButton *m_btnInicio;
    QPushButton *m_btnDetener;
    QPushButton *m_btnEtiquetas;
    QPushButton *m_btnGuardarCarga;
    QPushButton *m_btnVolver;
    QHash<QObject *, TColumnaPacientes> m_etiquetasOrden; // the titles above the list
};
