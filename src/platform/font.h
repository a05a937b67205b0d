#pragma once

#include <cstdint>
#include <string>

constexpr int32_t kFontWeightNormal = 400;

// A font as the drawing asks for it: cell height and average character width
// in logical units (0 means the face's default for that dimension), weight
// and face name. LiveCount() counts those alive, so that a test can see that
// none leak.
class CFont {
public:
    CFont(int32_t height, int32_t width, int32_t weight, std::string face);
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;
    ~CFont();

    int32_t Height() const { return m_height; }
    int32_t Width() const { return m_width; }
    int32_t Weight() const { return m_weight; }
    const std::string& Face() const { return m_face; }

    static int LiveCount();

private:
    int32_t m_height;
    int32_t m_width;
    int32_t m_weight;
    std::string m_face;
};
