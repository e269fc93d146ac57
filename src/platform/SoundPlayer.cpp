#include "platform/SoundPlayer.h"

#include "platform/MsgBoxLayout.h"

namespace vez {

bool SoundsPossible(const fs::path& programFolder, const Sounds& sounds) {
    std::error_code ec;
    return fs::is_directory(programFolder / "Sound", ec) && sounds.HasOutputDevice();
}

void SoundPlayer::Play(const std::string& file, BeepKind whenOff, PlayMode mode) {
    if (on_)
        sounds_.PlaySoundFile(file, mode);
    else
        sounds_.Beep(whenOff);
}

void SoundPlayer::PlayForIcon(int icon) {
    const IconSound s = SoundForIcon(icon);
    Play(s.file, s.beep);
}

} // namespace vez
