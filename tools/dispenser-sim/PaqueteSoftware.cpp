#include "PaqueteSoftware.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

std::optional<PaqueteSoftware> PaqueteSoftware::Leer(const QString &archivo)
{
    static const QRegularExpression porVersion(QStringLiteral("^Kelvo_Version_(\\d+)-(\\d+)\\.tar\\.gz$"));
    static const QRegularExpression porBuild(QStringLiteral("^Kelvo_Version_(\\d+)\\.tar\\.gz$"));
    static const QRegularExpression uPC(QStringLiteral("^Kelvo_uPC_v(\\d+)\\.(\\d+)$"));
    const QString nombre = QFileInfo(archivo).fileName();
    for (const QRegularExpression *patron : {&porVersion, &uPC}) {
        const QRegularExpressionMatch leido = patron->match(nombre);
        if (leido.hasMatch())
            return PaqueteSoftware {archivo, leido.captured(1) + QLatin1Char('.') + leido.captured(2), 0};
    }
    const QRegularExpressionMatch leido = porBuild.match(nombre);
    bool ok = false;
    const int build = leido.captured(1).toInt(&ok);
    if (!ok)
        return std::nullopt;
    return PaqueteSoftware {archivo, QString(), build};
}

std::optional<PaqueteSoftware> PaqueteSoftware::MasReciente(const QString &carpeta)
{
    const QFileInfoList archivos
            = QDir(carpeta).entryInfoList({QStringLiteral("Kelvo_*")}, QDir::Files, QDir::Time);
    for (const QFileInfo &archivo : archivos) {
        if (auto paquete = Leer(archivo.absoluteFilePath()))
            return paquete;
    }
    return std::nullopt;
}
