// vezdar-cli make-sounds DIR: writes the program's sound files (short distinct tones, 16-bit PCM
// mono WAV at 22050 Hz) into DIR, keeping every file that is already there.
#include "cli/Command.h"
#include "platform/Files.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;

enum class Wave { Sine, Reed, Noise };

// One piece of a sound: a tone gliding from `from` to `to` Hz (or a noise burst), then silence.
struct Piece {
    double from, to, seconds;
    Wave wave = Wave::Sine;
    double volume = 0.5, gapAfter = 0.0;
};

struct SoundDef {
    const char* name;
    std::vector<Piece> pieces;
};

void Render(const Piece& p, std::vector<int16_t>& out, uint32_t& noiseState) {
    const int n = static_cast<int>(p.seconds * kRate);
    const int fade = std::min(n / 4, kRate / 200); // 5 ms ramps keep the edges from clicking
    double phase = 0;
    for (int i = 0; i < n; ++i) {
        double t = static_cast<double>(i) / n;
        double freq = p.from + (p.to - p.from) * t;
        phase += 2 * std::numbers::pi * freq / kRate;
        double v = 0;
        switch (p.wave) {
        case Wave::Sine:
            v = std::sin(phase);
            break;
        case Wave::Reed:
            v = 0.6 * std::sin(phase) + 0.3 * std::sin(2 * phase) + 0.2 * std::sin(3 * phase);
            break;
        case Wave::Noise:
            noiseState = noiseState * 1664525u + 1013904223u;
            v = (static_cast<double>(noiseState >> 8) / (1u << 24)) * 2 - 1;
            v *= std::exp(-6.0 * t); // a clap dies away quickly
            break;
        }
        double env = 1.0;
        if (i < fade) env = static_cast<double>(i) / fade;
        if (n - i < fade) env = static_cast<double>(n - i) / fade;
        out.push_back(static_cast<int16_t>(std::lround(v * env * p.volume * 32767)));
    }
    out.insert(out.end(), static_cast<size_t>(p.gapAfter * kRate), 0);
}

void PutLE(std::string& s, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::string Wav(const std::vector<int16_t>& samples) {
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::string s = "RIFF";
    PutLE(s, 36 + dataBytes, 4);
    s += "WAVEfmt ";
    PutLE(s, 16, 4);        // format chunk size
    PutLE(s, 1, 2);         // PCM
    PutLE(s, 1, 2);         // mono
    PutLE(s, kRate, 4);     // sample rate
    PutLE(s, kRate * 2, 4); // byte rate
    PutLE(s, 2, 2);         // block align
    PutLE(s, 16, 2);        // bits per sample
    s += "data";
    PutLE(s, dataBytes, 4);
    for (int16_t v : samples)
        PutLE(s, static_cast<uint16_t>(v), 2);
    return s;
}

std::vector<SoundDef> Sounds() {
    std::vector<Piece> applause;
    for (int i = 0; i < 14; ++i)
        applause.push_back({0, 0, 0.05, Wave::Noise, 0.6, 0.02 + 0.015 * (i % 3)});
    return {
        {"Run.wav",
         {{523, 523, 0.12, Wave::Sine, 0.5, 0.01}, {659, 659, 0.12, Wave::Sine, 0.5, 0.01}, {784, 784, 0.2}}},
        {"Exit.wav",
         {{784, 784, 0.12, Wave::Sine, 0.5, 0.01}, {659, 659, 0.12, Wave::Sine, 0.5, 0.01}, {523, 523, 0.2}}},
        {"Mobil.wav", {{880, 880, 0.08, Wave::Sine, 0.5, 0.06}, {880, 880, 0.08}}},
        {"Error.wav", {{220, 220, 0.35, Wave::Reed, 0.6}}},
        {"Warn.wav", {{440, 440, 0.15, Wave::Reed, 0.5, 0.08}, {440, 440, 0.15, Wave::Reed}}},
        {"Quest.wav", {{523, 523, 0.12, Wave::Sine, 0.5, 0.02}, {784, 784, 0.18}}},
        {"Info.wav", {{660, 660, 0.2, Wave::Sine, 0.4}}},
        {"Aplause.wav", applause},
        {"Bad.wav", {{400, 200, 0.5, Wave::Reed, 0.5}}},
        {"VeryBad.wav", {{300, 150, 0.4, Wave::Reed, 0.6, 0.05}, {250, 110, 0.6, Wave::Reed, 0.6}}},
    };
}

int Run(const vez::cli::Args& args) {
    if (args.size() != 1) {
        std::fputs("usage: vezdar-cli make-sounds DIR\n", stderr);
        return 2;
    }
    const vez::fs::path dir = args[0];
    std::error_code ec;
    vez::fs::create_directories(dir, ec);
    if (!vez::fs::is_directory(dir, ec)) {
        std::fprintf(stderr, "vezdar-cli: %s is not a folder\n", dir.c_str());
        return 1;
    }
    int written = 0, kept = 0;
    for (const auto& def : Sounds()) {
        const vez::fs::path file = dir / def.name;
        if (vez::fs::exists(file, ec)) {
            ++kept;
            continue;
        }
        std::vector<int16_t> samples;
        uint32_t noise = 12345;
        for (const auto& p : def.pieces)
            Render(p, samples, noise);
        if (!vez::WriteFileBytes(file, Wav(samples))) {
            std::fprintf(stderr, "vezdar-cli: cannot write %s\n", file.c_str());
            return 1;
        }
        ++written;
    }
    std::printf("%d sound file(s) written, %d kept\n", written, kept);
    return 0;
}

vez::cli::CliCommand reg{"make-sounds", "write the program's sound files into DIR (existing files are kept)",
                         Run};

} // namespace
