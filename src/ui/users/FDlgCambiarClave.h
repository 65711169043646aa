#pragma once

#include "ui/i18n/TKelvoDlgForm.h"

class QLineEdit;

// The change of password a user must make before the first use of an account (the account of a
// new database): a new password typed twice, different from the current one. "ACEPTAR" stores
// it when every check passes; the first failure is shown and the dialog stays open.
class TDlgCambiarClave : public TKelvoDlgForm
{
    Q_OBJECT

public:
    explicit TDlgCambiarClave(int idUsuario, QWidget *parent = nullptr);

    void btnAceptarClick();

private:
    int m_idUsuario;
    QLineEdit *m_edtClave;
    QLineEdit *m_edtConfirmar;
};
