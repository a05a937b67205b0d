#include "platform/pen.h"

#include <atomic>

namespace {
std::atomic<int> g_livePens{0};
}

CPen::CPen(PenStyle style, int32_t width, Rgb color) : m_style(style), m_width(width), m_color(color)
{
    ++g_livePens;
}

CPen::~CPen()
{
    --g_livePens;
}

int CPen::LiveCount()
{
    return g_livePens;
}
