// Sounds through Qt Multimedia: WAV files of the program's Sound folder and short generated tones
// for the beeps. Without an audio output every call is silently a no-op.
#pragma once

#include "platform/Files.h"
#include "platform/Sounds.h"

#include <QByteArray>
#include <QObject>
#include <memory>

class QSoundEffect;
class QAudioSink;
class QBuffer;

namespace vez {

class QtSounds : public QObject, public Sounds {
    Q_OBJECT
  public:
    explicit QtSounds(fs::path programFolder, QObject* parent = nullptr);
    ~QtSounds() override;

    // A new sound replaces the one playing. ToEnd runs a local event loop until the file has played.
    void PlaySoundFile(const std::string& name, PlayMode mode = PlayMode::NoWait) override;
    void StopSounds() override;
    void Beep(BeepKind kind) override;
    bool HasOutputDevice() const override;

  private:
    fs::path folder_;
    QSoundEffect* effect_ = nullptr;
    QAudioSink* beepSink_ = nullptr;
    QBuffer* beepBuffer_ = nullptr;
    QByteArray beepSamples_;
};

} // namespace vez
