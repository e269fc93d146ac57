// The one way the system makes a sound: a WAV file of the Sound folder when sounds are on, else the
// system beep of the same kind. Also decides whether sounds can be switched on at all.
#pragma once

#include "platform/Files.h"
#include "platform/Sounds.h"

#include <string>

namespace vez {

// Sounds can be on only when the program folder has the folder `Sound` and an audio output exists.
bool SoundsPossible(const fs::path& programFolder, const Sounds& sounds);

// The setting as it takes effect: a stored "on" is forced off when sounds are not possible.
inline bool EffectiveSoundSetting(bool stored, bool possible) {
    return stored && possible;
}

class SoundPlayer {
  public:
    SoundPlayer(Sounds& sounds, bool soundsOn) : sounds_(sounds), on_(soundsOn) {}

    bool SoundsOn() const { return on_; }
    void SetSoundsOn(bool on) { on_ = on; }

    // Plays `Sound/<file>` with sounds on, otherwise beeps `whenOff`.
    void Play(const std::string& file, BeepKind whenOff, PlayMode mode = PlayMode::NoWait);
    // The announcement of a message box with this icon code.
    void PlayForIcon(int icon);
    void Stop() { sounds_.StopSounds(); }

  private:
    Sounds& sounds_;
    bool on_;
};

} // namespace vez
