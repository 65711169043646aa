#pragma once

#include <functional>

// The screens the hubs and the administration menu lead to that live in other parts of the
// application. Each is opened through the function registered for it; until one is registered,
// choosing it shows a warning that the option is not available yet, and nothing else happens.
//
// Registering is one line, made once the main window exists, for example:
//     RegistrarDestino(TDestino::CargaPaciente, [] { FormInicio().AbrirPantalla<TFormPacienteCarga>(); });
enum class TDestino {
    FichaPaciente, // patient card, in the patient screen
    TratamientoPaciente,
    HistorialTratamiento, // the treatment's versions, from the treatment screen
    CargaPaciente,
    EntregaPaciente,
    RetornoPaciente, // opened only when the patient has loads; it selects the latest one
    CargaCategoria,
    EntregaCategoria,
    PacientesCategoria,
    ListaPacientes, // the entry of the administration screens
    Usuarios,
    Preferencias,
    Consultas, // list of loads
    Auditoria, // audit view
    Trazabilidad, // traceability view
    Categorias, // master lists
    Utilidades, // needs
    Listados, // the charts and treatment sheets of chosen patients, beside the needs
    HojaAdministracion, // the active patient's administration chart, by week
    HojaFranjas, // the same chart by time slot
    BaseDatos, // where the database lives
};

// An empty function removes the registration.
void RegistrarDestino(TDestino destino, std::function<void()> abrir);
bool DestinoDisponible(TDestino destino);
void AbrirDestino(TDestino destino);
