#include "ui/shell/Mensajes.h"

#include "core/i18n/ULenguaje.h"
#include "core/shell/uLog.h"
#include "ui/shell/TDlgMensaje.h"

#include <QApplication>

namespace {

class PresentadorDialogos final : public PresentadorMensajes
{
public:
    int Mostrar(TTipo tipo, const QString &texto, int tamanoLetra) override
    {
        TDlgMensaje dialogo(tipo, texto, tamanoLetra, QApplication::activeWindow());
        dialogo.exec();
        return dialogo.Resultado();
    }
};

PresentadorDialogos g_dialogos;
PresentadorMensajes *g_presentador = &g_dialogos;

} // namespace

int Confirmar(const QString &pregunta, int tamanoLetra)
{
    return g_presentador->Mostrar(PresentadorMensajes::TTipo::Confirmar, pregunta, tamanoLetra);
}

int ConfirmarContinuar(const QString &texto)
{
    return g_presentador->Mostrar(PresentadorMensajes::TTipo::ConfirmarContinuar, texto, 0);
}

void MostrarError(const QString &mensaje)
{
    Log(QStringLiteral(": F_ERROR:") + mensaje);
    g_presentador->Mostrar(PresentadorMensajes::TTipo::Error, mensaje, 0);
}

void MostrarErrorNoControlado(const QString &mensaje)
{
    g_presentador->Mostrar(PresentadorMensajes::TTipo::Error, mensaje, 0);
}

void MostrarAviso(const QString &mensaje)
{
    g_presentador->Mostrar(PresentadorMensajes::TTipo::Aviso, mensaje, 0);
}

void ErrorPrograma(const QString &detalle)
{
    MostrarError(Traducir(QStringLiteral("ERR_SAT"),
                          QStringLiteral("ERROR DE PROGRAMA. PONGASE EN CONTACTO CON EL SAT. "))
                 + detalle);
}

PresentadorMensajesActivo::PresentadorMensajesActivo(PresentadorMensajes &presentador)
    : m_anterior(g_presentador)
{
    g_presentador = &presentador;
}

PresentadorMensajesActivo::~PresentadorMensajesActivo()
{
    g_presentador = m_anterior;
}
