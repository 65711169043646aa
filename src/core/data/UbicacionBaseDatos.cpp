#include "core/data/UbicacionBaseDatos.h"

#include "core/common/EscrituraSegura.h"
#include "core/data/DatabaseSchema.h"
#include "core/data/SqlFecha.h"
#include "core/i18n/ULenguaje.h"
#include "core/shell/IniFile.h"
#include "core/shell/uLog.h"

#include <QAtomicInt>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>
#include <QUrlQuery>

namespace UbicacionBaseDatos {

namespace {

const QString kSeccion = QStringLiteral("VERSION");
const QString kClaveRuta = QStringLiteral("BDfile");
const QString kCarpetaFicheros = QStringLiteral("files");

// A connection of its own for a test or a copy, closed and removed when it goes out of scope:
// the application's data module keeps its connection meanwhile.
class TConexionPropia
{
public:
    explicit TConexionPropia(const QString &driver)
        : m_nombre(QStringLiteral("ubicacion-%1").arg(contador().fetchAndAddRelaxed(1)))
        , m_db(QSqlDatabase::addDatabase(driver, m_nombre))
    { }
    ~TConexionPropia()
    {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_nombre);
    }
    TConexionPropia(const TConexionPropia &) = delete;
    TConexionPropia &operator=(const TConexionPropia &) = delete;
    QSqlDatabase &db() { return m_db; }

private:
    static QAtomicInt &contador()
    {
        static QAtomicInt valor;
        return valor;
    }
    QString m_nombre;
    QSqlDatabase m_db;
};

QString Mensaje(const char *clave, const char *texto)
{
    return Traducir(QString::fromLatin1(clave), QString::fromUtf8(texto));
}

// Opens the server database with the password the user typed; the error text when it fails.
QString AbrirServidor(TConexionPropia &conexion, const ConnectionText &texto)
{
    QSqlDatabase &db = conexion.db();
    db.setHostName(texto.host());
    db.setPort(texto.port());
    db.setDatabaseName(texto.database());
    db.setUserName(texto.userName());
    db.setPassword(texto.password());
    QString opciones = QStringLiteral("connect_timeout=10");
    if (!texto.options().isEmpty())
        opciones += QLatin1Char(';') + texto.options();
    db.setConnectOptions(opciones);
    if (db.open())
        return {};
    return texto.describe() + QStringLiteral(": ") + db.lastError().text();
}

bool ExisteTabla(QSqlDatabase &db, const QString &tabla)
{
    QSqlQuery consulta(db);
    return consulta.exec(QStringLiteral("SELECT * FROM %1 WHERE 1 = 0").arg(tabla));
}

// The tables of the schema the database lacks.
QStringList TablasQueFaltan(QSqlDatabase &db)
{
    QStringList faltan;
    for (const DatabaseSchema::Table &tabla : DatabaseSchema::tables()) {
        if (!ExisteTabla(db, tabla.name))
            faltan << tabla.name;
    }
    return faltan;
}

bool TieneDatos(QSqlDatabase &db)
{
    for (const DatabaseSchema::Table &tabla : DatabaseSchema::tables()) {
        QSqlQuery consulta(db);
        if (consulta.exec(QStringLiteral("SELECT 1 FROM %1 LIMIT 1").arg(tabla.name)) && consulta.next())
            return true;
    }
    return false;
}

// "\" and ":" are escaped in PostgreSQL's password file.
QString CampoClaves(QString valor)
{
    valor.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    valor.replace(QLatin1Char(':'), QLatin1String("\\:"));
    return valor;
}

// Writes the server's line into the password file (replacing an older line of the same server,
// database and user), readable by its owner only from the moment it exists.
bool GuardarClave(const QString &fichero, const ConnectionText &texto)
{
    const QString prefijo = QStringList {CampoClaves(texto.host()), QString::number(texto.port()),
                                         CampoClaves(texto.database()), CampoClaves(texto.userName())}
                                    .join(QLatin1Char(':'))
            + QLatin1Char(':');
    QStringList lineas;
    QFile anterior(fichero);
    if (anterior.open(QIODevice::ReadOnly | QIODevice::Text)) {
        for (const QString &linea : QString::fromUtf8(anterior.readAll()).split(QLatin1Char('\n'))) {
            if (!linea.isEmpty() && !linea.startsWith(prefijo))
                lineas << linea;
        }
    }
    lineas << prefijo + CampoClaves(texto.password());
    QSaveFile salida(fichero);
    if (!salida.open(QIODevice::WriteOnly)
        || !salida.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return false;
    salida.write((lineas.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    return ConfirmarEscritura(salida)
            && QFile::setPermissions(fichero, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

// The text kept in the setting: the user's URL without its password, with the password file and
// the shared folder.
QString TextoGuardado(const QString &url, const QString &ficheroClaves, const QString &carpeta)
{
    QUrl guardada(url.trimmed(), QUrl::TolerantMode);
    guardada.setPassword({});
    QUrlQuery consulta(guardada);
    consulta.removeAllQueryItems(QStringLiteral("passfile"));
    consulta.removeAllQueryItems(ConnectionText::kCarpetaCompartida);
    consulta.addQueryItem(QStringLiteral("passfile"), ficheroClaves);
    consulta.addQueryItem(ConnectionText::kCarpetaCompartida, QDir::cleanPath(carpeta));
    guardada.setQuery(consulta);
    return guardada.toString(QUrl::FullyEncoded);
}

bool EscribirEnlace(const AppDirectory &directorio, const QString &texto)
{
    QSaveFile enlace(directorio.dataLinkFile());
    if (!enlace.open(QIODevice::WriteOnly))
        return false;
    enlace.write((texto + QLatin1Char('\n')).toUtf8());
    return ConfirmarEscritura(enlace);
}

// The screen shows the error (and logs it as it shows it).
TResultado Fallo(const QString &error)
{
    return {false, error, false};
}

// Writes the setting once the location answered: "data.udl" and "BDfile".
TResultado Guardar(const AppDirectory &directorio, const QString &texto, const QString &rutaIni)
{
    if (!EscribirEnlace(directorio, texto)
        || !IniFile(directorio.iniFile()).writeString(kSeccion, kClaveRuta, rutaIni))
        return Fallo(Mensaje("ERR_UBICACION_NO_GUARDADA", "No se puede guardar la conexión en ")
                     + directorio.path());
    Log(QStringLiteral(": BD: ") + ConnectionText::parse(texto, directorio.path()).describe());
    return {true, {}, false};
}

// Keeps the password of a server that answered its test and points the workstation to it.
TResultado ApuntarAServidor(const AppDirectory &directorio, const ConnectionText &conexion,
                            const QString &url, const QString &carpeta)
{
    if (!GuardarClave(FicheroClaves(directorio), conexion))
        return Fallo(Mensaje("ERR_UBICACION_NO_GUARDADA", "No se puede guardar la conexión en ")
                     + FicheroClaves(directorio));
    const QString texto = TextoGuardado(url, FicheroClaves(directorio), carpeta);
    return Guardar(directorio, texto, texto);
}

// The server's URL checked and the shared folder existing; the error when not.
QString ComprobarDatosRed(const ConnectionText &conexion, const QString &carpeta)
{
    if (conexion.engine() != SqlEngine::PostgreSQL || !conexion.isValid())
        return Mensaje("ERR_BD_CONEXION_INVALIDA", "La conexión con la base de datos no es válida: ")
                + conexion.describe();
    if (carpeta.trimmed().isEmpty() || !QFileInfo(carpeta).isDir())
        return Mensaje("ERR_CARPETA_COMPARTIDA", "No existe la carpeta compartida ") + carpeta;
    return {};
}

bool CopiarCarpeta(const QString &origen, const QString &destino)
{
    if (!QDir().mkpath(destino))
        return false;
    QDirIterator it(origen, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString ruta = it.next();
        const QString copia = destino + QLatin1Char('/') + QDir(origen).relativeFilePath(ruta);
        const bool copiado = it.fileInfo().isDir() ? QDir().mkpath(copia) : QFile::copy(ruta, copia);
        if (!copiado)
            return false;
    }
    return true;
}

// The patients' files of this workstation into the shared folder; patient files already there
// are kept in a folder renamed with the time, never deleted.
bool CopiarFicheros(const AppDirectory &directorio, const QString &carpeta, const QDateTime &ahora)
{
    const QString destino = QDir(carpeta).filePath(kCarpetaFicheros);
    if (QFileInfo::exists(destino)
        && !QDir().rename(destino, destino + ahora.toString(QStringLiteral("-yyyyMMdd-HHmmss"))))
        return false;
    if (!QFileInfo(directorio.filesDir()).isDir())
        return QDir().mkpath(destino);
    return CopiarCarpeta(directorio.filesDir(), destino);
}

// One row's value as the server's column takes it.
QVariant ValorDestino(const QVariant &valor, DatabaseSchema::ColumnType tipo)
{
    if (tipo == DatabaseSchema::ColumnType::DateTime && !valor.isNull())
        return SqlFecha::valor(SqlFecha::leer(valor));
    return valor;
}

void CopiarTabla(QSqlDatabase &origen, QSqlDatabase &destino, const DatabaseSchema::Table &tabla)
{
    QSqlQuery lectura(origen);
    lectura.setForwardOnly(true);
    if (!lectura.exec(QStringLiteral("SELECT * FROM %1").arg(tabla.name)))
        throw lectura.lastError();
    QList<const DatabaseSchema::Column *> columnas;
    const QSqlRecord campos = lectura.record();
    for (int i = 0; i < campos.count(); ++i)
        columnas << tabla.column(campos.fieldName(i));
    QStringList nombres, marcas;
    for (const DatabaseSchema::Column *columna : columnas) {
        if (columna) {
            nombres << columna->name;
            marcas << QStringLiteral("?");
        }
    }
    QSqlQuery escritura(destino);
    if (!escritura.prepare(
                QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                        .arg(tabla.name, nombres.join(QLatin1Char(',')), marcas.join(QLatin1Char(',')))))
        throw escritura.lastError();
    while (lectura.next()) {
        int posicion = 0;
        for (int i = 0; i < columnas.size(); ++i) {
            if (columnas.at(i))
                escritura.bindValue(posicion++, ValorDestino(lectura.value(i), columnas.at(i)->type));
        }
        if (!escritura.exec())
            throw escritura.lastError();
    }
}

// The server's identity continues after the copied keys, so new rows never collide with them.
void AvanzarIdentidad(QSqlDatabase &destino, const DatabaseSchema::Table &tabla)
{
    const DatabaseSchema::Column *clave = tabla.autoKey();
    if (!clave)
        return;
    QSqlQuery avance(destino);
    if (!avance.exec(QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', '%2'), max(%2)) FROM %1 "
                                    "HAVING max(%2) IS NOT NULL")
                             .arg(tabla.name.toLower(), clave->name.toLower())))
        throw avance.lastError();
}

// Copies every table of the schema from the SQLite file to the open server database in one
// transaction, keys kept and the identities advanced past them. The database's message on
// failure (nothing copied), empty on success.
QString CopiarDatos(const QString &ficheroSQLite, QSqlDatabase &destino)
{
    TConexionPropia origen(QStringLiteral("QSQLITE"));
    origen.db().setDatabaseName(ficheroSQLite);
    origen.db().setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!origen.db().open())
        return origen.db().lastError().text();
    if (!destino.transaction())
        return destino.lastError().text();
    try {
        for (const DatabaseSchema::Table &tabla : DatabaseSchema::tables()) {
            if (!ExisteTabla(origen.db(), tabla.name))
                continue;
            CopiarTabla(origen.db(), destino, tabla);
            AvanzarIdentidad(destino, tabla);
        }
    } catch (const QSqlError &error) {
        destino.rollback();
        return error.text();
    }
    if (!destino.commit())
        return destino.lastError().text();
    return {};
}

} // namespace

QString FicheroClaves(const AppDirectory &directorio)
{
    return directorio.file(QStringLiteral("pastillero.pgpass"));
}

bool HayConexionConfigurada(const AppDirectory &directorio)
{
    if (QFile::exists(directorio.dataLinkFile()))
        return true;
    // Without "data.udl" the installation still has its database when the connection it falls
    // back to names a server or a database file that exists (the local installation of a first
    // start).
    const ConnectionText actual = ConnectionText::forDirectory(directorio);
    return actual.isValid() && (actual.engine() != SqlEngine::SQLite || QFile::exists(actual.filePath()));
}

QString Descripcion(const AppDirectory &directorio)
{
    return HayConexionConfigurada(directorio) ? ConnectionText::forDirectory(directorio).describe()
                                              : QString();
}

TResultado InstalarLocal(const AppDirectory &directorio)
{
    if (QFile::exists(directorio.databaseFile())) {
        TConexionPropia prueba(QStringLiteral("QSQLITE"));
        prueba.db().setDatabaseName(directorio.databaseFile());
        QSqlQuery comprobacion(prueba.db());
        if (!prueba.db().open() || !comprobacion.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
            return Fallo(Mensaje("ERR_BD_NO_VALIDA", "El fichero no es una base de datos válida: ")
                         + directorio.databaseFile());
    }
    return Guardar(directorio, QFileInfo(directorio.databaseFile()).fileName(), {});
}

TResultado ConectarInstalacionExistente(const AppDirectory &directorio, const QString &url,
                                        const QString &carpetaCompartida)
{
    const ConnectionText conexion = ConnectionText::parse(url, directorio.path());
    if (const QString error = ComprobarDatosRed(conexion, carpetaCompartida); !error.isEmpty())
        return Fallo(error);
    {
        TConexionPropia prueba(QStringLiteral("QPSQL"));
        if (const QString error = AbrirServidor(prueba, conexion); !error.isEmpty())
            return Fallo(error);
        if (const QStringList faltan = TablasQueFaltan(prueba.db()); !faltan.isEmpty())
            return Fallo(
                    Mensaje("ERR_BD_SIN_TABLAS", "La base de datos no tiene las tablas de la aplicación: ")
                    + faltan.join(QStringLiteral(", ")));
    }
    return ApuntarAServidor(directorio, conexion, url, carpetaCompartida);
}

TResultado CrearInstalacionRed(const AppDirectory &directorio, const QString &url,
                               const QString &carpetaCompartida, const QDateTime &ahora)
{
    const ConnectionText conexion = ConnectionText::parse(url, directorio.path());
    if (const QString error = ComprobarDatosRed(conexion, carpetaCompartida); !error.isEmpty())
        return Fallo(error);
    bool yaTeniaDatos = false;
    {
        TConexionPropia destino(QStringLiteral("QPSQL"));
        if (const QString error = AbrirServidor(destino, conexion); !error.isEmpty())
            return Fallo(error);
        yaTeniaDatos = TieneDatos(destino.db());
        if (!yaTeniaDatos) {
            QString error = DatabaseSchema::create(destino.db(), SqlEngine::PostgreSQL);
            if (error.isEmpty() && QFile::exists(directorio.databaseFile()))
                error = CopiarDatos(directorio.databaseFile(), destino.db());
            if (!error.isEmpty())
                return Fallo(error);
        }
    }
    if (!yaTeniaDatos) {
        if (!CopiarFicheros(directorio, carpetaCompartida, ahora))
            return Fallo(Mensaje("ERR_COPIA_FICHEROS", "No se pueden copiar los ficheros de los pacientes a ")
                         + carpetaCompartida);
        const QString versionCompartida = QDir(carpetaCompartida).filePath(QStringLiteral("Kelvo.INI"));
        if (!QFile::exists(versionCompartida))
            QFile::copy(directorio.iniFile(), versionCompartida);
    }
    TResultado resultado = ApuntarAServidor(directorio, conexion, url, carpetaCompartida);
    resultado.yaTeniaDatos = yaTeniaDatos;
    return resultado;
}

} // namespace UbicacionBaseDatos
