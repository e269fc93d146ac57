// The grid form editor's colours as the configuration gives them, resolved for painting. Apart from
// FormEditor.h so that the editor's logic does not depend on the settings.
#pragma once

#include "settings/Config.h"

namespace vez {

struct FormEditorColors {
    Rgb field;   // the grid image behind the squares
    Rgb lines;   // lines between the squares
    Rgb letters; // letter squares
    Rgb outside; // the panel around the image
};

inline FormEditorColors EditorColors(const Settings& s,
                                     const SystemPalette& palette = ClassicSystemPalette()) {
    return {ResolveColor(s.ColorFormPole, palette), ResolveColor(s.ColorFormResh, palette),
            ResolveColor(s.ColorFormFon, palette), ResolveColor(s.ColorFormFonOut, palette)};
}

} // namespace vez
