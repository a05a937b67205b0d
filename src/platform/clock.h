#pragma once

#include <cstdint>
#include <optional>

struct CDate {
    int32_t year = 0;
    int32_t month = 0;
    int32_t day = 0;
};

// The local date. Tests fix it to any date with SetFixedToday and undo that
// with SetFixedToday(std::nullopt).
class Clock {
public:
    static CDate Today();
    static void SetFixedToday(std::optional<CDate> date);
};
