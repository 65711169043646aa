#pragma once

#include "core/loading/ListaPacientesCategoria.h"
#include "core/loading/TSesionCarga.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>

class TDM;
class TDialogosCarga;
class TDispenserTCP;

// What the user sees of a run: the patient being loaded among the patients pending when the run
// started, and the blister portion the machine is placing among that patient's.
struct TProgresoRonda
{
    int paciente = 0; // from 1
    int pacientes = 0;
    QString nombre;
    int porcion = 0; // from 1
    int porciones = 0;
};

// The category load screen's logic: one start date for a whole category (a care home, a ward),
// the list of its active patients with the state of each one's load for the week from that
// date, and the run that loads every pending patient in turn, each for exactly seven days.
//
// Each patient's load runs through one TSesionCarga, as on the patient screen: the checks, the
// hand-over, the progress, the machine's "close" with storing, labels and version marking, the
// cancellation and the manual load. The run only decides which patient comes next and when:
// after a patient's load is stored it waits for the machine to be waiting again, asking its state
// every kPeriodoReposoMs from a timer, and gives up after a bounded wait. A run in manual mode
// guides one patient after the other in a loop. Every end of a run clears its state and, unless
// the screen is being left, switches discovery and the connection probe on again. A run never
// loads a week that is stored already: such a patient is listed completed and skipped, also when
// another workstation stored the week after the list was read.
class TRondaCategoria : public QObject
{
    Q_OBJECT

public:
    static constexpr int kPeriodoReposoMs = 250;
    // The user puts the next blister in the machine meanwhile.
    static constexpr int kEsperaReposoMs = 180000;

    // How a run ended.
    enum class Fin {
        Completada, // every pending patient was loaded
        Detenida, // the user asked to stop after the current patient
        Rechazada, // a check refused the run or a patient's load; its message was shown
        SinReposo, // the machine was not waiting again in time
        Cancelada, // the current patient's load was cancelled
        Desconectada, // the machine's connection was lost
        SinGuardar, // a filled load could not be stored; it is kept for "GUARDAR CARGA"
        Salida, // the user left the screen
    };
    Q_ENUM(Fin)

    // Takes over the link's progress, close and disconnection events.
    TRondaCategoria(TDM &dm, TDispenserTCP &link, TDialogosCarga &dialogos, QObject *parent = nullptr);
    ~TRondaCategoria() override;

    // ---- what the screen shows ----
    TSesionCarga &Sesion() { return m_sesion; }
    const TSesionCarga &Sesion() const { return m_sesion; }
    int Categoria() const { return m_categoria; }
    const QString &TextoFecha() const { return m_textoFecha; }
    QDate Fecha() const { return m_fecha; } // the date the list was built for
    const QList<QDate> &Anteriores() const { return m_anteriores; } // "CARGAS ANTERIORES"
    const QList<TFilaPacienteCategoria> &Filas() const { return m_filas; }
    int FilaMostrada() const; // the row whose load is shown; -1 when none
    std::optional<TColumnaPacientes> ColumnaOrden() const { return m_columnaOrden; }
    bool Descendente() const { return m_descendente; }
    bool RondaCategoria() const { return m_ronda; }
    bool Deteniendo() const { return m_detener; }
    // Patients whose load was stored since the screen was opened.
    const QList<qint64> &CargadosRonda() const { return m_cargados; }
    TProgresoRonda Progreso() const;
    std::optional<Fin> UltimoFin() const { return m_fin; }
    // The progress line: the patient and portion while a run goes on, how the last run ended
    // afterwards, empty before the first run.
    QString TextoProgreso() const;
    // A load is running or waits to be stored: the date, the list and the order stay as they are.
    bool Ocupada() const;

    // ---- actions ----
    // Opening the screen for the category: the earlier load dates, the proposed start date and
    // its list, discovery and the probe on, the machine's version asked.
    void Abrir(int codCategoria);
    // The start field changed (typed, chosen in the calendar or in "CARGAS ANTERIORES").
    void CambiarFecha(const QString &texto);
    // Rebuilds the list for the start field; the patient shown stays shown while listed.
    void Listar();
    // A click on a row: a pending, insufficient or badly defined patient's load is built for
    // the week and shown; any other row shows no load.
    void MostrarPaciente(int fila);
    // The shown patient's stock changed (the stock dialog): its load and its row again.
    void ReevaluarMostrado();
    // Sorts by the column: ascending, and descending when it is sorted ascending by it already.
    void Ordenar(TColumnaPacientes columna);
    // "INICIO": checks the date, the load shown and (unless in manual mode) the machine once, then
    // loads the pending patients in turn. Entregada when a run on the machine started (it goes on
    // from the event loop), Manual when the manual run ran.
    TResultadoInicio Iniciar();
    // Stops the run once the current patient's load is done; at once while no load is running.
    void Detener();
    // "VOLVER", or closing the application (`aplicacion`): during a run, asks before stopping it;
    // false when the user stays.
    bool Salir(bool aplicacion = false);
    // A run or a load is going on: leaving would stop it.
    bool TrabajoEnCurso() const { return m_ronda || m_sesion.TrabajoEnCurso(); }
    // How long a run waits for the machine to be waiting again before it gives up.
    void FijarEsperaReposo(int milisegundos) { m_esperaReposoMs = milisegundos; }

    // Plug point for the medication administration chart: after a run that loaded every pending
    // patient, in the country "3", with the patients loaded since the screen was opened and the
    // start date. The chart prints itself when it has rows.
    std::function<void(const QList<qint64> &pacientes, const QDate &inicio)> OnHojaAdministracion;

signals:
    // The rows, their states or their order changed.
    void listaCambiada();
    // The run started, moved on to another patient or to waiting, or ended.
    void rondaCambiada();
    void rondaTerminada(TRondaCategoria::Fin fin);

private:
    void SiguientePaciente();
    bool TomarPaciente(const TFilaPacienteCategoria &fila);
    bool SemanaYaGuardada();
    void EsperarReposo();
    void ComprobarReposo();
    void CargaCompletada(qint64 idRecarga);
    void CargaCancelada();
    void Desconectado();
    void Terminar(Fin fin);
    void MarcarCompletado(qint64 idPaciente);
    void MostrarPorId(qint64 idPaciente);
    int FilaDe(qint64 idPaciente) const;

    TDM &m_dm;
    TDispenserTCP &m_link;
    TDialogosCarga &m_dialogos;
    TSesionCarga m_sesion;

    int m_categoria = 0;
    QString m_textoFecha;
    QDate m_fecha;
    QList<QDate> m_anteriores;
    QList<TFilaPacienteCategoria> m_filas;
    qint64 m_idMostrado = 0;
    std::optional<TColumnaPacientes> m_columnaOrden;
    bool m_descendente = false;
    QList<qint64> m_cargados;

    bool m_ronda = false; // RondaCategoria
    bool m_manual = false;
    bool m_detener = false;
    bool m_esperando = false; // for the machine to be waiting before the next hand-over
    int m_actual = -1; // the row of the patient being loaded
    int m_contador = 0; // patients taken in this run
    int m_pendientes = 0; // patients pending when the run started
    qint32 m_humedad = 0; // measured when the run started, given to every load
    qint32 m_temperatura = 0;
    std::optional<Fin> m_fin;
    int m_esperaReposoMs = kEsperaReposoMs;
    QElapsedTimer m_espera;
    QTimer m_sondeoReposo;
    QTimer m_avance; // the next patient, once the completion's handler has returned
};
