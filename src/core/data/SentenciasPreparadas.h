#pragma once

#include <QCache>
#include <QSqlQuery>
#include <QString>

#include <memory>
#include <optional>

// The statements one connection has prepared, kept by their SQL text for as long as the connection
// is open: a statement run again skips the parse (SQLite) or the prepare and deallocate round trips
// (PostgreSQL). A statement is out of the store while its rows are read, so two readers of one text
// at once each have their own. Bounded: beyond kMaximo the least recently used one is dropped.
class TSentenciasPreparadas
{
public:
    static constexpr int kMaximo = 256;

    TSentenciasPreparadas();

    // The prepared statement of this text, taken out of the store; none when it holds none.
    std::optional<QSqlQuery> Tomar(const QString &sql);
    // Puts a statement back once its reader is done with it. A statement that failed is dropped:
    // the database may have discarded it.
    void Devolver(const QString &sql, QSqlQuery &&sentencia);
    // Drops every statement (before the connection closes).
    void Vaciar() { m_sentencias.clear(); }
    int Cuantas() const { return int(m_sentencias.count()); }

private:
    QCache<QString, QSqlQuery> m_sentencias;
};

// The rows of a statement, read like any query. A prepared statement is on loan from its
// connection's store and goes back to it when this goes out of scope; the loan cannot be handed
// on as a plain QSqlQuery, which would take the statement away from the store.
class TConsulta : private QSqlQuery
{
public:
    using QSqlQuery::at;
    using QSqlQuery::finish;
    using QSqlQuery::isActive;
    using QSqlQuery::isNull;
    using QSqlQuery::isValid;
    using QSqlQuery::lastError;
    using QSqlQuery::lastInsertId;
    using QSqlQuery::next;
    using QSqlQuery::numRowsAffected;
    using QSqlQuery::record;
    using QSqlQuery::value;

    explicit TConsulta(QSqlQuery &&sentencia);
    TConsulta(QSqlQuery &&sentencia, std::weak_ptr<TSentenciasPreparadas> almacen, QString sql);
    TConsulta(TConsulta &&) noexcept = default;
    TConsulta &operator=(TConsulta &&otra) noexcept;
    ~TConsulta();

private:
    void devolver();

    std::weak_ptr<TSentenciasPreparadas> m_almacen;
    QString m_sql;
};
