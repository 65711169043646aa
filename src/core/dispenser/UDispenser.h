#pragma once

#include "core/dispenser/ComprobacionAmbiente.h"
#include "core/dispenser/DispenserRecords.h"
#include "core/dispenser/ProtocoloDispensador.h"
#include "core/dosing/UDispenserTypes.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <optional>

// What start-up and the loading screens learn from the machine's information answer.
struct TMaquinaConsultada
{
    bool respondio = false;
    qint32 TipoCarga = 1; // 0 automatic when the machine answered, 1 manual
    double VersionMaquina = 0; // the machine software version, 0 when it did not answer
};

// The protocol half of the dispenser link: builds every command, stores what the machine
// reports and offers requests that wait for their answer. The transport is the derived
// class; here every outgoing message goes to `Transmitir` and every complete incoming
// message comes in through `ProcesarMensaje`.
//
// The events are delivered through a queued call, never from inside the handling of a read:
// a listener may therefore wait for another answer, store, print or open a dialog.
class TDispenser : public QObject
{
    Q_OBJECT

public:
    static constexpr int kEsperaRespuestaMs = 500;

    // The kinds of answer a request can wait for; each has its own "answered" flag, so a late
    // answer of one kind never satisfies a wait for another.
    enum class Respuesta { Ambiente, Estado, Version, Red, Configuracion, Informacion };

    explicit TDispenser(QObject *parent = nullptr);
    ~TDispenser() override;

    // ---- Events (each may be left unassigned) ----
    std::function<void(TDispenser &link, const QList<qint32> &pastillas, quint8 estado, qint32 colocadas,
                       qint32 planificadas)>
            OnEstadoCarga;
    std::function<void(TDispenser &link, qint32 valorCierre)> OnCierre;
    std::function<void(TDispenser &link)> OnConectar;
    std::function<void(TDispenser &link)> OnDesconectar;
    // Every outgoing message, already encoded for the machine's software version.
    std::function<void(const QByteArray &mensaje)> Transmitir;

    // ---- The machine's last reported values and the link's working state ----
    qint32 HumedadMaquina = 0; // raw, before calibration
    qint32 TemperaturaMaquina = 0;
    QString VersionRespuesta;
    quint8 EstadoConsultado = 0;
    TConfigMaquina Config;
    TRedMaquina Red;
    TInfoMaquina Info;
    bool Cerrado = false; // a "close" arrived since the last "START"
    qint32 ValorCierre = 0;
    bool Conectado = false; // a machine answered the last connection probe
    bool MarcaEstado = false;
    TArrayPastillas Pastillas; // the cell counts of the last "status"
    TDosis DosisEnCurso; // the portion most recently handed over and its reported progress
    QString RefPacienteCarga;
    QString NombreCarga;
    QString CampoInicio3;
    QString CampoInicio4;
    QString CampoInicio5;
    quint8 EstadoMaquina = 0;
    qint32 ChargesEnviados = 0;

    bool Recibida(Respuesta tipo) const { return m_recibida[static_cast<size_t>(tipo)]; }

    // The machine software version that decides the outgoing encoding.
    double VersionMaquina() const { return m_versionMaquina; }
    void FijarVersionMaquina(double version) { m_versionMaquina = version; }

    // ---- Commands ----
    void Enviar(const QString &mensaje);
    void EnviarInicio(const QString &refPaciente, const QString &nombre, const QString &campo3,
                      const QString &campo4, const QString &fechaInicio, const QString &refCarga);
    // Hands one portion of the load over: the working portion takes what it still lacks
    // (`ListaPendiente`, a cell placed beyond its plan counting 0) and "CHARGE" carries it.
    // Returns false, sending nothing, when the name is empty or the counts are not 28.
    bool EnviarCarga(const TDosis &porcion);
    bool EnviarInit(qint32 charges);
    void Cerrar();
    void Cancelar();
    void LimpiarDosis();
    void VaciarDosis();
    void FijarEstado(quint8 codigo) { EstadoMaquina = codigo; }
    bool ConfigurarIP(const TRedMaquina &red);
    bool Configurar(qint32 idioma, qint32 sonidos, qint32 recuperacion, qint32 carga);
    bool FijarIdMaquina(const QString &id);

    // ---- Requests that wait at most kEsperaRespuestaMs; nothing when unanswered ----
    std::optional<quint8> PedirEstado();
    std::optional<QString> PedirVersion();
    std::optional<ProtocoloDispensador::RespuestaHT> PedirHT();
    std::optional<TRedMaquina> PedirIP();
    std::optional<TConfigMaquina> PedirConfig();
    std::optional<TInfoMaquina> PedirInfo();

    // The calibrated environment check made before every load.
    TResultadoAmbiente ComprobarAmbiente(const TLimitesAmbiente &limites);

    // The information request of start-up and of the loading screens: the load mode and the
    // machine version, which also becomes the version that decides the outgoing encoding.
    TMaquinaConsultada ConsultarMaquina();

    // Handles one complete message (without its "|"): logged, decoded whole, then stored.
    // A malformed message is logged and changes nothing.
    void ProcesarMensaje(const QByteArray &mensaje);

signals:
    // A message was handled; wakes the requests that wait.
    void mensajeProcesado();

protected:
    // Runs the call from the event loop, after the current socket handling has returned.
    void Diferir(std::function<void()> llamada);

private:
    void Aplicar(const ProtocoloDispensador::RespuestaHT &respuesta);
    void Aplicar(const ProtocoloDispensador::RespuestaEstado &respuesta);
    void Aplicar(const ProtocoloDispensador::RespuestaVersion &respuesta);
    void Aplicar(const ProtocoloDispensador::MensajeCierre &mensaje);
    void Aplicar(const ProtocoloDispensador::RespuestaIP &respuesta);
    void Aplicar(const ProtocoloDispensador::RespuestaConfig &respuesta);
    void Aplicar(const ProtocoloDispensador::RespuestaInfo &respuesta);
    void Aplicar(const ProtocoloDispensador::InformeEstado &informe);
    void Aplicar(const ProtocoloDispensador::PalabraDesconocida &) { }
    void Aplicar(const ProtocoloDispensador::MensajeMalformado &malformado);

    // Clears the flag of the kind, sends the request and waits for the flag.
    bool PedirYEsperar(Respuesta tipo, const QString &peticion);
    void Marcar(Respuesta tipo) { m_recibida[static_cast<size_t>(tipo)] = true; }

    std::array<bool, 6> m_recibida {};
    double m_versionMaquina = 0;
};
