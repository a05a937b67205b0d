#include "platform/recordingdc.h"

#include "calc/int32math.h"

#include <ostream>

namespace {
constexpr Rgb kDefaultPenColor{0, 0, 0};
constexpr const char* kDefaultFace = "System";
}

PenState StateOf(const CPen& pen)
{
    return PenState{pen.Style(), pen.Width(), pen.Color()};
}

FontState StateOf(const CFont& font)
{
    return FontState{font.Height(), font.Width(), font.Weight(), font.Face()};
}

RecordingDC::RecordingDC(int32_t horzRes)
    : m_horzRes(horzRes),
      m_defaultPen(PenStyle::Solid, 1, kDefaultPenColor),
      m_defaultFont(0, 0, kFontWeightNormal, kDefaultFace),
      m_pen(&m_defaultPen),
      m_font(&m_defaultFont)
{
}

RecordingDC::~RecordingDC() = default;

int32_t RecordingDC::DeviceX(int32_t x) const
{
    return WrappingSub(x, m_originX);
}

int32_t RecordingDC::DeviceY(int32_t y) const
{
    return WrappingSub(y, m_originY);
}

const CPen* RecordingDC::SelectPen(const CPen* pen)
{
    const CPen* previous = m_pen;
    m_pen = pen ? pen : &m_defaultPen;
    DcCall call;
    call.kind = DcCall::Kind::SelectPen;
    call.pen = StateOf(*m_pen);
    m_calls.push_back(call);
    return previous;
}

const CFont* RecordingDC::SelectFont(const CFont* font)
{
    const CFont* previous = m_font;
    m_font = font ? font : &m_defaultFont;
    DcCall call;
    call.kind = DcCall::Kind::SelectFont;
    call.font = StateOf(*m_font);
    m_calls.push_back(call);
    return previous;
}

void RecordingDC::MoveTo(int32_t x, int32_t y)
{
    m_posX = DeviceX(x);
    m_posY = DeviceY(y);
    DcCall call;
    call.kind = DcCall::Kind::MoveTo;
    call.x = m_posX;
    call.y = m_posY;
    m_calls.push_back(call);
}

void RecordingDC::LineTo(int32_t x, int32_t y)
{
    DcCall call;
    call.kind = DcCall::Kind::LineTo;
    call.fromX = m_posX;
    call.fromY = m_posY;
    call.x = DeviceX(x);
    call.y = DeviceY(y);
    call.pen = StateOf(*m_pen);
    m_calls.push_back(call);
    m_posX = call.x;
    m_posY = call.y;
}

void RecordingDC::TextOut(int32_t x, int32_t y, const std::string& text)
{
    DcCall call;
    call.kind = DcCall::Kind::TextOut;
    call.x = DeviceX(x);
    call.y = DeviceY(y);
    call.text = text;
    call.font = StateOf(*m_font);
    m_calls.push_back(call);
}

void RecordingDC::FillRect(const DcRect& rect, Rgb color)
{
    DcCall call;
    call.kind = DcCall::Kind::FillRect;
    call.rect = DcRect{DeviceX(rect.left), DeviceY(rect.top), DeviceX(rect.right), DeviceY(rect.bottom)};
    call.color = color;
    m_calls.push_back(call);
}

void RecordingDC::SetBkModeTransparent(bool transparent)
{
    m_transparent = transparent;
    DcCall call;
    call.kind = DcCall::Kind::SetBkMode;
    call.transparent = transparent;
    m_calls.push_back(call);
}

void RecordingDC::SetBkColor(Rgb color)
{
    DcCall call;
    call.kind = DcCall::Kind::SetBkColor;
    call.color = color;
    m_calls.push_back(call);
}

void RecordingDC::SetWindowOrg(int32_t originX, int32_t originY)
{
    m_originX = originX;
    m_originY = originY;
    DcCall call;
    call.kind = DcCall::Kind::SetWindowOrg;
    call.x = originX;
    call.y = originY;
    m_calls.push_back(call);
}

DcTextMetrics RecordingDC::GetTextMetrics()
{
    return DcTextMetrics{m_font->Height()};
}

std::vector<RecordingDC::Segment> RecordingDC::Segments() const
{
    std::vector<Segment> segments;
    for (const DcCall& call : m_calls) {
        if (call.kind == DcCall::Kind::LineTo)
            segments.push_back(Segment{call.fromX, call.fromY, call.x, call.y, call.pen});
    }
    return segments;
}

std::vector<RecordingDC::Text> RecordingDC::Texts() const
{
    std::vector<Text> texts;
    for (const DcCall& call : m_calls) {
        if (call.kind == DcCall::Kind::TextOut)
            texts.push_back(Text{call.x, call.y, call.text, call.font});
    }
    return texts;
}

std::ostream& operator<<(std::ostream& out, const RecordingDC::Segment& segment)
{
    static const char* const kStyles[] = {"solid", "dot", "dash", "dash-dot"};
    return out << "(" << segment.x1 << "," << segment.y1 << ")-(" << segment.x2 << "," << segment.y2 << ") "
               << kStyles[static_cast<int>(segment.pen.style)] << " rgb(" << int{segment.pen.color.r} << ","
               << int{segment.pen.color.g} << "," << int{segment.pen.color.b} << ")";
}
