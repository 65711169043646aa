#include "core/dispenser/CambioVersionMaquina.h"

#include "core/dispenser/ProtocoloDispensador.h"
#include "core/dispenser/UDispenserTCP.h"
#include "core/i18n/ULenguaje.h"
#include "core/shell/IniFile.h"
#include "core/shell/uLog.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

namespace {

struct TPasoVersion
{
    double version;
    const char *paquete;
};
const TPasoVersion kPaso13 {1.3, "Kelvo_uPC_v1.3"};
const TPasoVersion kPaso20 {2.0, "Kelvo_Version_2-0.tar.gz"};

// Versions compared in tenths: they arrive as decimals read from text.
int Decimas(double version)
{
    return qRound(version * 10);
}

} // namespace

TCambioVersionMaquina::TCambioVersionMaquina(TDispenserTCP &enlace, TActualizacionMaquina &actualizacion,
                                             TAvisosActualizacion &avisos, Descarga descargar)
    : m_enlace(enlace)
    , m_actualizacion(actualizacion)
    , m_avisos(avisos)
    , m_descargar(std::move(descargar))
{ }

QString TCambioVersionMaquina::Clave(const IniFile &ini)
{
    const QString taller = ini.readString(QStringLiteral("TALLER"), QStringLiteral("PASO"));
    return taller.isEmpty() ? ActualizacionMaquina::kClaveAntigua : taller;
}

bool TCambioVersionMaquina::Ejecutar(const QString &clave)
{
    const std::optional<TInfoMaquina> info = m_enlace.PedirInfo();
    const double version = info ? ProtocoloDispensador::NumeroVersion(info->Ver_uPC) : 0;
    if (version == 0) {
        m_avisos.Error(ActualizacionMaquina::MensajeMaquinaDesconectada());
        return false;
    }
    if (!ActualizacionMaquina::NecesitaCambioVersion(version))
        return true;
    if (Decimas(version) < Decimas(kPaso13.version)
        && !Paso(kPaso13.version, QLatin1String(kPaso13.paquete), clave))
        return false;
    return Paso(kPaso20.version, QLatin1String(kPaso20.paquete), clave);
}

bool TCambioVersionMaquina::Paso(double version, const QString &paquete, const QString &clave)
{
    Log(QStringLiteral(": ACTUALIZACION MAQUINA: paso a la version ") + QString::number(version, 'f', 1));
    m_avisos.Informar(Traducir(QStringLiteral("MSG_ACTUALIZANDO_A_VERSION"),
                               QStringLiteral("ACTUALIZANDO A LA VERSION :"))
                      + QLatin1Char(' ') + QString::number(version, 'f', 1));
    const double actual = ProtocoloDispensador::NumeroVersion(m_enlace.Info.Ver_uPC);
    if (!EsperarEstadoCero(actual))
        return false;
    const std::optional<QString> archivo = m_descargar(paquete);
    if (!archivo)
        return false;
    if (QFileInfo(*archivo).size() == 0) {
        m_avisos.Error(ActualizacionMaquina::MensajePaqueteVacio(paquete));
        QFile::remove(*archivo);
        return false;
    }
    const bool copiado = m_actualizacion.ActualizarSistema(*archivo, clave);
    QFile::remove(*archivo);
    return copiado && EsperarVersion(version) && EsperarEstadoCero(version);
}

bool TCambioVersionMaquina::EsperarEstadoCero(double versionMaquina)
{
    if (m_actualizacion.EstadoActual(versionMaquina) == 0)
        return true;
    m_avisos.Informar(ActualizacionMaquina::MensajeEnEspera());
    return EsperarMientras([&] { return m_actualizacion.EstadoActual(versionMaquina) != 0; });
}

bool TCambioVersionMaquina::EsperarVersion(double version)
{
    return EsperarMientras([&] {
        const std::optional<TInfoMaquina> info = m_enlace.PedirInfo();
        return !info || Decimas(ProtocoloDispensador::NumeroVersion(info->Ver_uPC)) < Decimas(version);
    });
}

bool TCambioVersionMaquina::EsperarMientras(const std::function<bool()> &sigue)
{
    QElapsedTimer espera;
    espera.start();
    while (sigue()) {
        if (espera.elapsed() >= m_limiteEsperaMs) {
            Log(QStringLiteral(": ERROR:La maquina no ha respondido al cambio de version"));
            m_avisos.Error(ActualizacionMaquina::MensajeVersionNoCambia());
            return false;
        }
        if (!m_avisos.Esperar(1000))
            return false;
    }
    return true;
}
