#include "core/dispenser/ConfiguracionRedDispensador.h"

#include "core/shell/IniFile.h"
#include "core/shell/uLog.h"

#include <optional>

namespace {

const QString kSeccion = QStringLiteral("DISPENSADOR");

void LogValorIncorrecto(const QString &clave, const QString &valor)
{
    Log(QStringLiteral(": ERROR:Valor incorrecto en [%1] %2=%3").arg(kSeccion, clave, valor));
}

// Null when the key is absent; nullopt when it holds something that is not an IPv4 address.
std::optional<QHostAddress> LeerDireccion(const IniFile &ini, const QString &clave)
{
    const QString texto = ini.readString(kSeccion, clave).trimmed();
    if (texto.isEmpty())
        return QHostAddress();
    const QHostAddress direccion(texto);
    if (direccion.protocol() != QAbstractSocket::IPv4Protocol) {
        LogValorIncorrecto(clave, texto);
        return std::nullopt;
    }
    return direccion;
}

quint16 LeerPuerto(const IniFile &ini, const QString &clave, quint16 porDefecto)
{
    const QString texto = ini.readString(kSeccion, clave).trimmed();
    if (texto.isEmpty())
        return porDefecto;
    bool ok = false;
    const uint puerto = texto.toUInt(&ok);
    if (!ok || puerto > 65535) {
        LogValorIncorrecto(clave, texto);
        return porDefecto;
    }
    return static_cast<quint16>(puerto);
}

} // namespace

TConfiguracionRedDispensador TConfiguracionRedDispensador::Leer(const IniFile &ini)
{
    TConfiguracionRedDispensador config;
    if (const auto escucha = LeerDireccion(ini, QStringLiteral("Escucha")); escucha && !escucha->isNull())
        config.escucha = *escucha;
    config.puerto = LeerPuerto(ini, QStringLiteral("Puerto"), kPuertoServidor);
    const auto destino = LeerDireccion(ini, QStringLiteral("DestinoBusqueda"));
    if (!destino)
        config.busquedaPosible = false;
    else if (!destino->isNull())
        config.destinoBusqueda = *destino;
    config.puertoBusqueda = LeerPuerto(ini, QStringLiteral("PuertoBusqueda"), kPuertoBusqueda);
    config.puertoFtp = LeerPuerto(ini, QStringLiteral("PuertoFTP"), kPuertoFtp);
    if (const auto anunciada = LeerDireccion(ini, QStringLiteral("DireccionAnunciada")))
        config.direccionAnunciada = *anunciada;
    return config;
}

TConfiguracionRedDispensador TConfiguracionRedDispensador::Local(quint16 puerto, quint16 puertoBusqueda)
{
    TConfiguracionRedDispensador config;
    config.escucha = QHostAddress(QHostAddress::LocalHost);
    config.puerto = puerto;
    config.destinoBusqueda = QHostAddress(QHostAddress::LocalHost);
    config.puertoBusqueda = puertoBusqueda;
    config.direccionAnunciada = QHostAddress(QHostAddress::LocalHost);
    return config;
}
