#pragma once

#include <cstdint>
#include <optional>

struct CDate {
    int32_t year{};
    int32_t month{};
    int32_t day{};
};

// The local date. Tests fix it to any date with SetFixedToday and undo that
// with SetFixedToday(std::nullopt).
class Clock {
public:
    static CDate Today();
    static void SetFixedToday(std::optional<CDate> date);
};
