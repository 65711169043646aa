#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

class AppDirectory;
class IniDocument;
class IniFile;
class TServidorActualizaciones;
struct ServidoresActualizacion;

// What the start-up compares with the update server's description "update.ini" before it
// launches the updater: the versions installed here, the channel and the once-a-day rule.

// The first argument that takes updates from the beta channel.
inline const QString kArgumentoBeta = QStringLiteral("--beta");

// Updates come from the beta channel when the first argument asks for it, in developer mode,
// or when VERSION/BETA of the workstation's initialisation file is 1. The main window's caption
// and the machine package downloads use the same rule.
bool EsCanalBeta(const QString &primerArgumento, bool modoDesarrollo, const IniFile &ini);

// "MED" for the country "0" or none, else "MED" followed by the country index.
QString ClaveCatalogoMedicamentos(const QString &pais);

// The keys of section VERSION compared with the server, in this order.
QStringList ComponentesActualizables(const QString &pais);

// The versions installed on this workstation: the keys of section VERSION of its
// initialisation file, except the medication catalogue and the database content, which the
// workstations of one database share in the version file beside it.
class TVersionesInstaladas
{
public:
    TVersionesInstaladas(QString iniEstacion, QString ficheroCompartido);

    // The shared version file is "Kelvo.INI" in the database's folder when that is not the
    // application directory; the workstation's file when it is, or when there is none there.
    static TVersionesInstaladas De(const AppDirectory &directorio, const QString &directorioBaseDatos);

    const QString &FicheroDe(const QString &componente) const;
    // 0 when the key is missing; a value that is not a number is logged and counts as 0.
    qint64 Numero(const QString &componente) const;

private:
    QString m_iniEstacion;
    QString m_ficheroCompartido;
};

// The components the description lists with a higher number than the installed one. A server
// value that is not a number is logged and gives no update.
QStringList ComponentesNuevos(const IniDocument &descripcion, const TVersionesInstaladas &instaladas,
                              const QString &pais);

// Reads the description again from the server `ComprobarServidor` accepted and compares it;
// the newer components go to the event log. False when the description cannot be read.
bool HayActualizacion(TServidorActualizaciones &servidor, const TVersionesInstaladas &instaladas,
                      const QString &pais);

enum class EstadoActualizacion {
    SinServidores, // no server configured: nothing was asked outside this computer
    SinConexion, // no configured server answered
    AlDia,
    Pendiente, // an update is waiting on the server
};

// The whole check of the start: a server that answers, then the comparison.
EstadoActualizacion ComprobarActualizacion(const ServidoresActualizacion &servidores, bool beta,
                                           const QString &carpetaTrabajo,
                                           const TVersionesInstaladas &instaladas, const QString &pais);

// The updater is launched without asking on the first start of a day: VERSION/LASTVIEW
// ("yyyyMMdd" of the last launch) is not today.
bool PrimerInicioDelDia(const IniFile &ini, const QDate &hoy);
bool AnotarLanzamientoActualizador(IniFile &ini, const QDate &hoy);
