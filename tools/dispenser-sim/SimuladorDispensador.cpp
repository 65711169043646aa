#include "SimuladorDispensador.h"

#include "core/dispenser/ProtocoloDispensador.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

using namespace ProtocoloDispensador;

namespace {

// Word, then every field followed by ";" as the machine writes them, then "|".
QString Respuesta(const QString &palabra, const QStringList &campos)
{
    QStringList partes {palabra};
    for (const QString &campo : campos)
        partes.append(CampoSeguro(campo));
    return partes.join(QLatin1Char(kSeparador)) + QLatin1Char(kTerminador);
}

QStringList Numeros(const QList<qint32> &valores)
{
    QStringList textos;
    for (const qint32 valor : valores)
        textos.append(QString::number(valor));
    return textos;
}

QStringList CamposRed(const TRedMaquina &red)
{
    return {red.IPLocal, red.IPCampo2, red.DNS, red.Mascara, red.Gateway};
}

// The integers of the fields; none when one of them is not an integer.
std::optional<QList<qint32>> Enteros(const QStringList &campos)
{
    QList<qint32> valores;
    for (const QString &campo : campos) {
        bool ok = false;
        valores.append(campo.toInt(&ok));
        if (!ok)
            return std::nullopt;
    }
    return valores;
}

// A dotted address of four numbers 0..255 (blanks around them allowed, as the typed fields
// send them), written without the blanks; none when it is not one.
std::optional<QString> DireccionPunteada(const QString &texto)
{
    const QStringList partes = texto.split(QLatin1Char('.'));
    const std::optional<QList<qint32>> numeros = Enteros(partes);
    if (partes.size() != 4 || !numeros)
        return std::nullopt;
    for (const qint32 numero : *numeros) {
        if (numero < 0 || numero > 255)
            return std::nullopt;
    }
    return Numeros(*numeros).join(QLatin1Char('.'));
}

// The machine's FTP account "root" has these passwords; the new one came with software 2.0.
const QString kClaveFtpAntigua = QStringLiteral("vemo");
const QString kClaveFtpNueva = QStringLiteral("lantrobeks");
constexpr double kVersionClaveNueva = 2.0;

} // namespace

SimuladorDispensador::SimuladorDispensador(const OpcionesSimulador &opciones, QObject *parent)
    : QObject(parent)
    , m_opciones(opciones)
    , m_estado(opciones.estadoReposo)
    , m_directorioFtp(opciones.directorioFtp)
{
    if (m_directorioFtp.isEmpty()) {
        m_temporalFtp = std::make_unique<QTemporaryDir>();
        m_directorioFtp = m_temporalFtp->path();
    }
    QDir().mkpath(CarpetaPaquetes());
    connect(&m_ftp, &ServidorFtpMaquina::registro, this, &SimuladorDispensador::registro);
    m_instalacion.setSingleShot(true);
    connect(&m_instalacion, &QTimer::timeout, this, &SimuladorDispensador::Reiniciar);
    connect(&m_busqueda, &QUdpSocket::readyRead, this, &SimuladorDispensador::LeerDatagramas);
    connect(&m_conexion, &QTcpSocket::readyRead, this, &SimuladorDispensador::LeerConexion);
    connect(&m_conexion, &QTcpSocket::connected, this, [this] {
        ++m_conexionesRealizadas;
        m_conexion.setSocketOption(QAbstractSocket::LowDelayOption, 1);
        emit registro(QStringLiteral("connected to %1:%2")
                              .arg(m_conexion.peerAddress().toString())
                              .arg(m_conexion.peerPort()));
        emit conectado();
    });
    connect(&m_conexion, &QTcpSocket::disconnected, this, [this] {
        emit registro(QStringLiteral("disconnected"));
        m_buffer.Descartar();
        m_salida.clear();
        m_escritura.stop();
        Reposo();
        emit desconectado();
    });
    connect(this, &SimuladorDispensador::registro, this, [this](const QString &linea) { m_traza << linea; });
    connect(&m_progreso, &QTimer::timeout, this, &SimuladorDispensador::AvanzarCarga);
    m_reposo.setSingleShot(true);
    connect(&m_reposo, &QTimer::timeout, this, &SimuladorDispensador::ReposoTrasCierre);
    connect(&m_escritura, &QTimer::timeout, this, &SimuladorDispensador::EscribirSiguiente);
    m_escritura.setInterval(5);
}

SimuladorDispensador::~SimuladorDispensador()
{
    // The socket outlives the timers its handlers use: silence it before the members go.
    m_conexion.disconnect(this);
    m_conexion.abort();
}

bool SimuladorDispensador::Iniciar()
{
    if (!m_busqueda.bind(m_opciones.escucha, m_opciones.puertoBusqueda)) {
        emit registro(QStringLiteral("cannot wait for discovery on %1:%2: %3")
                              .arg(m_opciones.escucha.toString())
                              .arg(m_opciones.puertoBusqueda)
                              .arg(m_busqueda.errorString()));
        return false;
    }
    emit registro(QStringLiteral("waiting for discovery on %1:%2")
                          .arg(m_opciones.escucha.toString())
                          .arg(m_busqueda.localPort()));
    if (m_opciones.puertoFtp == 0)
        return true;
    return IniciarFtp(m_opciones.puertoFtp == OpcionesSimulador::kPuertoFtpLibre
                              ? 0
                              : static_cast<quint16>(m_opciones.puertoFtp));
}

QString SimuladorDispensador::CarpetaPaquetes() const
{
    return m_directorioFtp + QStringLiteral("/tmp");
}

QString SimuladorDispensador::ClaveFtp() const
{
    return NumeroVersion(m_opciones.versionSoftware) >= kVersionClaveNueva ? kClaveFtpNueva
                                                                           : kClaveFtpAntigua;
}

bool SimuladorDispensador::IniciarFtp(quint16 puerto)
{
    return m_ftp.Iniciar({m_opciones.scriptFtp, puerto, m_directorioFtp, ClaveFtp(), m_opciones.ftpRechazar,
                          m_opciones.ftpCortar, m_opciones.ftpLento});
}

void SimuladorDispensador::Desconectar()
{
    m_conexion.abort();
}

void SimuladorDispensador::LeerDatagramas()
{
    static const QRegularExpression anuncio(QStringLiteral("^M-SEARCH;Host:([0-9.]+):([0-9]+);$"));
    while (m_busqueda.hasPendingDatagrams()) {
        QByteArray datagrama(qMax<qint64>(m_busqueda.pendingDatagramSize(), 0), '\0');
        m_busqueda.readDatagram(datagrama.data(), datagrama.size());
        ++m_datagramas;
        if (m_actualizacion == FaseActualizacion::Desaparecida)
            continue;
        const QRegularExpressionMatch leido = anuncio.match(QString::fromLatin1(datagrama));
        if (!leido.hasMatch()) {
            emit registro(QStringLiteral("ignored datagram: ") + QString::fromLatin1(datagrama));
            continue;
        }
        const QHostAddress servidor(leido.captured(1));
        const quint16 puerto = leido.captured(2).toUShort();
        // Never leaves the workstation, whatever the datagram announces.
        if (!servidor.isLoopback()) {
            emit registro(QStringLiteral("ignored announcement of a non-loopback address: ")
                          + servidor.toString());
            continue;
        }
        if (m_conexion.state() == QAbstractSocket::UnconnectedState) {
            emit registro(QStringLiteral("discovery: ") + QString::fromLatin1(datagrama));
            m_conexion.connectToHost(servidor, puerto);
        }
    }
}

void SimuladorDispensador::LeerConexion()
{
    const BufferRecepcion::Lectura lectura = m_buffer.Anadir(m_conexion.readAll());
    for (const QByteArray &mensaje : lectura.mensajes)
        Atender(mensaje);
    if (m_buffer.Pendiente() == SondaConexion()) {
        m_buffer.Descartar();
        AtenderSonda();
    }
}

void SimuladorDispensador::Atender(const QByteArray &mensaje)
{
    m_recibidos.append(mensaje);
    emit mensajeRecibido(mensaje);
    const QString texto = Decodificar(mensaje);
    emit registro(QStringLiteral("IN  ") + texto);
    const QStringList campos = texto.split(QLatin1Char(kSeparador));
    const QString palabra = campos.value(0).toUpper();
    if (palabra == QLatin1String("REQUESTSTATUS"))
        Responder(Respuesta(QStringLiteral("answerstatus"), {QString::number(m_estado)}));
    else if (palabra == QLatin1String("REQUESTHT"))
        Responder(Respuesta(QStringLiteral("answerht"),
                            {QString::number(m_opciones.humedad), QString::number(m_opciones.temperatura)}));
    else if (palabra == QLatin1String("REQUESTVERSION"))
        Responder(Respuesta(QStringLiteral("answerversion"), {m_opciones.versionRespuesta}));
    else if (palabra == QLatin1String("REQUESTIP"))
        Responder(Respuesta(QStringLiteral("answerip"), CamposRed(m_opciones.red)));
    else if (palabra == QLatin1String("REQUESTCONFIG"))
        Responder(Respuesta(QStringLiteral("answerconfig"),
                            Numeros({m_opciones.config.IdiomaMaquina, m_opciones.config.Sonidos,
                                     m_opciones.config.Recuperacion, m_opciones.config.ConfigCarga})
                                    + CamposRed(m_opciones.red)));
    else if (palabra == QLatin1String("REQUESTINFO")) {
        const TInfoMaquina &i = m_opciones.info;
        Responder(Respuesta(QStringLiteral("answerinfo"),
                            {i.IdMaq, i.IdDIGI, i.Contador, i.Ver_PIC, i.Ver_uPC, i.Ver_UBoot, i.Ver_Kernel,
                             i.Ver_RootFS, i.ADCSensor, i.ADCSensi}));
    } else if (palabra == QLatin1String("CONFIG")) {
        Configurar(campos);
    } else if (palabra == QLatin1String("CONFIGIP")) {
        ConfigurarRed(campos);
    } else if (palabra == QLatin1String("UPDATESYSTEM")) {
        Actualizar();
    } else if (palabra == QLatin1String("SET_ID_MAQUINA") && campos.size() > 1) {
        m_opciones.info.IdMaq = campos.at(1);
    } else if (palabra == QLatin1String("START")) {
        m_progreso.stop();
        m_medicamentos.clear();
    } else if (palabra == QLatin1String("CHARGE") && campos.size() > kNumCeldas + 1) {
        Medicamento medicamento {campos.at(1), {}};
        for (int celda = 0; celda < kNumCeldas; ++celda)
            medicamento.celdas.append(campos.at(celda + 2).toInt());
        m_medicamentos.append(medicamento);
    } else if (palabra == QLatin1String("INIT")) {
        EmpezarCarga(campos.value(1).toInt());
    } else if (palabra == QLatin1String("CANCEL")) {
        Cancelada();
    } else if (palabra == QLatin1String("CLOSE")) {
        Cerrada();
    }
}

// "CONFIG;idioma;sonidos;r;c;": taken only when the four values are numbers.
void SimuladorDispensador::Configurar(const QStringList &campos)
{
    const std::optional<QList<qint32>> valores = Enteros(campos.mid(1, 4));
    if (campos.size() < 5 || !valores) {
        emit registro(QStringLiteral("malformed CONFIG ignored"));
        return;
    }
    m_opciones.config = {valores->at(0), valores->at(1), valores->at(2), valores->at(3)};
    emit registro(QStringLiteral("configuration now: language %1, sounds %2, %3, %4")
                          .arg(valores->at(0))
                          .arg(valores->at(1))
                          .arg(valores->at(2))
                          .arg(valores->at(3)));
}

// "CONFIGIP;IPLocal;IPCampo2;DNS;Mascara;Gateway;": the machine keeps its own address and takes the
// other three, only when all three are dotted addresses.
void SimuladorDispensador::ConfigurarRed(const QStringList &campos)
{
    const std::optional<QString> dns = DireccionPunteada(campos.value(3));
    const std::optional<QString> mascara = DireccionPunteada(campos.value(4));
    const std::optional<QString> gateway = DireccionPunteada(campos.value(5));
    if (!dns || !mascara || !gateway) {
        emit registro(QStringLiteral("malformed CONFIGIP ignored"));
        return;
    }
    m_opciones.red.DNS = *dns;
    m_opciones.red.Mascara = *mascara;
    m_opciones.red.Gateway = *gateway;
    emit registro(QStringLiteral("network now: DNS %1, mask %2, gateway %3").arg(*dns, *mascara, *gateway));
}

// "UPDATESYSTEM": the machine installs the package written last into its "/tmp", busy meanwhile,
// and then reboots (Reiniciar); or it plays the fault of its options.
void SimuladorDispensador::Actualizar()
{
    if (m_actualizacion != FaseActualizacion::Ninguna) {
        emit registro(QStringLiteral("update already under way: UPDATESYSTEM ignored"));
        return;
    }
    if (m_opciones.desaparecerActualizando) {
        emit registro(QStringLiteral("update: the machine is gone for good"));
        m_actualizacion = FaseActualizacion::Desaparecida;
        m_ftp.Detener();
        m_conexion.abort();
        return;
    }
    const std::optional<PaqueteSoftware> paquete = PaqueteSoftware::MasReciente(CarpetaPaquetes());
    if (!paquete) {
        emit registro(QStringLiteral("update: no package in %1, nothing changes").arg(CarpetaPaquetes()));
        return;
    }
    m_paqueteEnCurso = *paquete;
    emit registro(QStringLiteral("update: installing ") + QFileInfo(paquete->archivo).fileName());
    if (m_opciones.ocupadoActualizando) {
        m_actualizacion = FaseActualizacion::Colgada;
    } else {
        m_actualizacion = FaseActualizacion::Instalando;
        m_instalacion.start(m_opciones.retrasoActualizacionMs);
    }
    Reposo();
}

// The installation is over: the machine takes the package's software (unless its fault keeps the
// old one), removes the package and reboots, dropping the connection; it connects again on the next
// discovery datagram. Its FTP service comes back with the password of the new software.
void SimuladorDispensador::Reiniciar()
{
    if (m_opciones.sinCambioVersion)
        emit registro(QStringLiteral("update: the old software stays"));
    else
        Instalar(m_paqueteEnCurso);
    QFile::remove(m_paqueteEnCurso.archivo);
    m_actualizacion = FaseActualizacion::Ninguna;
    emit registro(QStringLiteral("rebooting"));
    m_conexion.abort();
    Reposo();
    const quint16 puertoFtp = m_ftp.Puerto();
    if (m_ftp.EnMarcha() && m_ftp.Clave() != ClaveFtp())
        IniciarFtp(puertoFtp);
}

// A build package keeps the software version and changes the build ("2.2" with build 19 answers
// "2.2.19"); a version package brings the version with build 0.
void SimuladorDispensador::Instalar(const PaqueteSoftware &paquete)
{
    TInfoMaquina &info = m_opciones.info;
    if (paquete.version.isEmpty()) {
        const QString version = info.Ver_uPC.contains(QLatin1Char('.')) ? info.Ver_uPC
                                                                        : info.Ver_uPC + QStringLiteral(".0");
        m_opciones.versionRespuesta = version + QLatin1Char('.') + QString::number(paquete.build);
    } else {
        m_opciones.versionSoftware = paquete.version;
        info.Ver_uPC = paquete.version;
        m_opciones.versionRespuesta = paquete.version + QStringLiteral(".0");
    }
    emit registro(
            QStringLiteral("update: software %1, version %2").arg(info.Ver_uPC, m_opciones.versionRespuesta));
}

void SimuladorDispensador::AtenderSonda()
{
    emit registro(QStringLiteral("IN  (probe) REQUESTHT;"));
    const QString respuesta
            = Respuesta(QStringLiteral("answerht"),
                        {QString::number(m_opciones.humedad), QString::number(m_opciones.temperatura)});
    Responder(m_opciones.sondaSinTerminador ? respuesta.chopped(1) : respuesta);
}

void SimuladorDispensador::Responder(const QString &respuesta)
{
    if (m_opciones.sinRespuesta)
        return;
    if (m_opciones.retrasoRespuestaMs <= 0) {
        Escribir(respuesta);
        return;
    }
    QTimer::singleShot(m_opciones.retrasoRespuestaMs, this, [this, respuesta] { Escribir(respuesta); });
}

void SimuladorDispensador::Escribir(const QString &mensaje)
{
    if (!Conectado())
        return;
    if (m_opciones.malformar) {
        const QByteArray garbled = Malformado();
        emit registro(QStringLiteral("OUT (garbled) ") + Decodificar(garbled));
        m_salida.append(garbled);
    }
    emit registro(QStringLiteral("OUT ") + mensaje);
    const QByteArray bytes = Codificar(mensaje, NumeroVersion(m_opciones.versionSoftware));
    if (m_opciones.trocear > 0) {
        for (qsizetype inicio = 0; inicio < bytes.size(); inicio += m_opciones.trocear)
            m_salida.append(bytes.mid(inicio, m_opciones.trocear));
    } else {
        m_salida.append(bytes);
    }
    if (m_opciones.trocear > 0 || m_opciones.juntar) {
        if (!m_escritura.isActive())
            m_escritura.start();
        return;
    }
    EscribirSiguiente();
}

// One write per turn when splitting (so the pieces travel in separate segments), everything
// waiting in one write when merging, everything at once otherwise.
void SimuladorDispensador::EscribirSiguiente()
{
    if (m_salida.isEmpty()) {
        m_escritura.stop();
        return;
    }
    if (m_opciones.trocear > 0) {
        m_conexion.write(m_salida.takeFirst());
    } else {
        m_conexion.write(m_salida.join());
        m_salida.clear();
    }
    m_conexion.flush();
}

QByteArray SimuladorDispensador::Malformado()
{
    static const QList<QByteArray> garbled {
            QByteArrayLiteral("status;2;X;0;;1;2;3|"), // too few counts
            QByteArrayLiteral("answerht;humedo;22|"), // not a number
            QByteArrayLiteral("close;|"), // a close without its number
            QByteArrayLiteral("zzz;1;2|"), // unknown word
            QByteArrayLiteral("\xff\xfe\x80;\xc3|"), // invalid UTF-8
            QByteArrayLiteral("status;2;X;0;;-1;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0|"),
    };
    return garbled.at(m_malformados++ % garbled.size());
}

void SimuladorDispensador::EmpezarCarga(int charges)
{
    if (m_estado != 0 || m_medicamentos.isEmpty()) {
        emit registro(QStringLiteral("load refused: state %1, %2 medications")
                              .arg(m_estado)
                              .arg(m_medicamentos.size()));
        return;
    }
    if (charges != m_medicamentos.size())
        emit registro(QStringLiteral("INIT announces %1 medications, %2 received")
                              .arg(charges)
                              .arg(m_medicamentos.size()));
    m_actual = 0;
    m_paso = 0;
    m_estado = 2;
    m_progreso.start(m_opciones.intervaloMs);
    if (m_opciones.cierreAnteriorTrasInit && !m_ultimoCierre.isEmpty()) {
        emit registro(QStringLiteral("repeating the previous load's close"));
        Escribir(m_ultimoCierre);
    }
}

void SimuladorDispensador::AvanzarCarga()
{
    // A copy: writing may end the connection, and with it the load, at once.
    const Medicamento medicamento = m_medicamentos.at(m_actual);
    const int numero = int(m_actual) + 1;
    const int pasos = qMax(m_opciones.pasosPorMedicamento, 1);
    if (numero == m_opciones.cancelarEn) {
        EnviarInforme(4, medicamento, QList<qint32>(kNumCeldas, 0));
        Cancelada();
        return;
    }
    ++m_paso;
    QList<qint32> colocadas;
    for (const qint32 unidades : medicamento.celdas)
        colocadas.append(unidades * m_paso / pasos);
    quint8 estado = m_paso < pasos ? 2 : 3;
    if (m_paso == pasos && numero == m_opciones.insuficienteEn) {
        estado = 5;
        for (qint32 &unidades : colocadas) {
            if (unidades > 0) {
                --unidades;
                break;
            }
        }
    }
    EnviarInforme(estado, medicamento, colocadas);
    if (m_estado != 2)
        return; // the connection ended while writing
    if (m_opciones.desconectarEn > 0 && m_informesEnviados == m_opciones.desconectarEn) {
        m_opciones.desconectarEn = 0; // once: the next connection behaves
        emit registro(QStringLiteral("dropping the connection mid-load"));
        m_conexion.abort();
        return;
    }
    if (m_paso < pasos)
        return;
    m_paso = 0;
    if (++m_actual == m_medicamentos.size())
        TerminarCarga();
}

void SimuladorDispensador::TerminarCarga()
{
    m_progreso.stop();
    m_estado = 1; // finished, waiting for "CLOSE"
    if (m_opciones.sinCierre)
        return;
    const QString cierre = Respuesta(QStringLiteral("close"), {QString::number(m_medicamentos.size())});
    m_ultimoCierre = cierre;
    Escribir(cierre);
    if (m_opciones.cierreDuplicado)
        Escribir(cierre);
}

// The load is over. The machine rests again at once, a while later, or never; or the connection
// drops here.
void SimuladorDispensador::Cerrada()
{
    m_progreso.stop();
    m_medicamentos.clear();
    if (++m_cierres == m_opciones.desconectarTrasCierre) {
        m_opciones.desconectarTrasCierre = 0; // once: the next connection behaves
        emit registro(QStringLiteral("dropping the connection after the load"));
        m_conexion.abort();
        return;
    }
    if (m_opciones.reposoTrasCierreMs == 0) {
        ReposoTrasCierre();
        return;
    }
    m_estado = 1;
    if (m_opciones.reposoTrasCierreMs < 0) {
        emit registro(QStringLiteral("not waiting again after the load"));
        return;
    }
    m_reposo.start(m_opciones.reposoTrasCierreMs);
}

void SimuladorDispensador::ReposoTrasCierre()
{
    Reposo();
    if (m_opciones.anunciarReposo)
        Escribir(Respuesta(QStringLiteral("answerstatus"), {QString::number(m_estado)}));
}

// Back to rest; with the fault on, a "close" for the abandoned load follows a moment later.
void SimuladorDispensador::Cancelada()
{
    const bool enCarga = !m_medicamentos.isEmpty();
    const int numero = int(m_medicamentos.size());
    Reposo();
    if (!enCarga || !m_opciones.cierreTrasCancelar)
        return;
    QTimer::singleShot(m_opciones.intervaloMs, this, [this, numero] {
        Escribir(Respuesta(QStringLiteral("close"), {QString::number(numero)}));
    });
}

void SimuladorDispensador::EnviarInforme(quint8 estado, const Medicamento &medicamento,
                                         const QList<qint32> &colocadas)
{
    ++m_informesEnviados;
    Escribir(Respuesta(
            QStringLiteral("status"),
            QStringList {QString::number(estado), medicamento.nombre, QStringLiteral("0"), QString()}
                    + Numeros(colocadas)));
}

void SimuladorDispensador::Reposo()
{
    m_progreso.stop();
    m_reposo.stop();
    m_medicamentos.clear();
    m_estado = EstadoEnReposo();
}

// An installation keeps the machine busy: not waiting (1) while it installs, placing (2) when it
// hangs.
quint8 SimuladorDispensador::EstadoEnReposo() const
{
    switch (m_actualizacion) {
    case FaseActualizacion::Instalando:
        return 1;
    case FaseActualizacion::Colgada:
        return 2;
    case FaseActualizacion::Ninguna:
    case FaseActualizacion::Desaparecida:
        break;
    }
    return m_opciones.estadoReposo;
}
