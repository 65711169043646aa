#include "core/dispenser/UDispenser.h"

#include "core/shell/uLog.h"

#include <QEventLoop>
#include <QTimer>

#include <numeric>

using namespace ProtocoloDispensador;

namespace {

qint32 Suma(const QList<qint32> &celdas)
{
    return std::accumulate(celdas.cbegin(), celdas.cend(), qint32(0));
}

} // namespace

TDispenser::TDispenser(QObject *parent)
    : QObject(parent)
{
    VaciarDosis();
}

TDispenser::~TDispenser() = default;

void TDispenser::Enviar(const QString &mensaje)
{
    if (Transmitir)
        Transmitir(Codificar(mensaje, m_versionMaquina));
}

void TDispenser::EnviarInicio(const QString &refPaciente, const QString &nombre, const QString &campo3,
                              const QString &campo4, const QString &fechaInicio, const QString &refCarga)
{
    RefPacienteCarga = refPaciente;
    NombreCarga = nombre;
    CampoInicio3 = campo3;
    CampoInicio4 = campo4;
    CampoInicio5 = fechaInicio;
    Enviar(ComandoInicio(refPaciente, nombre, campo3, campo4, fechaInicio, refCarga));
    Cerrado = false;
}

bool TDispenser::EnviarCarga(const TDosis &porcion)
{
    DosisEnCurso.Carga = 0;
    DosisEnCurso.Nombre = porcion.Nombre;
    DosisEnCurso.IdMedicamento = porcion.IdMedicamento;
    DosisEnCurso.Aspecto = porcion.Aspecto;
    const QString pendiente = porcion.ListaPendiente();
    // Fewer counts would leave cells of the previous portion in place.
    if (pendiente.count(QLatin1Char(kSeparador)) != kNumCeldas - 1
        || !DosisEnCurso.AsignarLista(pendiente, false)) {
        Log(QStringLiteral(": ERROR:CHARGE no enviado, celdas ilegibles para ") + porcion.Nombre
            + QStringLiteral(": ") + pendiente);
        return false;
    }
    // The plan is exactly what the machine is told: never a negative count.
    const TArrayPastillas enviadas = SinNegativos(DosisEnCurso.Actual);
    if (enviadas != DosisEnCurso.Actual) {
        DosisEnCurso.Actual = enviadas;
        DosisEnCurso.Plan = enviadas;
        DosisEnCurso.SumaActual = DosisEnCurso.Carga = Suma(enviadas);
    }
    if (DosisEnCurso.Nombre.isEmpty())
        return false;
    Enviar(ComandoCarga(DosisEnCurso.Nombre, DosisEnCurso.Actual, DosisEnCurso.Aspecto,
                        DosisEnCurso.IdMedicamento));
    ++ChargesEnviados;
    return true;
}

bool TDispenser::EnviarInit(qint32 charges)
{
    Enviar(ComandoInit(charges));
    return true;
}

void TDispenser::Cerrar()
{
    Enviar(ComandoCerrar());
}

void TDispenser::Cancelar()
{
    LimpiarDosis();
    FijarEstado(4);
    Enviar(ComandoCancelar());
}

void TDispenser::LimpiarDosis()
{
    DosisEnCurso.Actual = QList<qint32>(kNumCeldas, 0);
    DosisEnCurso.Carga = 0;
    DosisEnCurso.Cargadas = 0;
    DosisEnCurso.Nombre.clear();
}

void TDispenser::VaciarDosis()
{
    DosisEnCurso.Actual = QList<qint32>(kNumCeldas, 0);
    Pastillas = QList<qint32>(kNumCeldas, 0);
    DosisEnCurso.Carga = 0;
    DosisEnCurso.SumaActual = 0;
    DosisEnCurso.Nombre.clear();
}

bool TDispenser::ConfigurarIP(const TRedMaquina &red)
{
    Enviar(ComandoConfigurarIP(red));
    return true;
}

bool TDispenser::Configurar(qint32 idioma, qint32 sonidos, qint32 recuperacion, qint32 carga)
{
    Enviar(ComandoConfigurar(idioma, sonidos, recuperacion, carga));
    return true;
}

bool TDispenser::FijarIdMaquina(const QString &id)
{
    Enviar(ComandoFijarIdMaquina(id));
    return true;
}

bool TDispenser::PedirYEsperar(Respuesta tipo, const QString &peticion)
{
    m_recibida[static_cast<size_t>(tipo)] = false;
    Enviar(peticion);
    if (Recibida(tipo))
        return true;
    // A local event loop: socket reads are handled while waiting and the thread sleeps
    // between events instead of spinning.
    QEventLoop espera;
    QTimer limite;
    limite.setSingleShot(true);
    connect(&limite, &QTimer::timeout, &espera, &QEventLoop::quit);
    connect(this, &TDispenser::mensajeProcesado, &espera, [&] {
        if (Recibida(tipo))
            espera.quit();
    });
    limite.start(kEsperaRespuestaMs);
    espera.exec();
    return Recibida(tipo);
}

std::optional<quint8> TDispenser::PedirEstado()
{
    if (!PedirYEsperar(Respuesta::Estado, ComandoPedirEstado()))
        return std::nullopt;
    return EstadoConsultado;
}

std::optional<QString> TDispenser::PedirVersion()
{
    if (!PedirYEsperar(Respuesta::Version, ComandoPedirVersion()))
        return std::nullopt;
    return VersionRespuesta;
}

std::optional<RespuestaHT> TDispenser::PedirHT()
{
    if (!PedirYEsperar(Respuesta::Ambiente, ComandoPedirHT()))
        return std::nullopt;
    return RespuestaHT {HumedadMaquina, TemperaturaMaquina};
}

std::optional<TRedMaquina> TDispenser::PedirIP()
{
    if (!PedirYEsperar(Respuesta::Red, ComandoPedirIP()))
        return std::nullopt;
    return Red;
}

std::optional<TConfigMaquina> TDispenser::PedirConfig()
{
    if (!PedirYEsperar(Respuesta::Configuracion, ComandoPedirConfig()))
        return std::nullopt;
    return Config;
}

std::optional<TInfoMaquina> TDispenser::PedirInfo()
{
    if (!PedirYEsperar(Respuesta::Informacion, ComandoPedirInfo()))
        return std::nullopt;
    return Info;
}

TResultadoAmbiente TDispenser::ComprobarAmbiente(const TLimitesAmbiente &limites)
{
    const auto lectura = PedirHT();
    if (!lectura)
        return AmbienteNoLeido();
    return EvaluarAmbiente(lectura->humedad, lectura->temperatura, limites);
}

TMaquinaConsultada TDispenser::ConsultarMaquina()
{
    TMaquinaConsultada consulta;
    if (const auto info = PedirInfo()) {
        consulta.respondio = true;
        consulta.TipoCarga = 0;
        consulta.VersionMaquina = NumeroVersion(info->Ver_uPC);
    }
    FijarVersionMaquina(consulta.VersionMaquina);
    return consulta;
}

void TDispenser::ProcesarMensaje(const QByteArray &mensaje)
{
    Log(QStringLiteral(": INP: ") + Decodificar(mensaje));
    std::visit([this](const auto &leido) { Aplicar(leido); }, LeerMensaje(mensaje));
    emit mensajeProcesado();
}

void TDispenser::Diferir(std::function<void()> llamada)
{
    QMetaObject::invokeMethod(this, std::move(llamada), Qt::QueuedConnection);
}

void TDispenser::Aplicar(const RespuestaHT &respuesta)
{
    Marcar(Respuesta::Ambiente);
    HumedadMaquina = respuesta.humedad;
    TemperaturaMaquina = respuesta.temperatura;
}

void TDispenser::Aplicar(const RespuestaEstado &respuesta)
{
    Marcar(Respuesta::Estado);
    FijarEstado(respuesta.estado);
    EstadoConsultado = respuesta.estado;
}

void TDispenser::Aplicar(const RespuestaVersion &respuesta)
{
    Marcar(Respuesta::Version);
    VersionRespuesta = respuesta.version;
}

void TDispenser::Aplicar(const MensajeCierre &mensaje)
{
    Cerrado = true;
    ValorCierre = mensaje.valor;
    Diferir([this, valor = mensaje.valor] {
        if (OnCierre)
            OnCierre(*this, valor);
    });
}

void TDispenser::Aplicar(const RespuestaIP &respuesta)
{
    Marcar(Respuesta::Red);
    Red = respuesta.red;
}

void TDispenser::Aplicar(const RespuestaConfig &respuesta)
{
    Marcar(Respuesta::Configuracion);
    Config = respuesta.config;
    Red = respuesta.red;
}

void TDispenser::Aplicar(const RespuestaInfo &respuesta)
{
    Marcar(Respuesta::Informacion);
    Info = respuesta.info;
}

void TDispenser::Aplicar(const InformeEstado &informe)
{
    FijarEstado(informe.estado);
    DosisEnCurso.Nombre = informe.nombre;
    MarcaEstado = informe.marca;
    CampoInicio3 = informe.campo4;
    Pastillas = informe.pastillas;
    DosisEnCurso.Carga = Suma(DosisEnCurso.Plan);
    DosisEnCurso.AsignarArray(Pastillas);
    DosisEnCurso.Cargadas = Suma(Pastillas);
    Diferir([this, pastillas = Pastillas, estado = informe.estado, colocadas = DosisEnCurso.Cargadas,
             planificadas = DosisEnCurso.Carga] {
        if (OnEstadoCarga)
            OnEstadoCarga(*this, pastillas, estado, colocadas, planificadas);
    });
}

void TDispenser::Aplicar(const MensajeMalformado &malformado)
{
    Log(QStringLiteral(": ERROR:Mensaje del dispensador descartado: ") + malformado.motivo);
    if (malformado.estado)
        FijarEstado(*malformado.estado); // the counts are lost, not the machine's state
}
