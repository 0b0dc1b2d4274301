#include "toolkit/tdialogunits.h"

#include <QFontMetrics>

namespace {

// value * base / divisor, rounded to the nearest integer (halves away from 0).
int scaleRounded(int value, int base, int divisor) {
    const long long product = static_cast<long long>(value) * base;
    const long long half = divisor / 2;
    const long long result =
        product >= 0 ? (product + half) / divisor : -((-product + half) / divisor);
    return static_cast<int>(result);
}

} // namespace

TDialogUnits TDialogUnits::FromFont(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return TDialogUnits((letters / 26 + 1) / 2, metrics.height());
}

int TDialogUnits::ToPixelsX(int units) const {
    return scaleRounded(units, m_baseX, 4);
}

int TDialogUnits::ToPixelsY(int units) const {
    return scaleRounded(units, m_baseY, 8);
}

QRect TDialogUnits::ToPixels(const QRect& units) const {
    const int left = ToPixelsX(units.x());
    const int top = ToPixelsY(units.y());
    const int right = ToPixelsX(units.x() + units.width());
    const int bottom = ToPixelsY(units.y() + units.height());
    return QRect(left, top, right - left, bottom - top);
}
