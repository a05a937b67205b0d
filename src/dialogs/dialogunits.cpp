#include "dialogs/dialogunits.h"

#include <QFont>
#include <QFontMetrics>

namespace {
constexpr int kQuartersPerBaseWidth = 4;
constexpr int kEighthsPerBaseHeight = 8;
constexpr int kLettersInAlphabet = 26;

// value * numerator / denominator rounded half away from zero, as MulDiv does.
int MulDiv(int value, int numerator, int denominator)
{
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}
}

DialogUnits DialogUnits::Measure(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int alphabetWidth =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    // The average over 52 letters, rounded: (width / 26 + 1) / 2.
    const int averageWidth = (alphabetWidth / kLettersInAlphabet + 1) / 2;
    return DialogUnits(averageWidth, metrics.height());
}

int DialogUnits::ToPixelsX(int units) const
{
    return MulDiv(units, m_baseWidth, kQuartersPerBaseWidth);
}

int DialogUnits::ToPixelsY(int units) const
{
    return MulDiv(units, m_baseHeight, kEighthsPerBaseHeight);
}

QPoint DialogUnits::ToPixels(QPoint units) const
{
    return {ToPixelsX(units.x()), ToPixelsY(units.y())};
}

QSize DialogUnits::ToPixels(QSize units) const
{
    return {ToPixelsX(units.width()), ToPixelsY(units.height())};
}

QRect DialogUnits::ToPixels(const QRect& units) const
{
    return {ToPixels(units.topLeft()), ToPixels(units.size())};
}
