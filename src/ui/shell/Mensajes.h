#pragma once

#include <QString>

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
