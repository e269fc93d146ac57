#include "scanword/ScanArrow.h"
#include "scanword/ScanCodes.h"
#include "scanword/ScanDraw.h"
#include "support/FakeCanvas.h"

#include <gtest/gtest.h>

using namespace vez;

namespace {
bool Inside(CanvasPoint p, int left, int top, int size) {
    return p.x >= left && p.x < left + size && p.y >= top && p.y < top + size;
}
} // namespace

// Every arrow starts on its definition cell, ends inside the cell of its word's first letter and
// has its head pointing along the word, for every cell shape.
TEST(ScanArrow, EveryCodeLeadsToItsFirstLetter) {
    const int cs = 30, L = 300, T = 300;
    const CanvasRect cell{L, T, L + cs, T + cs};
    for (int shape : {0, 1, 2})
        for (std::uint8_t code : {11, 12, 13, 14, 15, 16, 17, 21, 23, 24, 25, 26, 27, 28}) {
            SCOPED_TRACE("code " + std::to_string(code) + " shape " + std::to_string(shape));
            const ArrowFigure f = ArrowGeometry(cell, cs, code, 0, shape);
            ASSERT_GE(f.shaft.size(), 2u);
            const CanvasPoint start = f.shaft.front(), tip = f.shaft.back();
            EXPECT_TRUE(start.x >= L && start.x <= L + cs && start.y >= T && start.y <= T + cs);
            const CellPos s = ScanFirstLetter(code, 1, 1); // offsets from cell (1, 1)
            EXPECT_TRUE(Inside(tip, L + (s.x - 1) * cs, T + (s.y - 1) * cs, cs)) << tip.x << "," << tip.y;
            ASSERT_EQ(f.head.size(), 4u);
            EXPECT_EQ(f.head.front(), tip);
            EXPECT_EQ(f.head.back(), tip);
            const bool down = code > 20;
            for (int i = 1; i <= 2; ++i) {
                const CanvasPoint b = f.head[i];
                EXPECT_EQ(down ? tip.y - b.y : tip.x - b.x, 4) << "head behind the tip";
            }
            // The two barbs lie on either side of the shaft.
            EXPECT_EQ(down ? f.head[1].x + f.head[2].x : f.head[1].y + f.head[2].y, down ? 2 * tip.x : 2 * tip.y);
        }
    EXPECT_TRUE(ArrowGeometry(cell, cs, 22, 0, 0).shaft.empty());
}

TEST(ScanArrow, HeadStyles) {
    const CanvasRect cell{0, 0, 20, 20}; // code 14: tip (26, 10); code 26: tip (10, 26)
    using P = CanvasPoint;
    struct Case {
        std::uint8_t code;
        int style;
        std::vector<P> head;
        bool closed;
        std::vector<P> erase;
        std::size_t strokes;
    } cases[] = {
        {14, 0, {{26, 10}, {22, 6}, {22, 14}, {26, 10}}, true, {}, 0},
        {14, 1, {{26, 10}, {22, 6}, {22, 14}, {26, 10}}, true, {{22, 10}, {26, 10}}, 0},
        {14, 2, {{23, 7}, {26, 10}, {22, 14}}, false, {}, 0},
        {14, 3, {{26, 10}, {23, 7}, {23, 13}, {26, 10}}, true, {}, 3},
        {26, 0, {{10, 26}, {6, 22}, {14, 22}, {10, 26}}, true, {}, 0},
        {26, 1, {{10, 26}, {6, 22}, {14, 22}, {10, 26}}, true, {{10, 22}, {10, 26}}, 0},
        {26, 2, {{7, 23}, {10, 26}, {14, 22}}, false, {}, 0},
        {26, 3, {{10, 26}, {7, 23}, {13, 23}, {10, 26}}, true, {}, 3},
    };
    for (const Case& c : cases) {
        const ArrowFigure f = ArrowGeometry(cell, 20, c.code, c.style, 0);
        SCOPED_TRACE("code " + std::to_string(c.code) + " style " + std::to_string(c.style));
        EXPECT_EQ(f.head, c.head);
        EXPECT_EQ(f.headClosed, c.closed);
        EXPECT_EQ(f.erase, c.erase);
        EXPECT_EQ(f.strokes.size(), c.strokes);
    }
}

TEST(ScanDraw, OutsideCellsAreSkippedAndArrowsOnlyWhenAsked) {
    TScanLayout l;
    l.width = 3;
    l.height = 2;
    // 14 1 1   /   99 2 26 ... a tiny layout with two definitions and one excluded cell
    l.at(1, 1) = 14, l.at(2, 1) = 1, l.at(3, 1) = 3;
    l.at(1, 2) = kScanOutside, l.at(2, 2) = 26, l.at(3, 2) = 0;
    ScanDrawStyle st;
    st.cellSize = 10;
    for (bool arrows : {false, true}) {
        test::FakeCanvas c;
        DrawScanLayout(c, l, st, arrows);
        int rects = 0, polylines = 0;
        for (const std::string& call : c.calls) {
            rects += call.rfind("Rectangle", 0) == 0;
            polylines += call.rfind("Polyline", 0) == 0;
        }
        EXPECT_EQ(rects, 1 + 5) << "background and every cell but the excluded one";
        EXPECT_EQ(polylines, arrows ? 2 : 0);
        EXPECT_EQ(std::count(c.calls.begin(), c.calls.end(), "Rectangle 0 10 11 21"), 0) << "excluded (1, 2)";
    }
}

TEST(ScanDraw, BlockPreviewFor15x10) {
    struct Case {
        int q;
        std::vector<std::string> lines;
    } cases[] = {
        {7, {"Line 4 0 4 10", "Line 9 0 9 10", "Line 14 0 14 10", "Line 0 4 15 4", "Line 0 9 15 9"}},
        {5, {"Line 4 0 4 10", "Line 9 0 9 10", "Line 14 0 14 10", "Line 0 4 15 4", "Line 0 9 15 9"}},
        {8, {"Line 6 0 6 10", "Line 14 0 14 10", "Line 0 4 15 4", "Line 0 9 15 9"}},
    };
    for (const Case& c : cases) {
        test::FakeCanvas canvas;
        DrawBlockPreview(canvas, ComputeScanBlocks(15, 10, c.q), 0, 0, 1, 0xFFFFFF, 0);
        std::vector<std::string> lines;
        for (const std::string& call : canvas.calls)
            if (call.rfind("Line", 0) == 0) lines.push_back(call);
        EXPECT_EQ(lines, c.lines) << "Q = " << c.q;
    }
}
