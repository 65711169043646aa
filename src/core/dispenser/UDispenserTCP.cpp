#include "core/dispenser/UDispenserTCP.h"

#include "core/common/AppError.h"
#include "core/dispenser/DireccionLocal.h"
#include "core/shell/uLog.h"

#include <QEventLoop>
#include <QTcpSocket>

namespace {

TDispenserTCP *g_dispenser = nullptr;

} // namespace

TDispenserTCP &Dispenser()
{
    if (!g_dispenser)
        throw AppError(QStringLiteral("El enlace con el dispensador no existe"));
    return *g_dispenser;
}

TDispenserTCP *DispenserSiExiste()
{
    return g_dispenser;
}

TDispenserTCP::TDispenserTCP(const TConfiguracionRedDispensador &configuracion, QObject *parent)
    : TDispenser(parent)
    , m_configuracion(configuracion)
{
    Transmitir = [this](const QByteArray &mensaje) { EnviarSocket(mensaje); };
    connect(&m_servidor, &QTcpServer::newConnection, this, &TDispenserTCP::AceptarConexiones);
    if (!m_servidor.listen(m_configuracion.escucha, m_configuracion.puerto))
        Log(QStringLiteral(": ERROR:El dispensador no puede escuchar en %1:%2: %3")
                    .arg(m_configuracion.escucha.toString())
                    .arg(m_configuracion.puerto)
                    .arg(m_servidor.errorString()));
    m_temporizadorBusqueda.setInterval(m_configuracion.periodoBusquedaMs);
    connect(&m_temporizadorBusqueda, &QTimer::timeout, this, [this] {
        if (!Conectado)
            EnviarBusqueda();
    });
    m_temporizadorBusqueda.start();
    g_dispenser = this;
    // Announced at once: the first tick would otherwise come a whole period later.
    EnviarBusqueda();
}

TDispenserTCP::~TDispenserTCP()
{
    if (g_dispenser == this)
        g_dispenser = nullptr;
    CerrarConexion();
}

void TDispenserTCP::ActivarBusqueda(bool activa)
{
    if (activa)
        m_temporizadorBusqueda.start();
    else
        m_temporizadorBusqueda.stop();
}

QTcpSocket *TDispenserTCP::Maquina() const
{
    return m_conexiones.isEmpty() ? nullptr : m_conexiones.last();
}

void TDispenserTCP::AceptarConexiones()
{
    while (QTcpSocket *conexion = m_servidor.nextPendingConnection()) {
        m_conexiones.append(conexion);
        m_buffers.insert(conexion, BufferRecepcion());
        m_ultimaMaquina = conexion->peerAddress().toString();
        connect(conexion, &QTcpSocket::readyRead, this, [this, conexion] { LeerConexion(conexion); });
        connect(conexion, &QTcpSocket::disconnected, this, [this, conexion] { QuitarConexion(conexion); });
        connect(conexion, &QTcpSocket::errorOccurred, this,
                [this, conexion](QAbstractSocket::SocketError error) { ErrorConexion(conexion, error); });
        Conectado = true;
        Diferir([this] {
            if (OnConectar)
                OnConectar(*this);
        });
    }
}

void TDispenserTCP::LeerConexion(QTcpSocket *conexion)
{
    const QByteArray bytes = conexion->readAll();
    if (conexion == Maquina())
        m_bytesMaquina += quint64(bytes.size());
    const BufferRecepcion::Lectura lectura = m_buffers[conexion].Anadir(bytes);
    if (lectura.descartados > 0)
        Log(QStringLiteral(": ERROR:Descartados %1 bytes del dispensador sin terminador \"|\"")
                    .arg(lectura.descartados));
    for (const QByteArray &mensaje : lectura.mensajes)
        ProcesarMensaje(mensaje);
    if (EstadoMaquina == 4)
        FijarEstado(0);
}

void TDispenserTCP::QuitarConexion(QTcpSocket *conexion)
{
    if (!m_conexiones.removeOne(conexion))
        return;
    m_buffers.remove(conexion);
    conexion->deleteLater();
    // With the machine's connection gone, discovery resumes at the next tick.
    Conectado = !m_conexiones.isEmpty();
    Diferir([this] {
        if (OnDesconectar)
            OnDesconectar(*this);
    });
}

void TDispenserTCP::ErrorConexion(QTcpSocket *conexion, QAbstractSocket::SocketError error)
{
    if (error == QAbstractSocket::RemoteHostClosedError)
        return; // an ordinary end of the connection; "disconnected" follows
    Log(QStringLiteral(": ERROR:Conexion con el dispensador: ") + conexion->errorString());
    conexion->abort();
    QuitarConexion(conexion);
}

void TDispenserTCP::EnviarSocket(const QByteArray &mensaje)
{
    QTcpSocket *maquina = Maquina();
    if (!maquina || maquina->state() != QAbstractSocket::ConnectedState)
        return;
    maquina->write(mensaje);
    maquina->flush();
    Log(QStringLiteral(": OUT: ") + ProtocoloDispensador::Decodificar(mensaje));
}

bool TDispenserTCP::ComprobarConexion()
{
    QTcpSocket *maquina = Maquina();
    if (!maquina) {
        Conectado = false;
        return false;
    }
    // A probe started from inside another probe's wait would only measure the same bytes.
    if (m_sondeando)
        return Conectado;
    m_sondeando = true;
    const quint64 antes = m_bytesMaquina;
    maquina->write(ProtocoloDispensador::SondaConexion());
    maquina->flush();

    QEventLoop espera;
    QTimer limite;
    limite.setSingleShot(true);
    connect(&limite, &QTimer::timeout, &espera, &QEventLoop::quit);
    connect(this, &TDispenser::mensajeProcesado, &espera, &QEventLoop::quit);
    connect(maquina, &QTcpSocket::readyRead, &espera, &QEventLoop::quit);
    connect(maquina, &QTcpSocket::disconnected, &espera, &QEventLoop::quit);
    limite.start(kEsperaSondaMs);
    espera.exec();

    const bool respondio = m_conexiones.contains(maquina) && m_bytesMaquina != antes;
    if (respondio) {
        const qsizetype sinTerminar = m_buffers[maquina].Descartar();
        if (sinTerminar > 0)
            Log(QStringLiteral(": INP: (respuesta a la sonda sin terminador, %1 bytes)").arg(sinTerminar));
    }
    Conectado = respondio;
    m_sondeando = false;
    return Conectado;
}

QString TDispenserTCP::DireccionMaquina() const
{
    const QTcpSocket *maquina = Maquina();
    if (!maquina)
        return {};
    const QHostAddress direccion = maquina->peerAddress();
    return direccion.isNull() ? QString() : direccion.toString();
}

void TDispenserTCP::CerrarConexion()
{
    m_temporizadorBusqueda.stop();
    m_servidor.close();
    const QList<QTcpSocket *> conexiones = m_conexiones;
    for (QTcpSocket *conexion : conexiones) {
        conexion->disconnect(this);
        conexion->abort();
        conexion->deleteLater();
    }
    m_conexiones.clear();
    m_buffers.clear();
    Conectado = false;
}

QByteArray TDispenserTCP::DatagramaBusqueda(const QHostAddress &direccion, quint16 puerto)
{
    return QStringLiteral("M-SEARCH;Host:%1:%2;").arg(direccion.toString()).arg(puerto).toLatin1();
}

void TDispenserTCP::EnviarBusqueda()
{
    if (!m_configuracion.busquedaPosible || !m_servidor.isListening())
        return;
    const QHostAddress direccion = m_configuracion.direccionAnunciada.isNull()
            ? DireccionLocal::DeLaEstacion()
            : m_configuracion.direccionAnunciada;
    if (direccion.isNull()) {
        LogUnaVez(m_fallaDireccionRegistrada,
                  QStringLiteral(
                          ": ERROR:No se encuentra la direccion de red de este equipo para el dispensador"));
        return;
    }
    m_fallaDireccionRegistrada = false;
    const qint64 enviados
            = m_busqueda.writeDatagram(DatagramaBusqueda(direccion, Puerto()),
                                       m_configuracion.destinoBusqueda, m_configuracion.puertoBusqueda);
    if (enviados < 0) {
        LogUnaVez(m_fallaEnvioRegistrada,
                  QStringLiteral(": ERROR:No se puede enviar la busqueda del dispensador: ")
                          + m_busqueda.errorString());
        return;
    }
    m_fallaEnvioRegistrada = false;
}

void TDispenserTCP::LogUnaVez(bool &registrado, const QString &mensaje)
{
    if (registrado)
        return;
    registrado = true;
    Log(mensaje);
}
