#pragma once

#include <QString>

#include <deque>
#include <functional>

// The application's standard message dialogs, all modal. Texts arrive already translated.
// Every screen and dialog reports through these functions, so that the look, the keys and the
// event-log lines are the same everywhere.

// "CONFIRMACIONES" with "ACEPTAR" (Enter) and "CANCELAR" (Esc): 1 accepted, 2 cancelled.
// A font size above 0 enlarges the text and aligns it to the left.
int Confirmar(const QString &pregunta, int tamanoLetra = 0);
// As Confirmar, with the accept button labelled "CONTINUAR".
int ConfirmarContinuar(const QString &texto);
// The message in red with the error symbol; also writes ": F_ERROR:" and the message to the
// event log every time it is shown.
void MostrarError(const QString &mensaje);
// An error the application-wide handler has already written to the event log as ": ERROR:":
// shown as MostrarError shows it, without a second line in the log.
void MostrarErrorNoControlado(const QString &mensaje);
// The message in dark grey with the warning symbol; nothing is logged.
void MostrarAviso(const QString &mensaje);
// A fact the user should know but need not answer (no label printer is set up): shown in the
// main window's status line until the application ends, and written to the event log once per
// text. Without a status line only logged.
void AvisarEnLineaEstado(const QString &texto);
// Where those notes are shown; the main window installs its status line while it lives.
void EstablecerLineaEstado(std::function<void(const QString &)> mostrar);
// A state that should not occur: the "program error" message followed by the detail.
void ErrorPrograma(const QString &detalle);

// Who shows the messages. The dialogs by default; tests install a presenter that records the
// messages and answers for the user, so that no modal dialog blocks them.
class PresentadorMensajes
{
public:
    enum class TTipo { Confirmar, ConfirmarContinuar, Error, Aviso };

    virtual ~PresentadorMensajes() = default;
    // The answer (1 or 2) for the two confirmations; ignored for errors and warnings.
    virtual int Mostrar(TTipo tipo, const QString &texto, int tamanoLetra) = 0;
};

// One message dialog at a time: an error or a warning raised while another message waits for
// its answer (a load that ends under an open question) is shown once that answer is given, so
// the user answers the question in front and reads what happened afterwards. The application's
// presenter; `dialogo` shows one message and returns its answer.
class TPresentadorUnoAUno final : public PresentadorMensajes
{
public:
    using Dialogo = std::function<int(TTipo tipo, const QString &texto, int tamanoLetra)>;
    explicit TPresentadorUnoAUno(Dialogo dialogo);

    int Mostrar(TTipo tipo, const QString &texto, int tamanoLetra) override;

private:
    struct TPendiente
    {
        TTipo tipo;
        QString texto;
        int tamanoLetra;
    };
    int Presentar(const TPendiente &mensaje);

    Dialogo m_dialogo;
    int m_abiertos = 0;
    std::deque<TPendiente> m_pendientes;
};

// Installs a presenter while it lives and restores the previous one afterwards.
class PresentadorMensajesActivo
{
public:
    explicit PresentadorMensajesActivo(PresentadorMensajes &presentador);
    ~PresentadorMensajesActivo();
    PresentadorMensajesActivo(const PresentadorMensajesActivo &) = delete;
    PresentadorMensajesActivo &operator=(const PresentadorMensajesActivo &) = delete;

private:
    PresentadorMensajes *m_anterior;
};
