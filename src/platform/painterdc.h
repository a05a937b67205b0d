#pragma once

#include "platform/devicecontext.h"

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QTransform>

#include <QImage>
#include <QString>

#include <array>
#include <mutex>
#include <unordered_map>
#include <vector>

class QPainter;

// The device context over a QPainter: a window, a QImage, a printer or a
// print-preview page. Lines of pens of width 0 or 1 are one device pixel wide
// (cosmetic), whatever scale a preview shows the page at, and not antialiased. On
// pixel surfaces they come out as GDI draws them: from the first point up to
// but not including the last, with the style pattern starting afresh at the
// first pixel of every segment. Qt's stroker does that for lines that run
// rightward or downward; it sweeps the others from their far end, which drops
// the first pixel and keeps the last, so those are set pixel by pixel here.
// On vector surfaces (PDF, printers) QPainter strokes every line. Fonts get the cell
// height and average character width that they ask for. The painter's state
// is saved on construction and restored on destruction.
class PainterDC : public DeviceContext {
public:
    // `horzRes` is the width of the surface in device pixels.
    PainterDC(QPainter& painter, int32_t horzRes);
    ~PainterDC() override;
    PainterDC(const PainterDC&) = delete;
    PainterDC& operator=(const PainterDC&) = delete;

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
    // The Qt font that renders `font` with its cell height and average
    // character width, in pixels of the surface.
    static QFont MakeFont(const CFont& font);

    // The cell a font of height 0 gets, as the system font of the original
    // platform has it.
    static constexpr int32_t kDefaultCellHeight = 16;

    // Forgets the texts drawn so far on pixel surfaces (see CachedText).
    static void ClearTextCache();
    // How many drawn texts are kept; the number is bounded.
    static size_t CachedTextCount();

private:
    // A text drawn once in black on transparent, and where its cell's
    // top-left corner lies in the image.
    struct TextImage {
        QImage image;
        QPoint origin;
    };
    struct KeyHash {
        size_t operator()(const QString& key) const { return qHash(key); }
    };
    using TextCache = std::unordered_map<QString, TextImage, KeyHash>;

    static TextImage CachedText(const QFont& font, qreal ascent, const QString& text);
    static TextCache& TextCacheInstance();
    static std::mutex& TextCacheMutex();

    void ApplyPen();
    // Whether lines go pixel by pixel: a raster surface under a whole-pixel translation.
    bool DrawsPixels() const;
    // Whether the line runs left along its major axis (or up, when steep).
    static bool RunsBackward(QPoint from, QPoint to);
    // Draws a line that RunsBackward pixel by pixel, from its first pixel on.
    void DrawBackwardPixelLine(QPoint from, QPoint to);

    QPainter& m_painter;
    QTransform m_baseTransform;
    int32_t m_horzRes;
    CPen m_defaultPen;
    CFont m_defaultFont;
    const CPen* m_pen;
    const CFont* m_font;
    bool m_rasterSurface{};
    // The pen's colour and its style pattern, one entry per pixel of a period.
    QColor m_lineColor;
    std::array<bool, 24> m_pattern{};
    int m_patternPeriod = 1;
    std::vector<QRect> m_runs;
    QFont m_qfont;
    qreal m_ascent = 0.0;
    QPoint m_position;
    bool m_transparent = false;
    Rgb m_bkColor{255, 255, 255};
};
