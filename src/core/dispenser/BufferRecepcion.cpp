#include "core/dispenser/BufferRecepcion.h"

#include "core/dispenser/ProtocoloDispensador.h"

BufferRecepcion::Lectura BufferRecepcion::Anadir(const QByteArray &bytes)
{
    Lectura lectura;
    qsizetype inicio = 0;
    while (inicio < bytes.size()) {
        const qsizetype fin = bytes.indexOf(ProtocoloDispensador::kTerminador, inicio);
        const qsizetype hasta = fin < 0 ? bytes.size() : fin;
        const QByteArrayView trozo(bytes.constData() + inicio, hasta - inicio);
        if (m_descartando) {
            lectura.descartados += trozo.size();
        } else if (m_pendiente.size() + trozo.size() > kLimite) {
            lectura.descartados += m_pendiente.size() + trozo.size();
            m_pendiente.clear();
            m_descartando = true;
        } else {
            m_pendiente.append(trozo);
        }
        if (fin < 0)
            break;
        if (!m_descartando && !m_pendiente.isEmpty())
            lectura.mensajes.append(m_pendiente);
        m_pendiente.clear();
        m_descartando = false;
        inicio = fin + 1;
    }
    return lectura;
}

qsizetype BufferRecepcion::Descartar()
{
    const qsizetype descartados = m_pendiente.size();
    m_pendiente.clear();
    return descartados;
}
