#pragma once

#include "core/data/SqlEngine.h"

#include <QList>
#include <QString>

class QSqlDatabase;

// The tables of the pharmacy's database, the same on both engines. Identifiers the database
// assigns are never reused after a delete (SQLite AUTOINCREMENT, PostgreSQL identity); flags are
// small integers holding 0 or 1; a text column refuses text longer than its width on both
// engines (SQLite does not check widths by itself).
namespace DatabaseSchema {

enum class ColumnType {
    Key, // 32-bit key assigned by the database
    Integer, // 32-bit signed
    BigInt, // 64-bit signed (medication codes)
    SmallInt, // 16-bit signed, also 0/1 flags and the 0..255 sizes
    Double,
    Currency, // fixed point, 4 decimals
    DateTime,
    Text, // with a width
    Memo, // unbounded text
    Binary,
};

struct Column
{
    QString name;
    ColumnType type;
    int width = 0; // Text only
};

struct Table
{
    QString name;
    QList<Column> columns;
    QString primaryKey = {}; // columns of a key the application assigns, comma-separated; empty when none
    const Column *column(const QString &name) const; // matched without regard to case
    const Column *autoKey() const; // the Key column, if any
};

struct Index
{
    QString name;
    QString table;
    QString expression; // columns or expressions, comma-separated
};

const QList<Table> &tables();
const QList<Index> &indexes();
const Table *table(const QString &name); // matched without regard to case

// Creates every missing table and index (the unique index of load numbers once the stored loads
// allow it), and adds the columns a table of an older database lacks (empty in its existing
// rows), in one transaction. Returns the database's message on
// failure (the database is then unchanged), empty on success.
QString create(QSqlDatabase &database, SqlEngine engine);

// The statement that creates one table on the engine.
QString createTableStatement(const Table &table, SqlEngine engine);

} // namespace DatabaseSchema
