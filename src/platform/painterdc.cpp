// The device context over QPainter in one file, a little past the usual size:
// its pens, fonts, pixel-exact lines and cached text all work on the one
// painter state that SelectPen, SelectFont and SetWindowOrg change.
#include "platform/painterdc.h"

#include "platform/textencoding.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QVector>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {
constexpr const char* kSubstituteFace = "DejaVu Sans";
// The regular face by name: asking for a narrower width must stretch the
// regular face, not switch to a condensed one where it happens to be installed.
constexpr const char* kRegularStyle = "Book";
constexpr const char* kBoldStyle = "Bold";
constexpr int32_t kBoldWeight = 700;
// Qt accepts stretch factors from 1 to 4000 percent.
constexpr int kMinStretch = 1;
constexpr int kMaxStretch = 4000;
constexpr int kMaxPixelSize = 10000;
// The size at which a face's cell-to-em ratio is measured.
constexpr int kReferencePixelSize = 1000;
// Room around a cached text's ink for antialiasing.
constexpr int kTextMargin = 2;
// Texts kept drawn; a chart paints fewer than a hundred different ones.
constexpr size_t kMaxCachedTexts = 1024;

// Style patterns of the cosmetic pens, in device units: on, off, on, off.
const QVector<qreal> kDotPattern{3, 3};
const QVector<qreal> kDashPattern{18, 6};
const QVector<qreal> kDashDotPattern{9, 6, 3, 6};

const QVector<qreal>* PatternOf(PenStyle style)
{
    switch (style) {
    case PenStyle::Solid: return nullptr;
    case PenStyle::Dot: return &kDotPattern;
    case PenStyle::Dash: return &kDashPattern;
    case PenStyle::DashDot: return &kDashDotPattern;
    }
    return nullptr;
}

// The minor-axis share of step `i` of `steps` on a line that moves `delta`
// across them, rounded to the nearest pixel. The product of two 33-bit
// distances needs more than 64 bits.
int64_t MinorOffset(int64_t i, int64_t delta, int64_t steps)
{
    const __int128 magnitude = delta < 0 ? -static_cast<__int128>(delta) : delta;
    const auto share = static_cast<int64_t>((2 * i * magnitude + steps) / (2 * static_cast<__int128>(steps)));
    return delta < 0 ? -share : share;
}

QColor ToQColor(Rgb color)
{
    return QColor(color.r, color.g, color.b);
}

int32_t Magnitude(int32_t value)
{
    return value == INT32_MIN ? INT32_MAX : std::abs(value);
}
}

PainterDC::PainterDC(QPainter& painter, int32_t horzRes)
    : m_painter(painter),
      m_horzRes(horzRes),
      m_defaultPen(PenStyle::Solid, 1, Rgb{0, 0, 0}),
      m_defaultFont(0, 0, kFontWeightNormal, "System"),
      m_pen(&m_defaultPen),
      m_font(&m_defaultFont)
{
    m_painter.save();
    m_baseTransform = m_painter.worldTransform();
    m_rasterSurface = m_painter.paintEngine() && m_painter.paintEngine()->type() == QPaintEngine::Raster &&
                      m_painter.device();
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    m_painter.setBrush(Qt::NoBrush);
    SelectFont(nullptr);
    ApplyPen();
}

PainterDC::~PainterDC()
{
    m_painter.restore();
}

QString PainterDC::SubstituteFace(const std::string&)
{
    return QString::fromLatin1(kSubstituteFace);
}

QFont PainterDC::MakeFont(const CFont& font)
{
    QFont qfont(SubstituteFace(font.Face()));
    qfont.setStyleName(QString::fromLatin1(font.Weight() >= kBoldWeight ? kBoldStyle : kRegularStyle));

    // A positive height is the cell (ascent plus descent), a negative one the
    // em, as CreateFontA takes them; the face's own ratio turns the cell into
    // the em that Qt asks for.
    int pixelSize{};
    if (font.Height() < 0) {
        pixelSize = std::min(Magnitude(font.Height()), kMaxPixelSize);
    } else {
        const int32_t cell = font.Height() > 0 ? font.Height() : kDefaultCellHeight;
        QFont reference(qfont);
        reference.setPixelSize(kReferencePixelSize);
        const QFontMetricsF metrics(reference);
        const qreal cellPerEm = (metrics.ascent() + metrics.descent()) / kReferencePixelSize;
        const qreal em = cellPerEm > 0 ? cell / cellPerEm : cell;
        pixelSize = static_cast<int>(std::clamp<qreal>(qRound(em), 1, kMaxPixelSize));
    }
    qfont.setPixelSize(pixelSize);

    // The average character width follows from stretching the face.
    if (font.Width() != 0) {
        const qreal natural = QFontMetricsF(qfont).averageCharWidth();
        if (natural > 0) {
            const qreal percent = 100.0 * Magnitude(font.Width()) / natural;
            qfont.setStretch(static_cast<int>(std::clamp<qreal>(qRound(percent), kMinStretch, kMaxStretch)));
        }
    }
    return qfont;
}

const CPen* PainterDC::SelectPen(const CPen* pen)
{
    const CPen* previous = m_pen;
    m_pen = pen ? pen : &m_defaultPen;
    ApplyPen();
    return previous;
}

const CFont* PainterDC::SelectFont(const CFont* font)
{
    const CFont* previous = m_font;
    m_font = font ? font : &m_defaultFont;
    m_qfont = MakeFont(*m_font);
    m_ascent = QFontMetricsF(m_qfont).ascent();
    m_painter.setFont(m_qfont);
    return previous;
}

void PainterDC::ApplyPen()
{
    m_lineColor = ToQColor(m_pen->Color());
    QPen pen(m_lineColor);
    // A pen of width 0 or 1 is one pixel of whatever device shows it: on a
    // 600 dpi page a 1/600-inch line, in a print preview scaled down to the
    // screen still one whole pixel in its colour, not a faint sliver of one.
    pen.setCosmetic(m_pen->Width() <= 1);
    pen.setWidth(std::max<int32_t>(m_pen->Width(), 1));
    pen.setCapStyle(Qt::FlatCap);
    const QVector<qreal>* pattern = PatternOf(m_pen->Style());
    if (pattern)
        pen.setDashPattern(*pattern);
    m_painter.setPen(pen);

    m_pattern.fill(true);
    m_patternPeriod = 1;
    if (pattern) {
        int position = 0;
        bool on = true;
        for (const qreal length : *pattern) {
            for (int i = 0; i < static_cast<int>(length); ++i)
                m_pattern[static_cast<size_t>(position++)] = on;
            on = !on;
        }
        m_patternPeriod = position;
    }
}

bool PainterDC::DrawsPixels() const
{
    if (!m_rasterSurface || m_pen->Width() > 1)
        return false;
    const QTransform& transform = m_painter.worldTransform();
    return transform.type() <= QTransform::TxTranslate && transform.dx() == std::floor(transform.dx()) &&
           transform.dy() == std::floor(transform.dy());
}

bool PainterDC::RunsBackward(QPoint from, QPoint to)
{
    const int64_t dx = static_cast<int64_t>(to.x()) - from.x();
    const int64_t dy = static_cast<int64_t>(to.y()) - from.y();
    return std::abs(dx) >= std::abs(dy) ? dx < 0 : dy < 0;
}

void PainterDC::DrawBackwardPixelLine(QPoint from, QPoint to)
{
    const int64_t dx = static_cast<int64_t>(to.x()) - from.x();
    const int64_t dy = static_cast<int64_t>(to.y()) - from.y();
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const int64_t steps = std::max(std::abs(dx), std::abs(dy));
    if (steps == 0)
        return;

    // Step i is at major - i. Only the steps that land on the surface are
    // walked, so a line's length costs nothing beyond the surface's size.
    const QTransform& transform = m_painter.worldTransform();
    const int64_t left = -static_cast<int64_t>(transform.dx());
    const int64_t top = -static_cast<int64_t>(transform.dy());
    const int64_t right = left + m_painter.device()->width();
    const int64_t bottom = top + m_painter.device()->height();
    const int64_t majorStart = xMajor ? from.x() : from.y();
    const int64_t minorStart = xMajor ? from.y() : from.x();
    const int64_t minorDelta = xMajor ? dy : dx;
    const int64_t majorLow = xMajor ? left : top;
    const int64_t majorHigh = xMajor ? right : bottom;
    const int64_t minorLow = xMajor ? top : left;
    const int64_t minorHigh = xMajor ? bottom : right;
    const int64_t first = std::max<int64_t>(0, majorStart - (majorHigh - 1));
    const int64_t last = std::min(steps - 1, majorStart - majorLow);

    // Neighbouring pixels on the same row (or column) make one rectangle,
    // and all of a line's rectangles are filled in one call.
    m_runs.clear();
    int64_t runMajor{};  // the run's first pixel, its highest coordinate; set with the length
    int64_t runMinor{};
    int64_t runLength = 0;
    auto endRun = [&]() {
        if (runLength == 0)
            return;
        const auto low = static_cast<int>(runMajor - runLength + 1);
        const auto minor = static_cast<int>(runMinor);
        const auto length = static_cast<int>(runLength);
        m_runs.push_back(xMajor ? QRect(low, minor, length, 1) : QRect(minor, low, 1, length));
        runLength = 0;
    };
    for (int64_t i = first; i <= last; ++i) {
        const int64_t minor = minorStart + MinorOffset(i, minorDelta, steps);
        if (!m_pattern[static_cast<size_t>(i % m_patternPeriod)] || minor < minorLow || minor >= minorHigh) {
            endRun();
            continue;
        }
        // A run still open ends at the step before, so this step extends it
        // when it stays on the run's row.
        if (runLength > 0 && minor == runMinor) {
            ++runLength;
            continue;
        }
        endRun();
        runMajor = majorStart - i;
        runMinor = minor;
        runLength = 1;
    }
    endRun();
    if (m_runs.empty())
        return;

    const QPen linePen = m_painter.pen();
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(m_lineColor);
    m_painter.drawRects(m_runs.data(), static_cast<int>(m_runs.size()));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.setPen(linePen);
}

void PainterDC::MoveTo(int32_t x, int32_t y)
{
    m_position = QPoint(x, y);
}

void PainterDC::LineTo(int32_t x, int32_t y)
{
    const QPoint to(x, y);
    // A line leaves out its last pixel, so one that ends where it starts
    // draws nothing; Qt would draw that pixel with a one-pixel pen.
    if (to == m_position)
        return;
    // Qt strokes a line from its left or top end; only those that run the
    // other way need drawing pixel by pixel to keep their first pixel.
    if (DrawsPixels() && RunsBackward(m_position, to))
        DrawBackwardPixelLine(m_position, to);
    else
        m_painter.drawLine(m_position, to);
    m_position = to;
}

void PainterDC::TextOut(int32_t x, int32_t y, const std::string& text)
{
    const QString qtext = DecodeSystemText(text);
    if (!m_transparent) {
        const QFontMetricsF metrics(m_qfont);
        m_painter.fillRect(QRectF(x, y, metrics.horizontalAdvance(qtext), GetTextMetrics().height),
                           ToQColor(m_bkColor));
    }
    if (DrawsPixels()) {
        const TextImage image = CachedText(m_qfont, m_ascent, qtext);
        m_painter.drawImage(QPoint(x - image.origin.x(), y - image.origin.y()), image.image);
        return;
    }
    const QPen linePen = m_painter.pen();
    m_painter.setPen(Qt::black);
    const QPaintEngine* engine = m_painter.paintEngine();
    const int stretch = m_qfont.stretch();
    if (engine && engine->type() == QPaintEngine::SVG && stretch > 0 && stretch != QFont::Unstretched) {
        // The SVG writer drops a font's stretch, so the narrowing is drawn
        // as a horizontal scale of the unstretched face instead.
        QFont unstretched(m_qfont);
        unstretched.setStretch(QFont::Unstretched);
        m_painter.save();
        m_painter.setFont(unstretched);
        m_painter.translate(x, y + m_ascent);
        m_painter.scale(stretch / 100.0, 1.0);
        m_painter.drawText(QPointF(0, 0), qtext);
        m_painter.restore();
    } else {
        m_painter.drawText(QPointF(x, y + m_ascent), qtext);
    }
    m_painter.setPen(linePen);
}

// Qt draws glyphs above 64 pixels as outlines on every call, which costs a
// 4K chart most of its pass; the same labels come back on every paint, so
// each text is drawn once into an image and copied from then on.
PainterDC::TextImage PainterDC::CachedText(const QFont& font, qreal ascent, const QString& text)
{
    const std::lock_guard<std::mutex> lock(TextCacheMutex());
    TextCache& cache = TextCacheInstance();
    const QString key = font.key() + QChar(0x1F) + text;
    const auto found = cache.find(key);
    if (found != cache.end())
        return found->second;
    if (cache.size() >= kMaxCachedTexts)
        cache.clear();

    const QFontMetricsF metrics(font);
    const QRectF ink = metrics.boundingRect(text);
    const int margin = kTextMargin + font.pixelSize() / 16;
    // The cell's top-left corner inside the image; the glyphs may reach left
    // of it and above it.
    const QPoint origin(margin + std::max(0, static_cast<int>(std::ceil(-ink.left()))),
                        margin + std::max(0, static_cast<int>(std::ceil(-(ascent + ink.top())))));
    const int width = origin.x() + std::max(1, static_cast<int>(std::ceil(std::max(ink.right(), 0.0)))) + margin;
    const int height = origin.y() + std::max(1, static_cast<int>(std::ceil(ascent + std::max(ink.bottom(), 0.0)))) + margin;
    TextImage entry{QImage(width, height, QImage::Format_ARGB32_Premultiplied), origin};
    entry.image.fill(Qt::transparent);
    {
        QPainter painter(&entry.image);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(origin.x(), origin.y() + ascent), text);
    }
    return cache.emplace(key, std::move(entry)).first->second;
}

void PainterDC::ClearTextCache()
{
    const std::lock_guard<std::mutex> lock(TextCacheMutex());
    TextCacheInstance().clear();
}

size_t PainterDC::CachedTextCount()
{
    const std::lock_guard<std::mutex> lock(TextCacheMutex());
    return TextCacheInstance().size();
}

PainterDC::TextCache& PainterDC::TextCacheInstance()
{
    static TextCache cache;
    return cache;
}

std::mutex& PainterDC::TextCacheMutex()
{
    static std::mutex mutex;
    return mutex;
}

void PainterDC::FillRect(const DcRect& rect, Rgb color)
{
    if (rect.IsEmpty())
        return;
    m_painter.fillRect(QRect(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1)),
                       ToQColor(color));
}

void PainterDC::SetBkModeTransparent(bool transparent)
{
    m_transparent = transparent;
}

void PainterDC::SetBkColor(Rgb color)
{
    m_bkColor = color;
}

void PainterDC::SetWindowOrg(int32_t originX, int32_t originY)
{
    m_painter.setWorldTransform(QTransform::fromTranslate(-static_cast<qreal>(originX), -static_cast<qreal>(originY)) *
                                m_baseTransform);
}

DcTextMetrics PainterDC::GetTextMetrics()
{
    const QFontMetricsF metrics(m_qfont);
    return {m_font->Height() > 0 ? m_font->Height() : qRound(metrics.ascent() + metrics.descent())};
}
