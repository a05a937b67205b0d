#include "platform/painterdc.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QVector>

namespace {
constexpr const char* kSubstituteFace = "DejaVu Sans";

QColor ToQColor(Rgb color)
{
    return QColor(color.r, color.g, color.b);
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
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    m_qfont = MakeFont(m_defaultFont);
    ApplyPen();
}

PainterDC::~PainterDC() = default;

QString PainterDC::SubstituteFace(const std::string&)
{
    return QString::fromLatin1(kSubstituteFace);
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
    return previous;
}

void PainterDC::ApplyPen()
{
    QPen pen(ToQColor(m_pen->Color()));
    pen.setWidth(m_pen->Width() <= 1 ? 0 : m_pen->Width());
    pen.setCapStyle(Qt::FlatCap);
    switch (m_pen->Style()) {
    case PenStyle::Solid: pen.setStyle(Qt::SolidLine); break;
    case PenStyle::Dot: pen.setDashPattern({3, 3}); break;
    case PenStyle::Dash: pen.setDashPattern({18, 6}); break;
    case PenStyle::DashDot: pen.setDashPattern({9, 6, 3, 6}); break;
    }
    m_painter.setPen(pen);
}

QFont PainterDC::MakeFont(const CFont& font) const
{
    QFont qfont(SubstituteFace(font.Face()));
    if (font.Height() != 0)
        qfont.setPixelSize(std::abs(font.Height()));
    qfont.setWeight(font.Weight() >= 700 ? QFont::Bold : QFont::Normal);
    return qfont;
}

void PainterDC::MoveTo(int32_t x, int32_t y)
{
    m_position = QPoint(x, y);
}

void PainterDC::LineTo(int32_t x, int32_t y)
{
    const QPoint to(x, y);
    m_painter.drawLine(m_position, to);
    m_position = to;
}

void PainterDC::TextOut(int32_t x, int32_t y, const std::string& text)
{
    m_painter.save();
    m_painter.setFont(m_qfont);
    m_painter.setPen(Qt::black);
    const QString qtext = QString::fromUtf8(text.data(), static_cast<int>(text.size()));
    const QFontMetrics metrics(m_qfont);
    if (!m_transparent)
        m_painter.fillRect(QRect(x, y, metrics.horizontalAdvance(qtext), metrics.height()), ToQColor(m_bkColor));
    m_painter.drawText(QPoint(x, y + metrics.ascent()), qtext);
    m_painter.restore();
}

void PainterDC::FillRect(const DcRect& rect, Rgb color)
{
    m_painter.fillRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()), ToQColor(color));
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
    m_painter.resetTransform();
    m_painter.translate(-originX, -originY);
}

DcTextMetrics PainterDC::GetTextMetrics()
{
    const QFontMetrics metrics(m_qfont);
    return {metrics.height(), metrics.averageCharWidth()};
}
