#include "render/FotoPaciente.h"

#include "core/common/EscrituraSegura.h"
#include "core/i18n/ULenguaje.h"
#include "core/patients/ArchivosPaciente.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QSaveFile>

namespace {

constexpr int kLadoMayor = 500;
constexpr int kCalidadJpeg = 20;

QString NoEsImagen(const QString &origen)
{
    return Traducir(QStringLiteral("ERR_FOTO_NO_VALIDA"),
                    QStringLiteral("EL FICHERO ELEGIDO NO ES UNA IMAGEN QUE SE PUEDA LEER: "))
            + QFileInfo(origen).fileName();
}

} // namespace

QString GuardarFotoPaciente(const QString &origen, const QString &carpeta)
{
    const QFileInfo fichero(origen);
    if (!fichero.isFile())
        return NoEsImagen(origen);
    if (fichero.size() > kMaximoFotoBytes)
        return Traducir(QStringLiteral("ERR_FOTO_DEMASIADO_GRANDE"),
                        QStringLiteral("LA IMAGEN ES DEMASIADO GRANDE (MAXIMO 50 MB): "))
                + fichero.fileName();
    QImageReader lector(origen);
    lector.setAutoTransform(true);
    const QImage imagen = lector.read();
    if (imagen.isNull())
        return NoEsImagen(origen);

    const QImage foto = imagen.scaled(kLadoMayor, kLadoMayor, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const QString nombre = ArchivosPaciente::kNombreFoto + QStringLiteral(".jpg");
    QSaveFile destino(QDir(carpeta).filePath(nombre));
    if (!QDir().mkpath(carpeta) || !destino.open(QIODevice::WriteOnly)
        || !foto.save(&destino, "JPG", kCalidadJpeg) || !ConfirmarEscritura(destino))
        return Traducir(QStringLiteral("ERR_FOTO_GUARDAR"),
                        QStringLiteral("NO SE HA PODIDO GUARDAR LA FOTOGRAFIA: "))
                + destino.fileName();
    for (const QString &otro : QDir(carpeta).entryList(QDir::Files)) {
        if (otro != nombre && ArchivosPaciente::EsFicheroFoto(otro))
            QFile::remove(QDir(carpeta).filePath(otro));
    }
    return {};
}
