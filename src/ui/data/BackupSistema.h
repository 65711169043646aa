#pragma once

class QWidget;

// The user's side of the database backups (see core/data/CopiaSeguridad).

// "REALIZAR BACKUP": asks first, then makes a backup named with the date and time while a
// progress window keeps the screen painted, and shows the result.
void RealizarBackupSistema(QWidget *padre);

// "RESTAURAR BACKUP": the restore dialog over the backup folder.
void RestaurarBackup(QWidget *padre);

// The shutdown backup, made with the wait cursor (the window is closing).
void BackupAlCerrar();
