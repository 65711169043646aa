#pragma once

#include "core/dispenser/ComprobacionAmbiente.h"
#include "core/dosing/URecarga.h"
#include "core/loading/ComprobacionesCarga.h"
#include "core/loading/PacienteCarga.h"
#include "core/loading/VentanaCarga.h"

#include <QList>
#include <QObject>
#include <QTimer>

class TDM;
class TDialogosCarga;
class TDispenserTCP;

// Screen state of a load (EstadoUI).
namespace EstadoCargaUI {
inline constexpr int kSinComenzar = 0;
inline constexpr int kCargando = 1;
inline constexpr int kCancelado = 2;
inline constexpr int kCompletado = 3;
} // namespace EstadoCargaUI

// How a start ended.
enum class TResultadoInicio {
    Entregada, // the load is being handed to the machine
    Manual, // the manual load ran (completed or cancelled)
    Rechazada, // a check refused it (its message was shown) or the user did not confirm it
    FechaInicioInvalida, // the start field does not hold a date; its message was shown
    FechaFinInvalida, // the same for the end field
    EnCurso, // a load is already running: nothing done
};

// One patient's load on the loading screen: plans the window and builds the load, checks it,
// hands it to the dispenser machine portion by portion (or guides a manual load), follows the
// machine's reports, and when the machine closes the load stores it, prints its labels and marks
// the treatment version as loaded. The screen shows what this object holds and forwards the
// user's actions; dialogs go through TDialogosCarga.
//
// The machine's reports arrive from the event loop after the socket handling has returned (the
// link queues them), so storing, printing and dialogs never run inside a socket handler. A
// "close" is taken only while a load handed to the machine is in progress and the machine has
// reported progress on it: a cancellation or a completion ends that, and the machine writes
// every "close" of an earlier load before its first report on the next one, so a late or
// repeated "close" never stores a load twice, one that was not filled, or the next patient's.
//
// The category run (TRondaCategoria) drives one patient after another through the same session:
// it plans whole weeks (FijarSemana), hands each load over with the environment it measured once
// (Entregar) or runs the manual load, and follows cargaCompletada and cargaCancelada.
class TSesionCarga : public QObject
{
    Q_OBJECT

public:
    static constexpr int kPausaEntregaMs = 50; // between two "CHARGE" messages
    static constexpr int kPeriodoSondaMs = 5000; // connection probe while no load runs
    static constexpr int kRetrasoAvisosMs = 100; // warnings after the screen opens

    // Takes over the link's progress and close events (the last session created receives them).
    TSesionCarga(TDM &dm, TDispenserTCP &link, TDialogosCarga &dialogos, QObject *parent = nullptr);
    ~TSesionCarga() override;

    // ---- what the screen shows ----
    const TRecarga &Carga() const { return m_carga; }
    const TPacienteCarga &Paciente() const { return m_paciente; }
    const QString &TextoInicio() const { return m_textoInicio; }
    const QString &TextoFin() const { return m_textoFin; }
    QDate Inicio() const { return m_inicio; }
    QDate Fin() const { return m_fin; }
    int EstadoUI() const { return m_estadoUI; }
    int IndiceActual() const { return m_indiceActual; }
    bool CargaEnCurso() const { return m_cargaEnCurso; }
    bool Entregando() const { return m_entrega.isActive(); }
    bool Comprobando() const { return m_comprobando; }
    bool Conectado() const { return m_conectado; }
    qint64 UltimaCarga() const { return m_ultimaCarga; }
    // The blister was filled but its load could not be stored: the load is kept, never rebuilt,
    // until it is stored ("GUARDAR CARGA") or the user abandons it on leaving.
    bool CargaSinGuardar() const { return m_sinGuardar; }
    // The day before which an expiry date makes a portion expired: window end + 1.
    QDate LimiteCaducidad() const { return m_fin.isValid() ? m_fin.addDays(1) : m_inicio.addDays(7); }

    // ---- actions ----
    // Opening the screen for the active patient: clears the start field, re-plans, switches
    // discovery on, starts the probe, asks the machine for its version and, shortly after, shows
    // the stock, definition and expiry warnings that apply.
    void Abrir();
    // The date fields' texts, for the next re-planning.
    void FijarFechas(const QString &textoInicio, const QString &textoFin);
    // The date fields changed (typed, chosen in the calendar): re-plan with the texts.
    void CambiarFechas(const QString &textoInicio, const QString &textoFin);
    // A category's load: the plan covers exactly the seven days from `inicio`, as given (the
    // category run checks the date itself), instead of the window the date fields propose. An
    // invalid date goes back to the fields.
    void FijarSemana(const QDate &inicio);
    // Discovery on, the probe started and the machine asked for its version, as when a loading
    // screen opens.
    void Vigilar();
    // Re-planning: the window from the fields and the patient's last load, the treatment lines'
    // stock figures recomputed, the load rebuilt.
    void Planificar();
    // "INICIO".
    TResultadoInicio Iniciar();
    // Hands the planned load to the machine with the calibrated environment measured for it
    // (the category run measures it once for all its patients); false, doing nothing, while a
    // load runs or a filled load is not stored.
    bool Entregar(qint32 humedad, qint32 temperatura);
    // The manual load of the planned load: one dialog per blister portion, then the completion.
    void CargaManual();
    // Shows no load, not started (a listed patient whose load is not shown); not while a load
    // runs or a filled load is not stored.
    void VaciarCarga();
    // "ETIQUETAS": the labels of the load stored last, if any.
    void ImprimirEtiquetas();
    // "GUARDAR CARGA": stores the filled load that could not be stored, then prints its labels
    // and marks the treatment version; true when it is stored now.
    bool GuardarCargaLlenada();
    // "VOLVER", or closing the application (`aplicacion`, asked in its own words): false when the
    // user chose to stay with a load running or with a filled load that is not stored. Leaving
    // abandons such a load, and its contents are logged. The answer applies to the load as it is
    // when given: a load the machine completed and that was stored meanwhile is kept, and the
    // user is told so.
    bool Salir(bool aplicacion = false);
    // A load runs, or a filled load waits to be stored: leaving would lose it.
    bool TrabajoEnCurso() const { return m_estadoUI == EstadoCargaUI::kCargando || m_sinGuardar; }
    // Cancels the load in progress (the machine reported state 4, or a manual dialog was
    // cancelled): the machine is told, the plan is rebuilt, the state is "cancelled".
    void CancelarCarga();

    // The machine's reports (the link's events).
    void EstadoCarga(const TArrayPastillas &pastillas, quint8 estado, qint32 colocadas);
    void Cierre();

    // Shows a failed check's message in the error dialog; true when the check passed.
    bool Comprobar(const TComprobacion &comprobacion);
    // The calibrated environment check with the preferences' limits (no message shown).
    TResultadoAmbiente ComprobarAmbiente();
    // The machine's state before a load: from version 2 the answer to "REQUESTSTATUS" (the last
    // known state when unanswered), below it the last known state.
    quint8 EstadoDeLaMaquina();
    // Discovery and the connection probe on or off.
    void ActivarVigilancia(bool activa);
    // Probes the connection and refreshes the label; nothing while a load runs.
    void Sondear();

signals:
    // The load, its portions or the current index changed: refill the grids.
    void cargaCambiada();
    // EstadoUI, the date texts or what may be used changed.
    void estadoCambiado();
    // The connection label.
    void conexionCambiada(bool conectado);
    // A filled load was completed: stored as `idRecarga`, or -1 when it could not be stored (it
    // is then kept for "GUARDAR CARGA", which signals again when it stores it).
    void cargaCompletada(qint64 idRecarga);
    // The load in progress was cancelled (by the machine or in a manual dialog).
    void cargaCancelada();

private:
    TResultadoInicio IntentarIniciar();
    bool ConfirmarSemanaGuardada();
    TVentanaCarga VentanaAPlanificar(qint64 idPaciente) const;
    void EntregarPorciones();
    void EntregarSiguiente();
    void Completar();
    void AbandonarCargaLlenada();
    // Ends the load handed to the machine: the hand-over stops and the machine is told.
    void AbortarEnCurso();
    static QString PreguntaCancelar(bool aplicacion);
    void AvisosIniciales();
    void FijarEstadoUI(int estado);

    TDM &m_dm;
    TDispenserTCP &m_link;
    TDialogosCarga &m_dialogos;

    TRecarga m_carga;
    TPacienteCarga m_paciente;
    QString m_textoInicio;
    QString m_textoFin;
    QDate m_inicio;
    QDate m_fin;
    QDate m_semana; // the start of a category's week; invalid: the window of the date fields
    int m_indiceActual = 0;
    int m_estadoUI = EstadoCargaUI::kSinComenzar;
    bool m_cargaEnCurso = false;
    bool m_informada = false; // the machine reported progress on the load handed over
    bool m_comprobando = false;
    bool m_conectado = false;
    qint64 m_ultimaCarga = -1;
    bool m_sinGuardar = false;

    QTimer m_sonda;
    QTimer m_entrega;
    QList<int> m_porEntregar; // indexes of the portions still to hand over
};
