#pragma once

#include "core/users/TUsuarios.h"
#include "ui/i18n/TKelvoDlgForm.h"

#include <optional>

class QComboBox;
class QLineEdit;

// The user dialog of the users screen: user name, full name, profile and the password typed
// twice. New users start empty with the first profile; an existing user starts with its data and
// empty password fields, which keep the stored password when left empty. "ACEPTAR" stores the
// user when every check passes; the first failure is shown and the dialog stays open.
class TDlgUsuario : public TKelvoDlgForm
{
    Q_OBJECT

public:
    // A new user without `fila`, else that user.
    explicit TDlgUsuario(const std::optional<TFilaUsuario> &fila = std::nullopt, QWidget *parent = nullptr);

    void btnAceptarClick();
    // The user stored (the new one's id once accepted); 0 before a new user is stored.
    int idUsuario() const { return m_idUsuario; }

private:
    TDatosUsuario Datos() const;

    int m_idUsuario;
    QLineEdit *m_edtUsuario;
    QLineEdit *m_edtNombre;
    QComboBox *m_cmbPerfil;
    QLineEdit *m_edtClave;
    QLineEdit *m_edtConfirmar;
};
