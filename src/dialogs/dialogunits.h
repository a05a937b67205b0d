#pragma once

#include <QRect>

class QFont;

// The pixel size of a dialog unit, found from the dialog font as Windows does:
// a horizontal unit is a quarter of the font's average character width over
// A-Z and a-z, a vertical unit an eighth of its character height.
class DialogUnits {
public:
    DialogUnits(int baseWidth, int baseHeight) : m_baseWidth(baseWidth), m_baseHeight(baseHeight) {}
    static DialogUnits Measure(const QFont& font);

    int BaseWidth() const { return m_baseWidth; }
    int BaseHeight() const { return m_baseHeight; }

    int ToPixelsX(int units) const;
    int ToPixelsY(int units) const;
    QPoint ToPixels(QPoint units) const;
    QSize ToPixels(QSize units) const;
    QRect ToPixels(const QRect& units) const;

private:
    int m_baseWidth;
    int m_baseHeight;
};
