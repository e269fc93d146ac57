#include "settings/Config.h"
#include "platform/Text.h"
#include "scanword/ScanBuilder.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <regex>

using namespace vez;

namespace {

struct Fixture {
    Settings settings;
    ScanOperSettings oper;
    ScanBuilder builder{settings, oper};
    test::FakeDialogs dialogs;

    Fixture() { oper.SetShortCheck(false); }
    // Runs the generation to its end; `stopAfter` pumps (one per 256 passes) stop it with the button.
    ScanBuilder::RunEnd Build(int stopAfter = 1 << 30) {
        EXPECT_TRUE(builder.PressBuild(7));
        int pumps = 0;
        return builder.Run(dialogs, [&] {
            if (++pumps == stopAfter) builder.PressBuild(0);
        }, ScanBuilder::Clock::duration::zero());
    }
};

bool AnyExcluded(const ExcludedMap& m) {
    for (const auto& col : m)
        for (auto v : col)
            if (v) return true;
    return false;
}

} // namespace

TEST(ScanBuilder, SizeIsClampedAndFollowsTheArrowKeys) {
    using F = ScanBuilder::SizeField;
    using K = ScanBuilder::ArrowKey;
    Fixture f;
    struct Step {
        std::function<bool(ScanBuilder&)> act;
        int w, h;
        bool changed;
    } steps[] = {
        {[](ScanBuilder& b) { return b.SetWidth(3); }, 4, 10, true},
        {[](ScanBuilder& b) { return b.SizeKey(F::Width, K::Left); }, 4, 10, false},
        {[](ScanBuilder& b) { return b.SizeKey(F::Width, K::Down); }, 4, 10, false},
        {[](ScanBuilder& b) { return b.SizeKey(F::Width, K::Right); }, 5, 10, true},
        {[](ScanBuilder& b) { return b.SizeKey(F::Width, K::Up); }, 6, 10, true},
        {[](ScanBuilder& b) { return b.SetHeight(1000); }, 6, 40, true},
        {[](ScanBuilder& b) { return b.SizeKey(F::Height, K::Up); }, 6, 40, false},
        {[](ScanBuilder& b) { return b.SizeKey(F::Height, K::Left); }, 6, 39, true},
        {[](ScanBuilder& b) { return b.SetHeight(-7); }, 6, 4, true},
    };
    EXPECT_EQ(f.builder.width(), 15);
    EXPECT_EQ(f.builder.height(), 10);
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        EXPECT_EQ(steps[i].act(f.builder), steps[i].changed) << "step " << i;
        EXPECT_EQ(f.builder.width(), steps[i].w) << "step " << i;
        EXPECT_EQ(f.builder.height(), steps[i].h) << "step " << i;
        EXPECT_EQ(f.builder.display().width, steps[i].w) << "step " << i;
    }
}

TEST(ScanBuilder, ExclusionIsIgnoredWhileBuildingAndClearedBySizeChange) {
    Fixture f;
    EXPECT_FALSE(f.builder.ToggleExcluded(0, 1));
    EXPECT_FALSE(f.builder.ToggleExcluded(16, 1));
    ASSERT_TRUE(f.builder.ToggleExcluded(15, 10));
    EXPECT_EQ(f.builder.display().at(15, 10), kScanOutside);
    EXPECT_EQ(f.builder.state(), ScanBuilder::kCleared);

    ASSERT_TRUE(f.builder.PressBuild(1));
    EXPECT_FALSE(f.builder.ToggleExcluded(1, 1));
    EXPECT_EQ(f.builder.excluded()[1][1], 0);
    f.builder.PressBuild(0); // stop

    ASSERT_EQ(f.Build(), ScanBuilder::RunEnd::Complete);
    EXPECT_EQ(f.builder.display().at(15, 10), kScanOutside);
    EXPECT_TRUE(f.builder.composeOffered());
    ASSERT_TRUE(f.builder.SetWidth(14));
    EXPECT_FALSE(AnyExcluded(f.builder.excluded()));
    EXPECT_FALSE(f.builder.layoutReady());
    EXPECT_FALSE(f.builder.composeOffered());
    EXPECT_EQ(f.builder.state(), ScanBuilder::kCleared);
    EXPECT_EQ(f.builder.display().at(14, 10), 0);
    EXPECT_EQ(f.builder.display().at(15, 10), kScanOutside);
}

TEST(ScanBuilder, CompleteLayoutGivesStatusListsAndHandOver) {
    Fixture f;
    f.builder.ToggleExcluded(3, 4);
    ASSERT_EQ(f.Build(), ScanBuilder::RunEnd::Complete);
    EXPECT_EQ(f.builder.state(), ScanBuilder::kIdle);
    EXPECT_TRUE(f.builder.layoutReady());
    EXPECT_TRUE(std::regex_match(f.builder.statusTime(), std::regex(ru("Время ") + "0:00:\\d\\d")))
        << f.builder.statusTime();
    std::smatch m;
    ASSERT_TRUE(std::regex_match(f.builder.statusWords(), m, std::regex(ru("Слов ") + "(\\d+) = (\\d+) \\+ (\\d+)")));
    EXPECT_EQ(std::stoi(m[1]), std::stoi(m[2]) + std::stoi(m[3]));
    int listed = 0;
    for (int n = 2; n <= 16; ++n) listed += f.oper.lengthCount(n);
    EXPECT_EQ(listed, std::stoi(m[1]));

    const TScanLayout shown = f.builder.display();
    auto handed = f.builder.HandOver();
    ASSERT_TRUE(handed);
    EXPECT_FALSE(f.builder.composeOffered());
    EXPECT_FALSE(f.builder.HandOver()) << "offered once per completed layout";
    EXPECT_EQ(handed->grat.width, 15);
    EXPECT_EQ(handed->grat.height, 10);
    EXPECT_EQ(handed->layout.cells, shown.cells);
    for (int y = 1; y <= 10; ++y)
        for (int x = 1; x <= 15; ++x) {
            const int code = shown.at(x, y);
            EXPECT_NE(code, 0) << "every letter cell is in a word, at " << x << "," << y;
            EXPECT_EQ(handed->grat.at(x, y) == '*', code >= 1 && code <= 3) << x << "," << y;
        }
}

TEST(ScanBuilder, ComposeWindowOpenWithholdsTheHandOver) {
    Fixture f;
    f.builder.SetComposeOpen(true);
    ASSERT_EQ(f.Build(), ScanBuilder::RunEnd::Complete);
    EXPECT_FALSE(f.builder.composeOffered());
    EXPECT_FALSE(f.builder.HandOver());
}

TEST(ScanBuilder, StopWithTheButtonClearsEverything) {
    Fixture f;
    f.oper.SetShortCheck(true);
    f.builder.SetWidth(40);
    f.builder.SetHeight(40);
    EXPECT_EQ(f.Build(3), ScanBuilder::RunEnd::Stopped);
    EXPECT_EQ(f.builder.state(), ScanBuilder::kIdle);
    EXPECT_FALSE(f.builder.layoutReady());
    EXPECT_FALSE(f.builder.composeOffered());
    EXPECT_FALSE(f.builder.HandOver());
    EXPECT_EQ(f.builder.statusTime(), "");
    EXPECT_EQ(f.builder.statusWords(), "");
    EXPECT_EQ(f.builder.display().at(20, 20), 0) << "the empty grid again";
    EXPECT_EQ(f.builder.currentBlock(), 0);
}

TEST(ScanBuilder, ChangesWhileBuildingStopAndClear) {
    struct Case {
        const char* name;
        std::function<void(ScanBuilder&, ScanOperSettings&)> change;
    } cases[] = {
        {"area", [](ScanBuilder& b, ScanOperSettings& o) {
             o.SetArea(5);
             b.AreaChanged();
         }},
        {"size", [](ScanBuilder& b, ScanOperSettings&) { b.SetHeight(11); }},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.oper.SetShortCheck(true);
        f.builder.SetWidth(40);
        ASSERT_TRUE(f.builder.PressBuild(3));
        int pumps = 0;
        const auto end = f.builder.Run(f.dialogs, [&] {
            if (++pumps == 2) c.change(f.builder, f.oper);
        }, ScanBuilder::Clock::duration::zero());
        EXPECT_EQ(end, ScanBuilder::RunEnd::Stopped) << c.name;
        EXPECT_EQ(f.builder.state(), ScanBuilder::kCleared) << c.name;
        EXPECT_FALSE(f.builder.layoutReady()) << c.name;
    }
}

TEST(ScanBuilder, ClosingWhileComposingAsksFirst) {
    Fixture f;
    f.oper.SetShortCheck(true);
    f.builder.SetWidth(40);
    f.builder.ToggleExcluded(2, 2);
    const char* question = "Остановить процесс составления и закрыть окно ?";
    const char* caption = " Программа \"Вездар\"";
    f.dialogs.ExpectMsg(question, caption, 11, kBtnCancel, kIconQuestion, kBtnCancel);
    f.dialogs.ExpectMsg(question, caption, 11, kBtnCancel, kIconQuestion, 0); // closed with Esc
    f.dialogs.ExpectMsg(question, caption, 11, kBtnCancel, kIconQuestion, kBtnYes);
    ASSERT_TRUE(f.builder.PressBuild(3));
    EXPECT_FALSE(f.builder.RequestClose(f.dialogs));
    EXPECT_FALSE(f.builder.RequestClose(f.dialogs));
    EXPECT_TRUE(f.builder.building());
    EXPECT_TRUE(f.builder.RequestClose(f.dialogs));
    EXPECT_TRUE(f.dialogs.AllConsumed());
    EXPECT_FALSE(f.builder.building());
    EXPECT_FALSE(AnyExcluded(f.builder.excluded()));

    // Idle: no question; the word-length list goes too.
    f.oper.SetShortCheck(false);
    f.builder.SetWidth(15);
    ASSERT_EQ(f.Build(), ScanBuilder::RunEnd::Complete);
    EXPECT_TRUE(f.oper.hasLengths());
    EXPECT_TRUE(f.builder.RequestClose(f.dialogs));
    EXPECT_FALSE(f.oper.hasLengths());
    EXPECT_FALSE(f.builder.layoutReady());
}

TEST(ScanBuilder, FailureClearsAndReports) {
    Fixture f;
    f.dialogs.ExpectMsg("Ошибка составления решетки сканворда.", " Программа \"Вездар\"", kBtnOK, kBtnOK, kIconError,
                        kBtnOK);
    f.oper.SetShortCheck(true);
    f.builder.SetWidth(40);
    ASSERT_TRUE(f.builder.PressBuild(3));
    const auto end = f.builder.Run(f.dialogs, [] { throw std::runtime_error("drawing failed"); },
                                   ScanBuilder::Clock::duration::zero());
    EXPECT_EQ(end, ScanBuilder::RunEnd::Failed);
    EXPECT_TRUE(f.dialogs.AllConsumed());
    EXPECT_EQ(f.builder.state(), ScanBuilder::kIdle);
    EXPECT_EQ(f.builder.statusTime(), "");
    EXPECT_FALSE(f.builder.layoutReady());
}

// Whatever the user excludes, the generation completes or can be stopped.
TEST(ScanBuilder, EveryExclusionPatternEndsOrStops) {
    struct Pattern {
        const char* name;
        int w, h;
        std::function<bool(int, int)> excluded;
    } patterns[] = {
        {"all 4x4", 4, 4, [](int, int) { return true; }},
        {"all 40x40", 40, 40, [](int, int) { return true; }},
        {"one free cell", 6, 6, [](int x, int y) { return !(x == 3 && y == 3); }},
        {"two free cells", 6, 6, [](int x, int y) { return !(y == 3 && (x == 3 || x == 4)); }},
        {"checkerboard", 10, 10, [](int x, int y) { return (x + y) % 2 == 0; }},
        {"bottom row", 12, 8, [](int, int y) { return y == 8; }},
        {"right column", 12, 8, [](int x, int) { return x == 12; }},
        {"single column free", 10, 10, [](int x, int) { return x != 5; }},
        {"frame", 10, 10, [](int x, int y) { return x == 1 || y == 1 || x == 10 || y == 10; }},
        {"middle block", 15, 10, [](int x, int y) { return x >= 6 && x <= 10 && y >= 4 && y <= 7; }},
        {"two halves", 15, 10, [](int x, int) { return x == 8; }},
    };
    for (bool shortCheck : {false, true})
        for (const Pattern& p : patterns) {
            Fixture f;
            f.oper.SetShortCheck(shortCheck);
            f.builder.SetWidth(p.w);
            f.builder.SetHeight(p.h);
            for (int y = 1; y <= p.h; ++y)
                for (int x = 1; x <= p.w; ++x)
                    if (p.excluded(x, y)) f.builder.ToggleExcluded(x, y);
            const auto end = f.Build(40);
            SCOPED_TRACE(std::string(p.name) + (shortCheck ? " short on" : " short off"));
            ASSERT_NE(end, ScanBuilder::RunEnd::Failed);
            EXPECT_FALSE(f.builder.building());
            if (end != ScanBuilder::RunEnd::Complete) continue;
            const TScanLayout& l = f.builder.display();
            for (int y = 1; y <= p.h; ++y)
                for (int x = 1; x <= p.w; ++x) {
                    if (p.excluded(x, y)) EXPECT_EQ(l.at(x, y), kScanOutside) << x << "," << y;
                    else EXPECT_NE(l.at(x, y), kScanOutside) << x << "," << y;
                }
        }
}

TEST(ScanBuilder, WindowCodeWhileActive) {
    Fixture f;
    std::uint8_t code = 0;
    f.builder.Activated(code);
    EXPECT_EQ(code, 10);
    f.builder.Activated(code); // activated twice: the code before the builder is kept
    f.builder.Deactivated(code);
    EXPECT_EQ(code, 0);
    code = 30; // another window took over meanwhile
    f.builder.Deactivated(code);
    EXPECT_EQ(code, 30);
}

TEST(ScanBuilder, ElapsedTimeText) {
    EXPECT_EQ(FormatElapsed(0), "0:00:00");
    EXPECT_EQ(FormatElapsed(59.9), "0:00:59");
    EXPECT_EQ(FormatElapsed(3725), "1:02:05");
}
