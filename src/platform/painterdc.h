#pragma once

#include "platform/devicecontext.h"

#include <QFont>
#include <QPoint>

#include <memory>

class QPainter;

// The device context over a QPainter: a window, a QImage, a printer or a
// print-preview page. Lines are one device pixel wide and not antialiased.
class PainterDC : public DeviceContext {
public:
    // `horzRes` is the width of the surface in device pixels.
    PainterDC(QPainter& painter, int32_t horzRes);
    ~PainterDC() override;

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

    // The installed face that stands in for a face the program asks for.
    static QString SubstituteFace(const std::string& face);

private:
    void ApplyPen();
    QFont MakeFont(const CFont& font) const;

    QPainter& m_painter;
    int32_t m_horzRes;
    CPen m_defaultPen;
    CFont m_defaultFont;
    const CPen* m_pen;
    const CFont* m_font;
    QFont m_qfont;
    QPoint m_position;
    bool m_transparent = false;
    Rgb m_bkColor{255, 255, 255};
};
