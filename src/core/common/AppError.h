#pragma once

#include <QString>

#include <stdexcept>

// An error the application raises for the application-wide handler to log and show.
class AppError : public std::runtime_error
{
public:
    explicit AppError(const QString &message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    { }
    const QString &message() const { return m_message; }

private:
    QString m_message;
};
