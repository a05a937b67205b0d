#pragma once

#include "platform/rgb.h"

#include <cstdint>

enum class PenStyle { Solid, Dot, Dash, DashDot };

// A drawing pen: style, width in device units and colour. Pens are created
// for one drawing step and destroyed at its end; LiveCount() counts those
// alive, so that a test can see that none leak.
class CPen {
public:
    CPen(PenStyle style, int32_t width, Rgb color);
    CPen(const CPen&) = delete;
    CPen& operator=(const CPen&) = delete;
    ~CPen();

    PenStyle Style() const { return m_style; }
    int32_t Width() const { return m_width; }
    Rgb Color() const { return m_color; }

    static int LiveCount();

private:
    PenStyle m_style;
    int32_t m_width;
    Rgb m_color;
};
