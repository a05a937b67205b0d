#pragma once

#include "platform/clock.h"

class CChart;

// Day selection from the keyboard. A step past either end of the displayed
// month shows the neighbouring month with its first or last day selected;
// Today shows today's month with today selected. Each sets only what a click
// and the month commands set (the displayed month and the selected day), so
// the next paint frames the day as it frames a clicked one.
class CDayNavigation {
public:
    static void PreviousDay(CChart& chart);
    static void NextDay(CChart& chart);
    static void Today(CChart& chart, const CDate& today);
};
