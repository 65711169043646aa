#pragma once

#include "core/dispenser/BufferRecepcion.h"
#include "core/dispenser/ConfiguracionRedDispensador.h"
#include "core/dispenser/UDispenser.h"

#include <QHash>
#include <QList>
#include <QTcpServer>
#include <QTimer>
#include <QUdpSocket>

class QTcpSocket;

// The transport half of the dispenser link. The application is the TCP server; the machine
// finds it through a discovery datagram sent every second while no machine is connected, and
// connects. The most recently accepted connection that is still open is the machine; text
// from any connection is handled. Every message sent is logged as ": OUT: ", every message
// received as ": INP: ".
//
// Socket events arrive on the user-interface thread. Qt does not deliver another read of a
// socket while its handler runs, so the handlers here only record what arrived; the link's
// events reach their listeners through a queued call (see TDispenser).
//
// One link exists per process: start-up creates it, its constructor registers it and
// `Dispenser()` reaches it.
class TDispenserTCP : public TDispenser
{
    Q_OBJECT

public:
    static constexpr int kEsperaSondaMs = 200;

    explicit TDispenserTCP(const TConfiguracionRedDispensador &configuracion, QObject *parent = nullptr);
    ~TDispenserTCP() override;

    const TConfiguracionRedDispensador &Configuracion() const { return m_configuracion; }

    // Whether the server could open its port (a failure is logged).
    bool Escuchando() const { return m_servidor.isListening(); }
    // The TCP port the machine connects to (the chosen one when the configuration said 0).
    quint16 Puerto() const { return m_servidor.serverPort(); }

    // Switches the discovery timer on or off (the loading screens switch it off during a load).
    void ActivarBusqueda(bool activa);
    bool BusquedaActiva() const { return m_temporizadorBusqueda.isActive(); }

    // The connection probe: sends the raw "REQUESTHT;" and waits up to 200 ms (in a local
    // event loop) for any byte from the machine. What arrives is handled as usual; an
    // unterminated answer to the probe is dropped so that it never joins the next message.
    bool ComprobarConexion();

    // Sends one encoded message to the machine's connection; dropped when there is none.
    void EnviarSocket(const QByteArray &mensaje);

    // The remote address of the machine's connection; empty when there is none.
    QString DireccionMaquina() const;
    // The remote address of the machine that connected last, also after it went away; empty
    // when none has connected (recorded at shutdown as "DIPA").
    QString DireccionUltimaMaquina() const { return m_ultimaMaquina; }

    // Number of open connections (the machine is the last one).
    qsizetype NumeroConexiones() const { return m_conexiones.size(); }

    // Stops discovery, closes every connection and the server (shutdown).
    void CerrarConexion();

    // The discovery datagram announcing this address and port.
    static QByteArray DatagramaBusqueda(const QHostAddress &direccion, quint16 puerto);

private:
    QTcpSocket *Maquina() const;
    void AceptarConexiones();
    void LeerConexion(QTcpSocket *conexion);
    void QuitarConexion(QTcpSocket *conexion);
    void ErrorConexion(QTcpSocket *conexion, QAbstractSocket::SocketError error);
    void EnviarBusqueda();
    // Logs a failure once per episode: again only after the condition has cleared.
    void LogUnaVez(bool &registrado, const QString &mensaje);

    TConfiguracionRedDispensador m_configuracion;
    QTcpServer m_servidor;
    QTimer m_temporizadorBusqueda;
    QUdpSocket m_busqueda;
    QList<QTcpSocket *> m_conexiones; // in order of acceptance
    QHash<QTcpSocket *, BufferRecepcion> m_buffers;
    QString m_ultimaMaquina;
    quint64 m_bytesMaquina = 0; // bytes received on the machine's connection (for the probe)
    bool m_sondeando = false;
    bool m_fallaDireccionRegistrada = false;
    bool m_fallaEnvioRegistrada = false;
};

// The process's dispenser link.
TDispenserTCP &Dispenser();
// The link, or none while the application runs without one (screens opened by tests).
TDispenserTCP *DispenserSiExiste();
