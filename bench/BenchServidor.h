#pragma once

#include "core/data/ConnectionText.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>

// Runs administration statements (schemas of the benchmark runs) on the PostgreSQL server that
// `servidor` names, on a connection of their own that is closed afterwards.
inline void EjecutarEnServidor(const ConnectionText &servidor, const QStringList &sentencias)
{
    const QString nombre = QStringLiteral("bench-admin");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), nombre);
        db.setHostName(servidor.host());
        db.setPort(servidor.port());
        db.setDatabaseName(servidor.database());
        db.setUserName(servidor.userName());
        db.setPassword(servidor.password());
        if (db.open()) {
            for (const QString &sentencia : sentencias)
                QSqlQuery(db).exec(sentencia);
        }
    }
    QSqlDatabase::removeDatabase(nombre);
}
