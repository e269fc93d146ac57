#include "scanword/ScanDrawStyle.h"

#include "settings/Config.h"

#include <algorithm>

namespace vez {
namespace {
std::uint32_t Bgr(TColor c) {
    const Rgb v = ResolveColor(c);
    return static_cast<std::uint32_t>(v.r) | static_cast<std::uint32_t>(v.g) << 8 | static_cast<std::uint32_t>(v.b) << 16;
}
} // namespace

ScanDrawStyle BuilderDrawStyle(const Settings& s, int cellSize) {
    ScanDrawStyle st;
    st.cellSize = cellSize;
    st.gap = std::clamp(s.BetwCellScan, 0, 5);
    st.shape = std::clamp(s.FormCellRis, 0, 2);
    st.arrowStyle = std::clamp(s.ArrowScan, 0, 3);
    st.fon = Bgr(s.ColorFonForm);
    st.letter = Bgr(s.ColorEmptyForm);
    st.undecided = Bgr(s.ColorFillForm);
    st.mean = Bgr(s.ColorMeanForm);
    st.line = Bgr(s.ColorLineForm);
    return st;
}

int BuilderCellSize(int areaWidth, int width) { return std::max(4, (areaWidth - 1) / std::max(1, width)); }

} // namespace vez
