#pragma once

#include "core/data/uApp.h"

#include <QList>
#include <QString>

// The two user profiles. The profile decides the rights: only the pharmacist administers and
// changes treatments.
namespace Perfiles {

inline constexpr int kAuxiliar = 0;
inline constexpr int kFarmaceutico = 1;

} // namespace Perfiles

// The profile's name in the language in force; empty for an unknown id.
QString NombrePerfil(int idPerfil);

// Every profile in id order (the position in the list is the id), with the names in the language
// in force; built anew on every call.
QList<TCodigos> ListaPerfiles();
