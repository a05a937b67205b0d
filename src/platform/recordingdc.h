#pragma once

#include "platform/devicecontext.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <tuple>
#include <vector>

// What a pen or a font looked like when it was used; the objects themselves
// live only for one drawing step.
struct PenState {
    PenStyle style = PenStyle::Solid;
    int32_t width = 1;
    Rgb color{};
    bool operator==(const PenState& other) const
    {
        return std::tie(style, width, color) == std::tie(other.style, other.width, other.color);
    }
    bool operator!=(const PenState& other) const { return !(*this == other); }
};

struct FontState {
    int32_t height = 0;
    int32_t width = 0;
    int32_t weight = kFontWeightNormal;
    std::string face;
    bool operator==(const FontState& other) const
    {
        return std::tie(height, width, weight, face) == std::tie(other.height, other.width, other.weight, other.face);
    }
};

PenState StateOf(const CPen& pen);
FontState StateOf(const CFont& font);

// One call made on a RecordingDC. Points are device coordinates: the logical
// point less the window origin in force at the time of the call.
struct DcCall {
    enum class Kind { SelectPen, SelectFont, MoveTo, LineTo, TextOut, FillRect, SetBkMode, SetBkColor, SetWindowOrg };
    Kind kind = Kind::MoveTo;
    int32_t x{};         // MoveTo, LineTo (end), TextOut; the origin for SetWindowOrg
    int32_t y{};
    int32_t fromX{};     // LineTo: the current position it starts from
    int32_t fromY{};
    PenState pen;        // SelectPen: the pen selected; LineTo: the pen it is drawn with
    FontState font;      // SelectFont: the font selected; TextOut: the font it is written in
    std::string text;    // TextOut
    DcRect rect;         // FillRect
    Rgb color{};         // FillRect, SetBkColor
    bool transparent{};  // SetBkMode
};

// A device context that draws nothing and keeps every call, so that tests can
// check each line, text and pen of a drawing pass. Its default pen is solid
// black of width 1; its default font asks for the system's default size. It
// has no face to measure, so the cell it reports is the height asked for.
class RecordingDC : public DeviceContext {
public:
    struct Segment {
        int32_t x1{};
        int32_t y1{};
        int32_t x2{};
        int32_t y2{};
        PenState pen;
        bool operator==(const Segment& other) const
        {
            return std::tie(x1, y1, x2, y2, pen) == std::tie(other.x1, other.y1, other.x2, other.y2, other.pen);
        }
    };
    struct Text {
        int32_t x{};
        int32_t y{};
        std::string text;
        FontState font;
    };

    // `horzRes` plays the width of the surface, a printer's page for instance.
    explicit RecordingDC(int32_t horzRes = 0);
    ~RecordingDC() override;

    const CPen* SelectPen(const CPen* pen) override;
    const CFont* SelectFont(const CFont* font) override;
    void MoveTo(int32_t x, int32_t y) override;
    void LineTo(int32_t x, int32_t y) override;
    void TextOut(int32_t x, int32_t y, const std::string& text) override;
    void FillRect(const DcRect& rect, Rgb color) override;
    void SetBkModeTransparent(bool transparent) override;
    void SetBkColor(Rgb color) override;
    void SetWindowOrg(int32_t originX, int32_t originY) override;
    DcTextMetrics GetTextMetrics() override;
    int32_t HorzRes() const override { return m_horzRes; }

    const std::vector<DcCall>& Calls() const { return m_calls; }
    // Every LineTo as a segment from the position it started at, in order.
    std::vector<Segment> Segments() const;
    // Every TextOut, in order.
    std::vector<Text> Texts() const;
    void ClearCalls() { m_calls.clear(); }

    const CPen* CurrentPen() const { return m_pen; }
    const CFont* CurrentFont() const { return m_font; }
    bool IsDefaultPen(const CPen* pen) const { return pen == &m_defaultPen; }
    bool IsDefaultFont(const CFont* font) const { return font == &m_defaultFont; }
    bool BkModeTransparent() const { return m_transparent; }

private:
    int32_t DeviceX(int32_t x) const;
    int32_t DeviceY(int32_t y) const;

    int32_t m_horzRes;
    CPen m_defaultPen;
    CFont m_defaultFont;
    const CPen* m_pen;
    const CFont* m_font;
    int32_t m_originX = 0;
    int32_t m_originY = 0;
    int32_t m_posX{};  // every drawing moves to its first point
    int32_t m_posY{};
    bool m_transparent = false;
    std::vector<DcCall> m_calls;
};

// "(x1,y1)-(x2,y2) style colour", for test failure messages.
std::ostream& operator<<(std::ostream& out, const RecordingDC::Segment& segment);
