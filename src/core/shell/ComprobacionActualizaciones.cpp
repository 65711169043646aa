#include "core/shell/ComprobacionActualizaciones.h"

#include "core/shell/AppDirectory.h"
#include "core/shell/IniDocument.h"
#include "core/shell/IniFile.h"
#include "core/shell/ServidorActualizaciones.h"
#include "core/shell/uLog.h"

#include <QDir>
#include <QFile>

#include <optional>

namespace {

const QString kVersion = QStringLiteral("VERSION");
const QString kUltimoLanzamiento = QStringLiteral("LASTVIEW");
const QString kFormatoDia = QStringLiteral("yyyyMMdd");

// A version number as the updater writes it; an empty value counts as missing.
std::optional<qint64> LeerNumero(const QString &texto)
{
    const QString limpio = texto.trimmed();
    if (limpio.isEmpty())
        return 0;
    bool ok = false;
    const qint64 numero = limpio.toLongLong(&ok);
    return ok ? std::optional<qint64>(numero) : std::nullopt;
}

bool EsCompartido(const QString &componente)
{
    return componente.startsWith(QLatin1String("MED")) || componente == QLatin1String("BD");
}

} // namespace

bool EsCanalBeta(const QString &primerArgumento, bool modoDesarrollo, const IniFile &ini)
{
    return primerArgumento == kArgumentoBeta || modoDesarrollo
            || ini.readInteger(kVersion, QStringLiteral("BETA"), 0) == 1;
}

QString ClaveCatalogoMedicamentos(const QString &pais)
{
    return pais.isEmpty() || pais == QLatin1String("0") ? QStringLiteral("MED")
                                                        : QStringLiteral("MED") + pais;
}

QStringList ComponentesActualizables(const QString &pais)
{
    return {ClaveCatalogoMedicamentos(pais), QStringLiteral("Kelvo"), QStringLiteral("MLINUX"),
            QStringLiteral("MPC"),           QStringLiteral("MPIC"),  QStringLiteral("BD"),
            QStringLiteral("UPDATE"),        QStringLiteral("MAQ")};
}

TVersionesInstaladas::TVersionesInstaladas(QString iniEstacion, QString ficheroCompartido)
    : m_iniEstacion(std::move(iniEstacion))
    , m_ficheroCompartido(std::move(ficheroCompartido))
{ }

TVersionesInstaladas TVersionesInstaladas::De(const AppDirectory &directorio,
                                              const QString &directorioBaseDatos)
{
    const QString iniEstacion = directorio.iniFile();
    if (QDir(directorioBaseDatos) == QDir(directorio.path()))
        return {iniEstacion, iniEstacion};
    const QString compartido = QDir(directorioBaseDatos).filePath(QStringLiteral("Kelvo.INI"));
    return {iniEstacion, QFile::exists(compartido) ? compartido : iniEstacion};
}

const QString &TVersionesInstaladas::FicheroDe(const QString &componente) const
{
    return EsCompartido(componente) ? m_ficheroCompartido : m_iniEstacion;
}

qint64 TVersionesInstaladas::Numero(const QString &componente) const
{
    const QString &fichero = FicheroDe(componente);
    const QString texto = IniFile(fichero).readString(kVersion, componente, QStringLiteral("0"));
    if (const std::optional<qint64> numero = LeerNumero(texto))
        return *numero;
    Log(QStringLiteral(": ERROR:Version instalada no valida %1=\"%2\" en %3")
                .arg(componente, texto, fichero));
    return 0;
}

QStringList ComponentesNuevos(const IniDocument &descripcion, const TVersionesInstaladas &instaladas,
                              const QString &pais)
{
    QStringList nuevos;
    for (const QString &componente : ComponentesActualizables(pais)) {
        const QString texto = descripcion.value(kVersion, componente).value_or(QStringLiteral("0"));
        const std::optional<qint64> delServidor = LeerNumero(texto);
        if (!delServidor)
            Log(QStringLiteral(": ERROR:Version no valida en update.ini %1=\"%2\"").arg(componente, texto));
        else if (instaladas.Numero(componente) < *delServidor)
            nuevos << componente;
    }
    return nuevos;
}

bool HayActualizacion(TServidorActualizaciones &servidor, const TVersionesInstaladas &instaladas,
                      const QString &pais)
{
    const std::optional<IniDocument> descripcion = servidor.LeerDescripcion();
    if (!descripcion)
        return false;
    const QStringList nuevos = ComponentesNuevos(*descripcion, instaladas, pais);
    if (!nuevos.isEmpty())
        Log(QStringLiteral(": ACTUALIZACION: nuevas versiones de ") + nuevos.join(QStringLiteral(", ")));
    return !nuevos.isEmpty();
}

EstadoActualizacion ComprobarActualizacion(const ServidoresActualizacion &servidores, bool beta,
                                           const QString &carpetaTrabajo,
                                           const TVersionesInstaladas &instaladas, const QString &pais)
{
    if (servidores.principal.isEmpty() && servidores.alternativo.isEmpty()) {
        Log(QStringLiteral(": ACTUALIZACION: sin servidores configurados, no se comprueba"));
        return EstadoActualizacion::SinServidores;
    }
    TServidorActualizaciones servidor(servidores, beta, carpetaTrabajo);
    if (!servidor.ComprobarServidor())
        return EstadoActualizacion::SinConexion;
    return HayActualizacion(servidor, instaladas, pais) ? EstadoActualizacion::Pendiente
                                                        : EstadoActualizacion::AlDia;
}

bool PrimerInicioDelDia(const IniFile &ini, const QDate &hoy)
{
    return ini.readString(kVersion, kUltimoLanzamiento, QStringLiteral("0")) != hoy.toString(kFormatoDia);
}

bool AnotarLanzamientoActualizador(IniFile &ini, const QDate &hoy)
{
    return ini.writeString(kVersion, kUltimoLanzamiento, hoy.toString(kFormatoDia));
}
