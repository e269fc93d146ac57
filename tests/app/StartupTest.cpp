#include "app/Startup.h"
#include "platform/Text.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace vez {
namespace {

using test::FakeDialogs;
using test::FakeSounds;
using test::TempHome;

const char* const kCaption = " Программа \"Вездар\"";
const char* const kNoPicture = "Нет файла картинки ..\\CROS\\Vez.*\r\n(см. Справка / Разное / Заставка)";
const char* const kBadPicture =
    "Неверный формат файла\r\nкартинки ..\\CROS\\Vez.*\r\n(см. Справка/Разное/Заставка)";
const char* const kSmallPicture = "Картинка мала для окна.\r\n(см. Справка/Разное/Заставка)";

// A random source answering from a script and recording the bounds it was asked for.
struct ScriptedRandom {
    std::vector<int> answers;
    std::vector<int> bounds;
    RandomFn Fn() {
        return [this](int n) {
            bounds.push_back(n);
            const int v = answers.empty() ? 0 : answers.front();
            if (!answers.empty()) answers.erase(answers.begin());
            return v;
        };
    }
};

struct Fixture {
    TempHome home;
    FakeDialogs dialogs;
    FakeSounds sounds;
    AppState state;
    std::vector<fs::path> loaded;
    PixelSize pictureSize{800, 600};
    Fixture() { state.ProgramFolder = home.path(); }
    StartupEnv Env() {
        return {dialogs, sounds, std::chrono::system_clock::time_point{std::chrono::hours(1000)},
                [](const AppState&) {
                    return PixelSize{500, 300};
                },
                [this](const fs::path& p) -> std::optional<PixelSize> {
                    loaded.push_back(p);
                    return pictureSize;
                }};
    }
    void WriteIni(const std::string& crosScan = "Cros", bool sound = false) {
        ASSERT_TRUE(WriteDefaultIni(state.IniPath()));
        ASSERT_TRUE(WriteCrosScan(state.IniPath(), crosScan));
        if (sound) {
            Settings s;
            s.Sound = true;
            ASSERT_TRUE(SaveSettings(state.IniPath(), s));
        }
    }
};

TEST(Startup, MissingOrUnreadableIniEndsTheProgramAfterItsMessage) {
    for (bool asFolder : {false, true}) {
        Fixture f;
        // A folder in the file's place cannot be read as settings either.
        if (asFolder) fs::create_directory(f.state.IniPath());
        fs::create_directory(f.home.path() / "Sound");
        f.dialogs.ExpectMsg("Не найден или нарушен\rзагрузочный файл Vezd.ini.\rПрограмма прервана!",
                            "Программа \"Вездар\"", kBtnOK, kBtnOK, kIconNone, kBtnOK);
        EXPECT_EQ(RunStartup(f.state, f.Env()), StartupOutcome::End);
        EXPECT_TRUE(f.dialogs.AllConsumed());
        EXPECT_TRUE(f.sounds.played.empty()) << "no start sound before the program ends";
        EXPECT_TRUE(f.loaded.empty());
    }
}

TEST(Startup, StoredModeIsCutToFiveCharactersAndOnlyKnownModesSwitch) {
    const struct {
        const char* stored;
        const char* mode;
    } cases[] = {{"Cros", "Cros"},     {"Scan", "Scan"}, {"Japan", "Japan"}, {"Japanese", "Japan"},
                 {"Scanword", "Cros"}, {"scan", "Cros"}, {"Cr", "Cros"},     {"", "Cros"}};
    for (const auto& c : cases) {
        Fixture f;
        f.WriteIni(c.stored);
        f.home.Write("CROS/Vez.jpg", "x");
        EXPECT_EQ(RunStartup(f.state, f.Env()), StartupOutcome::Run) << c.stored;
        EXPECT_EQ(f.state.CrosKind, c.mode) << c.stored;
        EXPECT_EQ(f.state.Sets.CrosScan, c.stored) << "the stored text is kept";
        EXPECT_EQ(f.state.StartTime, std::chrono::system_clock::time_point{std::chrono::hours(1000)});
    }
}

TEST(Startup, SoundsNeedTheFolderAndAnOutputAndThenGreetWithRunWav) {
    const struct {
        bool folder, device, stored;
        bool possible, on;
    } cases[] = {{true, true, true, true, true},
                 {true, true, false, true, false},
                 {false, true, true, false, false},
                 {true, false, true, false, false}};
    for (const auto& c : cases) {
        Fixture f;
        f.WriteIni("Cros", c.stored);
        f.home.Write("CROS/Vez.jpg", "x");
        if (c.folder) fs::create_directory(f.home.path() / "Sound");
        f.sounds.device = c.device;
        ASSERT_EQ(RunStartup(f.state, f.Env()), StartupOutcome::Run);
        EXPECT_EQ(f.state.SoundsPossible, c.possible);
        EXPECT_EQ(f.state.Sets.Sound, c.on) << "a stored 'on' is forced off when impossible";
        using Played = std::vector<std::pair<std::string, PlayMode>>;
        EXPECT_EQ(f.sounds.played, (c.on ? Played{{"Run.wav", PlayMode::NoWait}} : Played{}));
        EXPECT_TRUE(f.sounds.beeps.empty());
    }
}

TEST(Startup, SmallSplashPictureGivesTheGradientAndItsMessage) {
    Fixture f;
    f.WriteIni();
    f.home.Write("CROS/Vez.jpg", "x");
    f.pictureSize = {800, 299}; // the area is 500 x 300
    f.dialogs.ExpectMsg(kSmallPicture, kCaption, kBtnOK, kBtnOK, kIconInfo, kBtnOK);
    ASSERT_EQ(RunStartup(f.state, f.Env()), StartupOutcome::Run);
    EXPECT_EQ(f.state.PictureState, kPictureNone);
    EXPECT_TRUE(f.dialogs.AllConsumed());
}

TEST(Splash, FirstExistingExtensionIsLoadedAndItsProblemsReported) {
    const struct {
        std::vector<const char*> files;
        std::optional<PixelSize> decoded;
        const char* expectLoaded; // nullptr: nothing loaded
        const char* message;      // nullptr: none
        int state;
    } cases[] = {
        {{}, PixelSize{800, 600}, nullptr, kNoPicture, kPictureNone},
        {{"Vez.wmf", "Vez.emf", "Vez.jpeg", "Vez.bmp"},
         PixelSize{800, 600},
         "Vez.bmp",
         nullptr,
         kPictureShown},
        {{"Vez.jpg", "Vez.bmp"}, PixelSize{500, 300}, "Vez.jpg", nullptr, kPictureShown},
        {{"Vez.wmf"}, std::nullopt, "Vez.wmf", kBadPicture, kPictureNone},
        {{"Vez.jpeg"}, PixelSize{0, 0}, "Vez.jpeg", kBadPicture, kPictureNone},
        {{"Vez.jpg"}, PixelSize{499, 900}, "Vez.jpg", kSmallPicture, kPictureNone},
        {{"vez.JPG", "Vez.png"}, PixelSize{800, 600}, nullptr, kNoPicture, kPictureNone},
    };
    for (const auto& c : cases) {
        TempHome home;
        FakeDialogs dialogs;
        for (const char* name : c.files)
            home.Write(fs::path("CROS") / name, "x");
        std::vector<fs::path> loaded;
        auto load = [&](const fs::path& p) {
            loaded.push_back(p);
            return c.decoded;
        };
        if (c.message) dialogs.ExpectMsg(c.message, kCaption, kBtnOK, kBtnOK, kIconInfo, kBtnOK);
        EXPECT_EQ(LoadSplash(home.path(), {500, 300}, load, dialogs), c.state) << c.files.size();
        if (c.expectLoaded)
            EXPECT_EQ(loaded, std::vector<fs::path>{home.path() / "CROS" / c.expectLoaded});
        else
            EXPECT_TRUE(loaded.empty());
        EXPECT_TRUE(dialogs.AllConsumed());
    }
}

TEST(Splash, GradientTakesTwoRandomColoursAndADirection) {
    ScriptedRandom r{{0x102030, 0x405060, 1}, {}};
    const Gradient g = NewGradient(r.Fn());
    EXPECT_EQ(r.bounds, (std::vector<int>{16777215, 16777215, 2}));
    EXPECT_EQ(g.c1, 0x102030);
    EXPECT_EQ(g.c2, 0x405060);
    EXPECT_TRUE(g.rows);
    ScriptedRandom cols{{5, 6, 0}, {}};
    EXPECT_FALSE(NewGradient(cols.Fn()).rows);
}

TEST(Splash, GradientLinesMoveEachChannelAndRound) {
    // Red in the low byte: red rises 0 → 255, green falls 100 → 0, blue stays.
    const Gradient g{0x806400, 0x8000FF, true};
    const struct {
        int i, n;
        TColor color;
    } cases[] = {
        {0, 11, 0x806400}, {10, 11, 0x8000FF}, {5, 11, 0x803280}, // 127.5 rounds up to 128, 50 exact
        {1, 3, 0x803280},                                         // 127.5 and 50
        {1, 4, 0x804355},                                         // 85 and 66.67 → 67
        {0, 1, 0x806400},                                         // a single line takes the first colour
    };
    for (const auto& c : cases)
        EXPECT_EQ(GradientLineColor(g, c.i, c.n), c.color) << c.i << "/" << c.n;
}

TEST(Splash, FloatingPictureShowsARandomPartOnlyWhenTheSettingIsOn) {
    ScriptedRandom r{{7, 3}, {}};
    EXPECT_EQ(FloatPicture({800, 600}, {500, 300}, false, r.Fn()), std::nullopt);
    EXPECT_TRUE(r.bounds.empty());
    EXPECT_EQ(FloatPicture({800, 600}, {500, 300}, true, r.Fn()), (PixelPoint{-7, -3}));
    EXPECT_EQ(r.bounds, (std::vector<int>{300, 300}));
}

} // namespace
} // namespace vez
