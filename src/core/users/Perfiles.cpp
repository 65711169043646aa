#include "core/users/Perfiles.h"

#include "core/i18n/ULenguaje.h"

QString NombrePerfil(int idPerfil)
{
    switch (idPerfil) {
    case Perfiles::kAuxiliar:
        return Traducir(QStringLiteral("STR_AUXILIAR"), QStringLiteral("AUXILIAR"));
    case Perfiles::kFarmaceutico:
        return Traducir(QStringLiteral("STR_FARMACEUTICO"), QStringLiteral("FARMACEUTICO"));
    default:
        return {};
    }
}

QList<TCodigos> ListaPerfiles()
{
    QList<TCodigos> perfiles;
    for (const int id : {Perfiles::kAuxiliar, Perfiles::kFarmaceutico})
        perfiles.append({id, NombrePerfil(id)});
    return perfiles;
}
