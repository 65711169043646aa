#pragma once

#include "core/data/ConnectionText.h"

#include <QDateTime>
#include <QString>

class TDM;

// Backups of the pharmacy's database into the folder "backup" beside it, and the restore of one.
//
// A SQLite backup is a consistent snapshot of the database the connection opened (VACUUM INTO
// from a connection of its own, so it may run on another thread while the application keeps
// working), written under a temporary name and renamed over the backup file, so a backup file
// is always whole. A PostgreSQL backup is a pg_dump archive (custom format) of the connection's
// database. A restore validates the chosen file before anything changes; the database in use
// is only replaced once the new one is whole beside it.
namespace CopiaSeguridad {

// The shutdown backup (one file, overwritten each time) and the one the user asks for.
constexpr int kBackupCierre = 1;
constexpr int kBackupManual = 2;

// What a backup needs, taken from the data module on the user-interface thread so that the copy
// itself may run on another one.
struct TPlanBackup
{
    ConnectionText conexion;
    int tipo = kBackupCierre;
    QString carpeta; // the backup folder
    QString destino; // the backup file
};

// The backup folder of the data module's database: "backup" in its directory.
QString CarpetaBackup(const TDM &dm);
// The backup file name of the kind: "Data_backup" or "Data_" + yyyyMMdd_hhmmss, with ".dat" for
// SQLite and ".dump" for a PostgreSQL archive.
QString NombreBackup(int tipo, const QDateTime &ahora, SqlEngine motor);
TPlanBackup PlanBackup(const TDM &dm, int tipo, const QDateTime &ahora);

// Makes the backup of the plan (creating the folder when missing); safe on any thread. False
// when no whole backup file was written (none is left half written).
bool Copiar(const TPlanBackup &plan);

// The result message of a backup, written to the event log as ": BACKUP: " + message + " (kind)".
QString RegistrarBackup(bool correcta, int tipo);

// The whole backup on the calling thread: copy, message and log line; true when it succeeded.
bool HacerBackup(const TDM &dm, int tipo, const QDateTime &ahora);

// True when the engine's backup program is available (always for SQLite; pg_dump and
// pg_restore for PostgreSQL).
bool BackupDisponible(SqlEngine motor);
// The message shown when it is not.
QString TextoBackupNoDisponible();

struct TResultadoRestauracion
{
    bool correcta = false;
    // The data module's connection was closed: the application must end whatever the result.
    bool conexionCerrada = false;
    QString detalle; // why it failed, written to the event log after the result
};

// Replaces the database with the backup file. The file is checked first (a SQLite database
// that passes its integrity check and holds the pharmacy's tables; a readable pg_dump archive);
// a file that fails leaves everything as it was and the connection open. Otherwise the
// connection is closed and, for SQLite, the database file is replaced in one rename, the
// previous one kept as "<database>.before_restore"; for PostgreSQL pg_restore replaces the
// database's objects in one transaction.
TResultadoRestauracion RestaurarBaseDatos(TDM &dm, const QString &fichero);

// The result message of a restore, written to the event log as ": BACKUP: " + message (and a
// second such line with the reason of a failure).
QString RegistrarRestauracion(const TResultadoRestauracion &resultado);

} // namespace CopiaSeguridad
