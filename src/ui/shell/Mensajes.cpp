#include "ui/shell/Mensajes.h"

#include "core/i18n/ULenguaje.h"
#include "core/shell/uLog.h"
#include "ui/shell/TDlgMensaje.h"

#include <QApplication>
#include <QSet>

namespace {

int PresentarDialogo(PresentadorMensajes::TTipo tipo, const QString &texto, int tamanoLetra)
{
    TDlgMensaje dialogo(tipo, texto, tamanoLetra, QApplication::activeWindow());
    dialogo.exec();
    return dialogo.Resultado();
}

TPresentadorUnoAUno g_dialogos(&PresentarDialogo);
PresentadorMensajes *g_presentador = &g_dialogos;

std::function<void(const QString &)> &LineaEstado()
{
    static std::function<void(const QString &)> mostrar;
    return mostrar;
}

} // namespace

TPresentadorUnoAUno::TPresentadorUnoAUno(Dialogo dialogo)
    : m_dialogo(std::move(dialogo))
{ }

int TPresentadorUnoAUno::Mostrar(TTipo tipo, const QString &texto, int tamanoLetra)
{
    if ((tipo == TTipo::Error || tipo == TTipo::Aviso) && m_abiertos > 0) {
        m_pendientes.push_back({tipo, texto, tamanoLetra});
        return 1;
    }
    const int resultado = Presentar({tipo, texto, tamanoLetra});
    while (m_abiertos == 0 && !m_pendientes.empty()) {
        const TPendiente pendiente = m_pendientes.front();
        m_pendientes.pop_front();
        Presentar(pendiente);
    }
    return resultado;
}

int TPresentadorUnoAUno::Presentar(const TPendiente &mensaje)
{
    ++m_abiertos;
    const int resultado = m_dialogo(mensaje.tipo, mensaje.texto, mensaje.tamanoLetra);
    --m_abiertos;
    return resultado;
}

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

void AvisarEnLineaEstado(const QString &texto)
{
    static QSet<QString> anotados;
    if (!anotados.contains(texto)) {
        anotados.insert(texto);
        Log(QStringLiteral(": AVISO: ") + texto);
    }
    if (LineaEstado())
        LineaEstado()(texto);
}

void EstablecerLineaEstado(std::function<void(const QString &)> mostrar)
{
    LineaEstado() = std::move(mostrar);
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
