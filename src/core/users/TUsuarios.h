#pragma once

#include "core/data/SesionTypes.h"
#include "core/users/Perfiles.h"

#include <QList>
#include <QString>

#include <optional>

class TDM;

// A user as the users screen lists it. Passwords are never read back for display.
struct TFilaUsuario
{
    int idUsuario = 0;
    QString username;
    QString Nombre;
    int idPerfil = Perfiles::kAuxiliar;
};

// What the user dialog stores. The password as typed; empty keeps the stored one of an
// existing user.
struct TDatosUsuario
{
    QString username;
    QString Nombre;
    int idPerfil = Perfiles::kAuxiliar;
    QString clave;
};

// The users of table Usuario: the login check, the users screen's list and its changes, and the
// account of a new database. Passwords are stored only as salted slow hashes (PasswordHash); a
// password an older version stored as typed still logs in once and is replaced by its hash then.
// Rows with iSupUser other than 0 are service users: never listed, but they log in.
class TUsuarios
{
public:
    // The pharmacist account of a new database; its first login must choose a new password.
    static constexpr const char *kCuentaInicial = "admin";
    static constexpr const char *kClaveInicial = "admin";

    explicit TUsuarios(TDM &dm);

    // The first row (lowest id) with this user name whose password is this one, texts compared
    // exactly as typed; none when no row matches.
    std::optional<TUsuario> Comprobar(const QString &usuario, const QString &clave);
    // True when the user must choose a new password before using the application.
    bool DebeCambiarClave(int idUsuario);
    bool EsClaveActual(int idUsuario, const QString &clave);
    // Stores the new password and lifts the obligation to change it.
    void CambiarClave(int idUsuario, const QString &clave);

    // The users created on the users screen, in the order they were created.
    QList<TFilaUsuario> Lista();
    // A new listed user; its id.
    int Anadir(const TDatosUsuario &datos);
    // Throws AppError with the reason when the change is refused (see MotivoModificacionImposible).
    void Modificar(int idUsuario, const TDatosUsuario &datos);
    // Why the user may not be deleted: the user of this session, or the last pharmacist. Empty
    // when it may.
    QString MotivoBorradoImposible(int idUsuario);
    // Why the user's profile may not become `idPerfil`: it would leave no pharmacist.
    QString MotivoModificacionImposible(int idUsuario, int idPerfil);
    // Throws AppError with the reason when the deletion is refused.
    void Borrar(int idUsuario);

    // When table Usuario holds no row at all, adds the pharmacist account kCuentaInicial with the
    // password kClaveInicial, to be changed at its first login. True when it was added.
    bool CrearCuentaInicialSiFalta();

private:
    bool EsUltimoFarmaceutico(int idUsuario);

    TDM &m_dm;
};
