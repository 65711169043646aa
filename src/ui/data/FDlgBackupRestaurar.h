#pragma once

#include "ui/i18n/TKelvoDlgForm.h"

class QListWidget;

// "RESTAURAR BACKUP": the files of the backup folder (created when missing, so a pharmacy
// without backups sees an empty list). "RESTAURAR" with a file chosen and confirmed replaces
// the database with it; once the database connection was closed the application ends, so that
// the next start opens the restored data.
class TDlgBackupRestaurar : public TKelvoDlgForm
{
    Q_OBJECT

public:
    explicit TDlgBackupRestaurar(QWidget *parent = nullptr);

private:
    void LlenarLista();
    void btnRestaurarClick();

    QString m_carpeta;
    QListWidget *m_lista;
};
