#pragma once

#include <QDate>
#include <QDateTime>
#include <QVariant>

// Dates and times as the database stores them: the wall-clock value, with no time zone, the same
// on both engines (SQLite keeps ISO text, PostgreSQL a TIMESTAMP read in UTC). Every date bound
// to a statement and read from a row passes through here, so a day never moves by a zone offset.
namespace SqlFecha {

// A day at 00:00; a null value for an invalid date (the column's Null).
inline QVariant valor(const QDate &dia)
{
    if (!dia.isValid())
        return QVariant(QMetaType(QMetaType::QDateTime));
    return QDateTime(dia, QTime(0, 0), Qt::UTC);
}

inline QVariant valor(const QDateTime &momento)
{
    if (!momento.isValid())
        return QVariant(QMetaType(QMetaType::QDateTime));
    return QDateTime(momento.date(), momento.time(), Qt::UTC);
}

// The stored wall-clock value as local time; invalid for Null.
inline QDateTime leer(const QVariant &columna)
{
    if (columna.isNull())
        return {};
    const QDateTime guardado = columna.toDateTime();
    if (!guardado.isValid())
        return {};
    // The drivers hand back the stored wall-clock digits (as UTC or as local time): keep them.
    return QDateTime(guardado.date(), guardado.time());
}

inline QDate leerDia(const QVariant &columna)
{
    return leer(columna).date();
}

} // namespace SqlFecha
