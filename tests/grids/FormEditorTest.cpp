// The grid form editor without its window: strokes under the symmetry modes, the run limit,
// resizing by the edges, and the status texts.
#include "grids/FormEditor.h"
#include "grids/AutoGridShapes.h"
#include "platform/Text.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace vez;
using vez::test::RowsOf;
using vez::test::ShapeFromRows;
using Rows = std::vector<std::string>;

namespace {

constexpr int kSq = 10; // square size in pixels
const PointerState kLeft{.left = true};
const PointerState kRight{.right = true};

struct EditorFixture : ::testing::Test {
    test::TempHome home;
    test::FakeDialogs dialogs;
    test::FakeSounds sounds;
    test::FakeBusy busy;
    FormEditor editor{dialogs, sounds, busy, home.path()};

    void SetUp() override { editor.Open(kSq); }
    // Moves the pointer onto square (column, row), 0-based, from a fresh press.
    bool Stroke(int column, int row, const PointerState& p) {
        editor.PointerPressed();
        return editor.PointerMoved(column * kSq + kSq / 2, row * kSq + kSq / 2, p);
    }
    void SetMode(int symmetry) {
        while (editor.Symmetry() != symmetry)
            editor.NextSymmetry();
    }
    std::string Utf8(const std::string& cp1251) { return Cp1251ToUtf8(cp1251); }
};

using FormEditorStrokes = EditorFixture;

TEST_F(FormEditorStrokes, PaintAndEraseTheSquareWithItsPartnersInEachMode) {
    struct Case {
        int symmetry;
        const char* statusText;
        int column, row; // 0-based square under the pointer
        Rows painted;
    };
    // clang-format off
    const Case cases[] = {
        {kSymmetryFull, "Симметрия - полная", 0, 0,
         {"*...*",
          ".....",
          ".....",
          "*...*"}},
        {kSymmetryFull, "Симметрия - полная", 2, 1, // middle column of an odd width: one square per row pair
         {".....",
          "..*..",
          "..*..",
          "....."}},
        {kSymmetryHorizontal, "Симметрия - горизонтальная", 1, 0,
         {".*...",
          ".....",
          ".....",
          ".*..."}},
        {kSymmetryVertical, "Симметрия - вертикальная", 1, 2,
         {".....",
          ".....",
          ".*.*.",
          "....."}},
        {kSymmetryNone, "Симметрия - отсутствует", 3, 1,
         {".....",
          "...*.",
          ".....",
          "....."}},
    };
    // clang-format on
    editor.SetSize(5, 4);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.statusText);
        SetMode(c.symmetry);
        EXPECT_EQ(Utf8(editor.SymmetryText()), c.statusText);

        EXPECT_TRUE(Stroke(c.column, c.row, kLeft));
        EXPECT_EQ(RowsOf(editor.Shape()), c.painted);
        EXPECT_EQ(Utf8(editor.CellText()),
                  "Ячейка " + std::to_string(c.column + 1) + " : " + std::to_string(c.row + 1));

        EXPECT_TRUE(Stroke(c.column, c.row, kRight));
        EXPECT_EQ(RowsOf(editor.Shape()), Rows(4, "....."));
    }
    editor.NextSymmetry();
    EXPECT_EQ(editor.Symmetry(), kSymmetryFull) << "the modes go round";
}

TEST_F(FormEditorStrokes, OnlyOneButtonAloneActsAndOncePerSquareOfADrag) {
    editor.SetSize(5, 4);
    SetMode(kSymmetryNone);
    const PointerState ignored[] = {
        {},
        {.middle = true},
        {.left = true, .right = true},
        {.left = true, .shift = true},
        {.right = true, .ctrl = true},
        {.left = true, .alt = true},
    };
    for (const PointerState& p : ignored)
        EXPECT_FALSE(Stroke(0, 0, p));
    EXPECT_FALSE(Stroke(5, 0, kLeft)) << "right of the W x H area";
    EXPECT_FALSE(Stroke(0, 4, kLeft)) << "below the W x H area";
    EXPECT_EQ(RowsOf(editor.Shape()), Rows(4, "....."));

    // A drag paints (1, 1), then coming back over it with the other button does nothing until a
    // new press: the square was the last one painted.
    editor.PointerPressed();
    EXPECT_TRUE(editor.PointerMoved(1, 1, kLeft));
    EXPECT_FALSE(editor.PointerMoved(kSq - 1, kSq - 1, kRight));
    EXPECT_TRUE(editor.Shape().letter[1][1]);
    editor.PointerPressed();
    EXPECT_TRUE(editor.PointerMoved(kSq - 1, kSq - 1, kRight));
    EXPECT_FALSE(editor.Shape().letter[1][1]);
}

TEST_F(FormEditorStrokes, APaintedSquareMakingARunOver16IsUndoneWithABeep) {
    struct Case {
        const char* what;
        int symmetry;
        Rows before;
        int column, row; // 0-based
        bool undone;
    };
    const std::string sixteen(16, '*'), gap(1, '.');
    // clang-format off
    const Case cases[] = {
        {"17th square at the end of a row", kSymmetryNone,
         {sixteen + "...", std::string(19, '.'), std::string(19, '.')}, 16, 0, true},
        {"a square joining two runs in a row", kSymmetryNone,
         {std::string(8, '*') + "." + std::string(8, '*') + "..", std::string(19, '.'), std::string(19, '.')},
         8, 0, true},
        {"a square after a blocked one starts a new run", kSymmetryNone,
         {sixteen + "...", std::string(19, '.'), std::string(19, '.')}, 17, 0, false},
        {"only the row of the square under the pointer is measured, not its partner's", kSymmetryHorizontal,
         {std::string(19, '.'), std::string(19, '.'), sixteen + "..."}, 16, 0, false},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        editor.SetShape(ShapeFromRows(c.before));
        SetMode(c.symmetry);
        sounds.beeps.clear();
        EXPECT_TRUE(Stroke(c.column, c.row, kLeft));
        EXPECT_EQ(editor.Shape().letter[c.column + 1][c.row + 1], !c.undone);
        if (c.undone) {
            EXPECT_EQ(RowsOf(editor.Shape()), c.before);
        }
        EXPECT_EQ(sounds.beeps,
                  c.undone ? std::vector<BeepKind>{BeepKind::Exclamation} : std::vector<BeepKind>{});
    }

    // The same along a column.
    Rows column(18, "..");
    for (int j = 0; j < 16; ++j)
        column[j] = "*.";
    editor.SetShape(ShapeFromRows(column));
    SetMode(kSymmetryNone);
    sounds.beeps.clear();
    Stroke(0, 16, kLeft);
    EXPECT_FALSE(editor.Shape().letter[1][17]);
    EXPECT_EQ(sounds.beeps.size(), 1u);
}

using FormEditorResize = EditorFixture;

TEST_F(FormEditorResize, DraggingAnEdgeClampsTo2To40Squares) {
    struct Case {
        const char* what;
        int fromX, fromY; // press, pixels; the grid is 15 x 15 squares of 10 pixels
        int toX, toY;     // release
        int width, height;
    };
    const Case cases[] = {
        {"right edge", 150, 40, 203, 900, 20, 15},
        {"bottom edge", 70, 151, -50, 89, 15, 8},
        {"corner", 149, 150, 72, 331, 7, 33},
        {"below 2 squares", 150, 150, -100, 5, 2, 2},
        {"beyond 40 squares", 151, 149, 4000, 999, 40, 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        editor.SetSize(15, 15);
        ASSERT_TRUE(editor.BeginResize(c.fromX, c.fromY));
        editor.DragResize(c.toX, c.toY);
        ASSERT_TRUE(editor.Resizing());
        const std::string label = std::to_string(c.width) + " x " + std::to_string(c.height);
        EXPECT_EQ(editor.Resizing()->label, label);
        EXPECT_EQ(Utf8(editor.SizeText()), "Размер решетки " + label);
        EXPECT_EQ(editor.Shape().width, 15) << "the size changes on release";
        editor.EndResize();
        EXPECT_FALSE(editor.Resizing());
        EXPECT_EQ(editor.Shape().width, c.width);
        EXPECT_EQ(editor.Shape().height, c.height);
        EXPECT_EQ(Utf8(editor.CellText()), "Ячейка 0 : 0");
    }
    editor.SetSize(15, 15);
    EXPECT_FALSE(editor.BeginResize(70, 70)) << "inside the grid a press paints";
    EXPECT_FALSE(editor.BeginResize(400, 70)) << "far right of the grid";
}

TEST_F(FormEditorResize, ShrinkingAndGrowingBackLeavesTheOuterSquaresEmpty) {
    editor.SetShape(ShapeFromRows(Rows(15, std::string(15, '*'))));
    editor.BeginResize(150, 150);
    editor.DragResize(100, 100);
    editor.EndResize();
    editor.BeginResize(100, 100);
    editor.DragResize(150, 150);
    editor.EndResize();
    Rows expected(15, std::string(15, '.'));
    for (int j = 0; j < 10; ++j)
        expected[j] = std::string(10, '*') + ".....";
    EXPECT_EQ(RowsOf(editor.Shape()), expected);
}

TEST_F(FormEditorStrokes, ClosingKeepsTheSizeAndClearsSquaresAndStatus) {
    editor.SetShape(ShapeFromRows({"***", "*.*", "***"}));
    SetMode(kSymmetryVertical);
    editor.Close();
    EXPECT_EQ(editor.Shape().width, 3);
    EXPECT_EQ(RowsOf(editor.Shape()), Rows(3, "..."));
    EXPECT_EQ(editor.CellText(), "");
    EXPECT_EQ(editor.SizeText(), "");
    editor.Open(kSq);
    EXPECT_EQ(Utf8(editor.SizeText()), "Размер решетки 3 x 3");
    EXPECT_EQ(Utf8(editor.SymmetryText()), "Симметрия - вертикальная");
}

} // namespace
