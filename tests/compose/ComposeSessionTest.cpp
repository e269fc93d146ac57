#include "compose/ComposeSession.h"
#include "platform/Text.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <thread>

namespace vez {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr const char* kTitle = "Программа \"Вездар\"";

// Two words sharing their first letter: a grid of one across and one down word from the same cell
// always fills, and the repeat rule puts one word into each slot.
const char* const kDict3 = "кот\r\nЗверь\r\nкит\r\nМорской зверь\r\n";

// Fills: across and down from the top-left cell.
const std::vector<std::string> kFillable = {"***", "*..", "*.."};
// Never finishes: the same two words, and an across pair of cells whose dictionary is empty.
const std::vector<std::string> kNeverDone = {"***..", "*....", "*..**"};

TGrat Grid(const std::vector<std::string>& rows) {
    return GratFromCells(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), rows);
}

std::string Utf8File(const fs::path& p) {
    auto bytes = ReadFileBytes(p);
    return bytes ? Cp1251ToUtf8(*bytes) : std::string("<missing>");
}

struct Fixture {
    explicit Fixture(bool soundsOn = true) : player(sounds, soundsOn) {
        home.Write("DICT/dict.3", ru(kDict3));
        home.Write("DICT/dict.2", "");
        fs::create_directories(home.path() / "CROS");
        fs::create_directories(home.path() / "SCAN");
    }
    test::TempHome home;
    test::FakeDialogs dialogs;
    test::FakeSounds sounds;
    SoundPlayer player;
    test::FakeBusy busy;
    std::vector<std::string> deleted{ru("слон            Животное")};
    Clock::time_point now{1000h};
    ComposeSession session{Env()};

    ComposeEnv Env() {
        ComposeEnv env(home.path(), dialogs, player, busy, deleted);
        env.now = [this] { return now; };
        env.seed = 7;
        return env;
    }

    // Applies reports until `done` holds (the engine runs on its own thread).
    template <class Pred> void WaitUntil(Pred done) {
        for (int i = 0; i < 20000 && !done(); ++i) {
            session.Poll();
            if (!done()) std::this_thread::sleep_for(1ms);
        }
        ASSERT_TRUE(done());
    }
    void WaitPhase(ComposePhase p) {
        WaitUntil([&] { return session.Phase() == p; });
    }
    // Both three-letter words are in; the pair of cells never fills.
    void WaitStuck() {
        WaitUntil([&] { return session.View().progress == 66; });
    }
    // True once the engine sends another report (it is running, not parked or ended).
    bool KeepsReporting() {
        for (int i = 0; i < 10000; ++i) {
            if (session.Poll()) return true;
            std::this_thread::sleep_for(1ms);
        }
        return false;
    }
    char Shown(int x, int y) const { return session.View().shown.at(x, y); }
};

// The across word of the top row decides the definitions: "кот" is a beast, "кит" a sea beast.
std::pair<std::string, std::string> Definitions(const std::string& acrossUtf8) {
    if (acrossUtf8 == "кот") return {"Зверь", "Морской зверь"};
    return {"Морской зверь", "Зверь"};
}

TEST(ComposeSession, CloseQueryDuringComposition) {
    struct Case {
        const char* name;
        int answer;
        CloseOutcome outcome;
    } cases[] = {
        {"Cancel resumes", kBtnCancel, CloseOutcome::Stay},
        {"closed without an answer resumes", 0, CloseOutcome::Stay},
        {"No closes without saving", kBtnNo, CloseOutcome::Close},
        {"Yes goes to the folder choice", kBtnYes, CloseOutcome::FolderChoice},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        fs::create_directories(f.home.path() / "CROS" / "ЛЕТО");
        ASSERT_TRUE(f.session.Open(Grid(kNeverDone), nullptr));
        EXPECT_EQ(Cp1251ToUtf8(f.session.View().caption), "Составление кроссворда");
        f.WaitStuck();
        f.now += 1h + 1min + 5s;
        f.dialogs.ExpectMsg(
            "Составление кроссворда не завершено.\r\nВремя составления 01:01:05 сек\r\nСохранить?", kTitle,
            12, kBtnCancel, kIconQuestion, c.answer);
        EXPECT_EQ(f.session.RequestClose(), c.outcome);
        EXPECT_EQ(f.sounds.stops, 1);
        if (c.outcome == CloseOutcome::Stay) {
            // The engine goes on: it keeps reporting its cycles.
            EXPECT_EQ(f.session.Phase(), ComposePhase::Composing);
            f.session.Poll();
            EXPECT_TRUE(f.KeepsReporting());
            f.session.Close();
            continue;
        }
        if (c.outcome == CloseOutcome::Close) {
            f.session.Close();
            EXPECT_TRUE(fs::is_empty(f.home.path() / "CROS" / "ЛЕТО"));
            continue;
        }
        EXPECT_EQ(Cp1251ToUtf8(f.session.View().caption), "Выбрать имя кроссворда");
        ASSERT_EQ(f.session.View().folders, std::vector<std::string>{ru("ЛЕТО")});
        ASSERT_TRUE(f.session.Choose());
        // Stopped before the end: '.' in the header, '*' in the empty cells, '.' for the empty slot
        // and a name ending in '-'.
        const fs::path doc = f.home.path() / "CROS" / "ЛЕТО" / "лето.01-";
        EXPECT_EQ(f.session.LastDocument(), doc);
        const std::string text = Utf8File(doc);
        const std::string across = text.substr(text.find("\r\n") + 2, 6); // three letters of UTF-8
        const auto [defAcross, defDown] = Definitions(across);
        EXPECT_EQ(text, "AS.5  3  2   1   \r\n" + across + "  \r\n" + (across == "кот" ? "и" : "о") +
                            "    \r\nт  **\r\n" + defAcross + "\r\n.\r\n" + defDown + "\r\n");
    }
}

TEST(ComposeSession, FinishedCompositionSavedComplete) {
    struct Case {
        const char* name;
        bool scanword;
        bool soundsOn;
    } cases[] = {{"crossword, sounds on", false, true}, {"scanword, sounds off", true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f(c.soundsOn);
        const char* lib = c.scanword ? "SCAN" : "CROS";
        fs::create_directories(f.home.path() / lib / "ЛЕТО");
        fs::create_directories(f.home.path() / lib / "ВЕСНА");
        TScanLayout layout;
        layout.width = 4;
        layout.height = 3;
        // An across word right of its definition, a down word up-right of its definition.
        const std::uint8_t rows[3][4] = {{14, 0, 0, 0}, {23, 0, 99, 99}, {99, 0, 99, 99}};
        for (int y = 1; y <= 3; ++y)
            for (int x = 1; x <= 4; ++x)
                layout.at(x, y) = rows[y - 1][x - 1];
        const bool opened = c.scanword ? f.session.Open(GratFromScan(layout), &layout)
                                       : f.session.Open(Grid(kFillable), nullptr);
        ASSERT_TRUE(opened);
        // Only a crossword moves the main window's bar, after each length read.
        EXPECT_EQ(f.busy.progress, c.scanword ? std::vector<int>{} : std::vector<int>{18});
        f.now += 3723s;
        f.WaitPhase(ComposePhase::Finished);
        EXPECT_EQ(Cp1251ToUtf8(f.session.View().caption),
                  c.scanword ? "Сканворд составлен" : "Кроссворд составлен");
        if (c.soundsOn) {
            ASSERT_EQ(f.sounds.played.size(), 1u);
            EXPECT_EQ(f.sounds.played[0], std::make_pair(std::string("Mobil.wav"), PlayMode::Repeat));
        } else {
            EXPECT_EQ(f.sounds.beeps, std::vector<BeepKind>{BeepKind::Exclamation});
        }
        f.now += 10min; // the time shown is the composition's, not the time until the question
        f.dialogs.ExpectMsg(std::string(c.scanword ? "Сканворд" : "Кроссворд") +
                                " составлен.\r\nВремя составления 01:02:03 сек\r\nСохранить?",
                            kTitle, 10, kBtnNo, kIconQuestion, kBtnYes);
        ASSERT_EQ(f.session.RequestClose(), CloseOutcome::FolderChoice);
        ASSERT_EQ(f.session.View().folders, (std::vector<std::string>{ru("ВЕСНА"), ru("ЛЕТО")}));
        EXPECT_EQ(f.session.View().selected, 0);
        f.session.SelectFolder(1);
        ASSERT_TRUE(f.session.Choose());
        EXPECT_EQ(f.session.RememberedFolder(), 1);
        const std::string text =
            Utf8File(f.home.path() / lib / "ЛЕТО" / (c.scanword ? "лето.01-" : "лето.01"));
        // The first grid line starts with the across word (after its definition cell in a scanword).
        const std::size_t row1 = text.find("\r\n") + 2 + (c.scanword ? 1 : 0);
        const auto [defAcross, defDown] = Definitions(text.substr(row1, 6));
        const std::string tail = defAcross + "\r\n" + defDown + "\r\n";
        EXPECT_EQ(text.substr(0, 3), c.scanword ? "AS." : "AS ");
        EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
        // Closing emptied the model and the list of deleted entries.
        EXPECT_EQ(f.session.Phase(), ComposePhase::Idle);
        EXPECT_EQ(f.session.Grat().width, 0);
        EXPECT_TRUE(f.session.Slots().empty());
        EXPECT_TRUE(f.deleted.empty());
        EXPECT_TRUE(f.dialogs.AllConsumed());
    }
}

TEST(ComposeSession, FinishedAnsweredNoClosesWithoutSaving) {
    Fixture f;
    fs::create_directories(f.home.path() / "CROS" / "ЛЕТО");
    ASSERT_TRUE(f.session.Open(Grid(kFillable), nullptr));
    f.WaitPhase(ComposePhase::Finished);
    f.dialogs.ExpectMsg("Кроссворд составлен.\r\nВремя составления 00:00:00 сек\r\nСохранить?", kTitle, 10,
                        kBtnNo, kIconQuestion, kBtnNo);
    EXPECT_EQ(f.session.RequestClose(), CloseOutcome::Close);
    EXPECT_TRUE(fs::is_empty(f.home.path() / "CROS" / "ЛЕТО"));
}

TEST(ComposeSession, NinetyNinthDocumentThenFolderFullThenNewFolder) {
    Fixture f;
    f.home.Write("CROS/ЛЕТО/лето.98", "earlier");
    auto composeAndAskToSave = [&] {
        ASSERT_TRUE(f.session.Open(Grid(kFillable), nullptr));
        f.WaitPhase(ComposePhase::Finished);
        f.dialogs.ExpectMsg("Кроссворд составлен.\r\nВремя составления 00:00:00 сек\r\nСохранить?", kTitle,
                            10, kBtnNo, kIconQuestion, kBtnYes);
        ASSERT_EQ(f.session.RequestClose(), CloseOutcome::FolderChoice);
    };
    composeAndAskToSave();
    ASSERT_TRUE(f.session.Choose());
    EXPECT_TRUE(fs::exists(f.home.path() / "CROS" / "ЛЕТО" / "лето.99"));

    composeAndAskToSave();
    f.dialogs.ExpectMsg("Папка заполнена !\r\nВыбрать другую или\r\nсоздать новую папку.", "Папка \"ЛЕТО\"",
                        kBtnCancel, kBtnCancel, kIconError, kBtnCancel);
    EXPECT_FALSE(f.session.Choose());
    EXPECT_EQ(f.session.Phase(), ComposePhase::FolderChoice);

    // An existing name is refused; a new one is created upper-cased and selected.
    f.dialogs.ExpectMsg("Ввести новое имя папки", "Создание новой папки", 14, kFocusInput, kIconNone, kBtnOK,
                        "лето");
    f.dialogs.ExpectMsg("Папка \"ЛЕТО\"\r\nуже существует !", "ОШИБКА !", kBtnCancel, kBtnCancel, kIconError,
                        kBtnCancel);
    f.session.NewFolder();
    f.dialogs.ExpectMsg("Ввести новое имя папки", "Создание новой папки", 14, kFocusInput, kIconNone, kBtnOK,
                        "Зима");
    f.session.NewFolder();
    ASSERT_EQ(f.session.View().folders, (std::vector<std::string>{ru("ЗИМА"), ru("ЛЕТО")}));
    EXPECT_EQ(f.session.View().selected, 0);
    ASSERT_TRUE(f.session.Choose());
    EXPECT_TRUE(fs::exists(f.home.path() / "CROS" / "ЗИМА" / "зима.01"));
    EXPECT_TRUE(f.dialogs.AllConsumed());
}

TEST(ComposeSession, NewFolderNames) {
    struct Case {
        const char* typed;
        int answer;
        const char* refusedAt; // caption of "Недопустимый символ", or null
        const char* created;   // folder expected under CROS, or null
    } cases[] = {
        {"лето", kBtnOK, nullptr, "ЛЕТО"},
        {"ле.то", kBtnOK, ".", nullptr},
        {"..", kBtnOK, ".", nullptr},
        {"a/b", kBtnOK, "/", nullptr},
        {"но№1", kBtnOK, "№", nullptr},
        {"о\"с", kBtnOK, "\"", nullptr},
        {"осень", kBtnCancel, nullptr, nullptr},
        {"", kBtnOK, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Fixture f;
        ASSERT_TRUE(f.session.Open(Grid(kFillable), nullptr));
        f.WaitPhase(ComposePhase::Finished);
        f.dialogs.ExpectMsg("Кроссворд составлен.\r\nВремя составления 00:00:00 сек\r\nСохранить?", kTitle,
                            10, kBtnNo, kIconQuestion, kBtnYes);
        ASSERT_EQ(f.session.RequestClose(), CloseOutcome::FolderChoice);
        EXPECT_TRUE(f.session.View().folders.empty());
        EXPECT_FALSE(f.session.Choose()); // nothing to choose from
        f.dialogs.ExpectMsg("Ввести новое имя папки", "Создание новой папки", 14, kFocusInput, kIconNone,
                            c.answer, c.typed);
        if (c.refusedAt)
            f.dialogs.ExpectMsg("Недопустимый символ", c.refusedAt, kBtnCancel, kBtnCancel, kIconError,
                                kBtnCancel);
        f.session.NewFolder();
        std::vector<std::string> expected;
        if (c.created) expected.push_back(ru(c.created));
        EXPECT_EQ(f.session.View().folders, expected);
        EXPECT_EQ(LibraryFolders(f.home.path(), "Cros"), expected);
        EXPECT_TRUE(f.dialogs.AllConsumed());
        f.session.Close();
    }
}

TEST(ComposeSession, HidingLettersBlanksThemAndShowingDrawsTheGrid) {
    Fixture f;
    ASSERT_TRUE(f.session.Open(Grid(kNeverDone), nullptr));
    f.WaitStuck();
    const char across[3] = {f.Shown(1, 1), f.Shown(2, 1), f.Shown(3, 1)};
    const char down[2] = {f.Shown(1, 2), f.Shown(1, 3)};
    EXPECT_TRUE(IsLetterCode(across[0]) && IsLetterCode(down[1]));

    f.session.ToggleHideLetters();
    EXPECT_TRUE(f.session.LettersHidden());
    for (auto [x, y] : {std::pair{1, 1}, {2, 1}, {3, 1}, {1, 2}, {1, 3}, {4, 3}})
        EXPECT_EQ(f.Shown(x, y), kEmptyCell);
    EXPECT_EQ(f.Shown(2, 2), kBlockedCell);
    // The engine keeps running without drawing.
    EXPECT_TRUE(f.KeepsReporting());
    EXPECT_EQ(f.Shown(1, 1), kEmptyCell);

    f.session.ToggleHideLetters();
    EXPECT_FALSE(f.session.LettersHidden());
    EXPECT_EQ(std::string(1, f.Shown(1, 1)) + f.Shown(2, 1) + f.Shown(3, 1), std::string(across, 3));
    EXPECT_EQ(std::string(1, f.Shown(1, 2)) + f.Shown(1, 3), std::string(down, 2));
    EXPECT_EQ(f.Shown(4, 3), kEmptyCell);
    f.session.Close();
}

TEST(ComposeSession, LoadFailures) {
    std::vector<std::string> longRun = {std::string(17, '*'), std::string(16, '.') + "*"};
    struct Case {
        const char* name;
        std::vector<std::string> rows;
        bool dict3;
        const char* message;
    } cases[] = {
        {"a crossed 17th letter", longRun, true, "Ошибка при загрузке решетки !"},
        {"a missing dictionary file", kFillable, false, "Ошибка доступа к файлу\r\nсловаря \"Dict.3\" !"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        if (!c.dict3) fs::remove(f.home.path() / "DICT" / "dict.3");
        f.dialogs.ExpectMsg(c.message, kTitle, kBtnOK, kBtnOK, kIconError, kBtnOK);
        EXPECT_FALSE(f.session.Open(Grid(c.rows), nullptr));
        EXPECT_EQ(f.session.Phase(), ComposePhase::LoadFailed);
        EXPECT_EQ(f.session.View().status, "Error");
        EXPECT_EQ(f.busy.busyDepth, 0);
        EXPECT_EQ(f.session.RequestClose(), CloseOutcome::Close);
        f.session.Close();
        EXPECT_TRUE(f.dialogs.AllConsumed());
    }
}

TEST(ComposeSession, EngineFailureShownAndClosed) {
    for (bool soundsOn : {true, false}) {
        SCOPED_TRACE(soundsOn);
        Fixture f(soundsOn);
        // Under the rule of the most crossed word, two words crossing nothing cannot be chosen.
        f.session.SetRule(TFillAlgorithm::Max);
        ASSERT_TRUE(f.session.Open(Grid({"**.", "...", ".**"}), nullptr));
        f.WaitPhase(ComposePhase::Failed);
        EXPECT_EQ(Cp1251ToUtf8(f.session.View().caption), "Ошибка !");
        EXPECT_EQ(f.session.View().status, "Error");
        EXPECT_TRUE(f.session.View().redCross);
        if (soundsOn)
            EXPECT_EQ(f.sounds.played.at(0).first, "Error.wav");
        else
            EXPECT_EQ(f.sounds.beeps, std::vector<BeepKind>{BeepKind::Error});
        f.dialogs.ExpectMsg("Составление кроссворда прервано.", "Ошибка !", kBtnOK, kBtnOK, kIconError,
                            kBtnOK);
        EXPECT_EQ(f.session.RequestClose(), CloseOutcome::Close);
        EXPECT_TRUE(f.dialogs.AllConsumed());
    }
}

TEST(ComposeSession, ProvenUnfillableShownLikeAFailureNamingTheWords) {
    Fixture f;
    f.session.SetRule(TFillAlgorithm::Smart);
    // The pair of cells at the bottom right has no two-letter word to take.
    f.dialogs.ExpectMsg("Решетку нельзя заполнить словами словаря:\rне хватает слов для 2 по горизонтали.",
                        "Решетка не заполняется", kBtnOK, kBtnOK, kIconError, kBtnOK);
    ASSERT_TRUE(f.session.Open(Grid(kNeverDone), nullptr));
    f.WaitPhase(ComposePhase::Failed);
    EXPECT_EQ(Cp1251ToUtf8(f.session.View().caption), "Решетка не заполняется");
    EXPECT_TRUE(f.session.View().redCross);
    f.dialogs.ExpectMsg("Составление кроссворда прервано.", "Ошибка !", kBtnOK, kBtnOK, kIconError, kBtnOK);
    EXPECT_EQ(f.session.RequestClose(), CloseOutcome::Close);
    EXPECT_TRUE(f.dialogs.AllConsumed());
}

TEST(ComposeSession, MessagePositionAndTimeFormat) {
    struct Pos {
        int winLeft, winWidth, boxWidth, screenRight;
        MsgPos expected;
    } positions[] = {
        {100, 400, 200, 1920, {200, 50}},   // centred
        {1700, 200, 400, 1920, {1500, 50}}, // would pass the right edge: 20 inside it
        {-300, 100, 400, 1920, {20, 50}},   // would start left of the screen
    };
    for (const Pos& p : positions)
        EXPECT_EQ(ComposeMsgPosition(p.winLeft, p.winWidth, 30, p.boxWidth, p.screenRight), p.expected);
    EXPECT_EQ(LongTimeText(0s), "00:00:00");
    EXPECT_EQ(LongTimeText(59min + 59s + 999ms), "00:59:59");
    EXPECT_EQ(LongTimeText(26h + 3s), "26:00:03");
}

} // namespace
} // namespace vez
