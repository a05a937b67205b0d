#include "calc/weekdaylabel.h"

std::string WeekdayLabel(const std::string& weekdayText, int32_t weekday)
{
    const int32_t remainder = ((weekday % 7) + 7) % 7;
    return weekdayText.substr(static_cast<size_t>(2 * remainder), 2);
}
