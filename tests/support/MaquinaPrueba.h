#pragma once

#include "OpcionesSimulador.h"
#include "SimuladorDispensador.h"
#include "core/dispenser/UDispenserTCP.h"

#include <QTest>

#include <memory>

// The machine as the tests drive it: the simulator on loopback and a link that finds it by
// discovery and connects.
namespace MaquinaPrueba {

// A quick machine: a few milliseconds a step, two steps per medication.
inline OpcionesSimulador Rapida()
{
    OpcionesSimulador opciones;
    opciones.puertoBusqueda = 0;
    opciones.intervaloMs = 5;
    opciones.pasosPorMedicamento = 2;
    return opciones;
}

// A quick machine of the given software ("Ver_uPC") and version text, with its FTP service on
// a free port and a quick installation of a software package.
inline OpcionesSimulador ConSoftware(const QString &software, const QString &version)
{
    OpcionesSimulador opciones = Rapida();
    opciones.versionSoftware = software;
    opciones.info.Ver_uPC = software;
    opciones.versionRespuesta = version;
    opciones.puertoFtp = OpcionesSimulador::kPuertoFtpLibre;
    opciones.retrasoActualizacionMs = 100;
    return opciones;
}

// Starts the simulator and the link; true once both sides are connected.
inline bool Arrancar(const OpcionesSimulador &opciones, std::unique_ptr<SimuladorDispensador> &simulador,
                     std::unique_ptr<TDispenserTCP> &link)
{
    simulador = std::make_unique<SimuladorDispensador>(opciones);
    if (!simulador->Iniciar())
        return false;
    TConfiguracionRedDispensador configuracion
            = TConfiguracionRedDispensador::Local(0, simulador->PuertoBusqueda());
    configuracion.periodoBusquedaMs = 20;
    configuracion.puertoFtp = simulador->PuertoFtp();
    link = std::make_unique<TDispenserTCP>(configuracion);
    return QTest::qWaitFor([&] { return link->Conectado && simulador->Conectado(); }, 10000);
}

} // namespace MaquinaPrueba

Q_DECLARE_METATYPE(OpcionesSimulador)
