#pragma once

#include "core/data/uDM.h"

#include <QSqlQuery>

#include <benchmark/benchmark.h>

// The floor under storing a load: one transaction that inserts 21 rows (a load's worth: the load
// and its 20 lines) into RecargaLinea, with all its indexes, through one statement prepared once,
// on the data module's own connection, so that it commits with the same durability as the store
// it stands beside. What a store costs above it is the data module's own work: statements built
// and checked, the patient's lock, stock read and written. The rows are removed after the run, so
// a kept data set stays as it was filled.
inline void SueloEscritura21Filas(benchmark::State &state, TDM &dm)
{
    constexpr int kFilas = 21;
    const qint64 ultimaAntes
            = dm.Valor(QStringLiteral("SELECT MAX(idRecargaLinea) FROM RecargaLinea")).toLongLong();
    QSqlDatabase &db = dm.database();
    QSqlQuery insercion(db);
    insercion.prepare(
            QStringLiteral("INSERT INTO RecargaLinea (idRecarga, idMedicamento, idMedicamentoR, "
                           "Cantidad, Dosis, Lote, SPD, Medicamento) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    const auto escribir = [&] {
        if (!db.transaction())
            return false;
        for (int fila = 0; fila < kFilas; ++fila) {
            insercion.bindValue(0, 0);
            insercion.bindValue(1, 6500001 + fila);
            insercion.bindValue(2, 6500001 + fila);
            insercion.bindValue(3, 14.0);
            insercion.bindValue(4, QStringLiteral("1-0-1-0:D:D:1"));
            insercion.bindValue(5, QStringLiteral("L2024"));
            insercion.bindValue(6, 1);
            insercion.bindValue(7, QStringLiteral("MEDICAMENTO"));
            if (!insercion.exec()) {
                db.rollback();
                return false;
            }
        }
        return db.commit();
    };
    for (auto _ : state) {
        if (!escribir()) {
            state.SkipWithError("the floor's transaction failed");
            break;
        }
    }
    state.counters["rows"] = kFilas;
    dm.Ejecutar(QStringLiteral("DELETE FROM RecargaLinea WHERE idRecargaLinea > ?"), {ultimaAntes});
}
