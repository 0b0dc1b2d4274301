// The fixed-pitch font of the program's tables and reports, whose columns
// must line up.
#pragma once

#include <QFont>

// The platform's fixed-pitch font at `pointSize` (its own size when 0).
// Platforms without a fixed font of their own (the offscreen one) get the
// first monospace family fontconfig offers.
QFont FixedPitchFont(qreal pointSize = 0);
