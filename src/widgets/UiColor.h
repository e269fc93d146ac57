// A colour of the settings (a system colour when negative) as the windows paint it.
#pragma once

#include "settings/Config.h"

#include <QColor>

namespace vez {

inline QColor ToQColor(TColor c) {
    const Rgb rgb = ResolveColor(c);
    return QColor(rgb.r, rgb.g, rgb.b);
}

} // namespace vez
