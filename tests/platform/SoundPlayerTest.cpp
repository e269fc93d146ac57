#include "platform/SoundPlayer.h"
#include "platform/MsgBoxLayout.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace vez {
namespace {

TEST(SoundPlayer, IconChoosesTheFileWithSoundsOnAndTheBeepWithSoundsOff) {
    struct Case {
        int icon;
        const char* file;
        BeepKind beep;
    };
    const Case cases[] = {{kIconNone, "Info.wav", BeepKind::Information},
                          {kIconWarn, "Warn.wav", BeepKind::Exclamation},
                          {kIconQuestion, "Quest.wav", BeepKind::Question},
                          {kIconInfo, "Info.wav", BeepKind::Information},
                          {kIconError, "Error.wav", BeepKind::Error}};
    for (const auto& c : cases) {
        test::FakeSounds on, off;
        SoundPlayer(on, true).PlayForIcon(c.icon);
        SoundPlayer(off, false).PlayForIcon(c.icon);
        ASSERT_EQ(on.played.size(), 1u) << c.icon;
        EXPECT_EQ(on.played[0].first, c.file) << c.icon;
        EXPECT_EQ(on.played[0].second, PlayMode::NoWait) << "a box never waits for its sound";
        EXPECT_TRUE(on.beeps.empty()) << c.icon;
        EXPECT_TRUE(off.played.empty()) << c.icon;
        EXPECT_EQ(off.beeps, std::vector<BeepKind>{c.beep}) << c.icon;
    }
}

TEST(SoundPlayer, PlayKeepsTheModeAndBeepsTheGivenKindWhenOff) {
    test::FakeSounds s;
    SoundPlayer p(s, true);
    p.Play("Mobil.wav", BeepKind::Exclamation, PlayMode::Repeat);
    p.Stop();
    p.SetSoundsOn(false);
    p.Play("Mobil.wav", BeepKind::Exclamation, PlayMode::Repeat);
    p.Play("Exit.wav", BeepKind::Information, PlayMode::ToEnd);
    ASSERT_EQ(s.played.size(), 1u);
    EXPECT_EQ(s.played[0], std::make_pair(std::string("Mobil.wav"), PlayMode::Repeat));
    EXPECT_EQ(s.stops, 1);
    EXPECT_EQ(s.beeps, (std::vector<BeepKind>{BeepKind::Exclamation, BeepKind::Information}));
}

TEST(SoundPlayer, SoundsArePossibleOnlyWithTheSoundFolderAndAnOutputDevice) {
    struct Case {
        const char* what;
        bool folder, fileNamedSound, device, possible;
    };
    const Case cases[] = {
        {"folder and device", true, false, true, true},
        {"no device", true, false, false, false},
        {"no folder", false, false, true, false},
        {"a file named Sound is not the folder", false, true, true, false},
    };
    for (const auto& c : cases) {
        test::TempHome home;
        if (c.folder) fs::create_directories(home.path() / "Sound");
        if (c.fileNamedSound) home.Write("Sound", "x");
        test::FakeSounds s;
        s.device = c.device;
        const bool possible = SoundsPossible(home.path(), s);
        EXPECT_EQ(possible, c.possible) << c.what;
        // A stored "on" only takes effect when sounds are possible; "off" stays off.
        EXPECT_EQ(EffectiveSoundSetting(true, possible), c.possible) << c.what;
        EXPECT_FALSE(EffectiveSoundSetting(false, possible)) << c.what;
    }
}

} // namespace
} // namespace vez
