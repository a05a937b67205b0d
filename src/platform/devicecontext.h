#pragma once

#include "platform/font.h"
#include "platform/pen.h"
#include "platform/rgb.h"

#include <cstdint>
#include <string>

struct DcRect {
    int32_t left{};
    int32_t top{};
    int32_t right{};
    int32_t bottom{};
    // True when the rectangle covers no pixel; safe for every value.
    bool IsEmpty() const { return right <= left || bottom <= top; }
};

struct DcTextMetrics {
    int32_t height{};  // character cell height
};

// The drawing surface of one paint: a window, an image, a printed or a
// previewed page, or a recorder in tests. Coordinates are logical units,
// which equal device units apart from the window origin. A new context holds
// a default pen (solid black, width 1) and a default font; Select* returns the
// object it replaces, which the caller puts back before it destroys its own.
class DeviceContext {
public:
    virtual ~DeviceContext() = default;

    virtual const CPen* SelectPen(const CPen* pen) = 0;
    virtual const CFont* SelectFont(const CFont* font) = 0;
    virtual void MoveTo(int32_t x, int32_t y) = 0;
    virtual void LineTo(int32_t x, int32_t y) = 0;
    // Writes `text` with its top-left corner at (x, y), black, on the
    // background the mode leaves (none when transparent).
    virtual void TextOut(int32_t x, int32_t y, const std::string& text) = 0;
    virtual void FillRect(const DcRect& rect, Rgb color) = 0;
    virtual void SetBkModeTransparent(bool transparent) = 0;
    virtual void SetBkColor(Rgb color) = 0;
    // Logical point (x, y) lands on device point (x - originX, y - originY).
    virtual void SetWindowOrg(int32_t originX, int32_t originY) = 0;
    virtual DcTextMetrics GetTextMetrics() = 0;
    // Width of the drawing surface in device pixels.
    virtual int32_t HorzRes() const = 0;
};
