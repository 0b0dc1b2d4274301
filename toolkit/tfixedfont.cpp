#include "toolkit/tfixedfont.h"

#include <QFontDatabase>
#include <QFontMetricsF>

namespace {

// Judged by the glyphs themselves: some monospace families do not declare
// themselves fixed-pitch to the font matcher.
bool hasFixedPitch(const QFont& font) {
    const QFontMetricsF metrics(font);
    const qreal narrow = metrics.horizontalAdvance(QLatin1Char('i'));
    return narrow == metrics.horizontalAdvance(QLatin1Char('M')) &&
           narrow == metrics.horizontalAdvance(QLatin1Char('0'));
}

} // namespace

QFont FixedPitchFont(qreal pointSize) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (const char* family : {"DejaVu Sans Mono", "Monospace"}) {
        if (hasFixedPitch(font))
            break;
        font = QFont(QString::fromLatin1(family));
        font.setStyleHint(QFont::TypeWriter);
    }
    if (pointSize > 0)
        font.setPointSizeF(pointSize);
    return font;
}
