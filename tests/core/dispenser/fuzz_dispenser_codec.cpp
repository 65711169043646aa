// Feeds arbitrary bytes, as a connection would deliver them, through the receive buffer and
// the message decoder. Whatever the bytes, nothing may crash and every message must be
// either an answer read whole or a dropped one.
#include "core/dispenser/BufferRecepcion.h"
#include "core/dispenser/ProtocoloDispensador.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    BufferRecepcion buffer;
    // The first byte chooses where the stream is cut into reads.
    const qsizetype corte = size > 0 ? qsizetype(data[0] % 17) + 1 : 1;
    for (qsizetype inicio = 0; inicio < bytes.size(); inicio += corte) {
        const BufferRecepcion::Lectura lectura = buffer.Anadir(bytes.mid(inicio, corte));
        if (buffer.Pendientes() > BufferRecepcion::kLimite)
            std::abort();
        for (const QByteArray &mensaje : lectura.mensajes) {
            if (mensaje.isEmpty() || mensaje.contains(ProtocoloDispensador::kTerminador))
                std::abort();
            const auto leido = ProtocoloDispensador::LeerMensaje(mensaje);
            if (const auto *informe = std::get_if<ProtocoloDispensador::InformeEstado>(&leido)) {
                if (informe->pastillas.size() != ProtocoloDispensador::kNumCeldas)
                    std::abort();
                for (const qint32 unidades : informe->pastillas)
                    if (unidades < 0 || unidades > ProtocoloDispensador::kMaximoPorCelda)
                        std::abort();
            }
        }
    }
    return 0;
}
