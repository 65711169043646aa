#pragma once

#include "core/dispenser/DispenserRecords.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>
#include <variant>

// The dispenser machine's text protocol without any transport: commands built as text,
// the encoding rule that turns them into bytes, and the machine's messages decoded from
// bytes. Messages are fields separated by ";" and ended by "|".
namespace ProtocoloDispensador {

inline constexpr int kNumCeldas = 28;
inline constexpr char kSeparador = ';';
inline constexpr char kTerminador = '|';
// The highest unit count a cell can report; anything larger is a corrupted message.
inline constexpr qint32 kMaximoPorCelda = 9999;
// From this machine software version on, the machine reads UTF-8 (below it, Windows-1252).
inline constexpr double kVersionUtf8 = 2.0;

// ---- Application to machine ---------------------------------------------------------------

// A text field made safe for the wire: the separators ";" and "|" and line breaks would
// shift every following field, so they are replaced (";" by ",", "|" by "/", CR and LF by
// a blank).
QString CampoSeguro(const QString &texto);

QString ComandoInicio(const QString &refPaciente, const QString &nombre, const QString &campo3,
                      const QString &campo4, const QString &fechaInicio, const QString &refCarga);
// The counts still to place: a cell reported fuller than planned has nothing left (0).
QList<qint32> SinNegativos(const QList<qint32> &celdas);
// One medication's 28 cell counts, negative ones sent as 0. Empty when the list does not
// hold exactly 28 counts.
QString ComandoCarga(const QString &nombre, const QList<qint32> &celdas, const QString &aspecto,
                     qint64 idMedicamento);
QString ComandoInit(qint32 charges);
QString ComandoCerrar();
QString ComandoCancelar();
QString ComandoPedirEstado();
QString ComandoPedirVersion();
QString ComandoPedirHT();
QString ComandoPedirIP();
QString ComandoPedirConfig();
QString ComandoPedirInfo();
QString ComandoConfigurarIP(const TRedMaquina &red);
QString ComandoConfigurar(qint32 idioma, qint32 sonidos, qint32 recuperacion, qint32 carga);
QString ComandoFijarIdMaquina(const QString &id);
QString ComandoActualizarSistema();
// The connection probe: outside the grammar, without terminator.
QByteArray SondaConexion();

// The bytes of a message for a machine of the given software version.
QByteArray Codificar(const QString &mensaje, double versionMaquina);

// ---- Machine to application ---------------------------------------------------------------

// The state codes as the application reads them: 1, 2, 3, 4, 5 and 9 keep their value,
// anything else (not a number included) is 0.
quint8 MapearEstado(const QString &campo);

// The machine software version as a number: the leading decimal number of the text
// ("2.1" of "2.1.3"), with "." as decimal separator whatever the locale; 0 when none.
double NumeroVersion(const QString &version);

struct RespuestaHT
{
    qint32 humedad = 0;
    qint32 temperatura = 0;
};
struct RespuestaEstado
{
    quint8 estado = 0;
};
struct RespuestaVersion
{
    QString version;
};
struct MensajeCierre
{
    qint32 valor = 0;
};
struct RespuestaIP
{
    TRedMaquina red;
};
struct RespuestaConfig
{
    TConfigMaquina config;
    TRedMaquina red;
};
struct RespuestaInfo
{
    TInfoMaquina info;
};
// Progress while the machine places a medication.
struct InformeEstado
{
    quint8 estado = 0;
    QString nombre;
    bool marca = false;
    QString campo4;
    QList<qint32> pastillas; // exactly 28 counts
};
struct PalabraDesconocida
{
    QString palabra;
};
// A message that cannot be read whole; nothing of it may be stored, except the machine's state
// of a "status" whose state field is itself a number: the machine is in that state whatever
// became of its counts.
struct MensajeMalformado
{
    QString motivo;
    std::optional<quint8> estado;
};

using MensajeMaquina
        = std::variant<RespuestaHT, RespuestaEstado, RespuestaVersion, MensajeCierre, RespuestaIP,
                       RespuestaConfig, RespuestaInfo, InformeEstado, PalabraDesconocida, MensajeMalformado>;

// The text of one message (without its "|"): UTF-8 when the bytes are valid UTF-8, else
// Windows-1252, so that no byte sequence is lost or rejected.
QString Decodificar(const QByteArray &mensaje);

// Decodes one complete message (without its "|"). Fields beyond those an answer reads are
// ignored; missing text fields read as empty; a missing or malformed number makes the whole
// message malformed (a "status" keeps its state, see MensajeMalformado).
MensajeMaquina LeerMensaje(const QByteArray &mensaje);

} // namespace ProtocoloDispensador
