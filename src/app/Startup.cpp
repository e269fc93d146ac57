#include "app/Startup.h"

#include "platform/SoundPlayer.h"
#include "platform/Text.h"

namespace vez {

std::optional<std::string> StoredModeSelection(std::string_view stored) {
    const std::string_view cut = stored.substr(0, 5);
    for (const char* mode : {kModeCros, kModeScan, kModeJapan})
        if (cut == mode) return std::string(mode);
    return std::nullopt;
}

StartupOutcome RunStartup(AppState& state, const StartupEnv& env) {
    LoadedSettings loaded = LoadSettings(state.IniPath());
    // A file that exists but cannot be read is as useless as a missing one; the message covers both.
    if (!loaded.FileFound) {
        env.dialogs.Show(ru("Не найден или нарушен\rзагрузочный файл Vezd.ini.\rПрограмма прервана!"),
                         ru("Программа \"Вездар\""), kBtnOK, kBtnOK, kIconNone);
        return StartupOutcome::End;
    }
    state.StartTime = env.now;
    state.Sets = std::move(loaded.Values);

    // An unknown stored text leaves the program in the crossword mode its menus show; the text
    // stays in the file until the user picks a mode.
    if (auto mode = StoredModeSelection(state.Sets.CrosScan)) state.CrosKind = *mode;

    state.SoundsPossible = SoundsPossible(state.ProgramFolder, env.sounds);
    state.Sets.Sound = EffectiveSoundSetting(state.Sets.Sound, state.SoundsPossible);
    if (state.Sets.Sound) env.sounds.PlaySoundFile("Run.wav", PlayMode::NoWait);

    const PixelSize area = env.pictureArea ? env.pictureArea(state) : PixelSize{};
    state.PictureState = LoadSplash(state.ProgramFolder, area, env.loadPicture, env.dialogs);
    return StartupOutcome::Run;
}

} // namespace vez
