#include "core/users/TUsuarios.h"

#include "core/common/AppError.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/shell/PasswordHash.h"

#include <QSqlQuery>

namespace {

struct TFilaClave
{
    int idUsuario;
    QString guardada;
};

// True when the typed password is the stored one: a hash is verified; a password an older
// version stored as typed is compared as it stands.
bool ClaveCoincide(const QString &guardada, const QString &clave)
{
    if (PasswordHash::EsHash(guardada))
        return PasswordHash::Verificar(guardada, clave);
    return guardada == clave;
}

QString ErrorUltimoFarmaceutico()
{
    return Traducir(QStringLiteral("ERR_ULTIMO_FARMACEUTICO"),
                    QStringLiteral("Debe quedar al menos un usuario con el perfil FARMACEUTICO."));
}

} // namespace

TUsuarios::TUsuarios(TDM &dm)
    : m_dm(dm)
{ }

std::optional<TUsuario> TUsuarios::Comprobar(const QString &usuario, const QString &clave)
{
    // The rows are read whole before any of them is re-hashed.
    QList<TFilaClave> candidatas;
    TConsulta filas
            = m_dm.Consulta(QStringLiteral("SELECT idUsuario, password FROM Usuario "
                                           "WHERE username = ? AND password IS NOT NULL ORDER BY idUsuario"),
                            {usuario});
    while (filas.next())
        candidatas.append({filas.value(0).toInt(), filas.value(1).toString()});

    for (const TFilaClave &fila : candidatas) {
        if (!ClaveCoincide(fila.guardada, clave))
            continue;
        if (!PasswordHash::EsHash(fila.guardada))
            m_dm.Ejecutar(QStringLiteral("UPDATE Usuario SET password = ? WHERE idUsuario = ?"),
                          {PasswordHash::Crear(clave), fila.idUsuario});
        TConsulta datos = m_dm.Consulta(
                QStringLiteral("SELECT username, Nombre, idPerfil FROM Usuario WHERE idUsuario = ?"),
                {fila.idUsuario});
        if (!datos.next())
            return std::nullopt;
        TUsuario encontrado;
        encontrado.idUsuario = fila.idUsuario;
        encontrado.username = datos.value(0).toString();
        encontrado.Nombre = datos.value(1).toString();
        const int perfil = datos.value(2).toInt();
        encontrado.Perfil = NombrePerfil(perfil);
        encontrado.esFarmaceutico = perfil == Perfiles::kFarmaceutico;
        return encontrado;
    }
    return std::nullopt;
}

bool TUsuarios::DebeCambiarClave(int idUsuario)
{
    return m_dm.Valor(QStringLiteral("SELECT CambiarClave FROM Usuario WHERE idUsuario = ?"), {idUsuario})
                   .toInt()
            == 1;
}

bool TUsuarios::EsClaveActual(int idUsuario, const QString &clave)
{
    const QVariant guardada
            = m_dm.Valor(QStringLiteral("SELECT password FROM Usuario WHERE idUsuario = ?"), {idUsuario});
    return !guardada.isNull() && ClaveCoincide(guardada.toString(), clave);
}

void TUsuarios::CambiarClave(int idUsuario, const QString &clave)
{
    m_dm.Ejecutar(QStringLiteral("UPDATE Usuario SET password = ?, CambiarClave = 0 WHERE idUsuario = ?"),
                  {PasswordHash::Crear(clave), idUsuario});
}

QList<TFilaUsuario> TUsuarios::Lista()
{
    TConsulta filas
            = m_dm.Consulta(QStringLiteral("SELECT idUsuario, username, Nombre, idPerfil FROM Usuario "
                                           "WHERE COALESCE(iSupUser, 0) = 0 ORDER BY idUsuario"));
    QList<TFilaUsuario> lista;
    while (filas.next())
        lista.append({filas.value(0).toInt(), filas.value(1).toString(), filas.value(2).toString(),
                      filas.value(3).toInt()});
    return lista;
}

int TUsuarios::Anadir(const TDatosUsuario &datos)
{
    return static_cast<int>(m_dm.Anadir(QStringLiteral("Usuario"),
                                        {{QStringLiteral("Nombre"), datos.Nombre},
                                         {QStringLiteral("username"), datos.username},
                                         {QStringLiteral("password"), PasswordHash::Crear(datos.clave)},
                                         {QStringLiteral("idPerfil"), datos.idPerfil},
                                         {QStringLiteral("iSupUser"), 0},
                                         {QStringLiteral("CambiarClave"), 0}}));
}

void TUsuarios::Modificar(int idUsuario, const TDatosUsuario &datos)
{
    m_dm.EnTransaccion([&] {
        if (const QString motivo = MotivoModificacionImposible(idUsuario, datos.idPerfil); !motivo.isEmpty())
            throw AppError(motivo);
        m_dm.Ejecutar(
                QStringLiteral("UPDATE Usuario SET Nombre = ?, username = ?, idPerfil = ?, iSupUser = 0 "
                               "WHERE idUsuario = ?"),
                {datos.Nombre, datos.username, datos.idPerfil, idUsuario});
        if (!datos.clave.isEmpty())
            CambiarClave(idUsuario, datos.clave);
    });
}

QString TUsuarios::MotivoModificacionImposible(int idUsuario, int idPerfil)
{
    if (idPerfil != Perfiles::kFarmaceutico && EsUltimoFarmaceutico(idUsuario))
        return ErrorUltimoFarmaceutico();
    return {};
}

QString TUsuarios::MotivoBorradoImposible(int idUsuario)
{
    if (m_dm.Usuario && m_dm.Usuario->idUsuario == idUsuario)
        return Traducir(QStringLiteral("ERR_BORRAR_USUARIO_CONECTADO"),
                        QStringLiteral("No se puede eliminar el usuario que ha iniciado la sesión."));
    if (EsUltimoFarmaceutico(idUsuario))
        return ErrorUltimoFarmaceutico();
    return {};
}

void TUsuarios::Borrar(int idUsuario)
{
    m_dm.EnTransaccion([&] {
        if (const QString motivo = MotivoBorradoImposible(idUsuario); !motivo.isEmpty())
            throw AppError(motivo);
        m_dm.Ejecutar(QStringLiteral("DELETE FROM Usuario WHERE idUsuario = ?"), {idUsuario});
    });
}

bool TUsuarios::EsUltimoFarmaceutico(int idUsuario)
{
    // Only listed pharmacists count: a service account is no one the pharmacy can log in as.
    const QString farmaceuticos
            = QStringLiteral("FROM Usuario WHERE idPerfil = ? AND COALESCE(iSupUser, 0) = 0");
    const bool esFarmaceutico
            = !m_dm.Valor(QStringLiteral("SELECT 1 ") + farmaceuticos + QStringLiteral(" AND idUsuario = ?"),
                          {Perfiles::kFarmaceutico, idUsuario})
                       .isNull();
    return esFarmaceutico
            && m_dm.Valor(QStringLiteral("SELECT count(*) ") + farmaceuticos, {Perfiles::kFarmaceutico})
                       .toInt()
            == 1;
}

bool TUsuarios::CrearCuentaInicialSiFalta()
{
    bool creada = false;
    m_dm.EnTransaccion([&] {
        if (m_dm.Valor(QStringLiteral("SELECT count(*) FROM Usuario")).toInt() > 0)
            return;
        m_dm.Anadir(QStringLiteral("Usuario"),
                    {{QStringLiteral("Nombre"), QStringLiteral("ADMINISTRADOR")},
                     {QStringLiteral("username"), QString::fromLatin1(kCuentaInicial)},
                     {QStringLiteral("password"), PasswordHash::Crear(QString::fromLatin1(kClaveInicial))},
                     {QStringLiteral("idPerfil"), Perfiles::kFarmaceutico},
                     {QStringLiteral("iSupUser"), 0},
                     {QStringLiteral("CambiarClave"), 1}});
        creada = true;
    });
    return creada;
}
