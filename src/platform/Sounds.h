// Sound calls of the system: WAV files of the Sound folder, or system beeps when sounds are off.
#pragma once

#include <string>

namespace vez {

enum class BeepKind { Information, Exclamation, Question, Error };
enum class PlayMode { NoWait, ToEnd, Repeat };

class Sounds {
public:
    virtual ~Sounds() = default;
    // Plays `Sound/<name>` under the program folder. A missing file is silently ignored.
    virtual void PlaySoundFile(const std::string& name, PlayMode mode = PlayMode::NoWait) = 0;
    virtual void StopSounds() = 0;
    virtual void Beep(BeepKind kind) = 0;
    // The system has an audio output device.
    virtual bool HasOutputDevice() const = 0;
};

} // namespace vez
