#include "app/MainLogic.h"
#include "app/Startup.h"
#include "platform/Text.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace vez {
namespace {

using namespace std::chrono_literals;
using test::FakeBusy;
using test::FakeDialogs;
using test::FakeSounds;
using test::TempHome;

const char* const kProgram = " Программа \"Вездар\"";

// A main window's logic over a temporary program folder with a settings file, every hook recording
// what it was asked and the window code it saw.
struct Fixture {
    TempHome home;
    FakeDialogs dialogs;
    FakeSounds sounds;
    FakeBusy busy;
    AppState state;
    std::vector<std::string> calls; // "hook:title (window code)"
    std::optional<ComposeGrid> storagePick;
    std::optional<DocPick> docPick;
    bool dictCheckPasses = true;
    int progressMaxAtCompose = -1;
    std::unique_ptr<MainLogic> logic;

    explicit Fixture(const char* mode = "Cros") {
        state.ProgramFolder = home.path();
        EXPECT_TRUE(WriteDefaultIni(state.IniPath()));
        state.CrosKind = mode;
        logic = std::make_unique<MainLogic>(state, dialogs, sounds, busy, Hooks());
    }
    void Record(const std::string& what) {
        calls.push_back(what + " (" + std::to_string(state.WindowCode) + ")");
    }
    MainHooks Hooks() {
        MainHooks h;
        h.PickStorageCell = [this](const std::string& t) {
            Record("storage:" + Cp1251ToUtf8(t));
            return storagePick;
        };
        h.OpenCompose = [this](const ComposeGrid& g) {
            progressMaxAtCompose = busy.progressMax;
            Record("compose:" + std::to_string(g.Grat.width) + "x" + std::to_string(g.Grat.height));
        };
        h.OpenScanBuilder = [this] { Record("builder"); };
        h.CloseScanBuilder = [this] { Record("close builder"); };
        h.FocusCompose = [this] { Record("focus compose"); };
        h.FocusScanBuilder = [this] { Record("focus builder"); };
        h.PickDocument = [this](const std::string& t) {
            Record("picker:" + Cp1251ToUtf8(t));
            return docPick;
        };
        h.OpenRework = [this](const DocPick&, const std::string& t) { Record("rework:" + Cp1251ToUtf8(t)); };
        h.OpenSolve = [this](const DocPick&, const std::string& t) { Record("solve:" + Cp1251ToUtf8(t)); };
        h.OpenBrowser = [this](const std::string& t) { Record("browser:" + Cp1251ToUtf8(t)); };
        h.RunDictCheck = [this] {
            Record("dict check");
            return dictCheckPasses;
        };
        h.OpenDictionary = [this] { Record("dictionary"); };
        h.OpenGridEditor = [this] { Record("grid editor"); };
        h.OpenSettings = [this] { Record("settings"); };
        h.OpenScanSettings = [this] { Record("scan settings"); };
        h.OpenHelp = [this] { Record("help"); };
        return h;
    }
    std::string StoredMode() { return LoadSettings(state.IniPath()).Values.CrosScan; }
    void Document(const std::string& bytes) {
        docPick = DocPick{ru("ЛЕТО"), ru("лето.05"), home.Write("CROS/doc", bytes)};
    }
};

using Calls = std::vector<std::string>;

std::string U(const std::string& cp1251) {
    return Cp1251ToUtf8(cp1251);
}

TEST(MainLogic, MenuFollowsTheModeAndJapaneseKeepsThePictureItems) {
    struct Expect {
        const char* caption;
        bool resh;
        const char* ris;
        const char* popupPrint;
        bool lettice;
    };
    const Expect cros{" &Кроссворд ", true, "&Кроссворда...", "Кроссворда...", true};
    const Expect scan{" С&канворд ", false, "&Сканворда...", "Сканворда", false};
    const struct {
        std::vector<const char*> switches;
        const char* japanCaptionOr;
        Expect e;
    } cases[] = {
        {{"Scan"}, nullptr, scan},
        {{"Scan", "Cros"}, nullptr, cros},
        {{"Scan", "Japan"}, "Яп. &кроссворд", {nullptr, true, "&Сканворда...", "Сканворда", false}},
        {{"Japan"}, "Яп. &кроссворд", {nullptr, true, "&Кроссворда...", "Кроссворда...", true}},
    };
    for (const auto& c : cases) {
        Fixture f;
        for (const char* m : c.switches)
            ASSERT_TRUE(f.logic->SwitchMode(m));
        const MainMenu& m = f.logic->Menu();
        const std::string label = c.switches.back();
        EXPECT_EQ(U(m.CrosCaption), c.japanCaptionOr ? c.japanCaptionOr : c.e.caption) << label;
        EXPECT_EQ(m.ReshVisible, c.e.resh) << label;
        EXPECT_EQ(U(m.RisFirst), c.e.ris) << label;
        EXPECT_EQ(U(m.PrintFirst), c.e.ris) << label;
        EXPECT_EQ(U(m.PopupPrintFirst), c.e.popupPrint) << label;
        EXPECT_EQ(m.LetticeVisible, c.e.lettice) << label;
        EXPECT_EQ(m.CheckedMode, label);
        EXPECT_EQ(f.state.CrosKind, label);
        EXPECT_EQ(f.StoredMode(), label) << "the switch is written at once";
    }
}

TEST(MainLogic, StartingInScanModeShowsTheScanwordMenuWithoutTheGridEditor) {
    Fixture f;
    ASSERT_TRUE(WriteCrosScan(f.state.IniPath(), "Scan"));
    f.home.Write("CROS/Vez.bmp", "x");
    StartupEnv env{f.dialogs, f.sounds, {}, {}, [](const fs::path&) { return PixelSize{1, 1}; }};
    f.dialogs.AnswerAll(kBtnOK); // the splash picture is too small; not the point here
    ASSERT_EQ(RunStartup(f.state, env), StartupOutcome::Run);
    f.logic->ApplyStateMode();
    EXPECT_EQ(U(f.logic->Menu().CrosCaption), " С&канворд ");
    EXPECT_FALSE(f.logic->Menu().ReshVisible);
    EXPECT_EQ(f.logic->Menu().CheckedMode, "Scan");
}

TEST(MainLogic, ModeCannotChangeWhileAComposeWindowOrTheBuilderIsOpen) {
    for (bool compose : {true, false}) {
        Fixture f;
        (compose ? f.state.ComposeOpen : f.state.ScanBuilderOpen) = true;
        EXPECT_FALSE(f.logic->ModeItemsEnabled());
        EXPECT_FALSE(f.logic->SwitchMode("Scan"));
        EXPECT_EQ(f.state.CrosKind, "Cros");
        EXPECT_EQ(f.StoredMode(), "Cros");
    }
}

TEST(MainLogic, JapaneseModeComposeAndParametersDoNothing) {
    Fixture f("Japan");
    f.home.Write("CROS/GratCROS1.bmp", "x");
    EXPECT_TRUE(f.logic->Available(MainCommand::Make));
    EXPECT_TRUE(f.logic->Available(MainCommand::Param));
    f.logic->Compose();
    f.logic->Parameters();
    EXPECT_EQ(f.calls, Calls{});
    EXPECT_EQ(f.state.WindowCode, wc::Main);
    // Other commands take the scanword branch.
    f.logic->View();
    EXPECT_EQ(f.calls, Calls{"browser:Просмотр сканвордов (30)"});
}

TEST(MainLogic, CommandsWithoutTheirWindowsAreUnavailableExceptWhereTheModeNeedsNone) {
    for (const char* mode : {"Cros", "Scan", "Japan"}) {
        TempHome home;
        FakeDialogs dialogs;
        FakeSounds sounds;
        FakeBusy busy;
        AppState state;
        state.CrosKind = mode;
        MainLogic logic(state, dialogs, sounds, busy);
        const bool japan = std::string(mode) == "Japan";
        EXPECT_EQ(logic.Available(MainCommand::Make), japan) << mode;
        EXPECT_EQ(logic.Available(MainCommand::Param), japan) << mode;
        for (auto c : {MainCommand::ReMake, MainCommand::View, MainCommand::Solve, MainCommand::Dict,
                       MainCommand::Resh, MainCommand::Help})
            EXPECT_FALSE(logic.Available(c)) << mode;
        EXPECT_TRUE(logic.Available(MainCommand::Exit));
        logic.Compose(); // nothing to call, nothing to say
        logic.Solve();
    }
}

TEST(MainLogic, ComposeInCrosswordModeChecksThenPicksAndOpens) {
    const char* caption = " Отмена составления кроссворда";
    { // A second Compose while one runs.
        Fixture f;
        f.home.Write("CROS/GratCROS1.bmp", "x");
        f.state.ComposeOpen = true;
        f.dialogs.ExpectMsg("Составление предыдущего\rкроссворда еще продолжается. ", caption, kBtnOK, kBtnOK,
                            kIconInfo, kBtnOK);
        f.logic->Compose();
        EXPECT_EQ(f.calls, Calls{});
        EXPECT_TRUE(f.dialogs.AllConsumed());
    }
    { // No storage at all.
        Fixture f;
        f.home.Write("CROS/GratCROS2.bmp", "x");
        f.dialogs.ExpectMsg("Не найден файл решеток кроссворда\r\"CROS\\GratCROS1.bmp\"", caption, kBtnOK,
                            kBtnOK, kIconWarn, kBtnOK);
        f.logic->Compose();
        EXPECT_EQ(f.calls, Calls{});
        EXPECT_TRUE(f.dialogs.AllConsumed());
    }
    const std::string pick = "storage:Выбрать ячейку для составления кроссворда (12)";
    TGrat g22, g15;
    g22.width = g22.height = 2;
    g15.width = 1, g15.height = 5;
    const struct {
        const char* storage;
        std::optional<TGrat> picked;
        Calls calls;
    } cases[] = {
        {"GratCROS1.bmp", std::nullopt, {pick}},
        {"GratCROS.bmp", g15, {pick}},
        {"GratCROS.bmp", g22, {pick, "compose:2x2 (0)"}},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.home.Write(fs::path("CROS") / c.storage, "x");
        if (c.picked) f.storagePick = ComposeGrid{*c.picked, "src"};
        f.logic->Compose();
        EXPECT_EQ(f.calls, c.calls);
        EXPECT_EQ(f.state.WindowCode, wc::Main);
        if (c.calls.size() == 2) {
            EXPECT_EQ(f.progressMaxAtCompose, 100) << "the progress bar is shown while the window loads";
            EXPECT_EQ(f.busy.progressMax, 0) << "and hidden afterwards";
        }
    }
}

TEST(MainLogic, ComposeInScanwordModeOpensTheBuilder) {
    Fixture f("Scan");
    f.logic->Compose();
    EXPECT_EQ(f.calls, Calls{"builder (10)"});
}

TEST(MainLogic, SolveChecksTheFirstLineOfThePickedDocument) {
    const char* caption = " Выход из режима";
    const struct {
        const char* mode;
        const char* doc;
        const char* message; // nullptr: the solve window opens
    } cases[] = {
        {"Cros", "AS 15 15 20  21  \r\n", nullptr},
        {"Cros", "AS.15 15 20  21  \r\n", "Кроссворд не завершен !"},
        {"Cros", "XAS 15\r\n", "Это не кроссворд !"},
        {"Cros", "A\r\nS", "Это не кроссворд !"},
        {"Cros", "", "Это не кроссворд !"},
        {"Scan", "AS.", "Сканворд не завершен !"},
        {"Scan", "BMxx", "Это не сканворд !"},
        {"Japan", "AS 5", nullptr},
    };
    for (const auto& c : cases) {
        Fixture f(c.mode);
        f.Document(c.doc);
        if (c.message) f.dialogs.ExpectMsg(c.message, caption, kBtnOK, kBtnOK, kIconInfo, kBtnOK);
        f.logic->Solve();
        const bool cros = std::string(c.mode) == "Cros";
        Calls expect{cros ? "picker:Выбрать кроссворд для разгадывания (51)"
                          : "picker:Выбрать сканворд для разгадывания (51)"};
        if (!c.message)
            expect.push_back(cros ? "solve:Разгадываем кроссворд ЛЕТО.05 (50)"
                                  : "solve:Разгадываем сканворд ЛЕТО.05 (50)");
        EXPECT_EQ(f.calls, expect) << c.doc;
        EXPECT_EQ(f.state.WindowCode, c.message ? wc::Main : wc::Solve) << c.doc;
        EXPECT_TRUE(f.dialogs.AllConsumed()) << c.doc;
    }
    Fixture cancelled;
    cancelled.logic->Solve();
    EXPECT_EQ(cancelled.calls.size(), 1u);
    EXPECT_EQ(cancelled.state.WindowCode, wc::Main);
}

TEST(MainLogic, ReworkAndDictionaryHandOverWithTheirCodes) {
    Fixture f;
    f.logic->Rework(); // cancelled in the picker
    f.Document("AS ");
    f.logic->Rework();
    EXPECT_EQ(f.calls, (Calls{"picker:Выбрать кроссворд для доработки (21)",
                              "picker:Выбрать кроссворд для доработки (21)",
                              "rework:Доработка кроссворда ЛЕТО.05 (20)"}));
    f.calls.clear();
    // A failed check stops the command and runs again next time; a passed one is not repeated.
    f.dictCheckPasses = false;
    f.logic->Dict();
    f.dictCheckPasses = true;
    f.logic->Dict();
    f.logic->Dict();
    EXPECT_EQ(f.calls, (Calls{"dict check (20)", "dict check (20)", "dictionary (60)", "dictionary (60)"}));
}

TEST(MainLogic, PassedTimeShowsDaysFromOneDayOn) {
    const struct {
        std::chrono::seconds elapsed;
        const char* text;
    } cases[] = {
        {0s, "0ч 00м"},     {2h + 5min + 59s, "2ч 05м"}, {23h + 59min + 59s, "23ч 59м"},
        {26h, "1д 2ч 00м"}, {24h, "1д 0ч 00м"},          {49h + 7min, "2д 1ч 07м"},
        {-5s, "0ч 00м"}, // the clock was put back
    };
    Fixture f;
    f.state.StartTime = std::chrono::system_clock::time_point{1000h};
    for (const auto& c : cases)
        EXPECT_EQ(U(f.logic->PassedTime(f.state.StartTime + c.elapsed)), c.text);
}

TEST(MainLogic, ExitIsRefusedWhileComposingAndOtherwiseAsked) {
    for (const char* mode : {"Cros", "Scan"}) {
        Fixture f(mode);
        f.state.ComposeOpen = true;
        f.dialogs.ExpectMsg(
            std::string("Для выхода из программы\r\nнеобходимо закрыть окно\r\nсоставления ") +
                (std::string(mode) == "Cros" ? "кроссворда." : "сканворда."),
            kProgram, kBtnOK, kBtnOK, kIconInfo, kBtnOK);
        EXPECT_FALSE(f.logic->QueryExit());
        EXPECT_TRUE(f.dialogs.AllConsumed());
    }
    const struct {
        int answer;
        bool sound;
        bool ends;
    } cases[] = {{kBtnOK, true, true}, {kBtnOK, false, true}, {kBtnCancel, true, false}, {0, true, false}};
    for (const auto& c : cases) {
        Fixture f;
        f.state.Sets.Sound = c.sound;
        f.state.ScanBuilderOpen = true;
        f.dialogs.ExpectMsg("Завершить программу?", kProgram, 14, kBtnCancel, kIconQuestion, c.answer);
        EXPECT_EQ(f.logic->QueryExit(), c.ends);
        EXPECT_EQ(f.calls, Calls{"close builder (0)"}) << "the builder closes before the question";
        using Played = std::vector<std::pair<std::string, PlayMode>>;
        EXPECT_EQ(f.sounds.played, (c.ends && c.sound ? Played{{"Exit.wav", PlayMode::ToEnd}} : Played{}));
        EXPECT_TRUE(f.sounds.beeps.empty());
    }
}

TEST(MainLogic, ToolBarSwitchIsWrittenAtOnce) {
    Fixture f;
    f.state.Sets.ShowPanelMenu = true;
    EXPECT_FALSE(f.logic->ToggleToolBar());
    EXPECT_FALSE(LoadSettings(f.state.IniPath()).Values.ShowPanelMenu);
    EXPECT_TRUE(f.logic->ToggleToolBar());
    EXPECT_TRUE(LoadSettings(f.state.IniPath()).Values.ShowPanelMenu);
}

TEST(MainLogic, CtrlTabPrefersTheComposeWindow) {
    Fixture f;
    f.logic->CtrlTab();
    f.state.ScanBuilderOpen = true;
    f.logic->CtrlTab();
    f.state.ComposeOpen = true;
    f.logic->CtrlTab();
    EXPECT_EQ(f.calls, (Calls{"focus builder (0)", "focus compose (0)"}));
}

TEST(MainLogic, FailedPictureIsReportedOnReturnOnlyForPictureCodes) {
    for (int code : {0, 80, 81, 84, 85, 89}) {
        Fixture f;
        f.state.WindowCode = static_cast<std::uint8_t>(code);
        f.state.RisStatus = "Error";
        if (code >= 81 && code <= 84)
            f.dialogs.ExpectMsg("Ошибка вывода в рисунок !", kProgram, kBtnOK, kBtnOK, kIconWarn, kBtnOK);
        f.logic->OnShownAgain();
        EXPECT_EQ(f.state.RisStatus, "") << code;
        f.logic->OnShownAgain(); // cleared: no second message
        EXPECT_TRUE(f.dialogs.AllConsumed()) << code;
    }
    Fixture cicl;
    cicl.state.WindowCode = 81;
    cicl.state.RisStatus = "Cicl";
    cicl.logic->OnShownAgain();
    EXPECT_EQ(cicl.state.RisStatus, "Cicl");
}

} // namespace
} // namespace vez
