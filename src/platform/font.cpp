#include "platform/font.h"

#include <atomic>

namespace {
std::atomic<int> g_liveFonts{0};
}

CFont::CFont(int32_t height, int32_t width, int32_t weight, std::string face)
    : m_height(height), m_width(width), m_weight(weight), m_face(std::move(face))
{
    ++g_liveFonts;
}

CFont::~CFont()
{
    --g_liveFonts;
}

int CFont::LiveCount()
{
    return g_liveFonts;
}
