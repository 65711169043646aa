#include "core/patients/ArchivosPaciente.h"

#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ArchivosPaciente {

namespace {

QStringList Ficheros(const QString &carpeta)
{
    return QDir(carpeta).entryList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
}

QString ErrorMover(const QString &nombre)
{
    return Traducir(QStringLiteral("ERR_MOVER_ARCHIVOS_PACIENTE"),
                    QStringLiteral("NO SE HAN PODIDO PASAR LOS ARCHIVOS DEL NUEVO PACIENTE A SU CARPETA: "))
            + nombre;
}

} // namespace

QString CarpetaArchivos(const TDM &dm)
{
    return QDir(dm.DirectorioBaseDatos()).filePath(QStringLiteral("files"));
}

QString Carpeta(const TDM &dm, qint64 idPaciente)
{
    return QDir(CarpetaArchivos(dm)).filePath(idPaciente == 0 ? kCarpetaNueva : QString::number(idPaciente));
}

bool VaciarCarpetaNueva(const TDM &dm)
{
    QDir nueva(Carpeta(dm, 0));
    return !nueva.exists() || nueva.removeRecursively();
}

QString AdoptarCarpetaNueva(const TDM &dm, qint64 idPaciente)
{
    const QString nueva = Carpeta(dm, 0);
    const QString destino = Carpeta(dm, idPaciente);
    if (!QFileInfo::exists(nueva))
        return {};
    if (!QFileInfo::exists(destino))
        return QDir().rename(nueva, destino) ? QString() : ErrorMover(nueva);
    // A folder of that name already exists (kept from an earlier database): the files join it.
    for (const QString &nombre : Ficheros(nueva)) {
        const QString final = QDir(destino).filePath(nombre);
        if (QFileInfo::exists(final) && !QFile::remove(final))
            return ErrorMover(final);
        if (!QFile::rename(QDir(nueva).filePath(nombre), final))
            return ErrorMover(QDir(nueva).filePath(nombre));
    }
    QDir(nueva).removeRecursively();
    return {};
}

bool EsFicheroFoto(const QString &nombre)
{
    return QFileInfo(nombre).completeBaseName().compare(kNombreFoto, Qt::CaseInsensitive) == 0;
}

QString RutaFoto(const QString &carpeta)
{
    const QStringList ficheros = Ficheros(carpeta);
    for (const QLatin1String extension : {QLatin1String("bmp"), QLatin1String("jpg")}) {
        const QString buscado = kNombreFoto + QLatin1Char('.') + extension;
        for (const QString &nombre : ficheros) {
            if (nombre.compare(buscado, Qt::CaseInsensitive) == 0)
                return QDir(carpeta).filePath(nombre);
        }
    }
    return {};
}

bool BorrarFoto(const QString &carpeta)
{
    bool borrada = true;
    for (const QString &nombre : Ficheros(carpeta)) {
        if (EsFicheroFoto(nombre))
            borrada = QFile::remove(QDir(carpeta).filePath(nombre)) && borrada;
    }
    return borrada;
}

QStringList Documentos(const QString &carpeta)
{
    QStringList documentos;
    for (const QString &nombre : Ficheros(carpeta)) {
        if (!EsFicheroFoto(nombre))
            documentos << nombre;
    }
    return documentos;
}

bool ExisteDocumento(const QString &carpeta, const QString &nombre)
{
    return QFileInfo(QDir(carpeta).filePath(QFileInfo(nombre).fileName())).isFile();
}

QString CopiarDocumento(const QString &origen, const QString &carpeta)
{
    const QString nombre = QFileInfo(origen).fileName();
    const QString error = Traducir(QStringLiteral("ERR_COPIAR_DOCUMENTO"),
                                   QStringLiteral("NO SE HA PODIDO COPIAR EL DOCUMENTO: "))
            + nombre;
    if (!QFileInfo(origen).isFile() || !QDir().mkpath(carpeta))
        return error;
    const QString destino = QDir(carpeta).filePath(nombre);
    // Copied under a passing name first: a failed copy leaves the document there as it was.
    const QString temporal = destino + QStringLiteral(".copia");
    QFile::remove(temporal);
    if (!QFile::copy(origen, temporal))
        return error;
    if ((QFileInfo::exists(destino) && !QFile::remove(destino)) || !QFile::rename(temporal, destino)) {
        QFile::remove(temporal);
        return error;
    }
    return {};
}

bool BorrarDocumento(const QString &carpeta, const QString &nombre)
{
    return QFile::remove(QDir(carpeta).filePath(QFileInfo(nombre).fileName()));
}

} // namespace ArchivosPaciente
