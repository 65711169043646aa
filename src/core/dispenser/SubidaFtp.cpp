#include "core/dispenser/SubidaFtp.h"

#include "core/i18n/ULenguaje.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <curl/curl.h>

#include <atomic>
#include <memory>
#include <string>

namespace {

constexpr long kEsperaConexionSegundos = 10;
// A transfer below 1 byte/s for 20 s is stalled (machine gone, cable pulled): it ends as failed.
constexpr long kVelocidadMinimaBytes = 1;
constexpr long kTiempoBajaVelocidadSegundos = 20;
// A server that stops answering commands must not hold the update forever.
constexpr long kEsperaRespuestaSegundos = 30;
constexpr int kIntervaloProgresoMs = 100;

// Shared by the worker thread (writes the count, reads the stop) and the caller's thread.
struct TEstadoTransferencia
{
    std::atomic<qint64> enviados {0};
    std::atomic<bool> cancelar {false};
};

// Left by the worker thread; read only after it ended.
struct TFinTransferencia
{
    CURLcode codigo = CURLE_FAILED_INIT;
    curl_off_t enviados = 0;
    char detalle[CURL_ERROR_SIZE] = {};
    std::string ultimaRespuesta;
};

void IniciarCurl()
{
    // libcurl's global set-up must run once per process before any transfer, and not twice at a
    // time: a function-local static gives both.
    static const CURLcode iniciado = curl_global_init(CURL_GLOBAL_DEFAULT);
    Q_UNUSED(iniciado);
}

QByteArray HostUrl(const QString &servidor)
{
    // An IPv6 address goes between brackets, the "%" of its zone escaped.
    if (servidor.contains(u':'))
        return '[' + servidor.toUtf8().replace('%', "%25") + ']';
    return servidor.toUtf8();
}

// curl changes folder one path part at a time, starting at the login folder; "%2F" in front of
// the first part makes the folder absolute ("ftp://host:21/%2Ftmp/name" changes to "/tmp").
QByteArray UrlDestino(const TDestinoFtp &destino, const QString &nombre)
{
    QByteArrayList partes;
    for (const QString &parte : destino.carpeta.split(u'/', Qt::SkipEmptyParts))
        partes << QUrl::toPercentEncoding(parte);
    if (destino.carpeta.startsWith(u'/')) {
        if (partes.isEmpty())
            partes << QByteArray("%2F");
        else
            partes.first().prepend("%2F");
    }
    partes << QUrl::toPercentEncoding(nombre);
    return "ftp://" + HostUrl(destino.servidor) + ':' + QByteArray::number(destino.puerto) + '/'
            + partes.join('/');
}

size_t LeerPaquete(char *destino, size_t tamano, size_t cantidad, void *paquete)
{
    const qint64 leidos = static_cast<QFile *>(paquete)->read(destino, qint64(tamano * cantidad));
    return leidos < 0 ? CURL_READFUNC_ABORT : size_t(leidos);
}

int AnotarProgreso(void *estado, curl_off_t, curl_off_t, curl_off_t, curl_off_t subidos)
{
    auto *transferencia = static_cast<TEstadoTransferencia *>(estado);
    transferencia->enviados = subidos;
    return transferencia->cancelar ? 1 : 0; // non-zero makes curl abort the transfer
}

size_t GuardarRespuesta(char *linea, size_t tamano, size_t cantidad, void *respuesta)
{
    // The server's last reply explains a refusal ("530 Login incorrect.", "550 ...").
    *static_cast<std::string *>(respuesta) = std::string(linea, tamano * cantidad);
    return tamano * cantidad;
}

void Transferir(const TDestinoFtp &destino, const QByteArray &url, QFile &paquete,
                TEstadoTransferencia &estado, TFinTransferencia &fin)
{
    const std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), &curl_easy_cleanup);
    if (!curl)
        return;
    CURL *c = curl.get();
    const QByteArray usuario = destino.usuario.toUtf8();
    const QByteArray clave = destino.clave.toUtf8();
    curl_easy_setopt(c, CURLOPT_URL, url.constData());
    // The account goes apart from the address, so the password never appears in a URL.
    curl_easy_setopt(c, CURLOPT_USERNAME, usuario.constData());
    curl_easy_setopt(c, CURLOPT_PASSWORD, clave.constData());
    curl_easy_setopt(c, CURLOPT_UPLOAD, 1L); // STOR: replaces a file of the same name
    curl_easy_setopt(c, CURLOPT_TRANSFERTEXT, 0L); // binary ("TYPE I")
    // No CURLOPT_FTPPORT: curl uses passive mode (EPSV, falling back to PASV).
    curl_easy_setopt(c, CURLOPT_READFUNCTION, &LeerPaquete);
    curl_easy_setopt(c, CURLOPT_READDATA, &paquete);
    curl_easy_setopt(c, CURLOPT_INFILESIZE_LARGE, curl_off_t(paquete.size()));
    // The machine is on the pharmacy's network: an ftp_proxy/all_proxy of the environment must
    // not divert the package (an empty proxy disables them).
    curl_easy_setopt(c, CURLOPT_PROXY, "");
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, kEsperaConexionSegundos);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, kVelocidadMinimaBytes);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, kTiempoBajaVelocidadSegundos);
    curl_easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT, kEsperaRespuestaSegundos);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L); // timeouts without signals: this is a worker thread
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &AnotarProgreso);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &estado);
    curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, &GuardarRespuesta);
    curl_easy_setopt(c, CURLOPT_HEADERDATA, &fin.ultimaRespuesta);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, fin.detalle);
    fin.codigo = curl_easy_perform(c);
    curl_easy_getinfo(c, CURLINFO_SIZE_UPLOAD_T, &fin.enviados);
}

// Runs `trabajo` on a worker thread while this thread keeps handling events, telling `progreso`
// the count every 100 ms; its "stop" becomes a request the transfer sees at its next step.
void EjecutarInformando(const std::function<void()> &trabajo, TEstadoTransferencia &estado, qint64 total,
                        const ProgresoSubida &progreso)
{
    QEventLoop espera;
    QTimer intervalo;
    intervalo.setInterval(kIntervaloProgresoMs);
    bool informando = false; // a callback that opens a dialog must not be called again inside it
    QObject::connect(&intervalo, &QTimer::timeout, &espera, [&] {
        if (!progreso || informando || estado.cancelar)
            return;
        informando = true;
        if (!progreso(estado.enviados, total))
            estado.cancelar = true;
        informando = false;
    });
    const std::unique_ptr<QThread> hilo(QThread::create(trabajo));
    QObject::connect(hilo.get(), &QThread::finished, &espera, &QEventLoop::quit);
    hilo->start();
    intervalo.start();
    espera.exec();
    hilo->wait();
}

QString DescribirFallo(const TFinTransferencia &fin, const TResultadoSubida &resultado)
{
    if (resultado.cancelada)
        return Traducir(QStringLiteral("STR_CANCELADO"), QStringLiteral("(CANCELADO)"));
    if (fin.codigo == CURLE_OK) // curl ended well, but not with the whole package sent
        return Traducir(QStringLiteral("ERR_SUBIDA_FTP_INCOMPLETA"),
                        QStringLiteral("EL FICHERO NO SE HA ENVIADO ENTERO, BYTES ENVIADOS: "))
                + QStringLiteral("%1 / %2").arg(resultado.enviados).arg(resultado.tamano);
    QString error = QString::fromUtf8(curl_easy_strerror(fin.codigo));
    if (fin.detalle[0] != '\0')
        error += QStringLiteral(": ") + QString::fromUtf8(fin.detalle);
    const QString respuesta = QString::fromUtf8(fin.ultimaRespuesta).trimmed();
    if (!respuesta.isEmpty())
        error += QStringLiteral(" (") + respuesta + u')';
    return error;
}

} // namespace

TResultadoSubida SubirArchivoFtp(const TDestinoFtp &destino, const QString &archivo,
                                 const ProgresoSubida &progreso)
{
    TResultadoSubida resultado;
    QFile paquete(archivo);
    if (!paquete.open(QIODevice::ReadOnly)) {
        resultado.error = Traducir(QStringLiteral("ERR_ABRIR_DOCUMENTO"),
                                   QStringLiteral("NO SE HA PODIDO ABRIR EL DOCUMENTO: "))
                + archivo + QStringLiteral(" (") + paquete.errorString() + u')';
        return resultado;
    }
    resultado.tamano = paquete.size();
    IniciarCurl();
    const QString nombre = QFileInfo(archivo).fileName();
    const QByteArray url = UrlDestino(destino, nombre);
    TEstadoTransferencia estado;
    TFinTransferencia fin;
    EjecutarInformando([&] { Transferir(destino, url, paquete, estado, fin); }, estado, resultado.tamano,
                       progreso);

    resultado.enviados = fin.enviados;
    resultado.cancelada = fin.codigo == CURLE_ABORTED_BY_CALLBACK && estado.cancelar;
    // curl's success alone is not enough: a package cut short must never be installed.
    resultado.completa = fin.codigo == CURLE_OK && resultado.enviados == resultado.tamano;
    if (!resultado.completa)
        resultado.error = DescribirFallo(fin, resultado);
    return resultado;
}
