#include "core/data/SentenciasPreparadas.h"

#include <QSqlError>

TSentenciasPreparadas::TSentenciasPreparadas()
    : m_sentencias(kMaximo)
{ }

std::optional<QSqlQuery> TSentenciasPreparadas::Tomar(const QString &sql)
{
    QSqlQuery *guardada = m_sentencias.take(sql);
    if (!guardada)
        return std::nullopt;
    std::optional<QSqlQuery> sentencia(std::move(*guardada));
    delete guardada;
    return sentencia;
}

void TSentenciasPreparadas::Devolver(const QString &sql, QSqlQuery &&sentencia)
{
    if (sentencia.lastError().isValid())
        return;
    // Ends the reading (SQLite then holds no read lock for a kept statement).
    sentencia.finish();
    m_sentencias.insert(sql, new QSqlQuery(std::move(sentencia)));
}

TConsulta::TConsulta(QSqlQuery &&sentencia)
    : QSqlQuery(std::move(sentencia))
{ }

TConsulta::TConsulta(QSqlQuery &&sentencia, std::weak_ptr<TSentenciasPreparadas> almacen, QString sql)
    : QSqlQuery(std::move(sentencia))
    , m_almacen(std::move(almacen))
    , m_sql(std::move(sql))
{ }

TConsulta &TConsulta::operator=(TConsulta &&otra) noexcept
{
    if (this != &otra) {
        devolver();
        QSqlQuery::operator=(std::move(otra));
        m_almacen = std::move(otra.m_almacen);
        m_sql = std::move(otra.m_sql);
    }
    return *this;
}

TConsulta::~TConsulta()
{
    devolver();
}

void TConsulta::devolver()
{
    // A moved-from TConsulta has an empty store reference and no statement to give back.
    if (const auto almacen = m_almacen.lock()) {
        m_almacen.reset();
        almacen->Devolver(m_sql, std::move(*this));
    }
}
