#pragma once

#include "core/data/uDM.h"

#include <QString>

// Makes the database refuse every write of one kind ("INSERT", "UPDATE" or "DELETE") to a table,
// as a full disk or a lost server would, with the message "rechazada"; on both engines. A
// `condicion` over the row's OLD or NEW values ("OLD.idRecarga = 5") limits the refusal to the
// rows it holds for. The refusal lasts as long as the test's database.
inline void RechazarEscritura(TDM &dm, const QString &tabla, const QString &operacion,
                              const QString &condicion = {})
{
    if (dm.motor() == SqlEngine::SQLite) {
        dm.Ejecutar(
                QStringLiteral("CREATE TRIGGER rechazo_%1_%2 BEFORE %2 ON %1 %3"
                               "BEGIN SELECT RAISE(ABORT, 'rechazada'); END")
                        .arg(tabla, operacion,
                             condicion.isEmpty() ? QString() : QStringLiteral("WHEN %1 ").arg(condicion)));
        return;
    }
    dm.Ejecutar(
            QStringLiteral("CREATE OR REPLACE FUNCTION rechazo() RETURNS trigger AS $$ BEGIN RAISE EXCEPTION "
                           "'rechazada'; END $$ LANGUAGE plpgsql"));
    dm.Ejecutar(QStringLiteral("CREATE TRIGGER rechazo_%1_%2 BEFORE %2 ON %1 FOR EACH ROW %3"
                               "EXECUTE FUNCTION rechazo()")
                        .arg(tabla, operacion,
                             condicion.isEmpty() ? QString() : QStringLiteral("WHEN (%1) ").arg(condicion)));
}
