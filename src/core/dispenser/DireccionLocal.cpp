#include "core/dispenser/DireccionLocal.h"

#include <QNetworkInterface>

namespace DireccionLocal {

QHostAddress Elegir(const QList<Interfaz> &interfaces)
{
    for (const Interfaz &interfaz : interfaces) {
        if (!interfaz.activa || interfaz.loopback)
            continue;
        for (const QHostAddress &direccion : interfaz.direcciones) {
            if (direccion.protocol() == QAbstractSocket::IPv4Protocol && !direccion.isLoopback()
                && !direccion.isLinkLocal())
                return direccion;
        }
    }
    return {};
}

QHostAddress DeLaEstacion()
{
    QList<Interfaz> interfaces;
    const QList<QNetworkInterface> todas = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &red : todas) {
        Interfaz interfaz;
        const auto flags = red.flags();
        interfaz.activa
                = flags.testFlag(QNetworkInterface::IsUp) && flags.testFlag(QNetworkInterface::IsRunning);
        interfaz.loopback = flags.testFlag(QNetworkInterface::IsLoopBack);
        const QList<QNetworkAddressEntry> entradas = red.addressEntries();
        for (const QNetworkAddressEntry &entrada : entradas)
            interfaz.direcciones.append(entrada.ip());
        interfaces.append(interfaz);
    }
    return Elegir(interfaces);
}

} // namespace DireccionLocal
