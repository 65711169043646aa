#pragma once

#include "core/shell/IniDocument.h"

#include <QString>
#include <QUrl>

#include <chrono>
#include <functional>
#include <optional>

class IniFile;

// Progress of one download: bytes received and the total announced (-1 when unknown). Called on
// the caller's thread; returning false stops the download.
using ProgresoDescarga = std::function<bool(qint64 recibidos, qint64 total)>;

// How a download ended. The error is a text for the event log.
struct ResultadoDescarga
{
    bool ok = false;
    QString error;
    int httpStatus = 0; // of the last answer; 0 when none came
};

// A download that receives nothing for this long is given up.
inline constexpr std::chrono::milliseconds kEsperaSinDatos {30000};
// More redirections than this are taken as a loop.
inline constexpr int kMaximoRedirecciones = 5;

// Fetches the address into the file `destino`, waiting in a local event loop so the windows keep
// answering. The body goes to a temporary file beside `destino` that replaces it only when the
// whole body arrived with a 2xx answer: a failure (transport, HTTP status, redirection loop,
// a body shorter than announced, a stall, a stop from `progreso`) leaves `destino` as it was.
ResultadoDescarga Descargar(const QUrl &direccion, const QString &destino,
                            const ProgresoDescarga &progreso = {},
                            std::chrono::milliseconds esperaSinDatos = kEsperaSinDatos);

// The two update servers of section "ACTUALIZACION" of the initialisation file: base addresses
// such as "https://updates.example.com/". Empty by default, so an installation that names none
// never asks anything outside the computer.
struct ServidoresActualizacion
{
    QUrl principal;
    QUrl alternativo;

    static ServidoresActualizacion Leer(const IniFile &ini);
};

// The update server as the application uses it: finds a server that answers (the primary one,
// else the fallback) and fetches from its channel folder ("Kelvo/", or "Kelvo_BETA/" for the
// beta channel) into the working folder, created when needed.
class TServidorActualizaciones
{
public:
    TServidorActualizaciones(ServidoresActualizacion servidores, bool beta, QString carpetaTrabajo);

    // Accepts the first server whose "update.ini" arrives and holds the line "[VERSION]", and
    // remembers its channel address. False when none does (the caller tells the user).
    bool ComprobarServidor(const ProgresoDescarga &progreso = {});

    // The accepted server's channel folder; empty before a server was accepted.
    QUrl DireccionCanal() const { return m_canal; }

    // The server's description "update.ini", fetched again from the accepted channel and read;
    // the downloaded file is deleted. Nothing when no server was accepted or the download failed.
    std::optional<IniDocument> LeerDescripcion(const ProgresoDescarga &progreso = {});

    // The newest machine package: "MAQ_" n ".UPD" of the channel, n being "MAQ" of the
    // description's section "VERSION", stored as "Kelvo_Version_" n ".tar.gz" in the working
    // folder. Returns its path; nothing (and no file) when a step fails or the download is not
    // a gzip package.
    std::optional<QString> DescargarPaqueteMaquina(const ProgresoDescarga &progreso = {});

    // A file of the channel folder by its plain name (such as "Kelvo_uPC_v1.3"), stored under
    // that name in the working folder; a ".tar.gz" must be a gzip package. Returns its path.
    std::optional<QString> DescargarArchivo(const QString &nombre, const ProgresoDescarga &progreso = {});

private:
    std::optional<QByteArray> DescargarDescripcionDe(const QUrl &canal, const ProgresoDescarga &progreso);
    std::optional<QString> DescargarEnCarpeta(const QString &remoto, const QString &local,
                                              const ProgresoDescarga &progreso);
    // Downloads into the working folder under the local name; its path, or nothing (logged).
    std::optional<QString> Traer(const QUrl &direccion, const QString &local,
                                 const ProgresoDescarga &progreso);
    bool HayCanal(const ProgresoDescarga &progreso);
    ProgresoDescarga Vigilar(const ProgresoDescarga &progreso);

    ServidoresActualizacion m_servidores;
    QString m_carpetaCanal;
    QString m_carpetaTrabajo;
    QUrl m_canal;
    bool m_detenido = false; // the user stopped a download: no further server is tried
};
