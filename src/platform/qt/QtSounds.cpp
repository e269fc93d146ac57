#include "platform/qt/QtSounds.h"

#include <QApplication>
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QEventLoop>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>
#include <cmath>
#include <cstring>
#include <fstream>
#include <numbers>

namespace vez {
namespace {

// Playing time of a WAV file from its header, so that "play to the end" can never hang on a file
// or a device that never reports the end. 0 when the header cannot be read.
int WavDurationMs(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    char riff[12];
    if (!in.read(riff, 12) || std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(riff + 8, "WAVE", 4) != 0)
        return 0;
    std::uint32_t byteRate = 0;
    for (int guard = 0; guard < 64; ++guard) {
        unsigned char hdr[8];
        if (!in.read(reinterpret_cast<char*>(hdr), 8)) return 0;
        const std::uint32_t size = hdr[4] | (hdr[5] << 8) | (hdr[6] << 16) | (std::uint32_t(hdr[7]) << 24);
        if (std::memcmp(hdr, "fmt ", 4) == 0 && size >= 16) {
            unsigned char fmt[16];
            if (!in.read(reinterpret_cast<char*>(fmt), 16)) return 0;
            byteRate = fmt[8] | (fmt[9] << 8) | (fmt[10] << 16) | (std::uint32_t(fmt[11]) << 24);
            in.seekg(size - 16 + (size & 1), std::ios::cur);
        } else if (std::memcmp(hdr, "data", 4) == 0) {
            return byteRate ? static_cast<int>(std::uint64_t(size) * 1000 / byteRate) : 0;
        } else {
            in.seekg(size + (size & 1), std::ios::cur);
        }
    }
    return 0;
}

// The beeps are short tones of distinct pitch: the desktop's own bell is muted or missing on most
// Linux sessions, and it could not tell a question from an error anyway.
QByteArray ToneSamples(BeepKind kind, const QAudioFormat& f) {
    struct Tone {
        double hz;
        int ms;
        int pulses;
    };
    Tone t{880, 140, 1};
    switch (kind) {
    case BeepKind::Information:
        t = {880, 140, 1};
        break;
    case BeepKind::Exclamation:
        t = {660, 90, 2};
        break;
    case BeepKind::Question:
        t = {990, 70, 2};
        break;
    case BeepKind::Error:
        t = {330, 260, 1};
        break;
    }
    const int rate = f.sampleRate();
    const int pulse = rate * t.ms / 1000;
    const int gap = rate * 50 / 1000;
    QByteArray out;
    for (int p = 0; p < t.pulses; ++p) {
        for (int i = 0; i < pulse; ++i) {
            // A short fade at both ends avoids clicks.
            const double env = std::min({1.0, i / (rate * 0.005), (pulse - i) / (rate * 0.005)});
            const auto v = static_cast<qint16>(9000 * env * std::sin(2 * std::numbers::pi * t.hz * i / rate));
            for (int c = 0; c < f.channelCount(); ++c)
                out.append(reinterpret_cast<const char*>(&v), 2);
        }
        if (p + 1 < t.pulses) out.append(QByteArray(gap * 2 * f.channelCount(), '\0'));
    }
    return out;
}

} // namespace

QtSounds::QtSounds(fs::path programFolder, QObject* parent)
    : QObject(parent), folder_(std::move(programFolder)) {}

QtSounds::~QtSounds() {
    StopSounds();
}

bool QtSounds::HasOutputDevice() const {
    return !QMediaDevices::audioOutputs().isEmpty();
}

void QtSounds::PlaySoundFile(const std::string& name, PlayMode mode) {
    StopSounds();
    const fs::path file = folder_ / "Sound" / NameToPath(name);
    std::error_code ec;
    if (!fs::is_regular_file(file, ec) || !HasOutputDevice()) return;

    effect_ = new QSoundEffect(this);
    effect_->setSource(QUrl::fromLocalFile(QString::fromStdString(file.string())));
    effect_->setLoopCount(mode == PlayMode::Repeat ? QSoundEffect::Infinite : 1);
    effect_->play();
    if (mode != PlayMode::ToEnd) return;

    QEventLoop loop;
    QSoundEffect* e = effect_;
    connect(e, &QSoundEffect::playingChanged, &loop, [&] {
        if (!e->isPlaying() && e->status() != QSoundEffect::Loading) loop.quit();
    });
    connect(e, &QSoundEffect::statusChanged, &loop, [&] {
        if (e->status() == QSoundEffect::Error) loop.quit();
    });
    QTimer::singleShot(WavDurationMs(file) + 1000, &loop, &QEventLoop::quit);
    if (e->status() != QSoundEffect::Error) loop.exec();
    // A sound started meanwhile (from an event handled in the loop) keeps playing.
    if (effect_ == e) StopSounds();
}

void QtSounds::StopSounds() {
    if (!effect_) return;
    effect_->stop();
    effect_->deleteLater();
    effect_ = nullptr;
}

void QtSounds::Beep(BeepKind kind) {
    const QAudioDevice dev = QMediaDevices::defaultAudioOutput();
    if (dev.isNull()) {
        QApplication::beep();
        return;
    }
    if (beepSink_) {
        beepSink_->stop();
        beepSink_->deleteLater();
        beepSink_ = nullptr;
    }
    if (beepBuffer_) {
        beepBuffer_->deleteLater();
        beepBuffer_ = nullptr;
    }
    QAudioFormat f;
    f.setSampleRate(22050);
    f.setChannelCount(1);
    f.setSampleFormat(QAudioFormat::Int16);
    if (!dev.isFormatSupported(f)) f = dev.preferredFormat();
    if (f.sampleFormat() != QAudioFormat::Int16) {
        QApplication::beep();
        return;
    }
    beepSamples_ = ToneSamples(kind, f);
    beepBuffer_ = new QBuffer(&beepSamples_, this);
    beepBuffer_->open(QIODevice::ReadOnly);
    beepSink_ = new QAudioSink(dev, f, this);
    beepSink_->start(beepBuffer_);
}

} // namespace vez
