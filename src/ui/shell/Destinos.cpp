#include "ui/shell/Destinos.h"

#include "core/i18n/ULenguaje.h"
#include "ui/shell/Mensajes.h"

#include <QHash>

namespace {

QHash<TDestino, std::function<void()>> &Registro()
{
    static QHash<TDestino, std::function<void()>> registro;
    return registro;
}

} // namespace

void RegistrarDestino(TDestino destino, std::function<void()> abrir)
{
    if (abrir)
        Registro().insert(destino, std::move(abrir));
    else
        Registro().remove(destino);
}

bool DestinoDisponible(TDestino destino)
{
    return Registro().contains(destino);
}

void AbrirDestino(TDestino destino)
{
    // A copy: opening may register or remove destinations.
    const std::function<void()> abrir = Registro().value(destino);
    if (!abrir) {
        MostrarAviso(Traducir(QStringLiteral("WRN_OPCION_NO_DISPONIBLE"),
                              QStringLiteral("ESTA OPCION AUN NO ESTA DISPONIBLE")));
        return;
    }
    abrir();
}
