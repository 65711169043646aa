#pragma once

#include "core/dispenser/DispenserRecords.h"
#include "core/dispenser/ValidacionRed.h"

#include <optional>
#include <variant>

class TDispenser;

// The machine's own settings as the pharmacy sees and changes them: the parameters view, the
// network dialog, and its language and sounds.

// What the machine parameters view shows.
struct TParametrosMaquina
{
    TInfoMaquina info;
    QString version; // the text of "answerversion"; empty when unanswered
    qint32 humedad = 0; // raw readings, without the pharmacy's correction; 0 when unanswered
    qint32 temperatura = 0;
    QString ipLocal; // the connection's address, then the address the machine reports in brackets
    TRedMaquina red; // empty when the network request went unanswered
};

// Asks the machine for everything the view shows; nothing when it does not answer the
// information request. `direccionConexion` is the address the machine connected from.
std::optional<TParametrosMaquina> LeerParametrosMaquina(TDispenser &maquina,
                                                        const QString &direccionConexion);

// The network settings the machine reports, when they can be changed: nothing when it does not
// answer or reports no address of its own, as "CONFIGIP" sends that address back and would
// leave the machine without one.
std::optional<TRedMaquina> LeerRedConfigurable(TDispenser &maquina);

// The fields of the network dialog, in the order they are checked.
enum class TCampoRed { Mascara, Gateway, DNS };

struct TRedTecleada
{
    QString mascara;
    QString gateway;
    QString dns;
};

struct TFalloRed
{
    TCampoRed campo;
    TResultadoDireccion resultado;
};

// Checks the typed settings in the dialog's order and stops at the first failure; otherwise the
// settings to send: the machine's address and second field as reported, the typed three.
std::variant<TRedMaquina, TFalloRed> RedAEnviar(const TRedMaquina &reportada, const TRedTecleada &tecleada);

// From this state on the machine is busy and takes no new language or sounds.
inline constexpr quint8 kEstadoMaquinaOcupada = 2;

// Sends the language and the sounds ("CONFIG", the other two values 0) while the machine waits
// for work; a machine that answers the state request is asked first. False, with nothing sent,
// while it is busy.
bool ConfigurarIdiomaYSonidos(TDispenser &maquina, qint32 idioma, qint32 sonidos);

// The language chosen at the first start goes to a connected machine with the sounds off, when
// it waits for work; otherwise nothing is sent.
void EnviarIdiomaInicial(int idioma);
