// The grid form editor's colours as the configuration gives them. Kept apart from FormEditor.h
// because the configuration's colour type must not meet the picture codec's in one unit.
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
