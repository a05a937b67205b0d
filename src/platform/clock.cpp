#include "platform/clock.h"

#include <QDate>

namespace {
std::optional<CDate>& FixedToday()
{
    static std::optional<CDate> fixed;
    return fixed;
}
}

CDate Clock::Today()
{
    if (FixedToday())
        return *FixedToday();
    const QDate today = QDate::currentDate();
    return {today.year(), today.month(), today.day()};
}

void Clock::SetFixedToday(std::optional<CDate> date)
{
    FixedToday() = date;
}
