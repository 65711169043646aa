#include "core/loading/ConsumoStock.h"

#include <algorithm>

namespace ConsumoStock {

Resultado Consumir(const QList<qint64> &filas, qint64 necesidad, qint64 porcion, bool enBlister)
{
    Resultado resultado;
    qint64 pendiente = std::max<qint64>(necesidad, 0);
    for (const qint64 cantidad : filas) {
        Paso paso;
        // A row at or below nothing gives nothing and is left for the pharmacist to correct.
        const qint64 utilizable = cantidad > 0 && porcion > 0 ? cantidad - cantidad % porcion : 0;
        paso.tomado = std::min(pendiente, utilizable);
        paso.restante = cantidad - paso.tomado;
        pendiente -= paso.tomado;
        if (enBlister && cantidad >= 0 && paso.restante < kMinimoFila)
            paso.cambio = Cambio::Borrar;
        else if (paso.tomado > 0)
            paso.cambio = Cambio::Actualizar;
        resultado.pasos.append(paso);
    }
    resultado.faltan = pendiente;
    return resultado;
}

} // namespace ConsumoStock
