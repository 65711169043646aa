#pragma once

#include "core/dispenser/ActualizacionMaquina.h"

#include <QString>

#include <functional>
#include <optional>

class IniFile;
class TDispenserTCP;

// The guided change of a machine with old software (1.0 to 1.3) to 2.0: step by step to 1.3,
// then to 2.0, each step a named package fetched from the update server, copied to the machine
// and installed, then a wait until the machine reports the new version and waits for a load
// again. Every wait has a bound and gives way to the user's cancel.
class TCambioVersionMaquina
{
public:
    // Fetches a named file of the update server; its local path, or none (already reported).
    using Descarga = std::function<std::optional<QString>(const QString &nombre)>;

    TCambioVersionMaquina(TDispenserTCP &enlace, TActualizacionMaquina &actualizacion,
                          TAvisosActualizacion &avisos, Descarga descargar);

    // The password of the machine's FTP account for old machines: "vemo", unless the workshop
    // key "TALLER"/"PASO" of the initialisation file names another.
    static QString Clave(const IniFile &ini);

    // The longest each wait for the machine may last.
    void FijarLimiteEsperaMs(int ms) { m_limiteEsperaMs = ms; }

    // Runs the steps the machine's version needs; true when it ended on 2.0 (or had nothing to
    // do), false when cancelled or failed (reported).
    bool Ejecutar(const QString &clave);

private:
    bool Paso(double version, const QString &paquete, const QString &clave);
    bool EsperarEstadoCero(double versionMaquina);
    bool EsperarVersion(double version);
    // Waits while `sigue` holds, one second at a time; false when cancelled or out of time.
    bool EsperarMientras(const std::function<bool()> &sigue);

    TDispenserTCP &m_enlace;
    TActualizacionMaquina &m_actualizacion;
    TAvisosActualizacion &m_avisos;
    Descarga m_descargar;
    int m_limiteEsperaMs = 10 * 60 * 1000;
};
