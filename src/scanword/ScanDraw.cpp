#include "scanword/ScanDraw.h"

#include "scanword/ScanArrow.h"
#include "scanword/ScanCodes.h"

namespace vez {

CanvasRect ScanCellRect(int x, int y, const ScanDrawStyle& st, int left, int top) {
    const int cs = st.cellSize;
    return {left + (x - 1) * cs, top + (y - 1) * cs, left + x * cs - st.gap + 1, top + y * cs - st.gap + 1};
}

namespace {
void DrawCellShape(Canvas& canvas, const CanvasRect& r, const ScanDrawStyle& st) {
    if (st.shape == 1)
        canvas.RoundRect(r, st.cellSize / 2, st.cellSize / 2);
    else if (st.shape == 2)
        canvas.Ellipse(r);
    else
        canvas.Rectangle(r);
}
} // namespace

void DrawScanLayout(Canvas& canvas, const TScanLayout& layout, const ScanDrawStyle& st, bool arrows, int left,
                    int top) {
    const int w = layout.width, h = layout.height, cs = st.cellSize;
    canvas.SetPen({st.fon, 1, PenStyle::Solid});
    canvas.SetBrush({st.fon, BrushStyle::Solid});
    canvas.Rectangle({left, top, left + w * cs - st.gap + 1, top + h * cs - st.gap + 1});
    canvas.SetPen({st.line, 1, PenStyle::Solid});
    for (int y = 1; y <= h; ++y)
        for (int x = 1; x <= w; ++x) {
            const std::uint8_t c = layout.cells[x][y];
            if (c == kScanOutside) continue;
            const CanvasColor fill = c == 0 ? st.undecided : IsScanLetter(c) ? st.letter : st.mean;
            canvas.SetBrush({fill, BrushStyle::Solid});
            DrawCellShape(canvas, ScanCellRect(x, y, st, left, top), st);
        }
    if (!arrows) return;
    // Arrows reach into the neighbouring cells, so they go on top of every cell.
    for (int y = 1; y <= h; ++y)
        for (int x = 1; x <= w; ++x) {
            const std::uint8_t c = layout.cells[x][y];
            if (IsScanDefinition(c))
                DrawArrow(canvas, ScanCellRect(x, y, st, left, top), cs, c, st.arrowStyle, st.shape, st.line, st.letter);
        }
}

void DrawBlockPreview(Canvas& canvas, const ScanBlocks& blocks, int left, int top, int scale, CanvasColor fon,
                      CanvasColor line) {
    const int w = blocks.width * scale, h = blocks.height * scale;
    canvas.SetPen({fon, 1, PenStyle::Solid});
    canvas.SetBrush({fon, BrushStyle::Solid});
    canvas.Rectangle({left, top, left + w, top + h});
    canvas.SetPen({line, 1, PenStyle::Solid});
    for (int bx = 1; bx <= blocks.nx; ++bx) {
        const int x = left + blocks.x1(bx) * scale - 1;
        canvas.Line(x, top, x, top + h);
    }
    for (int by = 1; by <= blocks.ny; ++by) {
        const int y = top + blocks.y1((by - 1) * blocks.nx + 1) * scale - 1;
        canvas.Line(left, y, left + w, y);
    }
}

} // namespace vez
