#include "ui/users/Login.h"

#include "core/audit/uLOPD.h"
#include "core/data/ManejadorErrores.h"
#include "core/data/uDM.h"
#include "core/users/TUsuarios.h"
#include "ui/users/FDlgCambiarClave.h"
#include "ui/users/FDlgLogin.h"

namespace {

// A user who must change the password counts as logged in only once the new one is stored.
bool CambiarClaveSiObligatorio()
{
    TDM &dm = DM();
    const int idUsuario = dm.Usuario->idUsuario;
    if (!TUsuarios(dm).DebeCambiarClave(idUsuario))
        return true;
    TDlgCambiarClave dialogo(idUsuario);
    if (dialogo.exec() == QDialog::Accepted)
        return true;
    dm.Usuario.reset();
    return false;
}

} // namespace

bool Login()
{
    // A failure here leaves the table as it was; the login then simply finds no user.
    ManejadorErrores::Proteger([] { TUsuarios(DM()).CrearCuentaInicialSiFalta(); });

    TDlgLogin dialogo;
    // The caption of the audit rows is the translated one.
    dialogo.ensurePolished();
    const QString accion = dialogo.windowTitle();
    Auditar(accion, LOPD::kConexion, LOPD::kPendiente);
    const bool aceptado = dialogo.exec() == QDialog::Accepted && CambiarClaveSiObligatorio();
    Auditar(accion, LOPD::kConexion, aceptado ? LOPD::kAceptado : LOPD::kRechazado);
    return aceptado;
}
