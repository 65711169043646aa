#include "core/dispenser/ConfiguracionMaquina.h"

#include "core/dispenser/UDispenserTCP.h"

namespace {

constexpr double kVersionConEstado = 2.0; // machines from this version answer "REQUESTSTATUS"

} // namespace

std::optional<TParametrosMaquina> LeerParametrosMaquina(TDispenser &maquina, const QString &direccionConexion)
{
    const std::optional<TInfoMaquina> info = maquina.PedirInfo();
    if (!info)
        return std::nullopt;
    TParametrosMaquina parametros;
    parametros.info = *info;
    parametros.version = maquina.PedirVersion().value_or(QString());
    if (const auto ht = maquina.PedirHT()) {
        parametros.humedad = ht->humedad;
        parametros.temperatura = ht->temperatura;
    }
    parametros.red = maquina.PedirIP().value_or(TRedMaquina {});
    parametros.ipLocal
            = direccionConexion + QStringLiteral("   (") + parametros.red.IPLocal + QLatin1Char(')');
    return parametros;
}

std::optional<TRedMaquina> LeerRedConfigurable(TDispenser &maquina)
{
    const std::optional<TRedMaquina> red = maquina.PedirIP();
    if (!red || red->IPLocal.trimmed().isEmpty())
        return std::nullopt;
    return red;
}

std::variant<TRedMaquina, TFalloRed> RedAEnviar(const TRedMaquina &reportada, const TRedTecleada &tecleada)
{
    const TResultadoDireccion mascara = ValidarMascara(tecleada.mascara);
    if (!mascara.Valida())
        return TFalloRed {TCampoRed::Mascara, mascara};
    const TResultadoDireccion gateway = ValidarIP(tecleada.gateway);
    if (!gateway.Valida())
        return TFalloRed {TCampoRed::Gateway, gateway};
    const TResultadoDireccion dns = ValidarIP(tecleada.dns);
    if (!dns.Valida())
        return TFalloRed {TCampoRed::DNS, dns};
    return TRedMaquina {reportada.IPLocal, reportada.IPCampo2, dns.direccion, mascara.direccion,
                        gateway.direccion};
}

bool ConfigurarIdiomaYSonidos(TDispenser &maquina, qint32 idioma, qint32 sonidos)
{
    // The answer, when it comes, becomes the machine's state.
    if (maquina.VersionMaquina() >= kVersionConEstado)
        maquina.PedirEstado();
    if (maquina.EstadoMaquina >= kEstadoMaquinaOcupada)
        return false;
    return maquina.Configurar(idioma, sonidos, 0, 0);
}

void EnviarIdiomaInicial(int idioma)
{
    TDispenserTCP *maquina = DispenserSiExiste();
    if (maquina && !maquina->DireccionMaquina().isEmpty())
        ConfigurarIdiomaYSonidos(*maquina, idioma, 0);
}
