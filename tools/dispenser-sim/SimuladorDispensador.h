#pragma once

#include "OpcionesSimulador.h"
#include "PaqueteSoftware.h"
#include "ServidorFtpMaquina.h"
#include "core/dispenser/BufferRecepcion.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QUdpSocket>

#include <memory>

// The machine's side of the dispenser protocol over real UDP and TCP, on loopback only: it
// waits for the discovery datagram, connects to the announced address, answers every
// request, runs loads (START, CHARGE..., INIT, then "status" progress per medication and
// "close"), takes configuration changes, installs software packages copied into its "/tmp"
// (through its FTP service when one is asked for) and plays the faults of its options. Every
// message in and out is reported through `registro` and kept in the trace.
class SimuladorDispensador : public QObject
{
    Q_OBJECT

public:
    explicit SimuladorDispensador(const OpcionesSimulador &opciones, QObject *parent = nullptr);
    ~SimuladorDispensador() override;

    // Starts waiting for the discovery datagram, and the FTP service when one is asked for;
    // false (reported) when the port is taken or the FTP service does not start.
    bool Iniciar();
    quint16 PuertoBusqueda() const { return m_busqueda.localPort(); }
    // The port the FTP service listens on; 0 when there is none.
    quint16 PuertoFtp() const { return m_ftp.Puerto(); }
    // The FTP service's root, and the machine's "/tmp" inside it where packages are installed from.
    QString DirectorioFtp() const { return m_directorioFtp; }
    QString CarpetaPaquetes() const;

    // The options may be changed between loads (tests switch faults on and off).
    OpcionesSimulador &Opciones() { return m_opciones; }

    bool Conectado() const { return m_conexion.state() == QAbstractSocket::ConnectedState; }
    int ConexionesRealizadas() const { return m_conexionesRealizadas; }
    int DatagramasRecibidos() const { return m_datagramas; }
    quint8 Estado() const { return m_estado; }
    // Every complete message received, as its bytes on the wire (without "|").
    const QList<QByteArray> &Recibidos() const { return m_recibidos; }
    // Every line reported through `registro`, in order: "IN  " and the message received (the
    // probe as "IN  (probe) REQUESTHT;"), "OUT " and the message sent with its "|", and the
    // connection's events.
    const QStringList &Traza() const { return m_traza; }
    void LimpiarTraza() { m_traza.clear(); }

    void Desconectar();

signals:
    void registro(const QString &linea);
    void mensajeRecibido(const QByteArray &mensaje);
    void conectado();
    void desconectado();

private:
    struct Medicamento
    {
        QString nombre;
        QList<qint32> celdas;
    };

    void LeerDatagramas();
    void LeerConexion();
    void Atender(const QByteArray &mensaje);
    void AtenderSonda();
    void Responder(const QString &respuesta);
    void Escribir(const QString &mensaje);
    void EscribirSiguiente();
    void EmpezarCarga(int charges);
    void AvanzarCarga();
    void TerminarCarga();
    void Cerrada();
    void Cancelada();
    void EnviarInforme(quint8 estado, const Medicamento &medicamento, const QList<qint32> &colocadas);
    void Reposo();
    quint8 EstadoEnReposo() const;
    void ReposoTrasCierre();
    QByteArray Malformado();
    // The machine's FTP password: its software from 2.0 on has the new one.
    QString ClaveFtp() const;
    void Configurar(const QStringList &campos);
    void ConfigurarRed(const QStringList &campos);
    bool IniciarFtp(quint16 puerto);
    void Actualizar();
    void Reiniciar();
    void Instalar(const PaqueteSoftware &paquete);

    // Where a software update stands; it decides the state while the machine rests.
    enum class FaseActualizacion {
        Ninguna,
        Instalando, // busy (state 1) until it reboots
        Colgada, // busy (state 2) for good
        Desaparecida, // gone: no connection, discovery ignored
    };

    OpcionesSimulador m_opciones;
    QUdpSocket m_busqueda;
    QTcpSocket m_conexion;
    BufferRecepcion m_buffer;
    QList<QByteArray> m_recibidos;
    QStringList m_traza;
    int m_conexionesRealizadas = 0;
    int m_datagramas = 0;

    quint8 m_estado = 0;
    QList<Medicamento> m_medicamentos;
    qsizetype m_actual = 0;
    int m_paso = 0;
    int m_informesEnviados = 0;
    int m_malformados = 0;
    int m_cierres = 0; // "CLOSE" messages received
    QString m_ultimoCierre; // the "close" of the last finished load
    QTimer m_progreso;
    QTimer m_reposo; // not waiting after a "CLOSE"

    std::unique_ptr<QTemporaryDir> m_temporalFtp; // the FTP root when none was given
    QString m_directorioFtp;
    ServidorFtpMaquina m_ftp;
    FaseActualizacion m_actualizacion = FaseActualizacion::Ninguna;
    PaqueteSoftware m_paqueteEnCurso;
    QTimer m_instalacion;

    // Outgoing bytes waiting for their turn when messages are split or merged.
    QList<QByteArray> m_salida;
    QTimer m_escritura;
};
