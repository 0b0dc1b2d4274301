// Dialog units: the coordinates of dialog templates, proportional to the
// dialog font. One horizontal unit is a quarter of the font's average
// character width, one vertical unit an eighth of its height, so a dialog
// keeps its proportions with any font.
#pragma once

#include <QRect>

class QFont;

class TDialogUnits {
public:
    TDialogUnits(int baseX, int baseY) : m_baseX(baseX), m_baseY(baseY) {}

    // The base units of `font`: its average character width (from the 52
    // letters, rounded) and its height, in pixels.
    static TDialogUnits FromFont(const QFont& font);

    int BaseX() const { return m_baseX; }
    int BaseY() const { return m_baseY; }

    int ToPixelsX(int units) const;
    int ToPixelsY(int units) const;
    // Maps the four edges, so that adjacent rectangles stay adjacent.
    QRect ToPixels(const QRect& units) const;

private:
    int m_baseX;
    int m_baseY;
};
