#pragma once

#include "ui/i18n/TKelvoDlgForm.h"
#include "ui/shell/Mensajes.h"

class QPushButton;

// The dialog behind the standard messages: title, symbol and text coloured by the kind of
// message, and the buttons of that kind. Enter accepts, Esc cancels (dialog result 1 / 2).
class TDlgMensaje : public TKelvoDlgForm
{
    Q_OBJECT

public:
    TDlgMensaje(PresentadorMensajes::TTipo tipo, const QString &texto, int tamanoLetra,
                QWidget *parent = nullptr);

    // 1 when accepted, 2 otherwise.
    int Resultado() const { return result() == QDialog::Accepted ? 1 : 2; }

private:
    QPushButton *m_aceptar;
};
