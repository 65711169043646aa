#pragma once

#include "ui/i18n/TKelvoDlgForm.h"

class QLineEdit;

// The login dialog: user name and masked password, one attempt. Accepting checks the two texts
// exactly as typed; the dialog then closes accepted (the data module holds the user) or
// cancelled. Enter in the password field accepts when a user name was typed; any other Enter
// moves to the password field, Shift+Enter to the user name.
class TDlgLogin : public TKelvoDlgForm
{
    Q_OBJECT

public:
    explicit TDlgLogin(QWidget *parent = nullptr);

    void btnAceptarClick();

protected:
    void keyPressEvent(QKeyEvent *evento) override;

private:
    QLineEdit *m_edtUsuario;
    QLineEdit *m_edtClave;
};
