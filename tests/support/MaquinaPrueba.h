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
    link = std::make_unique<TDispenserTCP>(configuracion);
    return QTest::qWaitFor([&] { return link->Conectado && simulador->Conectado(); }, 10000);
}

} // namespace MaquinaPrueba
