#include "core/shell/ServidorActualizaciones.h"

#include "core/common/EscrituraSegura.h"
#include "core/common/TextEncoding.h"
#include "core/shell/IniFile.h"
#include "core/shell/MachinePackages.h"
#include "core/shell/Version.h"
#include "core/shell/uLog.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QTimer>

#include <algorithm>

namespace {

const QString kSeccionServidores = QStringLiteral("ACTUALIZACION");
const QString kDescripcion = QStringLiteral("update.ini");
// A description file is a few lines; anything larger is not one.
constexpr qint64 kMaximoDescripcion = 1024 * 1024;

QNetworkRequest Peticion(const QUrl &direccion)
{
    QNetworkRequest peticion(direccion);
    // "Version a.b.c.d" → "Pastillero/a.b.c.d"
    peticion.setHeader(QNetworkRequest::UserAgentHeader,
                       QStringLiteral("Pastillero/") + VersionTexto().section(QLatin1Char(' '), 1));
    // The bytes as the server keeps them: no transparent decompression, so a package arrives
    // as published and its length can be checked against the announced one.
    peticion.setRawHeader("Accept-Encoding", "identity");
    peticion.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                          QNetworkRequest::NoLessSafeRedirectPolicy);
    peticion.setMaximumRedirectsAllowed(kMaximoRedirecciones);
    return peticion;
}

// Why a finished answer cannot be kept; empty when it can.
QString MotivoRechazo(const QNetworkReply &respuesta, int status, qint64 recibidos)
{
    // An HTTP error answer is named by its status; any other failure by the transport's words.
    if (respuesta.error() != QNetworkReply::NoError && status < 400)
        return respuesta.errorString();
    if (status < 200 || status > 299)
        return status == 0 ? QStringLiteral("Sin respuesta HTTP")
                           : QStringLiteral("Respuesta HTTP %1").arg(status);
    const QVariant anunciados = respuesta.header(QNetworkRequest::ContentLengthHeader);
    if (anunciados.isValid() && recibidos < anunciados.toLongLong())
        return QStringLiteral("Descarga incompleta: %1 de %2 bytes")
                .arg(recibidos)
                .arg(anunciados.toLongLong());
    return {};
}

QString ErrorEscritura(const QSaveFile &archivo)
{
    return QStringLiteral("No se puede escribir %1: %2").arg(archivo.fileName(), archivo.errorString());
}

// Keeps the body as the target file when nothing went wrong; otherwise the target stays as it was.
ResultadoDescarga Terminar(QSaveFile &archivo, const QNetworkReply &respuesta, QString motivo,
                           qint64 recibidos)
{
    const int status = respuesta.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (motivo.isEmpty())
        motivo = MotivoRechazo(respuesta, status, recibidos);
    if (motivo.isEmpty() && !ConfirmarEscritura(archivo))
        motivo = ErrorEscritura(archivo);
    if (!motivo.isEmpty())
        archivo.cancelWriting();
    return {motivo.isEmpty(), motivo, status};
}

bool TieneLineaVersion(const QByteArray &descripcion)
{
    const QStringList lineas = TextEncoding::decodeUtf8OrWindows1252(descripcion).split(QLatin1Char('\n'));
    return std::any_of(lineas.cbegin(), lineas.cend(), [](const QString &linea) {
        return linea.trimmed().compare(QStringLiteral("[VERSION]"), Qt::CaseInsensitive) == 0;
    });
}

bool EsLoopback(const QString &host)
{
    return host.compare(QStringLiteral("localhost"), Qt::CaseInsensitive) == 0
            || QHostAddress(host).isLoopback();
}

// The channel folder below a configured base address; nothing when none is configured or the
// address is not a secure one (plain http is accepted on this computer only).
std::optional<QUrl> Canal(QUrl base, const QString &carpetaCanal)
{
    if (base.isEmpty())
        return std::nullopt;
    const bool segura = base.scheme() == QLatin1String("https")
            || (base.scheme() == QLatin1String("http") && EsLoopback(base.host()));
    if (!base.isValid() || !segura) {
        Log(QStringLiteral(": ERROR:Servidor de actualizaciones no valido: ") + base.toString());
        return std::nullopt;
    }
    if (!base.path().endsWith(QLatin1Char('/')))
        base.setPath(base.path() + QLatin1Char('/'));
    return base.resolved(QUrl(carpetaCanal));
}

QUrl ArchivoDe(const QUrl &canal, const QString &nombre)
{
    QUrl relativa;
    relativa.setPath(nombre);
    return canal.resolved(relativa);
}

bool EsNombreSimple(const QString &nombre)
{
    return !nombre.isEmpty() && !nombre.contains(QLatin1Char('/')) && !nombre.contains(QLatin1Char('\\'))
            && !nombre.contains(QStringLiteral(".."));
}

} // namespace

ResultadoDescarga Descargar(const QUrl &direccion, const QString &destino, const ProgresoDescarga &progreso,
                            std::chrono::milliseconds esperaSinDatos)
{
    QSaveFile archivo(destino);
    if (!archivo.open(QIODevice::WriteOnly))
        return {false, ErrorEscritura(archivo), 0};

    QNetworkAccessManager red;
    QNetworkReply *respuesta = red.get(Peticion(direccion)); // deleted with `red`
    QString motivo;
    qint64 recibidos = 0;
    auto detener = [&](const QString &porque) {
        if (motivo.isEmpty())
            motivo = porque;
        respuesta->abort();
    };
    auto guardar = [&] {
        const QByteArray bloque = respuesta->readAll();
        recibidos += bloque.size();
        if (archivo.write(bloque) != bloque.size())
            detener(ErrorEscritura(archivo));
    };

    QTimer sinDatos;
    sinDatos.setSingleShot(true);
    sinDatos.setInterval(esperaSinDatos);
    QObject::connect(&sinDatos, &QTimer::timeout,
                     [&] { detener(QStringLiteral("Sin datos durante %1 ms").arg(esperaSinDatos.count())); });
    QObject::connect(respuesta, &QNetworkReply::readyRead, [&] {
        sinDatos.start();
        guardar();
    });
    QObject::connect(respuesta, &QNetworkReply::downloadProgress, [&](qint64 hechos, qint64 total) {
        sinDatos.start();
        if (progreso && !progreso(hechos, total))
            detener(QStringLiteral("Descarga detenida"));
    });
    QEventLoop bucle;
    QObject::connect(respuesta, &QNetworkReply::finished, &bucle, &QEventLoop::quit);
    sinDatos.start();
    bucle.exec();
    sinDatos.stop();

    if (motivo.isEmpty())
        guardar();
    return Terminar(archivo, *respuesta, motivo, recibidos);
}

ServidoresActualizacion ServidoresActualizacion::Leer(const IniFile &ini)
{
    return {QUrl(ini.readString(kSeccionServidores, QStringLiteral("ServidorPrincipal")).trimmed()),
            QUrl(ini.readString(kSeccionServidores, QStringLiteral("ServidorAlternativo")).trimmed())};
}

TServidorActualizaciones::TServidorActualizaciones(ServidoresActualizacion servidores, bool beta,
                                                   QString carpetaTrabajo)
    : m_servidores(std::move(servidores))
    , m_carpetaCanal(beta ? QStringLiteral("Kelvo_BETA/") : QStringLiteral("Kelvo/"))
    , m_carpetaTrabajo(std::move(carpetaTrabajo))
{ }

bool TServidorActualizaciones::ComprobarServidor(const ProgresoDescarga &progreso)
{
    m_canal.clear();
    m_detenido = false;
    const ProgresoDescarga vigilado = Vigilar(progreso);
    for (const QUrl &base : {m_servidores.principal, m_servidores.alternativo}) {
        const std::optional<QUrl> canal = Canal(base, m_carpetaCanal);
        if (!canal)
            continue;
        const std::optional<QByteArray> descripcion = DescargarDescripcionDe(*canal, vigilado);
        if (descripcion && TieneLineaVersion(*descripcion)) {
            m_canal = *canal;
            return true;
        }
        if (descripcion)
            Log(QStringLiteral(": ERROR:update.ini sin [VERSION] en ") + canal->toString());
        if (m_detenido)
            return false;
    }
    return false;
}

std::optional<IniDocument> TServidorActualizaciones::LeerDescripcion(const ProgresoDescarga &progreso)
{
    if (m_canal.isEmpty())
        return std::nullopt;
    const std::optional<QByteArray> descripcion = DescargarDescripcionDe(m_canal, progreso);
    if (!descripcion)
        return std::nullopt;
    return IniDocument::parse(TextEncoding::decodeUtf8OrWindows1252(*descripcion));
}

std::optional<QString> TServidorActualizaciones::DescargarPaqueteMaquina(const ProgresoDescarga &progreso)
{
    if (!ComprobarServidor(progreso))
        return std::nullopt;
    const std::optional<IniDocument> descripcion = LeerDescripcion(progreso);
    if (!descripcion)
        return std::nullopt;
    const QString numero = descripcion->value(QStringLiteral("VERSION"), QStringLiteral("MAQ"))
                                   .value_or(QStringLiteral("0"))
                                   .trimmed();
    // The number becomes a local file name: "../x" must never leave the working folder.
    if (!MachinePackages::validNumberText(numero)) {
        Log(QStringLiteral(": ERROR:Numero de paquete de maquina no valido en update.ini: \"%1\"")
                    .arg(numero));
        return std::nullopt;
    }
    return DescargarEnCarpeta(QStringLiteral("MAQ_") + numero + QStringLiteral(".UPD"),
                              MachinePackages::fileName(numero), progreso);
}

std::optional<QString> TServidorActualizaciones::DescargarArchivo(const QString &nombre,
                                                                  const ProgresoDescarga &progreso)
{
    if (!EsNombreSimple(nombre)) {
        Log(QStringLiteral(": ERROR:Nombre de archivo de actualizacion no valido: \"%1\"").arg(nombre));
        return std::nullopt;
    }
    if (!HayCanal(progreso))
        return std::nullopt;
    return DescargarEnCarpeta(nombre, nombre, progreso);
}

std::optional<QByteArray> TServidorActualizaciones::DescargarDescripcionDe(const QUrl &canal,
                                                                           const ProgresoDescarga &progreso)
{
    const std::optional<QString> ruta = Traer(ArchivoDe(canal, kDescripcion), kDescripcion, progreso);
    if (!ruta)
        return std::nullopt;
    QFile archivo(*ruta);
    std::optional<QByteArray> descripcion;
    if (archivo.open(QIODevice::ReadOnly) && archivo.size() <= kMaximoDescripcion)
        descripcion = archivo.readAll();
    else
        Log(QStringLiteral(": ERROR:update.ini ilegible o demasiado grande en ") + canal.toString());
    archivo.close();
    archivo.remove();
    return descripcion;
}

std::optional<QString> TServidorActualizaciones::DescargarEnCarpeta(const QString &remoto,
                                                                    const QString &local,
                                                                    const ProgresoDescarga &progreso)
{
    const QUrl direccion = ArchivoDe(m_canal, remoto);
    const std::optional<QString> ruta = Traer(direccion, local, progreso);
    // A server may answer a missing package with an error page: it must never reach the machine.
    if (ruta && local.endsWith(QStringLiteral(".tar.gz"), Qt::CaseInsensitive)
        && !MachinePackages::looksLikeGzip(*ruta)) {
        QFile::remove(*ruta);
        Log(QStringLiteral(": ERROR:Descarga de %1 rechazada: no es un paquete gzip")
                    .arg(direccion.toString()));
        return std::nullopt;
    }
    return ruta;
}

std::optional<QString> TServidorActualizaciones::Traer(const QUrl &direccion, const QString &local,
                                                       const ProgresoDescarga &progreso)
{
    QDir().mkpath(m_carpetaTrabajo);
    const QString ruta = QDir(m_carpetaTrabajo).filePath(local);
    const ResultadoDescarga resultado = Descargar(direccion, ruta, progreso);
    if (!resultado.ok) {
        Log(QStringLiteral(": ERROR:Descarga de %1: %2").arg(direccion.toString(), resultado.error));
        return std::nullopt;
    }
    return ruta;
}

bool TServidorActualizaciones::HayCanal(const ProgresoDescarga &progreso)
{
    return !m_canal.isEmpty() || ComprobarServidor(progreso);
}

ProgresoDescarga TServidorActualizaciones::Vigilar(const ProgresoDescarga &progreso)
{
    if (!progreso)
        return {};
    return [this, progreso](qint64 recibidos, qint64 total) {
        const bool sigue = progreso(recibidos, total);
        m_detenido = m_detenido || !sigue;
        return sigue;
    };
}
