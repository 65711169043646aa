#include "core/data/CopiaSeguridad.h"

#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/shell/uLog.h"

#include <QAtomicInt>
#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>

#include <unistd.h>

namespace CopiaSeguridad {

namespace {

const QString kCarpeta = QStringLiteral("backup");
// Tables every database of the application holds, whatever upgrades it has had.
const QStringList kTablasEsenciales
        = {QStringLiteral("Paciente"), QStringLiteral("Medicamento"), QStringLiteral("Recarga")};

void fallo(QString *error, const QString &motivo)
{
    if (error)
        *error = motivo;
}

// Replaces `destino` by `origen` in one step: a reader sees the old file or the new one, never
// part of either.
bool Renombrar(const QString &origen, const QString &destino)
{
    return std::rename(QFile::encodeName(origen).constData(), QFile::encodeName(destino).constData()) == 0;
}

// Puts the file's contents on the disk before it replaces another one.
bool Sincronizar(const QString &fichero)
{
    QFile file(fichero);
    return file.open(QIODevice::ReadWrite) && ::fsync(file.handle()) == 0;
}

// Runs `trabajo` on a SQLite connection of its own to `fichero`, opened read-only (a missing
// file is not created); the connection is removed afterwards.
QString ConSQLite(const QString &fichero, const std::function<QString(QSqlDatabase &)> &trabajo)
{
    static QAtomicInt contador;
    const QString nombre = QStringLiteral("pastillero-copia-%1").arg(contador.fetchAndAddRelaxed(1));
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nombre);
        db.setDatabaseName(fichero);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=10000"));
        error = db.open() ? trabajo(db) : db.lastError().text();
        db.close();
    }
    QSqlDatabase::removeDatabase(nombre);
    return error;
}

// A consistent snapshot of the database, written beside the target and renamed over it.
bool CopiarSQLite(const TPlanBackup &plan)
{
    const QString temporal = plan.destino + QStringLiteral(".tmp");
    QFile::remove(temporal); // VACUUM INTO refuses a file that exists
    const QString motivo = ConSQLite(plan.conexion.filePath(), [&temporal](QSqlDatabase &db) {
        QSqlQuery vacuum(db);
        if (vacuum.prepare(QStringLiteral("VACUUM INTO ?"))) {
            vacuum.addBindValue(temporal);
            if (vacuum.exec())
                return QString();
        }
        return vacuum.lastError().text();
    });
    if (motivo.isEmpty() && Sincronizar(temporal) && Renombrar(temporal, plan.destino))
        return true;
    QFile::remove(temporal);
    return false;
}

// --- PostgreSQL ------------------------------------------------------------------------------

// The PostgreSQL client program: on the path, else the newest installed version's.
QString ProgramaPostgres(const QString &nombre)
{
    if (QString enRuta = QStandardPaths::findExecutable(nombre); !enRuta.isEmpty())
        return enRuta;
    QStringList versiones
            = QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCollator numerico;
    numerico.setNumericMode(true);
    std::sort(versiones.begin(), versiones.end(), numerico);
    for (auto version = versiones.crbegin(); version != versiones.crend(); ++version) {
        const QString programa = QStringLiteral("/usr/lib/postgresql/%1/bin/%2").arg(*version, nombre);
        if (QFileInfo(programa).isExecutable())
            return programa;
    }
    return {};
}

// The schema the connection's options put first on the search path (a pharmacy database kept
// in a schema of a shared server); empty for the default schema.
QString EsquemaDeConexion(const ConnectionText &conexion)
{
    static const QRegularExpression esquema(QStringLiteral("search_path\\s*=\\s*([A-Za-z_][A-Za-z0-9_]*)"));
    return esquema.match(conexion.options()).captured(1);
}

// The connection string of a client program: the connection's further options ("key='value'");
// the rest of the connection reaches the program through its environment (see EjecutarPostgres).
QString ArgumentoConexion(const ConnectionText &conexion)
{
    QStringList opciones {QStringLiteral("connect_timeout='10'")};
    if (!conexion.options().isEmpty())
        opciones << conexion.options().split(QLatin1Char(';'));
    return QStringLiteral("--dbname=") + opciones.join(QLatin1Char(' '));
}

// Runs a PostgreSQL client program for the connection's database. The server, database, user
// and password reach it through the child's environment, so the password never appears on a
// command line.
bool EjecutarPostgres(const ConnectionText &conexion, const QString &nombre, const QStringList &argumentos,
                      QString *error)
{
    const QString programa = ProgramaPostgres(nombre);
    if (programa.isEmpty()) {
        fallo(error, TextoBackupNoDisponible());
        return false;
    }
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    entorno.insert(QStringLiteral("PGHOST"), conexion.host());
    entorno.insert(QStringLiteral("PGPORT"), QString::number(conexion.port()));
    entorno.insert(QStringLiteral("PGDATABASE"), conexion.database());
    entorno.insert(QStringLiteral("PGUSER"), conexion.userName());
    entorno.insert(QStringLiteral("PGPASSWORD"), conexion.password());
    QProcess proceso;
    proceso.setProcessEnvironment(entorno);
    proceso.start(programa, argumentos);
    const bool correcto = proceso.waitForFinished(-1) && proceso.exitStatus() == QProcess::NormalExit
            && proceso.exitCode() == 0;
    if (!correcto)
        fallo(error, nombre + QStringLiteral(": ") + QString::fromLocal8Bit(proceso.readAllStandardError()));
    return correcto;
}

bool CopiarPostgres(const TPlanBackup &plan)
{
    const QString temporal = plan.destino + QStringLiteral(".tmp");
    QStringList argumentos {ArgumentoConexion(plan.conexion), QStringLiteral("--format=custom"),
                            QStringLiteral("--file=") + temporal};
    if (const QString esquema = EsquemaDeConexion(plan.conexion); !esquema.isEmpty())
        argumentos << QStringLiteral("--schema=") + esquema;
    if (EjecutarPostgres(plan.conexion, QStringLiteral("pg_dump"), argumentos, nullptr)
        && Sincronizar(temporal) && Renombrar(temporal, plan.destino))
        return true;
    QFile::remove(temporal);
    return false;
}

// --- Restore ---------------------------------------------------------------------------------

// Empty when the file is a whole SQLite database of the application, else why it is not.
QString ComprobarSQLite(const QString &fichero)
{
    return ConSQLite(fichero, [](QSqlDatabase &db) {
        QSqlQuery consulta(db);
        if (!consulta.exec(QStringLiteral("PRAGMA integrity_check")) || !consulta.next())
            return consulta.lastError().text();
        if (consulta.value(0).toString() != QLatin1String("ok"))
            return consulta.value(0).toString();
        const QStringList tablas = db.tables();
        for (const QString &tabla : kTablasEsenciales) {
            if (!tablas.contains(tabla, Qt::CaseInsensitive))
                return QStringLiteral("missing table ") + tabla;
        }
        return QString();
    });
}

TResultadoRestauracion Fallida(const QString &detalle, bool conexionCerrada = false)
{
    return {false, conexionCerrada, detalle};
}

// Keeps the database being replaced beside it: a second name for the same file where the file
// system allows it, a copy otherwise.
bool ConservarAnterior(const QString &base)
{
    const QString anterior = base + QStringLiteral(".before_restore");
    QFile::remove(anterior);
    std::error_code error;
    std::filesystem::create_hard_link(QFile::encodeName(base).constData(),
                                      QFile::encodeName(anterior).constData(), error);
    return !error || QFile::copy(base, anterior);
}

TResultadoRestauracion RestaurarSQLite(TDM &dm, const QString &fichero)
{
    const QString base = dm.RutaBaseDatos();
    const QString entrante = base + QStringLiteral(".restoring");
    QFile::remove(entrante);
    if (!QFile::copy(fichero, entrante))
        return Fallida(QStringLiteral("cannot copy ") + fichero);
    if (const QString motivo = ComprobarSQLite(entrante); !motivo.isEmpty()) {
        QFile::remove(entrante);
        return Fallida(motivo);
    }
    dm.CerrarConexion();
    if (!Sincronizar(entrante) || !ConservarAnterior(base)) {
        QFile::remove(entrante);
        return Fallida(QStringLiteral("cannot keep ") + base, true);
    }
    // Journals of the database being replaced must never meet the new file.
    for (const char *sufijo : {"-wal", "-shm", "-journal"})
        QFile::remove(base + QLatin1String(sufijo));
    if (!Renombrar(entrante, base)) {
        QFile::remove(entrante);
        return Fallida(QStringLiteral("cannot replace ") + base, true);
    }
    return {true, true, {}};
}

TResultadoRestauracion RestaurarPostgres(TDM &dm, const QString &fichero)
{
    QString error;
    // Reading the whole archive into a script checks every part of it, not only its contents list.
    if (!EjecutarPostgres(dm.conexion(), QStringLiteral("pg_restore"),
                          {QStringLiteral("--file=") + QProcess::nullDevice(), fichero}, &error))
        return Fallida(error);
    dm.CerrarConexion();
    const bool correcta = EjecutarPostgres(
            dm.conexion(), QStringLiteral("pg_restore"),
            {ArgumentoConexion(dm.conexion()), QStringLiteral("--clean"), QStringLiteral("--if-exists"),
             QStringLiteral("--single-transaction"), QStringLiteral("--no-owner"), fichero},
            &error);
    return {correcta, true, error};
}

} // namespace

QString CarpetaBackup(const TDM &dm)
{
    return QDir(dm.DirectorioBaseDatos()).filePath(kCarpeta);
}

QString NombreBackup(int tipo, const QDateTime &ahora, SqlEngine motor)
{
    const QString extension = motor == SqlEngine::SQLite ? QStringLiteral(".dat") : QStringLiteral(".dump");
    const QString nombre = tipo == kBackupCierre ? QStringLiteral("backup")
                                                 : ahora.toString(QStringLiteral("yyyyMMdd_hhmmss"));
    return QStringLiteral("Data_") + nombre + extension;
}

TPlanBackup PlanBackup(const TDM &dm, int tipo, const QDateTime &ahora)
{
    const QString carpeta = CarpetaBackup(dm);
    return {dm.conexion(), tipo, carpeta, QDir(carpeta).filePath(NombreBackup(tipo, ahora, dm.motor()))};
}

bool Copiar(const TPlanBackup &plan)
{
    if (!QDir().mkpath(plan.carpeta))
        return false;
    return plan.conexion.engine() == SqlEngine::SQLite ? CopiarSQLite(plan) : CopiarPostgres(plan);
}

QString RegistrarBackup(bool correcta, int tipo)
{
    const QString mensaje = correcta ? Traducir(QStringLiteral("WRN_BACKUP_CORRECTA"),
                                                QStringLiteral("BACKUP REALIZADA CORRECTAMENTE"))
                                     : Traducir(QStringLiteral("WRN_BACKUP_INCORRECTA"),
                                                QStringLiteral("BACKUP NO SE HA PODIDO REALIZAR"));
    Log(QStringLiteral(": BACKUP: ") + mensaje + QStringLiteral(" (") + QString::number(tipo)
        + QLatin1Char(')'));
    return mensaje;
}

bool HacerBackup(const TDM &dm, int tipo, const QDateTime &ahora)
{
    const bool correcta = Copiar(PlanBackup(dm, tipo, ahora));
    RegistrarBackup(correcta, tipo);
    return correcta;
}

bool BackupDisponible(SqlEngine motor)
{
    return motor == SqlEngine::SQLite
            || (!ProgramaPostgres(QStringLiteral("pg_dump")).isEmpty()
                && !ProgramaPostgres(QStringLiteral("pg_restore")).isEmpty());
}

QString TextoBackupNoDisponible()
{
    return Traducir(
            QStringLiteral("ERR_BACKUP_NO_DISPONIBLE"),
            QStringLiteral("BACKUP NO DISPONIBLE: NO ESTAN INSTALADOS pg_dump Y pg_restore DE POSTGRESQL"));
}

TResultadoRestauracion RestaurarBaseDatos(TDM &dm, const QString &fichero)
{
    if (!QFileInfo(fichero).isFile())
        return Fallida(QStringLiteral("no file ") + fichero);
    return dm.motor() == SqlEngine::SQLite ? RestaurarSQLite(dm, fichero) : RestaurarPostgres(dm, fichero);
}

QString RegistrarRestauracion(const TResultadoRestauracion &resultado)
{
    const QString mensaje = resultado.correcta
            ? Traducir(QStringLiteral("WRN_RESTAURACION_CORRECTA"),
                       QStringLiteral("RESTAURACION REALIZADA CORRECTAMENTE"))
            : Traducir(QStringLiteral("WRN_RESTAURACION_INCORRECTA"),
                       QStringLiteral("RESTAURACION NO SE HA PODIDO REALIZAR"));
    Log(QStringLiteral(": BACKUP: ") + mensaje);
    // Why it failed, for whoever helps the pharmacy afterwards.
    if (!resultado.detalle.isEmpty())
        Log(QStringLiteral(": BACKUP: ") + resultado.detalle);
    return mensaje;
}

} // namespace CopiaSeguridad
