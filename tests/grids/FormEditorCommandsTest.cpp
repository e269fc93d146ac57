// The grid form editor's commands: the save checks and their messages, the hand-over to the
// storage browser, correction, and automatic generation with its events, stop and composition pause.
#include "grids/AutoGrid.h"
#include "grids/AutoGridShapes.h"
#include "grids/FormEditor.h"
#include "platform/Text.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace vez;
using vez::test::RowsOf;
using vez::test::ShapeFromRows;
using Rows = std::vector<std::string>;

namespace {

// Records the busy pointer's depth at every "let pending events run".
struct CountingBusy : test::FakeBusy {
    void ProcessEvents() override { depthAtEvents.push_back(busyDepth); }
    std::vector<int> depthAtEvents;
};

struct CommandsFixture : ::testing::Test {
    test::TempHome home;
    test::FakeDialogs dialogs;
    test::FakeSounds sounds;
    CountingBusy busy;
    FormEditor editor{dialogs, sounds, busy, home.path()};
    std::vector<std::string> log;

    void SetUp() override { editor.Open(10); }
    void MakeStorage(const char* name = "CROS/GratCROS1.bmp") { home.Write(name, "any"); }
    static TGratShape Blank(int w, int h) {
        TGratShape s;
        s.width = w;
        s.height = h;
        return s;
    }
};

using FormEditorSave = CommandsFixture;

TEST_F(FormEditorSave, TheFirstFailingCheckShowsItsMessage) {
    auto grid = [](int w, int h, auto letter) {
        Rows rows(h, std::string(w, '.'));
        for (int j = 1; j <= h; ++j)
            for (int i = 1; i <= w; ++i)
                if (letter(i, j)) rows[j - 1][i - 1] = '*';
        return ShapeFromRows(rows);
    };
    struct Case {
        TGratShape shape;
        const char* text;
        int buttons, icon;
    };
    // Every shape also fails the checks after its own, so the order shows.
    const Case cases[] = {
        {grid(18, 18, [](int i, int j) { return (j == 5 && i <= 17) || (i == 3 && j <= 17); }),
         "Длина 5 - й строки решетки больше 16 !", kBtnOK, kIconWarn},
        {grid(18, 18,
              [](int i, int j) { return (j == 5 && i <= 16) || (i == 3 && j <= 17) || (i == 9 && j == 9); }),
         "Длина 3 - го столбца решетки больше 16 !", kBtnOK, kIconWarn},
        {Blank(15, 15), "Нечего сохранять!", kBtnCancel, kIconInfo},
        {ShapeFromRows({"**.", "**.", "..."}), "Боковые стороны решетки не должны быть пусты !", kBtnCancel,
         kIconWarn},
        {ShapeFromRows({"..*..", ".....", "*....", ".....", "....."}),
         "Боковые стороны решетки не должны быть пусты !", kBtnCancel, kIconWarn},
        {ShapeFromRows({"*.*", "..*", "***"}), "В решетке не должно быть одиночных ячеек !", kBtnCancel,
         kIconWarn},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        editor.SetShape(c.shape);
        dialogs.ExpectMsg(c.text, " Отмена сохранения", c.buttons, c.buttons, c.icon, c.buttons);
        editor.Save();
        EXPECT_TRUE(dialogs.AllConsumed());
    }
}

TEST_F(FormEditorSave, AValidShapeGoesToTheStorageBrowserOnlyWhenAStorageExists) {
    // Two runs of 16 separated by one blocked square pass.
    const std::string row = std::string(16, '*') + "." + std::string(16, '*');
    const TGratShape valid = ShapeFromRows({row, row});
    editor.SetShape(valid);
    std::vector<Rows> handed;
    editor.Hooks().saveToStorage = [&](const TGratShape& s) { handed.push_back(RowsOf(s)); };

    dialogs.ExpectMsg("Не найден файл решеток кроссворда\r\"CROS\\GratCROS1.bmp\"",
                      " Отмена сохранения решетки", kBtnOK, kBtnOK, kIconWarn, kBtnOK);
    editor.Save();
    EXPECT_TRUE(handed.empty());

    for (const char* storage : {"CROS/GratCROS.bmp", "CROS/GratCROS1.bmp"}) {
        SCOPED_TRACE(storage);
        test::TempHome other;
        other.Write(storage, "any");
        FormEditor withStorage{dialogs, sounds, busy, other.path()};
        withStorage.Hooks().saveToStorage = editor.Hooks().saveToStorage;
        withStorage.SetShape(valid);
        handed.clear();
        withStorage.Save();
        EXPECT_EQ(handed, std::vector<Rows>{RowsOf(valid)});
    }
    EXPECT_TRUE(dialogs.AllConsumed());
}

using FormEditorCorrection = CommandsFixture;

TEST_F(FormEditorCorrection, OnlyAShapeOfTwoOrMoreSquaresEachWayReplacesTheWorkingShape) {
    int asked = 0;
    std::optional<TGratShape> answer;
    editor.Hooks().pickForCorrection = [&] {
        ++asked;
        return answer;
    };
    dialogs.ExpectMsg("Не найден файл решеток кроссворда\r\"CROS\\GratCROS1.bmp\"",
                      " Отмена коррекции решетки", kBtnOK, kBtnOK, kIconWarn, kBtnOK);
    editor.Correction();
    EXPECT_EQ(asked, 0);

    MakeStorage();
    const TGratShape working = ShapeFromRows({"***", "*.*", "***"});
    const TGratShape picked = ShapeFromRows({"****", "*..*", "****", "*..*", "****"});
    struct Case {
        const char* what;
        std::optional<TGratShape> answer;
        Rows expected;
    };
    const Case cases[] = {
        {"cancelled", std::nullopt, RowsOf(working)},
        {"one column", ShapeFromRows({"*", "*", "*"}), RowsOf(working)},
        {"one row", ShapeFromRows({"****"}), RowsOf(working)},
        {"empty cell", Blank(0, 0), RowsOf(working)},
        {"a grid", picked, RowsOf(picked)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        editor.SetShape(working);
        answer = c.answer;
        editor.Correction();
        EXPECT_EQ(RowsOf(editor.Shape()), c.expected);
        EXPECT_EQ(Cp1251ToUtf8(editor.SizeText()), "Размер решетки " + std::to_string(editor.Shape().width) +
                                                       " x " + std::to_string(editor.Shape().height));
        EXPECT_EQ(Cp1251ToUtf8(editor.CellText()), "Ячейка 0 : 0");
    }
    EXPECT_EQ(asked, 5);
}

using FormEditorGenerate = CommandsFixture;

TEST_F(FormEditorGenerate, SizesBelow7AreRefused) {
    editor.Hooks().pauseComposition = [&] {
        log.push_back("pause");
        return true;
    };
    for (auto [w, h] : {std::pair{6, 15}, {15, 6}, {2, 2}}) {
        editor.SetShape(ShapeFromRows(Rows(h, std::string(w, '*'))));
        dialogs.ExpectMsg("Решетка размером меньше\r7 рисуется вручную !", " Авторешетка", kBtnCancel,
                          kBtnCancel, kIconInfo, kBtnCancel);
        editor.Generate(1);
        EXPECT_EQ(RowsOf(editor.Shape()), Rows(h, std::string(w, '*')));
    }
    EXPECT_TRUE(dialogs.AllConsumed());
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(busy.depthAtEvents.empty());
}

TEST_F(FormEditorGenerate, EventsRunEveryStepUnderTheBusyPointerWhileTheCompositionIsPaused) {
    for (bool composing : {true, false}) {
        SCOPED_TRACE(composing);
        log.clear();
        busy.depthAtEvents.clear();
        editor.SetSize(15, 15);
        editor.Hooks().pauseComposition = [&] {
            log.push_back("pause");
            return composing;
        };
        editor.Hooks().resumeComposition = [&] { log.push_back("resume"); };
        int steps = 0;
        editor.Hooks().generationStep = [&] {
            if (steps++ == 0) log.push_back("step");
            EXPECT_TRUE(editor.Generating());
        };

        editor.Generate(7);

        EXPECT_FALSE(editor.Generating());
        const std::vector<std::string> expected = composing
                                                      ? std::vector<std::string>{"pause", "step", "resume"}
                                                      : std::vector<std::string>{"pause", "step"};
        EXPECT_EQ(log, expected);
        EXPECT_GT(steps, 1);
        EXPECT_EQ(busy.depthAtEvents, std::vector<int>(steps, 1));
        EXPECT_EQ(busy.busyDepth, 0);
        EXPECT_TRUE(IsAcceptedAutoGrid(editor.Shape()));
        EXPECT_EQ(editor.CellText(), AutoGridFillText(editor.Shape()));
    }
}

TEST_F(FormEditorGenerate, CommandsThatTouchTheShapeAreRefusedMeanwhile) {
    MakeStorage();
    int pauses = 0;
    editor.Hooks().pauseComposition = [&] { return ++pauses, false; };
    editor.Hooks().saveToStorage = [&](const TGratShape&) { log.push_back("save"); };
    editor.Hooks().pickForCorrection = [&] {
        log.push_back("correction");
        return std::optional<TGratShape>{};
    };
    int steps = 0;
    editor.Hooks().generationStep = [&] {
        if (++steps != 100) return;
        const Rows before = RowsOf(editor.Shape());
        editor.Save();
        editor.Correction();
        editor.Clear();
        editor.Generate(8);
        editor.PointerPressed();
        EXPECT_FALSE(editor.PointerMoved(5, 5, {.left = true}));
        EXPECT_FALSE(editor.BeginResize(150, 150));
        EXPECT_EQ(RowsOf(editor.Shape()), before);
    };
    editor.Generate(7);
    EXPECT_GE(steps, 100);
    EXPECT_EQ(pauses, 1);
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(IsAcceptedAutoGrid(editor.Shape()));
}

TEST_F(FormEditorGenerate, AStopOrACloseEndsTheGenerationWithAnEmptyShapeAndResumes) {
    for (bool close : {false, true}) {
        SCOPED_TRACE(close);
        log.clear();
        editor.Open(10);
        editor.SetSize(21, 17);
        editor.Hooks().pauseComposition = [&] { return true; };
        editor.Hooks().resumeComposition = [&] { log.push_back("resume"); };
        int steps = 0;
        editor.Hooks().generationStep = [&] {
            if (++steps != 3) return;
            if (close)
                editor.Close();
            else
                editor.RequestStop();
        };
        editor.Generate(5);
        EXPECT_EQ(steps, 3);
        EXPECT_FALSE(editor.Generating());
        EXPECT_EQ(log, std::vector<std::string>{"resume"});
        EXPECT_EQ(RowsOf(editor.Shape()), Rows(17, std::string(21, '.')));
        EXPECT_EQ(editor.CellText(), "") << "no fill shown for a stopped generation";
    }
}

} // namespace
