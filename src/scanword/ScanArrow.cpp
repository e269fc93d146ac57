#include "scanword/ScanArrow.h"

namespace vez {

ArrowFigure ArrowGeometry(const CanvasRect& cell, int cellSize, std::uint8_t code, int style, int cellShape) {
    const int L = cell.left, T = cell.top, R = cell.right, B = cell.bottom;
    const int h = cellSize / 2, u = cellSize / 3, s = cellSize / 5;
    // Rounded and circle cells start the diagonal shafts inside their visible outline.
    const int v = cellShape == 0 ? 0 : cellShape == 1 ? cellSize / 12 : cellShape == 2 ? cellSize / 7 : cellSize / 20;
    ArrowFigure f;
    using P = CanvasPoint;
    switch (code) {
    case 11: f.shaft = {P{L + v, T + v}, P{L - h + 2, T - h + 2}, P{L - s, T - h + 2}}; break;
    case 12: f.shaft = {P{L + h, T}, P{L + h, T - u}, P{R - s, T - u}}; break;
    case 13: f.shaft = {P{R - v, T + v}, P{R + s, T - s}, P{R + h - 2, T - s}}; break;
    case 14: f.shaft = {P{R, T + h}, P{R + u, T + h}}; break;
    case 15: f.shaft = {P{R - v, B - v}, P{R + s, B + s}, P{R + h - 2, B + s}}; break;
    case 16: f.shaft = {P{L + h, B}, P{L + h, B + u}, P{R - s, B + u}}; break;
    case 17: f.shaft = {P{L + v, B - v}, P{L - h + 2, B + h - 2}, P{L - s, B + h - 2}}; break;
    case 21: f.shaft = {P{L + v, T + v}, P{L - h + 2, T - h + 2}, P{L - h + 2, T - s}}; break;
    case 23: f.shaft = {P{R - v, T + v}, P{R + h - 2, T - h + 2}, P{R + h - 2, T - s}}; break;
    case 24: f.shaft = {P{R, T + h}, P{R + u, T + h}, P{R + u, B - s}}; break;
    case 25: f.shaft = {P{R - v, B - v}, P{R + s, B + s}, P{R + s, B + h - 2}}; break;
    case 26: f.shaft = {P{L + h, B}, P{L + h, B + u}}; break;
    case 27: f.shaft = {P{L + v, B - v}, P{L - s, B + s}, P{L - s, B + h - 2}}; break;
    case 28: f.shaft = {P{L, T + h}, P{L - u, T + h}, P{L - u, B - s}}; break;
    default: return f;
    }
    const P tip = f.shaft.back();
    // Offsets are written for a head pointing right, (-a, b) back along the shaft and b across it;
    // a head pointing down turns (-a, b) into (b, -a).
    const bool down = code > 20;
    auto at = [&](int back, int across) {
        return down ? P{tip.x + across, tip.y - back} : P{tip.x - back, tip.y + across};
    };
    switch (style) {
    case 1:
        f.erase = {at(4, 0), tip};
        [[fallthrough]];
    default:
    case 0: f.head = {tip, at(4, -4), at(4, 4), tip}; break;
    case 2:
        f.head = {at(3, -3), tip, at(4, 4)};
        f.headClosed = false;
        break;
    case 3:
        f.head = {tip, at(3, -3), at(3, 3), tip};
        for (int i = 1; i <= 3; ++i) f.strokes.push_back({at(i, -i), at(i, i)});
        break;
    }
    return f;
}

void DrawArrow(Canvas& canvas, const CanvasRect& cell, int cellSize, std::uint8_t code, int style, int cellShape,
               CanvasColor lineColor, CanvasColor letterColor) {
    const ArrowFigure f = ArrowGeometry(cell, cellSize, code, style, cellShape);
    if (f.shaft.empty()) return;
    canvas.SetPen({lineColor, 1, PenStyle::Solid});
    canvas.Polyline(f.shaft);
    if (!f.erase.empty()) {
        canvas.SetPen({letterColor, 1, PenStyle::Solid});
        canvas.Polyline(f.erase);
        canvas.SetPen({lineColor, 1, PenStyle::Solid});
    }
    if (f.headClosed) {
        canvas.SetBrush({lineColor, BrushStyle::Solid});
        canvas.Polygon(f.head);
    } else {
        canvas.Polyline(f.head);
    }
    for (const auto& [a, b] : f.strokes) canvas.Line(a.x, a.y, b.x, b.y);
}

} // namespace vez
