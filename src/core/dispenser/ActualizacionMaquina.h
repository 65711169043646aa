#pragma once

#include <QString>

#include <functional>
#include <optional>

class IniFile;
class TDispenserTCP;

// What a machine software update asks of the user and of time. The screens answer with a
// progress dialog and the standard message boxes; tests answer from a script. Texts arrive
// translated.
class TAvisosActualizacion
{
public:
    virtual ~TAvisosActualizacion() = default;

    // A question answered yes (true) or no.
    virtual bool Confirmar(const QString &pregunta) = 0;
    virtual void Error(const QString &mensaje) = 0;
    // What the update is doing now; shown without waiting for an answer.
    virtual void Informar(const QString &texto) = 0;
    // Bytes of the package copied so far; false when the user cancelled.
    virtual bool Progreso(qint64 enviados, qint64 total) = 0;
    // Lets `ms` milliseconds pass with the window responsive; false when the user cancelled.
    virtual bool Esperar(int ms) = 0;
};

namespace ActualizacionMaquina {

// The machine's FTP passwords: machines below software 2.0 have the old one.
inline const QString kClaveAntigua = QStringLiteral("vemo");
inline const QString kClaveNueva = QStringLiteral("lantrobeks");
inline constexpr double kVersionClaveNueva = 2.0;
// A machine whose build cannot be read counts as having this one (install, do not wait).
inline constexpr int kBuildDesconocido = 999999;
// Builds below this one do not report their new build after an update.
inline constexpr int kPrimerBuildQueInforma = 18;
// From this software version on the machine answers the state request.
inline constexpr double kVersionPideEstado = 2.2;

QString ClaveMaquina(double versionMaquina);

// The build of the machine's version text: the leading digits after its second "." ("2.2.18"
// gives 18); none when the text has no such part.
std::optional<int> BuildMaquina(const QString &versionTexto);

enum class TDecision {
    NoProcede, // no machine, or software below 2.0: the package waits
    Instalar,
    YaInstalado, // the machine has this build or a newer one: the package is not needed
};
TDecision Decidir(double versionMaquina, int build, int numeroPaquete, bool forzar);

// The old software versions that are brought to 2.0 by the guided change.
bool NecesitaCambioVersion(double versionMaquina);
// "LA VERSION DE SOFTWARE MAQUINA INSTALADA ES :" and the version ("1" written "1.0").
QString TextoVersionInstalada(double versionMaquina);

// The translated messages the update shows.
QString MensajeEnEspera();
QString PreguntaCambioVersion();
QString MensajePaqueteVacio(const QString &nombreArchivo);
QString MensajeMaquinaDesconectada();
QString MensajeVersionNoCambia();

} // namespace ActualizacionMaquina

// Copies a software package to the machine over FTP, orders its installation and waits for the
// machine to report its new build. Every outcome leaves a line in the event log.
//
// An update either reaches a machine that reports the new build, and then the package is gone
// and its number recorded as "MAQ" of section "VERSION", or it failed and the package stays for
// the next attempt with nothing recorded: "UPDATESYSTEM" follows only a complete copy, and a
// machine that is absent, stops answering or keeps its old build is a failure.
class TActualizacionMaquina
{
public:
    enum class TResultado {
        NoProcede, // no machine answered, or its software is below 2.0
        Cancelada, // the user said no or cancelled a wait; the package stays
        Aplazada, // the machine was busy and the user left it for later; the package stays
        YaInstalada, // the machine already had it; the package is deleted
        Instalada,
        Fallida, // reported to the user; the package stays (an empty one is deleted)
    };

    TActualizacionMaquina(TDispenserTCP &enlace, IniFile &ini, TAvisosActualizacion &avisos);

    // How long the machine has to report its new build after "UPDATESYSTEM".
    void FijarEsperaVersionMs(int ms) { m_esperaVersionMs = ms; }

    // Copies `paquete` into the machine's temporary folder and, only when the whole file arrived,
    // orders its installation. False (reported) when there is no machine or the copy failed.
    bool ActualizarSistema(const QString &paquete, const QString &clave);

    // Installs `paquete` when it is newer than the machine's software (or always with `forzar`).
    TResultado ActualizarSoftwareMaquina(const QString &paquete, const QString &clave, bool forzar);

    // Waits until the machine is waiting for a load (state 0). While it is busy the user is asked
    // whether to try again; false when they leave it for later.
    bool EsperarMaquinaLibre(double versionMaquina);

    // The machine's state: asked from software 2.2 on, else the last one it reported.
    quint8 EstadoActual(double versionMaquina);

private:
    bool Instalar(const QString &paquete, const QString &clave, int build, int numero);
    // Waits, at most m_esperaVersionMs, for the machine to report `numero` or a newer build.
    bool EsperarBuild(int numero);
    void Registrar(int numero);

    TDispenserTCP &m_enlace;
    IniFile &m_ini;
    TAvisosActualizacion &m_avisos;
    int m_esperaVersionMs = 60000;
};
