#include "core/common/Clock.h"

std::function<QDateTime()> &Clock::source()
{
    static std::function<QDateTime()> current = [] { return QDateTime::currentDateTime(); };
    return current;
}

QDateTime Clock::now()
{
    return source()();
}

QDate Clock::today()
{
    return now().date();
}

void Clock::fix(const QDateTime &moment)
{
    source() = [moment] { return moment; };
}

void Clock::reset()
{
    source() = [] { return QDateTime::currentDateTime(); };
}
