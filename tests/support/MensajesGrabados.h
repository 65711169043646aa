#pragma once

#include "ui/shell/Mensajes.h"

#include <QList>
#include <QString>

#include <deque>

// Records the standard messages instead of showing dialogs and answers the confirmations from
// a queue (1, "accepted", once the queue is empty). Installed while it lives.
class MensajesGrabados final : public PresentadorMensajes
{
public:
    struct TMensaje
    {
        TTipo tipo;
        QString texto;
    };

    MensajesGrabados()
        : m_activo(*this)
    { }

    void Responder(int respuesta) { m_respuestas.push_back(respuesta); }

    int Mostrar(TTipo tipo, const QString &texto, int) override
    {
        mensajes.append({tipo, texto});
        if (tipo != TTipo::Confirmar && tipo != TTipo::ConfirmarContinuar)
            return 1;
        if (m_respuestas.empty())
            return 1;
        const int respuesta = m_respuestas.front();
        m_respuestas.pop_front();
        return respuesta;
    }

    QStringList Textos(TTipo tipo) const
    {
        QStringList textos;
        for (const auto &mensaje : mensajes)
            if (mensaje.tipo == tipo)
                textos.append(mensaje.texto);
        return textos;
    }

    QList<TMensaje> mensajes;

private:
    std::deque<int> m_respuestas;
    PresentadorMensajesActivo m_activo;
};
